#include "PayoutGrid.h"

#include "play/Session.h"
#include "render/Colors.h"
#include "render/PaintEngine.h"

#include <QMouseEvent>
#include <QPainter>

namespace drawmentor {
namespace {

// The grid's colours are kept as 0x00BBGGRR numbers, blue in the high byte.
QColor FromBgr(unsigned value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QImage Gradient(int width, int height, const QColor& top, const QColor& bottom, int steps) {
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    QPainter painter(&image);
    FillGradient(painter, image.rect(), top, steps, 0, bottom);
    return image;
}

} // namespace

TPaytableLayout LayoutPaytable(int width, int height, int rows) {
    TPaytableLayout layout;
    const int pay = RoundHalfEven((width - RoundHalfEven(0.4 * width)) / 5.0);
    layout.Columns = {width - 5 * pay, pay, pay, pay, pay, pay};
    int given = 0;
    for (int i = 0; i < rows; ++i) {
        const int row = RoundHalfEven(static_cast<double>(i + 1) * height / rows) - given;
        layout.Rows.push_back(row);
        given += row;
        layout.Tallest = std::max(layout.Tallest, row);
    }
    return layout;
}

TPayoutGrid::TPayoutGrid(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PayoutGrid"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPayoutGrid::SetEngine(TSession* session) {
    FSession = session;
    Relayout();
}

void TPayoutGrid::Relayout() {
    if (!FSession) return;
    FLayout = LayoutPaytable(width(), height(), FSession->Game().LastLine() + 1);
    const int tallest = std::max(FLayout.Tallest, 1);
    const int steps = std::min(tallest, 255);
    const QColor bet = FromBgr(0xFFCB97), win = FromBgr(0x808000), normal = FromBgr(0xC0C0C0);
    FBetBackground = Gradient(FLayout.Columns[1], tallest, ShiftColor(bet, 20), bet, steps);
    FWinBackground =
        Gradient(FLayout.Columns[0], tallest, ShiftColor(win, 40), ShiftColor(win, 20), steps);
    FNormalBackground =
        Gradient(FLayout.Columns[0], tallest, Qt::white, ShiftColor(normal, 40), steps);
    update();
}

QPoint TPayoutGrid::CellAt(const QPoint& point) const {
    int x = 0;
    for (int column = 0; column < static_cast<int>(FLayout.Columns.size()); ++column) {
        int y = 0;
        for (int row = 0; row < static_cast<int>(FLayout.Rows.size()); ++row) {
            if (QRect(x, y, FLayout.Columns[column], FLayout.Rows[row]).contains(point))
                return {column, row};
            y += FLayout.Rows[row];
        }
        x += FLayout.Columns[column];
    }
    return {-1, -1};
}

void TPayoutGrid::resizeEvent(QResizeEvent*) {
    Relayout();
}

void TPayoutGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint cell = CellAt(event->position().toPoint());
    if (cell.x() >= 1) emit BetColumnClicked(cell.x());
}

void TPayoutGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!FSession) return;
    int x = 0;
    for (int column = 0; column < 6; ++column) {
        int y = 0;
        for (int row = 0; row < static_cast<int>(FLayout.Rows.size()); ++row) {
            DrawCell(painter, column, row, QRect(x, y, FLayout.Columns[column], FLayout.Rows[row]));
            y += FLayout.Rows[row];
        }
        x += FLayout.Columns[column];
    }
}

void TPayoutGrid::DrawCell(QPainter& painter, int column, int row, const QRect& given) {
    // Neighbouring cells share their frame line.
    const QRect cell = given.adjusted(column > 0 ? -1 : 0, row > 0 ? -1 : 0, 0, 0);
    const bool winning = row == FSession->Hand().CurrentLine();
    const bool betColumn = column == FSession->Game().Bet();
    const QImage& background = winning     ? FWinBackground
                               : betColumn ? FBetBackground
                                           : FNormalBackground;
    QFont font = this->font();
    QColor text = palette().color(QPalette::WindowText);
    if (winning) {
        font.setBold(true);
        text = column == 0 || betColumn ? QColor(Qt::white) : QColor(0, 0, 128);
    } else if (betColumn) {
        text = QColor(0, 0, 128);
    }
    painter.save();
    painter.setPen(Qt::black);
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    painter.drawImage(cell.adjusted(1, 1, -1, -1), background,
                      QRect(0, 0, std::min(background.width(), cell.width() - 2),
                            std::min(background.height(), cell.height() - 2)));
    painter.setFont(font);
    painter.setPen(text);
    const QRect inner = cell.adjusted(1, 1, -1, -1);
    if (column == 0)
        painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         QStringLiteral("   ") + FSession->Game().LineName(row).toUpper());
    else
        painter.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine,
                         QString::number(FSession->Game().Pay(row, column)));
    painter.restore();
}

} // namespace drawmentor
