#pragma once

#include "DateTime.h"
#include "GameWindows.h"
#include "LogRecord.h"
#include "Logger.h"

#include "games/PayTable.h"
#include "strategy/PokerEngine.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace drawmentor {

class TPreferences;

enum TPlayMode : int { pmAutoHold = 0, pmTraining = 1, pmRealPlay = 2, pmPlayErrorHands = 3 };
enum TGameState : int { gsIdle = -1, gsDrawn = 0, gsDealt = 1, gsDoubleUp = 2 };

inline constexpr int kNoCard = -100;
inline constexpr int kStartCredits = 2500;
inline constexpr int kMaxRecentGames = 5;
inline constexpr unsigned kShowResultHands = 1;
inline constexpr unsigned kShowWarnings = 2;
// A hold costing more than this many coins of expected return is an error
// worth a warning.
inline constexpr double kWarningThreshold = 0.01;

// The deal generator: seed := seed * 134775813 + 1 (mod 2^32), and a draw
// from n values is the high half of seed * n.
class TRandom {
  public:
    int Next(int n);
    // Seeded from the clock (milliseconds of the UTC day), or from the seed
    // source when one is set (tests and reproducible simulations).
    void Randomize();
    uint32_t Seed = 0;

    static void SetSeedSource(std::function<uint32_t()> source);
};

// The play session: the selected game and paytable, its strategy engine, the
// counters, the hand on the table and its log record. Every rule of play lives
// here: windows, the command-line tool and tests change the session only
// through the commands below and read it through the const queries.
class TGameEngine {
  public:
    // Reads "Params" and "MRU" from the preferences' settings file and selects
    // the last game played (or the first stored paytable that exists).
    explicit TGameEngine(TPreferences& preferences, IGameWindows* windows = nullptr);
    // Writes its settings sections; the caller collects an open hand first.
    ~TGameEngine();
    TGameEngine(const TGameEngine&) = delete;
    TGameEngine& operator=(const TGameEngine&) = delete;

    // --- Playing -------------------------------------------------------------
    void Deal();
    void ToggleHold(int position);
    // Releases every held card (all five replaced).
    void ReleaseAll();
    // Holds the cards a draw mask keeps (bit i set: card i replaced).
    void SetDrawMask(int mask);
    void ShowHint();
    void CheckWarning();
    void Draw();
    void StartDoubleUp();
    void DoubleUpPick(int position);
    void Collect();
    // The Deal/Draw button in two steps, so that a window can show backs in
    // between: Prepare asks the warning and, when result hands are not shown,
    // draws at once; it answers which positions get new cards. Finish then
    // draws a dealt hand or deals a new one; true when it dealt.
    std::array<bool, kHandSize> PrepareDealDraw();
    bool FinishDealDraw();

    // --- Game and settings ---------------------------------------------------
    void SelectGame(int gameIndex, int payIndex);
    // Plays a paytable the caller supplies rather than a stored one (a game
    // the store does not offer, a paytable being tried); logged as `payIndex`.
    void SelectGame(int gameIndex, int payIndex, const TPayTable& pays);
    void SelectRecent(int index);
    // False (nothing changed) while a hand is in play or out of 1..5.
    bool SetBet(int coins);
    void SetCoinIndex(int index);
    void SetMode(int mode);
    void SetOption(unsigned option, bool on);
    void ResetCounters();
    bool BuildErrorHands();
    void ClearAllRecords();
    // Test and replay seam: the next cards dealt come from this list, in order,
    // before the generator is asked again.
    void StackCards(std::vector<int> codes) { FStacked = std::move(codes); }

    // --- Windows -------------------------------------------------------------
    void ShowStatistics();
    void ShowCharts();
    void ShowErrors();
    void SetupPreferences();
    void ClearByFilter();

    // --- Rules asked by the windows ------------------------------------------
    bool CanChangeBet() const { return FState == gsIdle || FState == gsDrawn; }
    bool CanDealDraw() const { return FState != gsDoubleUp; }
    bool CanHint() const { return FState == gsDealt && FMode != pmRealPlay; }
    bool HintOffered() const { return FMode != pmRealPlay; }
    bool CanDouble() const { return FState == gsDrawn && FCurrentWin > 0 && FHandOpen; }
    bool CanShowAllHands() const { return FState == gsDealt && FMode != pmRealPlay; }
    // The next press of Deal/Draw draws (true) or deals (false).
    bool NextPressDraws() const { return FState == gsDealt; }
    // A card the player sees as a back: an empty place, or the dealer's
    // hidden cards during a double-up.
    bool ShowsBack(int position) const;
    bool IsHeld(int position) const;

