#include "FirstStart.h"

#include "MainMenu.h"
#include "MainWindow.h"

#include "prefs/Preferences.h"
#include "prefs/SettingKeys.h"

#include <QAction>
#include <QTimer>

namespace drawmentor {

void OfferDeckAtFirstStart(TMainWindow& window, TPreferences& preferences) {
    if (!ReadSetting(preferences.SettingsFile(), TSetting::Deck).isEmpty()) return;
    // A zero timer fires once the event loop has nothing else to do.
    QTimer::singleShot(0, &window,
                       [&window] { window.Menu().Item(TMenuCommand::SelectDeck)->trigger(); });
}

} // namespace drawmentor
