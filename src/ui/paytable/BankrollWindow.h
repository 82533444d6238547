#pragma once

#include "bankroll/BankrollJob.h"
#include "engine/PaytableAnalysis.h"

#include <QDialog>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <utility>
#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QGridLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace drawmentor {

class TBankrollPlots;
class TBankrollFiguresPanel;
class TNumberField;
class TPreferences;

// What a bankroll can expect of one paytable played perfectly, with a
// cash-back and several hands a deal when chosen: the risk of losing it
// within the session and in play without end, the chance of a win goal before
// ruin, the least bankroll for a target risk, the result of the session and
// the wait for the top line, in bets and in money, with the
// distribution of the result and the risk against the bankroll drawn. A
// background job works the figures out; a change of the bankroll or the
// hands cancels it and starts another, and the figures on show turn grey
// until the new ones come.
class TBankrollWindow : public QDialog {
    Q_OBJECT

  public:
    enum TUnit : int { buBets = 0, buMoney = 1 };
    // Points of the risk curve: k tenths of the bankroll, k = 1..30.
    static constexpr int kCurvePoints = 30;
    // Typing waits this long before a job starts.
    static constexpr int kInputDelayMs = 250;

    // `pays` are the whole-bet pays of the game's lines for `betCoins`,
    // `analysis` what AnalyzePaytable made of them; `coinIndex` the coin value
    // and `cashback` (hundredths of a percent) what to start with.
    TBankrollWindow(QWidget* parent, int gameIndex, const std::vector<int>& pays, int betCoins,
                    const TPaytableReturn& analysis, int coinIndex, TPreferences& preferences,
                    int cashback = 0);
    // Defaults of the questions beside the risk.
    static constexpr int kDefaultGoalBets = 400;
    static constexpr double kDefaultTargetPercent = 5;
    ~TBankrollWindow() override;

    void Retranslate();
    // The question the inputs ask now.
    TBankrollQuestion Question() const;
    bool Running() const { return FJob != nullptr || FDeal != nullptr || FDelay.isActive(); }
    // The last job whose figures and curve are complete, none before the
    // first; it may answer older inputs while Running.
    const TBankrollJob* Shown() const { return FShown.get(); }
    double MoneyPerCoin() const;
    // One hand's bet: bankrolls and results read in it whatever the deal.
    int BetCoins() const { return FBetCoins; }
    int HandsPerDeal() const { return FHandsPerDeal; }
    // Hundredths of a percent of the coins played.
    int Cashback() const { return FCashback; }
    // The hand the figures count, cash-back and all, and its units per coin.
    const THandDistribution& Hand() const { return FHand; }
    int64_t UnitsPerCoin() const { return FScale; }
    TBankrollPlots& Charts() const { return *FCharts; }

    void done(int result) override;

  private:
    void AddInputs(QGridLayout& grid);
    void UnitChosen();
    void CoinChosen();
    void DealChosen();
    void CashbackChosen(double percent);
    // Puts the cash-back on the deal's hand.
    void Rebate();
    void InputsChanged();
    // The bankroll in coins, as the inputs say.
    int64_t BankrollCoins() const;
    void Start();
    void StopJob();
    void Poll();
    void Display();
    void SetChartTexts(int64_t hands);
    QString TopLineName() const;
    // Coins to the unit of the charts' amounts.
    double ChartUnit() const;
    QString Text(const char* key, const QStringList& values = {}) const;

    TPreferences& FPreferences;
    int FGameIndex;
    std::vector<int> FPays;
    int FBetCoins;
    const THandDistribution FOneHand;
    THandDistribution FDealHand; // of one deal of FHandsPerDeal hands
    THandDistribution FHand;     // FDealHand with the cash-back, in units of 1/FScale coin
    int FHandsPerDeal = 1;
    int FCashback = 0;
    int64_t FScale = 1;
    // A deal of several hands takes seconds to sum deal by deal.
    std::unique_ptr<TBackgroundJob<THandDistribution>> FDeal;
    long double FReturnPercent;
    int FCoinIndex;
    TUnit FUnit = buBets;
    std::unique_ptr<TBankrollJob> FJob;   // the newest inputs', until complete
    std::unique_ptr<TBankrollJob> FShown; // complete
    // Cancelled jobs finish in the background and are dropped once done.
    std::vector<std::unique_ptr<TBankrollJob>> FRetired;
    int FPartsShown = 0; // of FJob: 1 the figures, 2 the curve, 4 the goals
    QTimer FPoll;
    QTimer FDelay;

    QLabel* FGame = nullptr;
    QDoubleSpinBox* FBankroll = nullptr;
    QComboBox* FUnitBox = nullptr;
    QComboBox* FCoinBox = nullptr;
    QSpinBox* FHands = nullptr;
    QComboBox* FDealBox = nullptr;
    TNumberField* FCashbackField = nullptr;
    TNumberField* FGoal = nullptr;
    TNumberField* FTarget = nullptr;
    QLabel* FInputNote = nullptr; // why a typed value was refused
    TBankrollFiguresPanel* FFigures = nullptr;
    TBankrollPlots* FCharts = nullptr;
    QProgressBar* FProgress = nullptr;
    QLabel* FStatus = nullptr;
    QPushButton* FClose = nullptr;
    // The inputs' captions and the key of their text.
    std::vector<std::pair<QLabel*, const char*>> FInputCaptions;
};

// Opens the window modally.
void ShowBankroll(QWidget* parent, int gameIndex, const std::vector<int>& pays, int betCoins,
                  const TPaytableReturn& analysis, int coinIndex, TPreferences& preferences,
                  int cashback = 0);

} // namespace drawmentor
