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
// the card table; the counters and the Hint, Double and Deal buttons on the
// right. The meters, the cards and the buttons lie on the felt.
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
    TCardButton* HintButton = nullptr;
    TCardButton* DoubleButton = nullptr;
    TCardButton* DealButton = nullptr;

    // Lines the buttons up with the cards.
    void LayoutButtons();
    // The other hands of a deal take room above the table: the window grows
    // by it (as far as its limits let it) rather than squeeze the paytable.
    void ShowOtherHands(bool show);
    // Draws everything `scale` times the standard size; `fitCards` lets the
    // cards shrink to keep them apart in a narrow window (the standard table
    // keeps its fixed cards).
    void SetScale(double scale, bool fitCards);
    double Scale() const { return FScale; }
    bool FitsCards() const { return FFitCards; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* BuildSide(QWidget* parent, const TPreferences& preferences);

    int Scaled(int pixels) const;

    QMainWindow& FWindow;
    int FHeightBefore = 0;
    QWidget* FTablePanel = nullptr;
    QWidget* FSidePanel = nullptr;
    double FScale = 1;
    bool FFitCards = false;
};

} // namespace drawmentor
