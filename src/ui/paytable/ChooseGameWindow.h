#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace drawmentor {

class TConditionsPanel;
class TSession;
class TPaytableGrid;
class TPreferences;
class TReturnPanel;
class TSelectController;

// The game choice: the offered games by name, the chosen game's paytable
// with the buttons that step through its stored paytables, edit the shown
// one or add one, and the return of the paytable on show, also with a
// cash-back and a royal meter, which the bankroll window opens with.
class TChooseGameWindow : public QDialog {
    Q_OBJECT

  public:
    TChooseGameWindow(QWidget* parent, TSelectController& controller, TPreferences& preferences);

    void Retranslate();
    // The paytable, its return and the buttons, after any change of selection.
    void Refresh();
    TReturnPanel& Returns() { return *FReturns; }
    TConditionsPanel& Conditions() { return *FConditions; }
    // The coin value the bankroll window starts with (CoinValue's index).
    void SetCoinIndex(int index) { FCoinIndex = index; }

  protected:
    bool event(QEvent* event) override;

  private:
    void GameClicked();
    void Step(int by);
    void Edit();
    void Add();
    // The bankroll window needs the return of the paytable on show, at the meter.
    void UpdateBankroll();
    void ReturnComputed();
    void OpenBankroll();
    void OpenStrategyChart();
    QPushButton* AddButton(const char* name);

    TSelectController& FController;
    TPreferences& FPreferences;
    QLabel* FHeader = nullptr;
    QListWidget* FPokerList = nullptr;
    QLabel* FPokerName = nullptr;
    TPaytableGrid* FGrid = nullptr;
    TReturnPanel* FReturns = nullptr;
    TConditionsPanel* FConditions = nullptr;
    QPushButton* FOK = nullptr;
    QPushButton* FCancel = nullptr;
    QPushButton* FPrev = nullptr;
    QPushButton* FNext = nullptr;
    QPushButton* FEdit = nullptr;
    QPushButton* FAdd = nullptr;
    QPushButton* FBankroll = nullptr;
    QPushButton* FChart = nullptr;
    int FCoinIndex = 0;
};

// Shows the game choice on the session's game and paytable; OK plays the
// chosen ones. True when the player pressed OK.
bool ChooseGame(QWidget* parent, TSession& session, TPreferences& preferences);

} // namespace drawmentor
