#pragma once

#include "play/GameWindows.h"
#include "play/LogRecord.h"

class QWidget;

namespace drawmentor {

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

    // The 32 holds of the hand in play, the player's hold selected.
    void ShowAllHands(const TGameEngine& engine);
    // Any five cards of the game in play, chosen by the player, then their holds.
    void AnalyseHand(const TGameEngine& engine);
    // The 32 holds of a logged hand in its own game, paytable and bet, the
    // player's hold selected; nothing for a record whose game or paytable is gone.
    void ShowLoggedHand(QWidget* parent, const TLogRecord& record);

  private:
    QWidget& FParent;
    TPreferences& FPreferences;
};

} // namespace drawmentor
