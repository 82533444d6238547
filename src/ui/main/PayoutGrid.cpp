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

// A machine's glass: deep blue, the bet column red, the hand's line gold, and
// lines of a darker blue between the cells.
const QColor kGlass(22, 36, 168), kBet(196, 24, 24), kWin(255, 214, 40), kRule(4, 8, 70);
// Yellow on blue and red, dark red on gold: the colours of such machines,
// and each far from its background at any size.
const QColor kFigures(255, 230, 80), kBetFigures(255, 255, 255), kWinFigures(130, 0, 0);
// Light, dark, light and so on: four flashes of a quarter second each.
constexpr int kFlashChanges = 8;
constexpr int kFlashMs = 250;

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
    FFlash = new QTimer(this);
    FFlash->setObjectName(QStringLiteral("winFlash"));
    FFlash->setInterval(kFlashMs);
    connect(FFlash, &QTimer::timeout, this, [this] {
        if (--FFlashesLeft <= 0) FFlash->stop();
        update();
    });
}

void TPayoutGrid::FlashWinningLine() {
    if (!FSession || FSession->Hand().CurrentLine() < 0) return;
    FFlashRow = FSession->Hand().CurrentLine();
    FFlashesLeft = kFlashChanges;
    FFlash->start();
    update();
}

bool TPayoutGrid::Lit(int row) const {
    return row == FSession->Hand().CurrentLine() && (row != FFlashRow || FFlashesLeft % 2 == 0);
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
    // Lighter at the top of each cell, as light falls on glass.
    FBetBackground = Gradient(FLayout.Columns[1], tallest, ShiftColor(kBet, 40), kBet, steps);
    FWinBackground = Gradient(FLayout.Columns[0], tallest, ShiftColor(kWin, 40), kWin, steps);
    FNormalBackground =
        Gradient(FLayout.Columns[0], tallest, ShiftColor(kGlass, 30), kGlass, steps);
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
    painter.fillRect(rect(), kRule);
    if (!FSession) return;
    const std::vector<TPaintedText> texts = Texts();
    for (size_t i = 0; i < texts.size(); ++i)
        DrawCell(painter, texts[i], static_cast<int>(i % 6), static_cast<int>(i / 6));
}

void TPayoutGrid::DrawCell(QPainter& painter, const TPaintedText& text, int column, int row) {
    const QRect cell = text.Rect.adjusted(-1, -1, 1, 1);
    const bool winning = Lit(row);
    const bool betColumn = column == FSession->Game().Bet();
    const QImage& background = winning     ? FWinBackground
                               : betColumn ? FBetBackground
                                           : FNormalBackground;
    const QColor pen = winning ? kWinFigures : betColumn ? kBetFigures : kFigures;
    painter.save();
    painter.setPen(kRule);
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
