#pragma once

#include "MenuCommand.h"

#include "play/GameWindows.h"
#include "play/LogRecord.h"

#include <QString>

#include <functional>

class QWidget;

namespace drawmentor {

class TLogger;
class TPaintEngine;
class TPreferences;
struct TStrategyChart;

// Opens the program's windows: the session asks through IGameWindows what
// play itself needs, the main window's menu goes through the router's own
// methods, so that no opener of a dialog lives in the main window.
class TWindowRouter : public IGameWindows {
  public:
    TWindowRouter(QWidget& parent, TPreferences& preferences);

    TWarningAnswer ShowWarning(TSession& session) override;
    int AskModeForNoErrors() override;
    void RefuseBet(int betCoins, int credits) override;

    QWidget& Parent() const { return FParent; }
    TPreferences& Preferences() const { return FPreferences; }

    // Opens the window a menu command asks for; false for a command that is
    // no window's (the main window's own).
    bool Run(TMenuCommand command, TSession& session);

    // The 32 holds of the hand in play, the player's hold selected.
    void ShowAllHands(const TSession& session);
    // Any five cards of the game in play, chosen by the player, then their holds.
    void AnalyseHand(const TSession& session);
    // The strategy chart of the paytable in play; a drill chosen there starts.
    void ShowStrategyChart(TSession& session);
    // The chart drill on the lines of the paytable in play that the log says
    // the player gets wrong most often; says why when there are none.
    void DrillWeakLines(TSession& session);
    // The quiz on the chart of the paytable in play, its cards from `paint`.
    void ShowQuiz(const TSession& session, TPaintEngine& paint);
    // The 32 holds of a logged hand in its own game, paytable and bet, the
    // player's hold selected; nothing for a record whose game or paytable is gone.
    void ShowLoggedHand(QWidget* parent, const TLogRecord& record);
    void ShowStatistics(TLogger& logger);
    void ShowCharts(TLogger& logger);
    void ShowErrors(TLogger& logger);
    // Asks which records go, then removes them from the log.
    void ClearByFilter(TLogger& logger);
    // True when the player chose a game and paytable, now in play.
    bool ChooseGame(TSession& session);
    // The coin value chosen from the list, or -1.
    int ChooseCoinValue(int current);
    // True when the player confirmed deleting every record of the log.
    bool ConfirmClearAllRecords(const QString& title);
    // The chosen deck or back goes into the paint engine; the settings take
    // it from there when the program ends.
    void ChooseDeck(TPaintEngine& paint);
    void ChooseBack(TPaintEngine& paint);

  private:
    const TStrategyChart* ChartAtHand(const TSession& session);
    void Opening(const char* command, const std::function<void()>& open);

    QWidget& FParent;
    TPreferences& FPreferences;
};

} // namespace drawmentor
