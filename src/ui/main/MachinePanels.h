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
class TPayoutGrid;
class TPreferences;

// The panels of the main window, built once as the window is laid out: the
// game's name and paytable on the left above the message line and the card
// table; the counters and the Hint, Double and Deal buttons on the right.
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
    TGradientLabel* InfoLabel = nullptr;
    TCounterPanel* Counters = nullptr;
    QWidget* ButtonPanel = nullptr;
    TCardButton* HintButton = nullptr;
    TCardButton* DoubleButton = nullptr;
    TCardButton* DealButton = nullptr;

    // Lines the buttons up with the cards.
    void LayoutButtons();
    // The other hands of a deal take room above the table: the window grows
    // by it (as far as its limits let it) rather than squeeze the paytable.
    void ShowOtherHands(bool show);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* BuildSide(QWidget* parent, const TPreferences& preferences);

    QMainWindow& FWindow;
    int FHeightBefore = 0;
};

} // namespace drawmentor
