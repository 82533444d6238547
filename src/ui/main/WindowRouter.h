#pragma once

#include "MenuCommand.h"

#include "play/GameWindows.h"
#include "play/LogRecord.h"

class QWidget;

namespace drawmentor {

class TPaintEngine;
class TPreferences;

// Opens the program's windows: the game engine asks through IGameWindows, the
// main window's menu through the router's own methods, so that no opener of
// a dialog lives in the main window.
class TWindowRouter : public IGameWindows {
  public:
    TWindowRouter(QWidget& parent, TPreferences& preferences);

    TWarningAnswer ShowWarning(TGameEngine& engine) override;
    int AskModeForNoErrors() override;
    void ShowErrors(TGameEngine& engine) override;
    void ShowPreferences(TGameEngine& engine) override;
    bool ConfirmClearByFilter(TGameEngine& engine) override;

    QWidget& Parent() const { return FParent; }
    TPreferences& Preferences() const { return FPreferences; }

    // Opens the window a menu command asks for; false for a command that is
    // no window's (the main window's own).
    bool Run(TMenuCommand command, TGameEngine& engine);

    // The 32 holds of the hand in play, the player's hold selected.
    void ShowAllHands(const TGameEngine& engine);
    // Any five cards of the game in play, chosen by the player, then their holds.
    void AnalyseHand(const TGameEngine& engine);
    // The 32 holds of a logged hand in its own game, paytable and bet, the
    // player's hold selected; nothing for a record whose game or paytable is gone.
    void ShowLoggedHand(QWidget* parent, const TLogRecord& record);
    void ShowStatistics(TGameEngine& engine) override;
    void ShowCharts(TGameEngine& engine) override;
    // True when the player chose a game and paytable, now in play.
    bool ChooseGame(TGameEngine& engine);
    // The chosen deck or back goes into the paint engine; the settings take
    // it from there when the program ends.
    void ChooseDeck(TPaintEngine& paint);
    void ChooseBack(TPaintEngine& paint);

  private:
    QWidget& FParent;
    TPreferences& FPreferences;
};

} // namespace drawmentor
