#pragma once

#include "render/CardPainter.h"

#include <QWidget>

namespace drawmentor {

class TSession;
class TPreferences;

// The other hands of a deal of several, above the hand on the table. Up to
// ten hands each shows as a row of small cards with its win: the held cards
// as soon as the hold is made, the drawn ones after the draw. Fifty or a
// hundred hands would be too small to read, so they show as a tally of how
// many hands made each paying line and what the deal won.
class TExtraHandsView : public QWidget {
    Q_OBJECT

  public:
    // The height the view takes when it shows.
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

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void PaintHand(QPainter& painter, int index, const QRect& cell);
    void PaintTally(QPainter& painter);
    // The face of a small card at `size`, or its back for kNoCard.
    QImage SmallCard(int code, const QSize& size);

    const TPreferences& FPreferences;
    const TSession* FSession = nullptr;
    TCardPainter FPainter;
};

} // namespace drawmentor
