#pragma once

#include "games/Catalogue.h"
#include "render/CardPainter.h"

#include <QStyledItemDelegate>

#include <array>

namespace drawmentor {

// Draws the rows of the errors list: the dealt hand as small cards with the
// holds marked, and each value column as its percent and money lines with
// the money won at the bottom of the cell.
class TErrorsDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    explicit TErrorsDelegate(QObject* parent = nullptr);

    void SetVariants(bool yourHold, bool bestHold);
    // Rows leave this much room around the small cards.
    static constexpr int kRowPadding = 10;
    static int RowHeight() { return TCardPainter::Height + kRowPadding; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    void PaintHand(QPainter& painter, const QRect& cell, const QColor& background,
                   const QModelIndex& index) const;
    void PaintValues(QPainter& painter, const QRect& cell, const QModelIndex& index) const;
    // The wild rank of a logged game; a game the catalogue no longer has has none.
    int WildRank(int gameIndex) const;

    bool FYourHold = true;
    bool FBestHold = true;
    mutable TCardPainter FPainter;
    mutable std::array<int, kCatalogueSize> FWildRanks{};
    mutable bool FWildRanksKnown[kCatalogueSize] = {};
};

} // namespace drawmentor
