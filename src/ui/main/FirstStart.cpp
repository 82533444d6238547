#include "FirstStart.h"

#include "MainMenu.h"
#include "MainWindow.h"

#include "prefs/Texts.h"
#include "ui/common/AboutWindow.h"
#include "ui/common/MessageBox.h"

#include "prefs/Preferences.h"

#include <QAction>
#include <QTimer>

namespace drawmentor {

void OfferDeckAtFirstStart(TMainWindow& window, TPreferences& preferences) {
    // Settings that could not be read are no first start.
    if (!preferences.ReadError().isEmpty()) return;
    if (!window.FirstStart()) return;
    // A zero timer fires once the event loop has nothing else to do.
    QTimer::singleShot(0, &window,
                       [&window] { window.Menu().Item(TMenuCommand::SelectDeck)->trigger(); });
}

void ShowStartNotices(TMainWindow& window, const TPreferences& preferences) {
    QStringList notices;
    if (!preferences.ReadError().isEmpty())
        notices << FormatText(preferences.Texts().Translate(QStringLiteral("Main.Messages"),
                                                            QStringLiteral("SettingsUnreadable")),
                              {TPreferences::SettingsFileName(), preferences.ReadError()});
    notices << window.StartNotices();
    for (const QString& notice : notices)
        TMessageBox::Tell(&window, QStringLiteral("StartNotice"), ProgramTitle(), notice,
                          preferences);
}

} // namespace drawmentor
