#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace drawmentor {

class TGameEngine;
class TPaytableGrid;
class TPreferences;
class TReturnPanel;
class TSelectController;

// The game choice: the offered games by name, the chosen game's paytable
// with the buttons that step through its stored paytables, edit the shown
// one or add one, and the return of the paytable on show.
class TChooseGameWindow : public QDialog {
    Q_OBJECT

  public:
    TChooseGameWindow(QWidget* parent, TSelectController& controller, TPreferences& preferences);

    void Retranslate();
    // The paytable, its return and the buttons, after any change of selection.
    void Refresh();
    TReturnPanel& Returns() { return *FReturns; }

  private:
    void GameClicked();
    void Step(int by);
    void Edit();
    void Add();
    QPushButton* AddButton(const char* name);

    TSelectController& FController;
    TPreferences& FPreferences;
    QLabel* FHeader = nullptr;
    QListWidget* FPokerList = nullptr;
    QLabel* FPokerName = nullptr;
    TPaytableGrid* FGrid = nullptr;
    TReturnPanel* FReturns = nullptr;
    QPushButton* FOK = nullptr;
    QPushButton* FCancel = nullptr;
    QPushButton* FPrev = nullptr;
    QPushButton* FNext = nullptr;
    QPushButton* FEdit = nullptr;
    QPushButton* FAdd = nullptr;
};

// Shows the game choice on the session's game and paytable; OK plays the
// chosen ones. True when the player pressed OK.
bool ChooseGame(QWidget* parent, TGameEngine& engine, TPreferences& preferences);

} // namespace drawmentor