    // --- Queries -------------------------------------------------------------
    int CardAt(int position) const;
    int LastLine() const;
    QString LineName(int line) const;
    int Pay(int line, int coins) const;
    QString Caption() const;
    bool IsWild(int rank) const;
    long double PlayerReturn() const;
    long double BestReturn() const;
    // Expected coins the current hold gives away against the best one.
    long double HoldCost() const { return BestReturn() - PlayerReturn(); }
    double Accuracy() const;
    TDateTime ElapsedTime() const;
    bool HandOpen() const { return FHandOpen; }
    const TPokerEngine& Strategy() const { return *FEngine; }
    TLogger& Logger() { return *FLogger; }
    const TLogger& Logger() const { return *FLogger; }
    TPreferences& Preferences() { return FPreferences; }

    int GameIndex() const { return FEngine->GameIndex; }
    int PayIndex() const { return FPayIndex; }
    const TPayTable& PayTable() const { return FPayTable; }
    const TPayout& Payout() const { return FPayout; }
    int State() const { return FState; }
    int Mode() const { return FMode; }
    unsigned Options() const { return FOptions; }
    int DrawMask() const { return FDrawMask; }
    int CurrentLine() const { return FCurrentLine; }
    int32_t Credits() const { return FCredits; }
    int32_t BestCredits() const { return FBestCredits; }
    double Balance() const { return FBalance; }
    int Bet() const { return FBet; }
    int CoinIndex() const { return FCoinIndex; }
    int32_t CurrentWin() const { return FCurrentWin; }
    int32_t Hands() const { return FHands; }
    double ReturnSum() const { return FReturnSum; }
    double BestReturnSum() const { return FBestReturnSum; }
    const QStringList& RecentGames() const { return FRecentGames; }
    const TLogRecord& Record() const { return FRecord; }
    int ErrorHandCount() const { return static_cast<int>(FErrorHands.size()); }

  private:
    int DealRandomCard();
    void PutOnTable(int position, int code);
    void ChooseOtherMode();
    void PushRecent(const QString& selected);
    int FinalLine(int mask);
    std::array<int, kHandSize> FinalCards(int mask) const;
    int WinOf(int line) const;
    void SelectStored(int gameIndex, int payIndex);
    void SetPayIndex(int payIndex);
    void SetEngine(std::unique_ptr<TPokerEngine> engine);
    void ResetGame();
    void ApplyBet(int coins);
    void LoadFromIni();
    void SaveToIni();

    TPreferences& FPreferences;
    IGameWindows FNoWindows;
    IGameWindows* FWindows;
    std::unique_ptr<TLogger> FLogger;

    TPayTable FPayTable;
    int FPayIndex = -1;
    TPayout FPayout;
    std::unique_ptr<TPokerEngine> FEngine;
    int FCards[kHandSize] = {kNoCard, kNoCard, kNoCard, kNoCard, kNoCard};
    bool FUsedCards[kUsedCardFlags] = {};
    int FDrawMask = 31;
    std::vector<int32_t> FErrorHands; // packed dealt hands; empty = none
    int FErrorHandIndex = 0;
    int FState = gsIdle;
    int FMode = pmTraining;
    int FCurrentLine = -1;
    unsigned FOptions = kShowResultHands | kShowWarnings;
    int FDeckSize = 52;
    int32_t FCredits = kStartCredits;
    int32_t FBestCredits = kStartCredits;
    double FBalance = 0;
    int FBet = kMaxCoins;
    int FCoinIndex = 0;
    int32_t FCurrentWin = 0;
    QStringList FRecentGames;
    TLogRecord FRecord;
    int FDoubleUpCount = 0;
    double FReturnSum = 0;
    double FBestReturnSum = 0;
    int32_t FHands = 0;
    TDateTime FPlayTime = 0;
    TDateTime FClockStart = 0;
    TRandom FRandom;
    std::vector<int> FStacked;
    // A hand is open from its deal until it is collected; collecting twice
    // must neither log nor refund twice.
    bool FHandOpen = false;
};

// "h:mm:ss" with as many hours as it takes; reads the old time-of-day text too.
QString PlayTimeText(TDateTime days);
std::optional<TDateTime> ParsePlayTime(const QString& text);

} // namespace drawmentor
