#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

namespace drawmentor {

// Miniature cards (50 x 68) for the error and warning tables, and one-line
// card labels for the all-hands window.
class TCardPainter {
  public:
    void Init();
    void DrawSmallCard(QPainter& painter, int x, int y, const QColor& cornerColor, int rank,
                       int suit, bool held, bool wild, bool secondHeld);
    void DrawSmallCard(QPainter& painter, const QColor& cornerColor, int rank, int suit, bool held,
                       bool wild) {
        DrawSmallCard(painter, 0, 0, cornerColor, rank, suit, held, wild, false);
    }

    // The blank face on `around`: a white card with rounded corners in a grey outline.
    const QImage& Face(const QColor& around);

    static constexpr int Width = 50;
    static constexpr int Height = 68;
    QImage Ranks, Suits1, Suits2, Held, Joker, Wild, Held1;

  private:
    QImage FFace;
    QColor FFaceAround;
};

extern const char* const RankTexts[13];

// Rank text and small suit symbol side by side on white (white shows as
// transparent); a joker is "Jok".
QImage MakeCardLabel(TCardPainter& painter, int rank, int suit, int gap);

} // namespace drawmentor
