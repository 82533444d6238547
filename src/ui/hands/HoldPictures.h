#pragma once

#include <QColor>
#include <QImage>

#include <array>

namespace drawmentor {

class TCardPainter;

inline constexpr int kHoldCount = 32;

// The dealt hand (card codes, position order) as one-line card labels side
// by side, one pixel apart, on `background`: the picture of the hold that
// keeps all five.
QImage HandPicture(TCardPainter& painter, const std::array<int, 5>& codes,
                   const QColor& background);
// Every pixel that is not pure white becomes the grey (v, v, v) with
// v = min(255, round((R + G + B) / 3) div 2 + 160): drawn cards read as gone
// while keeping their shape.
QImage FadedPicture(const QImage& picture);
// By draw mask: the hand picture with the card slots of the drawn cards
// taken from the faded picture.
std::array<QImage, kHoldCount> HoldPictures(const QImage& hand);

} // namespace drawmentor
