#include "WindowRouter.h"

#include "ui/settings/PreferencesDialog.h"

#include "play/GameEngine.h"

namespace drawmentor {

TWindowRouter::TWindowRouter(QWidget& parent, TPreferences& preferences)
    : FParent(parent), FPreferences(preferences) {}

void TWindowRouter::ShowPreferences(TGameEngine& engine) {
    ShowPreferencesDialog(&FParent, engine.Preferences());
}

} // namespace drawmentor
