#pragma once

// The table's green, behind the cards and the machine's panels alike.
#include <QColor>

namespace drawmentor {

inline const QColor kFelt(0, 96, 56);

} // namespace drawmentor
