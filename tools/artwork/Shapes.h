#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>

// Vector shapes shared by every piece of artwork, so that pips, indices and
// small cards of all decks draw the same suits.
namespace artwork {

inline const QColor kFelt(0, 96, 56); // the table the cards lie on
inline const QColor kBorder(90, 90, 96);

// The suit symbol of suit 0..3 (spades, clubs, diamonds, hearts) filling `box`.
QPainterPath SuitPath(int suit, const QRectF& box);
// Suit colours of a deck: two colours (black, red) or four.
QColor SuitColor(int suit, bool fourColours);

} // namespace artwork
