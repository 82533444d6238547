#pragma once

#include <QImage>
#include <QPainter>

// The program icon: one vector drawing, so that the built-in picture, every
// size a desktop menu asks for and the scalable copy all look the same.
namespace artwork {

// The side of the square the drawing fills; scale the painter for other sizes.
constexpr int kIconSide = 128;

void PaintIcon(QPainter& p);
// The icon at `side` pixels square, on a transparent ground.
QImage IconImage(int side);

} // namespace artwork
