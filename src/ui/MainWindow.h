#pragma once

#include "play/GameEngine.h"
#include "render/MiniChart.h"
#include "render/PaintEngine.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QWidget;

namespace drawmentor {

class TCardButton;
class TCardImage;
class TGradientLabel;
class TPayoutGrid;
class TPreferences;

// The video poker machine: five cards, the paytable with the bet column and
// the winning line, the Hint, Double and Deal buttons, the counters under the
// credits chart, and the menu. It holds no rule of the game: every action
// goes to the game engine and the window redraws from the engine's state.
class TfDrawMentor20Main : public QMainWindow, public IGameWindows {
    Q_OBJECT

public:
    explicit TfDrawMentor20Main(TPreferences& preferences, QWidget* parent = nullptr);
    ~TfDrawMentor20Main() override;

    TGameEngine& Engine() { return *FEngine; }
    TPaintEngine& Paint() { return *FPaint; }

    // The player's commands, as the buttons, cards, keys and menus give them.
    void DealOrDraw();
    void Hint();
    void Double();
    void ToggleCard(int index);
    // Accepted only for 1..5 coins with no hand in play.
    bool SelectBet(int coins);
    void ChooseCoinValue();
    void SelectMode(int mode);
    void SetOption(unsigned option, bool on);
    void ClearAllRecords();
    void Translate();
    void UpdateCounters();
    void RedrawCards();
    void LayoutPaytable();

    // Texts of the counters, as the window shows them.
    static QString MoneyText(double amount);
    static QString AccuracyText(double percent);
    static QString PlayTimeText(TDateTime elapsed);

signals:
    // A card turned face up during a deal, draw or double-up, in the order shown.
    void CardRevealed(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Marks the window busy while a command reveals cards (the deal delay lets
    // other events in); cleared on every path, errors included.
    class TBusy {
    public:
        explicit TBusy(TfDrawMentor20Main& window);
        ~TBusy();
        TBusy(const TBusy&) = delete;
        TBusy& operator=(const TBusy&) = delete;

    private:
        TfDrawMentor20Main& FWindow;
    };

    void BuildWidgets();
    void BuildMenu();
    void RestorePlacement();
    void SavePlacement();
    void DrawCardImage(int index);
    void ShowBacks(const std::array<bool, 5>& which);
    void Reveal(const std::array<bool, 5>& which, const std::array<int, 5>& order);
    void SetMessage(const QString& key, int win = 0);
    void LayoutCards();
    void LayoutCounters();
    void RebuildRecentGames();
    void UpdateModeMenu();
    bool HandleKey(int key);
    QString PlacementSection() const;

    TPreferences& FPreferences;
    std::unique_ptr<TPaintEngine> FPaint;
    std::unique_ptr<TGameEngine> FEngine;
    QImage FChartImage;
    std::unique_ptr<TMiniChart> FChart;
    QTimer FTimer;
    bool FBusy = false;
    std::array<bool, 5> FHidden{}; // cards shown as backs while a deal or draw is revealed
    QString FDeckCode;

    // Widgets, named as the tests find them.
    std::array<TCardImage*, 5> FCards{};
    TPayoutGrid* FGrid = nullptr;
    TGradientLabel* FPokerName = nullptr;
    TGradientLabel* FInfoLabel = nullptr;
    TGradientLabel* FMessage = nullptr;
    QLabel* FChartLabel = nullptr;
    QWidget* FCardsPanel = nullptr;
    QWidget* FLabelPanel = nullptr;
    QWidget* FButtonPanel = nullptr;
    TCardButton* FHintButton = nullptr;
    TCardButton* FDoubleButton = nullptr;
    TCardButton* FDealButton = nullptr;
    struct TCounterRow {
        QWidget* Panel;
        QLabel* Caption;
        QLabel* Value;
        const char* Key;
    };
    std::array<TCounterRow, 8> FRows{};
    QMenu* FGameMenu = nullptr;
    QAction* FModeActions[4] = {};
    QAction* FShowResultHands = nullptr;
    QAction* FShowWarnings = nullptr;
    QAction* FAllHands = nullptr;
    QAction* FResetBalance = nullptr;
    QString FMessageKey;
    int FMessageWin = 0;
};

} // namespace drawmentor
