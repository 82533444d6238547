#pragma once

#include "charts/StrategyChart.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>

class QLabel;
class QRadioButton;
class QPushButton;
class QTableView;

namespace drawmentor {

class TAllHandsModel;
class TCardPainter;
class TSession;
class TPokerEngine;
class TPreferences;

// The 32 holds of the dealt hand side by side: picture, expected return and,
// per paytable line, the draw outcomes, their probability or their return.
// A snapshot: the engine's tables are read once, when the window is made.
class TAllHandsWindow : public QDialog {
    Q_OBJECT

  public:
    // `cards`: the dealt card codes, which the engine's hand does not keep
    // for wild cards.
    TAllHandsWindow(QWidget* parent, const TPokerEngine& engine, const std::array<int, 5>& cards,
                    int selectedMask, const TPreferences& preferences);
    ~TAllHandsWindow() override;

    TAllHandsModel& Model() { return *FModel; }
    QTableView& Grid() { return *FGrid; }
    // The draw mask of the selected row.
    int SelectedMask() const;
    void Retranslate();

    // The chart line the selected hold is on, and the chart's play; empty
    // without a chart of this paytable in the user's cache.
    QString ChartLineText() const;

  private:
    void SetMode(int mode);
    void ShowChartLine();
    void TitleClicked(int column);
    void SelectMask(int mask);
    void FitLayout();
    void ShowSortMark();

    const TPreferences& FPreferences;
    std::unique_ptr<TCardPainter> FPainter;
    TAllHandsModel* FModel = nullptr;
    QTableView* FGrid = nullptr;
    QRadioButton* FModeButtons[3] = {};
    QPushButton* FOK = nullptr;
    QLabel* FChartLine = nullptr;
    // The expert chart of the paytable, when made before: each hold's line
    // (-1: none) and the line the chart plays.
    std::optional<TStrategyChart> FChart;
    std::array<int, kMaskCount> FChartLines{};
    int FChartPlay = -1;
};

// Opens the window modally on the engine's dealt hand (GetTheBest done) with
// the row of `selectedMask` selected, and frees it when it closes.
void ShowAllHands(QWidget* parent, const TPokerEngine& engine, const std::array<int, 5>& cards,
                  int selectedMask, const TPreferences& preferences);
// The hand in play with the player's hold selected (the menu and the warning).
void ShowAllHands(QWidget* parent, const TSession& game, const TPreferences& preferences);

} // namespace drawmentor
