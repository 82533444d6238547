#pragma once

#include <QHash>
#include <QImage>
#include <QString>

#include <memory>

class QSvgRenderer;

namespace drawmentor {

// The vector drawing of a deck converted from SVG ("data/faces.<code>.svgz"
// beside "data/deck.<code>"), drawn face by face at the pixels asked for. The
// faces of the last size asked for are kept: a table redraws the same size.
class TSvgFaces {
  public:
    TSvgFaces();
    ~TSvgFaces();

    // The drawing of deck `code`; a deck without one (or with a damaged one)
    // leaves no drawing, and its cards are scaled from the deck's bitmaps.
    void Use(const QString& code);
    bool HasDrawing() const { return FSvg != nullptr; }
    // Suit 0..3 (spades, clubs, diamonds, hearts), rank 0..12 (2..A); a null
    // image without a drawing or an element for that card.
    QImage Face(int suit, int rank, const QSize& pixels);

  private:
    QString FCode;
    std::unique_ptr<QSvgRenderer> FSvg;
    QSize FCachedSize;
    QHash<int, QImage> FCache;
};

} // namespace drawmentor
