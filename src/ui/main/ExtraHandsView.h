#pragma once

#include "render/CardPainter.h"
#include "ui/common/PaintedText.h"

#include <QWidget>

#include <vector>

namespace drawmentor {

class TSession;
class TPreferences;

// The other hands of a deal of several, above the hand on the table. Up to
// ten hands each shows as a row of small cards with its win: the held cards
// as soon as the hold is made, the drawn ones after the draw. Fifty or a
// hundred hands would be too small to read, so they show as a tally of how
// many hands made each paying line and what the deal won. Hands are arranged
// in as many columns as give the largest cards with room beside them for the
// longest line name of the game and its largest win, so the arrangement stays
// the same from deal to deal; the text gets smaller only where no
// arrangement leaves room for it.
class TExtraHandsView : public QWidget {
    Q_OBJECT

  public:
    // The height the view takes when it shows, on the standard table.
    static constexpr int kHeight = 140;
    // Up to this many hands in all, each hand shows its cards.
    static constexpr int kMostRows = 10;

    TExtraHandsView(const TPreferences& preferences, QWidget* parent = nullptr);
    void SetEngine(const TSession* session) { FSession = session; }

    // Where the hand `index` (0 is the first other hand) is drawn, for tests
    // and for the layout itself; empty in the tally.
    QRect HandRect(int index) const;
    // The lines of the tally as shown, top to bottom.
    QStringList TallyLines() const;
    // Every text the view paints (wins and line names, or the tally's lines)
    // and where.
    std::vector<TPaintedText> Texts() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // How the hands are arranged and where a hand's text goes.
    struct TArrangement {
        int Columns = 1;
        bool Stacked = false; // the line name over the win, else beside it
        QSize Card;
        int TextWidth = 0;
        QFont Font;
    };
    TArrangement Arrange() const;
    // A hand's cards: where each is drawn.
    QRect CardRect(const TArrangement& arrangement, int index, int card) const;
    std::vector<TPaintedText> HandTexts(const TArrangement& arrangement, int index) const;
    std::vector<TPaintedText> TallyTexts() const;
    void PaintHand(QPainter& painter, const TArrangement& arrangement, int index);
    // The face of a small card at `size`, or its back for kNoCard.
    QImage SmallCard(int code, const QSize& size);

    const TPreferences& FPreferences;
    const TSession* FSession = nullptr;
    TCardPainter FPainter;
};

} // namespace drawmentor
