#pragma once

#include "DateTime.h"
#include "GameWindows.h"
#include "LogRecord.h"
#include "Logger.h"

#include "games/PayTable.h"
#include "strategy/PokerEngine.h"

#include <QString>
#include <QStringList>

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
// counters, the hand on the table and its log record. The main window routes
// every command here; windows are opened through IGameWindows.
class TGameEngine {
public:
    // Reads "Params" and "MRU" from the preferences' settings file and selects
    // the last game played (or the first stored paytable that exists).
    explicit TGameEngine(TPreferences& preferences, IGameWindows* windows = nullptr);
    // Writes its settings sections; the caller collects an open hand first.
    ~TGameEngine();
    TGameEngine(const TGameEngine&) = delete;
    TGameEngine& operator=(const TGameEngine&) = delete;

    // Playing.
    void Deal();
    void ToggleHold(int position);
    void ShowHint();
    void CheckWarning();
    void Draw();
    void StartDoubleUp();
    void DoubleUpPick(int position);
    void Collect();

    // Game and settings.
    void SelectGame(int gameIndex, int payIndex);
    void SelectRecent(int index);
    void SetPayIndex(int payIndex);
    void SetEngine(std::unique_ptr<TPokerEngine> engine);
    void ResetGame();
    void SetBet(int coins);
    void SetMode(int mode);
    void SetOptions(unsigned options) { Options = options & (kShowResultHands | kShowWarnings); }
    void ResetCounters();
    void LoadFromIni();
    void SaveToIni();
    bool BuildErrorHands();

    // Windows.
    void ShowStatistics();
    void ShowCharts();
    void ShowErrors();
    void SetupPreferences();
    void ClearByFilter();

    // Queries.
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
    TPokerEngine& Strategy() const { return *Engine; }
    TLogger& Logger() { return *FLogger; }
    TPreferences& Preferences() { return FPreferences; }

    TPayTable PayTable;
    int PayIndex = -1;
    TPayout Payout;
    std::unique_ptr<TPokerEngine> Engine;
    int Cards[kHandSize] = {kNoCard, kNoCard, kNoCard, kNoCard, kNoCard};
    bool UsedCards[kUsedCardFlags] = {};
    int DrawMask = 31;
    std::vector<int32_t> ErrorHands; // packed dealt hands; empty = none
    int ErrorHandIndex = 0;
    int State = gsIdle;
    int Mode = pmTraining;
    int CurrentLine = -1;
    unsigned Options = kShowResultHands | kShowWarnings;
    int DeckSize = 52;
    int32_t Credits = kStartCredits;
    int32_t BestCredits = kStartCredits;
    double Balance = 0;
    int Bet = kMaxCoins;
    int CoinIndex = 0;
    int32_t CurrentWin = 0;
    QStringList RecentGames;
    TLogRecord Record;
    int DoubleUpCount = 0;
    double ReturnSum = 0;
    double BestReturnSum = 0;
    int32_t Hands = 0;
    TDateTime PlayTime = 0;
    TDateTime ClockStart = 0;
    TRandom Random;

private:
    int DealRandomCard();
    void PutOnTable(int position, int code);
    void ChooseOtherMode();
    void PushRecent(const QString& selected);
    int FinalLine(int mask);
    std::array<int, kHandSize> FinalCards(int mask) const;
    int WinOf(int line) const;
    void SelectStored(int gameIndex, int payIndex);

    TPreferences& FPreferences;
    IGameWindows FNoWindows;
    IGameWindows* FWindows;
    std::unique_ptr<TLogger> FLogger;
    // A hand is open from its deal until it is collected; collecting twice
    // must neither log nor refund twice.
    bool FHandOpen = false;
};

// "h:mm:ss" with as many hours as it takes; reads the old time-of-day text too.
QString PlayTimeText(TDateTime days);
std::optional<TDateTime> ParsePlayTime(const QString& text);

} // namespace drawmentor
