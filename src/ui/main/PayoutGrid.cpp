#include "PayoutGrid.h"

#include "play/Session.h"
#include "prefs/Preferences.h"
#include "render/Colors.h"
#include "render/PaintEngine.h"
#include "ui/common/LineText.h"

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

TPayoutGrid::TPayoutGrid(const TPreferences& preferences, QWidget* parent)
    : QWidget(parent), FPreferences(preferences) {
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
    // Bold, as the winning line shows, every text fits its cell.
    QFont bold = font();
    bold.setBold(true);
    FFont = LargestFitting(bold, 0.5, [&](const QFont& candidate) {
        for (int row = 0; row < static_cast<int>(FLayout.Rows.size()); ++row)
            for (int column = 0; column < 6; ++column)
                if (!TextFits(CellText(column, row), candidate,
                              CellRect(column, row).adjusted(1, 1, -1, -1)))
                    return false;
        return true;
    });
    FFont.setBold(false);
    update();
}

QString TPayoutGrid::CellText(int column, int row) const {
    if (column > 0) return QString::number(FSession->Game().Pay(row, column));
    return QStringLiteral("   ") +
           LineText(FSession->Game().LineName(row), FPreferences.Texts()).toUpper();
}

// Neighbouring cells share their frame line.
QRect TPayoutGrid::CellRect(int column, int row) const {
    int x = 0, y = 0;
    for (int i = 0; i < column; ++i) x += FLayout.Columns[i];
    for (int i = 0; i < row; ++i) y += FLayout.Rows[i];
    return QRect(x, y, FLayout.Columns[column], FLayout.Rows[row])
        .adjusted(column > 0 ? -1 : 0, row > 0 ? -1 : 0, 0, 0);
}

std::vector<TPaintedText> TPayoutGrid::Texts() const {
    std::vector<TPaintedText> texts;
    if (!FSession) return texts;
    for (int row = 0; row < static_cast<int>(FLayout.Rows.size()); ++row)
        for (int column = 0; column < 6; ++column) {
            QFont font = FFont;
            font.setBold(row == FSession->Hand().CurrentLine());
            texts.push_back(
                {CellRect(column, row).adjusted(1, 1, -1, -1), CellText(column, row), font});
        }
    return texts;
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
    const std::vector<TPaintedText> texts = Texts();
    for (size_t i = 0; i < texts.size(); ++i)
        DrawCell(painter, texts[i], static_cast<int>(i % 6), static_cast<int>(i / 6));
}

void TPayoutGrid::DrawCell(QPainter& painter, const TPaintedText& text, int column, int row) {
    const QRect cell = text.Rect.adjusted(-1, -1, 1, 1);
    const bool winning = row == FSession->Hand().CurrentLine();
    const bool betColumn = column == FSession->Game().Bet();
    const QImage& background = winning     ? FWinBackground
                               : betColumn ? FBetBackground
                                           : FNormalBackground;
    QColor pen = palette().color(QPalette::WindowText);
    if (winning)
        pen = column == 0 || betColumn ? QColor(Qt::white) : QColor(0, 0, 128);
    else if (betColumn)
        pen = QColor(0, 0, 128);
    painter.save();
    painter.setPen(Qt::black);
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    painter.drawImage(text.Rect, background,
                      QRect(0, 0, std::min(background.width(), text.Rect.width()),
                            std::min(background.height(), text.Rect.height())));
    painter.setFont(text.Font);
    painter.setPen(pen);
    painter.drawText(text.Rect,
                     (column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter) |
                         Qt::TextSingleLine,
                     text.Text);
    painter.restore();
}

} // namespace drawmentor
