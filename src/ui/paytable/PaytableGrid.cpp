#include "PaytableGrid.h"

#include "render/PaintEngine.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace drawmentor {

TGridSizes PaytableGridSizes(int width, int height, int rows) {
    TGridSizes sizes;
    const int names = RoundHalfEven(0.4 * width);
    const int rest = width - names;
    sizes.Columns.push_back(names);
    for (int k = 1; k <= kMaxCoins; ++k)
        sizes.Columns.push_back(RoundHalfEven(k * rest / 5.0) -
                                RoundHalfEven((k - 1) * rest / 5.0));
    for (int r = 0; r < rows; ++r)
        sizes.Rows.push_back(RoundHalfEven(static_cast<double>(r + 1) * height / rows) -
                             RoundHalfEven(static_cast<double>(r) * height / rows));
    return sizes;
}

int PaytableGridMinimumWidth(const QFontMetrics& metrics, const QStringList& lines) {
    int widest = 0;
    for (const QString& line : lines)
        widest =
            std::max(widest, metrics.horizontalAdvance(QStringLiteral("    ") + line.toUpper()));
    return static_cast<int>(std::ceil(widest / 0.4));
}

TPaytableGrid::TPaytableGrid(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PayoutGrid"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void TPaytableGrid::SetPaytable(const QStringList& lines, const TPayTable& pays, bool shown) {
    FLines = lines;
    FPays = pays;
    FShown = shown;
    updateGeometry();
    Relayout();
}

// A long line name, as a kicker line in Russian, widens the window rather
// than being cut.
QSize TPaytableGrid::minimumSizeHint() const {
    return {PaytableGridMinimumWidth(fontMetrics(), FLines), 0};
}

void TPaytableGrid::resizeEvent(QResizeEvent*) {
    Relayout();
}

void TPaytableGrid::Relayout() {
    FSizes = PaytableGridSizes(width(), height(), static_cast<int>(FLines.size()));
    update();
}

void TPaytableGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor frame = palette().color(QPalette::Dark); // the button-shadow colour
    int y = 0;
    for (int row = 0; row < static_cast<int>(FSizes.Rows.size()); ++row) {
        int x = 0;
        for (int column = 0; column < 6; ++column) {
            const QRect cell(x, y, FSizes.Columns[column], FSizes.Rows[row]);
            painter.setPen(frame);
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
            painter.setPen(palette().color(QPalette::Text));
            if (column == 0)
                painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                                 QStringLiteral("  ") + FLines[row].toUpper());
            else if (FShown)
                painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine,
                                 QString::number(FPays.At(column, row)));
            x += cell.width();
        }
        y += FSizes.Rows[row];
    }
}

} // namespace drawmentor
