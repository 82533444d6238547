#pragma once

#include "ui/common/PaintedText.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

namespace drawmentor {

class TPreferences;
class TSession;

// Column widths and row heights of the paytable for a grid of `width` x
// `height` pixels: five pay columns of round((W - round(0.4 W)) / 5) and the
// rest for the names; rows that fill H exactly (round((i + 1) H / rows) minus
// what the rows before took). Rounding is to the nearest, halves to even.
struct TPaytableLayout {
    std::vector<int> Columns; // 6: names, then 1..5 coins
    std::vector<int> Rows;
    int Tallest = 0;
};
TPaytableLayout LayoutPaytable(int width, int height, int rows);

// The drawn paytable of the main window, as a machine's glass shows it:
// yellow figures on blue, the column of the bet lit red, the line the hand
// makes lit gold, flashing for a moment after a win. Clicking a pay column
// asks to bet that many coins. Line names are in the interface's language; a
// name too long for its column, or rows lower than a line of text, make the
// whole grid's text smaller, never one row's.
class TPayoutGrid : public QWidget {
    Q_OBJECT

  public:
    explicit TPayoutGrid(const TPreferences& preferences, QWidget* parent = nullptr);
    void SetEngine(TSession* session);
    // Recomputes the layout and the cell backgrounds (game change, resize).
    void Relayout();
    const TPaytableLayout& Layout() const { return FLayout; }
    // The cell at a point: (column, row), or (-1, -1).
    QPoint CellAt(const QPoint& point) const;
    // Every cell's text where it is painted.
    std::vector<TPaintedText> Texts() const;
    // The winning line of the hand just shown flashes, then stays lit for as
    // long as the hand makes it.
    void FlashWinningLine();

  signals:
    void BetColumnClicked(int coins);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void DrawCell(QPainter& painter, const TPaintedText& text, int column, int row);
    QString CellText(int column, int row) const;
    QRect CellRect(int column, int row) const;
    // The hand's line, unless the flash has it dark this moment.
    bool Lit(int row) const;

    const TPreferences& FPreferences;
    TSession* FSession = nullptr;
    QFont FFont; // the grid's font, at the size every cell's text fits
    TPaytableLayout FLayout;
    QImage FBetBackground, FWinBackground, FNormalBackground;
    QTimer* FFlash = nullptr;
    int FFlashRow = -1;
    int FFlashesLeft = 0; // changes of light still to come; odd while dark
};

} // namespace drawmentor
