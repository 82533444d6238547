#pragma once

// Menu texts carry accelerators ("&Deal"); shown on a panel or a radio
// button they would only clutter. A doubled "&&" is a real ampersand.
#include <QString>

namespace drawmentor {

inline QString WithoutAccelerators(QString text) {
    text.replace(QLatin1String("&&"), QString(QChar(0x1)));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(0x1), QLatin1Char('&'));
    return text;
}

} // namespace drawmentor
