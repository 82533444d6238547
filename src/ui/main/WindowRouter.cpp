#include "WindowRouter.h"

namespace drawmentor {

TWindowRouter::TWindowRouter(QWidget& parent, TPreferences& preferences)
    : FParent(parent), FPreferences(preferences) {}

} // namespace drawmentor
