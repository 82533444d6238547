#pragma once

#include <QPainter>
#include <QRectF>

namespace artwork {

enum class TCourtStyle { Classic, Modern };

// A double-headed court card (rank 9 J, 10 Q, 11 K) of `suit` inside `frame`:
// the upper figure drawn, the lower one the same turned by 180 degrees.
void DrawCourt(QPainter& painter, const QRectF& frame, int rank, int suit, TCourtStyle style,
               bool fourColours);
// The ace: one large suit symbol; the ace of spades ornamented.
void DrawAce(QPainter& painter, const QRectF& card, int suit, TCourtStyle style, bool fourColours);

} // namespace artwork
