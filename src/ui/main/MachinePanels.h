#pragma once

#include <QObject>

class QMainWindow;
class QWidget;

namespace drawmentor {

class TCardButton;
class TCardTable;
class TCounterPanel;
class TExtraHandsView;
class TGradientLabel;
class TMeterPanel;
class TPayoutGrid;
class TPreferences;

// The panels of the main window, built once as the window is laid out: the
// game's name and paytable on the left above the meters, the message line and
// the card table; the counters and the machine's buttons (Bet One, Max Bet,
// Hint, Double, Deal) on the right. The meters, the cards and the buttons lie on the felt.
// Names are those the tests and the settings know.
class TMachinePanels : public QObject {
    Q_OBJECT

  public:
    TMachinePanels(QMainWindow& window, const TPreferences& preferences);

    TGradientLabel* PokerName = nullptr;
    TPayoutGrid* Grid = nullptr;
    TGradientLabel* Message = nullptr;
    TCardTable* Cards = nullptr;
    TExtraHandsView* OtherHands = nullptr;
    TMeterPanel* Meters = nullptr;
    TGradientLabel* InfoLabel = nullptr;
    TCounterPanel* Counters = nullptr;
    QWidget* ButtonPanel = nullptr;
    TCardButton* BetOneButton = nullptr;
    TCardButton* MaxBetButton = nullptr;
    TCardButton* HintButton = nullptr;
    TCardButton* DoubleButton = nullptr;
    TCardButton* DealButton = nullptr;

    // Spreads the buttons from the message line's top to the cards' bottom,
    // Deal level with the bottom of the cards.
    void LayoutButtons();
    void ShowOtherHands(bool show);
    // Draws everything `scale` times the standard size; `fitCards` lets the
    // cards shrink to keep them apart in a narrow window (the standard table
    // keeps its fixed cards). With `fill` the window is as large as the
    // screen: the paytable's rows stop at a comfortable height and the room
    // beyond the scaled table goes to the cards and the other hands.
    void SetScale(double scale, bool fitCards, bool fill);
    // The number of paytable lines, which sets how high the paytable wants to be.
    void SetPaytableRows(int rows);
    double Scale() const { return FScale; }
    bool FitsCards() const { return FFitCards; }
    bool Fills() const { return FFill; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* BuildSide(QWidget* parent, const TPreferences& preferences);

    int Scaled(int pixels) const;
    // The message line's height: three lines of its font, so that a long
    // word on the hold is wrapped, never shrunk or cut.
    int MessageHeight() const;
    void ShareRoom();

    QMainWindow& FWindow;
    QWidget* FLeftPanel = nullptr;
    QWidget* FTablePanel = nullptr;
    QWidget* FSidePanel = nullptr;
    double FScale = 1;
    bool FFitCards = false;
    bool FFill = false;
    int FRows = 9;
};

} // namespace drawmentor
