#pragma once

#include "games/PayTable.h"

#include <QFontMetrics>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace drawmentor {

// Column widths and row heights of a paytable in the choice and edit windows
// for `width` x `height` pixels: the names take round(0.4 W), the five pay
// columns share the rest so that they add up to it exactly, and the rows
// fill the height exactly. Rounding is to the nearest, halves to even.
struct TGridSizes {
    std::vector<int> Columns; // 6: names, then 1..5 coins
    std::vector<int> Rows;
};
TGridSizes PaytableGridSizes(int width, int height, int rows);
// The least width at which the names column holds the widest of `lines` as
// the grids draw it (capitals after two spaces), with as much again to spare
// on the right as on the left.
int PaytableGridMinimumWidth(const QFontMetrics& metrics, const QStringList& lines);

// The paytable shown in the game-choice window: line names and, when a
// paytable is selected, the pays for one to five coins.
class TPaytableGrid : public QWidget {
    Q_OBJECT

  public:
    explicit TPaytableGrid(QWidget* parent = nullptr);
    // `pays` is drawn only when `shown`; the rows follow `lines`.
    void SetPaytable(const QStringList& lines, const TPayTable& pays, bool shown);
    const TGridSizes& Sizes() const { return FSizes; }
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Relayout();

    QStringList FLines;
    TPayTable FPays;
    bool FShown = false;
    TGridSizes FSizes;
};

} // namespace drawmentor
