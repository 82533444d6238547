#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include <functional>

namespace drawmentor {

// A text a widget paints itself (a paytable cell, a hand's win), where it is
// painted and in which font: what a label would tell of its text, for the
// widget's own layout and for tests that check it is not cut.
struct TPaintedText {
    QRect Rect;
    QString Text;
    QFont Font;
};

// Whether `text` fits `rect` in `font` on one line.
bool TextFits(const QString& text, const QFont& font, const QRect& rect);

// `font` at the largest size, from its own down to `smallest` of it, at which
// `fits` holds; the smallest when none does.
QFont LargestFitting(const QFont& font, double smallest,
                     const std::function<bool(const QFont&)>& fits);

} // namespace drawmentor
