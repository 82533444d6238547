#include "WindowRouter.h"

#include "ui/log/ClearLogWindow.h"
#include "ui/log/ErrorsWindow.h"
#include "ui/log/NoErrorsWindow.h"
#include "ui/log/WarningWindow.h"
#include "ui/settings/PreferencesDialog.h"

#include <QApplication>
#include <QTimer>

#include "play/GameEngine.h"

namespace drawmentor {

TWindowRouter::TWindowRouter(QWidget& parent, TPreferences& preferences)
    : FParent(parent), FPreferences(preferences) {}

IGameWindows::TWarningAnswer TWindowRouter::ShowWarning(TGameEngine& engine) {
    return ShowWarningWindow(&FParent, engine, engine.Preferences());
}

int TWindowRouter::AskModeForNoErrors() {
    return drawmentor::AskModeForNoErrors(&FParent, FPreferences);
}

void TWindowRouter::ShowErrors(TGameEngine& engine) {
    ShowErrorsWindow(&FParent, engine);
}

bool TWindowRouter::ConfirmClearByFilter(TGameEngine& engine) {
    if (!drawmentor::ConfirmClearByFilter(&FParent, engine.Logger(), engine.Preferences()))
        return false;
    // The log is rewritten as soon as this returns; the hourglass goes when
    // the event loop runs again, whether the clearing succeeded or threw.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QTimer::singleShot(0, [] { QApplication::restoreOverrideCursor(); });
    return true;
}

void TWindowRouter::ShowPreferences(TGameEngine& engine) {
    ShowPreferencesDialog(&FParent, engine.Preferences());
}

} // namespace drawmentor
