#include "MainMenu.h"

#include "play/GameText.h"

#include "games/GameKey.h"
#include "games/HandsPerDeal.h"
#include "play/PaytableStore.h"
#include "play/Session.h"
#include "prefs/Preferences.h"
#include "ui/common/TextSections.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace drawmentor {

namespace {

constexpr int kCommandCount = static_cast<int>(TMenuCommand::About) + 1;

} // namespace

QString TitleFromMenuText(QString text) {
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    text = text.trimmed();
    while (text.endsWith(QLatin1Char('.')) || text.endsWith(QChar(0x2026))) text.chop(1);
    return text.trimmed();
}

TMainMenu::TMainMenu(QMainWindow& window, const TSession& session, const TPreferences& preferences)
    : QObject(&window), FWindow(window), FSession(session), FPreferences(preferences) {
    FCommands.resize(kCommandCount);
    FAvailable.fill(true, kCommandCount);
    using C = TMenuCommand;
    FGameMenu = AddMenu(nullptr, "miGame", "Game");
    AddCommand(FGameMenu, C::SelectGame, "miSelectVP", "SelectVP",
               QKeySequence(Qt::CTRL | Qt::Key_V));
    AddCommand(FGameMenu, C::AnalyseHand, "miAnalyseHand", "AnalyseHand",
               QKeySequence(Qt::CTRL | Qt::Key_H));
    QMenu* hands = AddMenu(FGameMenu, "miHandsPerDeal", "HandsPerDeal");
    for (int count : kHandsPerDealChoices) {
        auto* action = new QAction(QString::number(count), hands);
        hands->addAction(action);
        action->setObjectName(QStringLiteral("miHands%1").arg(count));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this,
                [this, count] { emit HandsPerDealChosen(count); });
        FHandsActions << action;
    }
    AddCommand(FGameMenu, C::StrategyChart, "miStrategyChart", "StrategyChart",
               QKeySequence(Qt::CTRL | Qt::Key_T));
    AddCommand(FGameMenu, C::DrillWeakLines, "miDrillWeakLines", "DrillWeakLines");
    AddCommand(FGameMenu, C::EndDrill, "miEndDrill", "EndDrill");
    AddCommand(FGameMenu, C::Quiz, "miQuiz", "Quiz");
    // The recent games go between two separators; empty, they collapse to one.
    FGameMenu->addSeparator();
    FRecentSeparator = FGameMenu->addSeparator();
    AddCommand(FGameMenu, C::Exit, "miExit", "Exit", QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(FGameMenu, &QMenu::aboutToShow, this, &TMainMenu::RebuildRecentGames);

    QMenu* mode = AddMenu(nullptr, "miMode", "Mode");
    const char* modeNames[4][2] = {{"miAutoHold", "AutoHint"},
                                   {"miTraining", "Training"},
                                   {"miRealPlay", "RealPlay"},
                                   {"miPlayErrorHands", "PlayProblemHands"}};
    for (int m = 0; m < 4; ++m) {
        FModeActions[m] = AddItem(mode, modeNames[m][0], modeNames[m][1]);
        FModeActions[m]->setCheckable(true);
        connect(FModeActions[m], &QAction::triggered, this, [this, m] { emit ModeChosen(m); });
    }
    // Play Error Hands deals more than the name says: its tooltip tells what.
    mode->setToolTipsVisible(true);
    mode->addSeparator();
    FShowResultHands = AddItem(mode, "miShowResultHands", "ShowResultHands");
    FShowWarnings = AddItem(mode, "miShowWarnings", "ShowWarnings");
    for (auto [action, bit] :
         {std::pair{FShowResultHands, kShowResultHands}, std::pair{FShowWarnings, kShowWarnings}}) {
        action->setCheckable(true);
        connect(action, &QAction::triggered, this,
                [this, bit](bool on) { emit OptionToggled(bit, on); });
    }

    QMenu* statistics = AddMenu(nullptr, "miStatistics", "Statistics");
    AddCommand(statistics, C::AllHands, "miAllHands", "AllHands",
               QKeySequence(Qt::CTRL | Qt::Key_A));
    statistics->addSeparator();
    AddCommand(statistics, C::ResetBalance, "miResetBalance", "ResetBalance");
    AddCommand(statistics, C::ShowStatistics, "miShowStat", "ShowStats",
               QKeySequence(Qt::CTRL | Qt::Key_S));
    AddCommand(statistics, C::ShowCharts, "miShowCharts", "ShowCharts",
               QKeySequence(Qt::CTRL | Qt::Key_C));
    AddCommand(statistics, C::ShowErrors, "miShowErrors", "ShowErrors",
               QKeySequence(Qt::CTRL | Qt::Key_E));
    statistics->addSeparator();
    QMenu* clear = AddMenu(statistics, "miClearLog", "ClearLog");
    AddCommand(clear, C::ClearAllRecords, "miClearAllRecords", "ClearAllRecords");
    AddCommand(clear, C::ClearByFilter, "miClearByFilter", "ClearByFilter");

    QMenu* preferencesMenu = AddMenu(nullptr, "miPreferences", "Preferences");
    AddCommand(preferencesMenu, C::ChangePreferences, "miChangePreferences", "ChangePreferences",
               QKeySequence(Qt::CTRL | Qt::Key_P));
    AddCommand(preferencesMenu, C::SelectDeck, "miSelectDeck", "SelectDeck",
               QKeySequence(Qt::CTRL | Qt::Key_D));
    AddCommand(preferencesMenu, C::SelectBack, "miSelectBack", "SelectBack",
               QKeySequence(Qt::CTRL | Qt::Key_B));

    QMenu* help = AddMenu(nullptr, "miHelp", "Help");
    AddCommand(help, C::GettingStarted, "miHelpGetStart", "GettingStart");
    AddCommand(help, C::ShowHelp, "miShowHelp", "ShowHelp", QKeySequence(Qt::Key_F1));
    help->addSeparator();
    AddCommand(help, C::About, "miAbout", "About");
    for (QMenu* menu : FWindow.menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &TMainMenu::Refresh);
    Refresh();
}

