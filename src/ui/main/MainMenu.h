#pragma once

#include "MenuCommand.h"

#include <QKeySequence>
#include <QObject>

class QAction;
class QMainWindow;
class QMenu;

namespace drawmentor {

class TSession;
class TPreferences;

// The main window's menu bar. Its items are named as the tests find them
// (miSelectVP, miAllHands, ...) and take their texts from section "Main.Menu"
// through the property "textKey". Enabling follows the session's queries
// whenever a menu opens.
class TMainMenu : public QObject {
    Q_OBJECT

  public:
    TMainMenu(QMainWindow& window, const TSession& session, const TPreferences& preferences);

    void Retranslate();
    // Check marks and enabling from the session, as a menu about to open does.
    void Refresh();
    QAction* Item(TMenuCommand command) const;
    // Commands whose window the program has; the others stay disabled.
    void SetAvailable(TMenuCommand command, bool available);

  signals:
    void Command(drawmentor::TMenuCommand command);
    void ModeChosen(int mode);
    void OptionToggled(unsigned option, bool on);
    void RecentChosen(int index);
    void HandsPerDealChosen(int hands);

  private:
    QAction* AddItem(QMenu* menu, const char* name, const char* key,
                     const QKeySequence& shortcut = {});
    QAction* AddCommand(QMenu* menu, TMenuCommand command, const char* name, const char* key,
                        const QKeySequence& shortcut = {});
    QMenu* AddMenu(QMenu* parent, const char* name, const char* key);
    void RebuildRecentGames();

    QMainWindow& FWindow;
    const TSession& FSession;
    const TPreferences& FPreferences;
    QMenu* FGameMenu = nullptr;
    QAction* FRecentSeparator = nullptr;
    QAction* FModeActions[4] = {};
    QAction* FShowResultHands = nullptr;
    QAction* FShowWarnings = nullptr;
    QList<QAction*> FHandsActions; // by kHandsPerDealChoices
    QList<QAction*> FRecent;
    QList<QAction*> FCommands; // by TMenuCommand
    QList<bool> FAvailable;
};

// A menu text as a window title: accelerators and the trailing ellipsis go.
QString TitleFromMenuText(QString text);

} // namespace drawmentor
