#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

namespace drawmentor {

// Paints the big cards from a deck file (corner indices, suit symbols,
// pictures and a header of layout numbers) and the chosen card back.
// Faces are composed at paint time: a plain copy of the blank (or wild) face,
// then every glyph combined with a bitwise AND, so the white parts of a glyph
// leave the face unchanged. The held band alone is laid over the finished
// face, so that its lettering reads on every picture.
class TPaintEngine {
  public:
    // Loads the built-in EMPTY, HELD and WILD pictures; no deck yet.
    TPaintEngine();
    virtual ~TPaintEngine() = default;

    // The deck of `code` from "data/deck.<code>", or deck "001" when that file
    // does not exist; the same code again reads nothing.
    void LoadDeck(const QString& code);
    // The deck from the bytes of a deck file; `path` names it in errors.
    void LoadDeckData(const QByteArray& file, const QString& path);
    void SetBackIndex(int index);
    // Rank 0..12 (2..A), suit 0..3; a joker is rank -1, suit -1, wild, and
    // carries the built-in joker index in its corners.
    void DrawCard(QPainter& painter, const QRect& rect, bool held, bool wild, int suit, int rank);
    virtual void DrawBack(QPainter& painter, const QRect& rect);
    // Where the top-left corner index (the rank glyph's cell) lies on a card.
    QRect IndexRect() const;
    // The top of the built-in held band, across the middle of the card: the
    // corner indices above and below it stay in view, as the player reads them.
    int HeldBandTop() const { return (CardHeight - FHeld.height()) / 2; }

    int CardWidth = 0;
    int CardHeight = 0;
    QString DeckCode;
    int BackIndex = 0;

    // The deck header, with its values before any deck is loaded.
    int32_t FIndexOffsetX = 5;
    int32_t FIndexOffsetY = 3;
    int32_t FaceSuitOffsetX = 1;
    int32_t FaceSuitOffsetY = 1;
    int32_t PipAdjustX = -5;
    int32_t PipAdjustY = -5;
    bool MirrorCourtIndex = true;
    bool MirrorAceIndex = true;
    bool AceIsComplete = true;
    int32_t Pip3AdjustY = 0;
    int32_t SidePipAdjustY = 0;
    int32_t AllPictures = 0;
    bool MirrorPipIndex = true;
    // Later additions, read only from a deck whose last header field carries
    // kDeckExtensionsMark (every other deck reads as before): index rows (2,
    // black and red, or 4, one per suit) and the kDeck... flags below.
    int32_t IndexRows = 2;
    int32_t Extras = 0;

    static constexpr int32_t kDeckExtensionsMark = 0x31584D44; // "DMX1"
    // A fourth image follows the suits: four small suit symbols drawn under
    // the corner index wherever the card shows no other suit near it.
    static constexpr int32_t kDeckCornerSuits = 1;
    // The pictures image holds every face whole, a column per rank and a row
    // per suit;
    // indices are drawn only on wild cards.
    static constexpr int32_t kDeckCompleteFaces = 2;

    struct TPip {
        int X = 0;
        int Y = 0;
    };
    TPip Pips[16]; // 1..15

    static const char* const PipPatterns[9]; // ranks 2..10

  protected:
    virtual void BuildBackImage();
    virtual int IndexOffsetX() const { return FIndexOffsetX; }
    virtual int IndexOffsetY() const { return FIndexOffsetY; }
    virtual void AfterLayout() {}
    void ComputePipLayout();

  private:
    void ReadDeck(const QString& path);

    void AndCornerSuit(QPainter& painter, const QRect& rect, int suit);

    QImage FBlank, FRanks, FRanksTurned, FPictures, FSuits, FSuitsFlipped, FHeld, FWild, FBack;
    QImage FCornerSuits, FCornerSuitsTurned, FJokerIndex, FJokerIndexTurned;
};

// Nearest integer, halves to even.
int RoundHalfEven(double value);

} // namespace drawmentor