QAction* TMainMenu::AddItem(QMenu* menu, const char* name, const char* key,
                            const QKeySequence& shortcut) {
    auto* action = new QAction(menu);
    menu->addAction(action);
    action->setObjectName(QString::fromLatin1(name));
    action->setProperty("textKey", QString::fromLatin1(key));
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}

QAction* TMainMenu::AddCommand(QMenu* menu, TMenuCommand command, const char* name, const char* key,
                               const QKeySequence& shortcut) {
    QAction* action = AddItem(menu, name, key, shortcut);
    FCommands[static_cast<int>(command)] = action;
    connect(action, &QAction::triggered, this, [this, command] { emit Command(command); });
    return action;
}

QMenu* TMainMenu::AddMenu(QMenu* parent, const char* name, const char* key) {
    QMenu* menu = parent ? parent->addMenu(QString()) : FWindow.menuBar()->addMenu(QString());
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setProperty("textKey", QString::fromLatin1(key));
    return menu;
}

QAction* TMainMenu::Item(TMenuCommand command) const {
    return FCommands[static_cast<int>(command)];
}

void TMainMenu::SetAvailable(TMenuCommand command, bool available) {
    FAvailable[static_cast<int>(command)] = available;
    Refresh();
}

void TMainMenu::Retranslate() {
    for (QAction* action : FWindow.findChildren<QAction*>()) {
        const QString key = action->property("textKey").toString();
        if (!key.isEmpty()) action->setText(FPreferences.Texts().Translate(kMainMenuTexts, key));
    }
    const int errorHands = ModeNumber(TPlayMode::pmPlayErrorHands);
    FModeActions[errorHands]->setToolTip(
        FPreferences.Texts().TranslateHint(kMainMenuTexts, QStringLiteral("PlayProblemHands")));
    FModeActions[errorHands]->setStatusTip(FModeActions[errorHands]->toolTip());
}

void TMainMenu::Refresh() {
    for (int m = 0; m < 4; ++m) FModeActions[m]->setChecked(ModeNumber(FSession.Mode()) == m);
    FShowResultHands->setChecked(FSession.Options() & kShowResultHands);
    FShowWarnings->setChecked(FSession.Options() & kShowWarnings);
    for (int c = 0; c < kCommandCount; ++c) FCommands[c]->setEnabled(FAvailable[c]);
    Item(TMenuCommand::AllHands)
        ->setEnabled(FAvailable[static_cast<int>(TMenuCommand::AllHands)] &&
                     FSession.Rules().CanShowAllHands());
    Item(TMenuCommand::ResetBalance)->setEnabled(FSession.Rules().CanChangeBet());
    for (int i = 0; i < FHandsActions.size(); ++i) {
        FHandsActions[i]->setChecked(kHandsPerDealChoices[i] ==
                                     FSession.ExtraHands().HandsPerDeal());
        FHandsActions[i]->setEnabled(FSession.Rules().CanChangeBet());
    }
    Item(TMenuCommand::EndDrill)->setEnabled(FSession.Coach().Drill() != nullptr);
}

void TMainMenu::RebuildRecentGames() {
    for (QAction* action : FRecent) {
        FGameMenu->removeAction(action);
        action->deleteLater();
    }
    FRecent.clear();
    const QStringList& games = FSession.RecentGames();
    const auto store = games.isEmpty() ? nullptr : OpenPaytableStore();
    for (int i = 0; i < games.size(); ++i) {
        // The stored caption's game name, in the interface's language.
        const std::string key = games[i].toStdString();
        const QString caption = QString::fromStdString(PaytableCaption(*store, key))
                                    .mid(static_cast<int>(GameKeyCaption(key).size()));
        auto* recent = new QAction(GameKeyText(key, FPreferences.Texts()) + caption, FGameMenu);
        recent->setObjectName(QStringLiteral("miRecent%1").arg(i));
        FGameMenu->insertAction(FRecentSeparator, recent);
        connect(recent, &QAction::triggered, this, [this, i] { emit RecentChosen(i); });
        FRecent << recent;
    }
}

} // namespace drawmentor
