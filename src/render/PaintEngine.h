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
// leave the face unchanged.
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
    // Rank 0..12 (2..A), suit 0..3; a joker is rank -1, suit -1, wild.
    void DrawCard(QPainter& painter, const QRect& rect, bool held, bool wild, int suit, int rank);
    virtual void DrawBack(QPainter& painter, const QRect& rect);

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

    QImage FBlank, FRanks, FRanksTurned, FPictures, FSuits, FSuitsFlipped, FHeld, FWild, FBack;
};

// Nearest integer, halves to even.
int RoundHalfEven(double value);

} // namespace drawmentor
