#pragma once

#include "Dealer.h"
#include "ErrorHandReplay.h"
#include "ExtraHands.h"
#include "GameWindows.h"
#include "HoldCoach.h"
#include "Logger.h"
#include "PlayRules.h"
#include "PlayState.h"
#include "SessionCounters.h"
#include "SessionSettings.h"
#include "TableGame.h"
#include "TableHand.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

namespace drawmentor {

class TPreferences;

// The play session: the game on the table, the hand in play, the counters and
// the log. Every rule of play lives here: windows, the command-line tool and
// tests change the session only through the commands below and read it
// through the const queries.
class TSession : public QObject {
    Q_OBJECT

  public:
    // Reads its sections of the preferences' settings file and selects the
    // last game played (or the first stored paytable that exists).
    explicit TSession(TPreferences& preferences, IGameWindows* windows = nullptr);
    // Writes its settings sections; the caller collects an open hand first.
    ~TSession() override;
    TSession(const TSession&) = delete;
    TSession& operator=(const TSession&) = delete;

    // --- Playing -------------------------------------------------------------
    void Deal();
    void ToggleHold(int position);
    // Holds the cards a draw mask keeps (bit i set: card i replaced).
    void SetDrawMask(int mask);
    void ShowHint();
    // Asks about a costly hold; false when the player went back to change
    // it, and nothing may be drawn yet.
    bool CheckWarning();
    void Draw();
    void StartDoubleUp();
    void DoubleUpPick(int position);
    void Collect();
    // The Deal/Draw button in two steps, so that a window can show backs in
    // between: Prepare asks the warning and, when result hands are not shown,
    // draws at once; it answers which positions get new cards, and from then
    // on the hold cannot change. A deal replaces all five, so none replaced
    // with no hand dealt means the deal was refused and nothing changed; a
    // hold that can still change after it means the player went back to it.
    // Finish then draws a dealt hand or deals a new one; true when it dealt.
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
    // A machine's Bet One: one coin more, and after five coins one again.
    bool BetOne() { return SetBet(FGame.Bet() % kMaxCoins + 1); }
    void SetCoinIndex(int index);
    // Hands dealt from one hold (one of kHandsPerDealChoices); false (nothing
    // changed) for another number or while a hand is in play.
    bool SetHandsPerDeal(int hands);
    void SetMode(TPlayMode mode);
    void SetOption(unsigned option, bool on);
    void ResetCounters();
    void ClearAllRecords();
    // Test and replay seam: the next cards dealt come from this list, in order,
    // before the generator is asked again.
    void StackCards(std::vector<int> codes) { FDealer.Stack(std::move(codes)); }

    // --- Queries -------------------------------------------------------------
    // What the player may do next; ask again after every command.
    TPlayRules Rules() const { return TPlayRules(FHand, FMode, FExtra.DealtHands()); }
    const TTableGame& Game() const { return FGame; }
    const TTableHand& Hand() const { return FHand; }
    const TSessionCounters& Counters() const { return FCounters; }
    const TErrorHandReplay& ErrorHands() const { return FReplay; }
    const QStringList& RecentGames() const { return FRecent.Keys(); }
    TLogger& Logger() const { return *FLogger; }
    TPlayMode Mode() const { return FMode; }
    unsigned Options() const { return FOptions; }
    int CoinIndex() const { return FCoinIndex; }
    // The hands each deal plays, and the other hands of the deal on the
    // table, drawn or not yet.
    const TExtraHands& ExtraHands() const { return FExtra; }
    // What the deal on the table won on all its hands.
    int32_t DealWin() const { return FHand.FWin + FExtra.TotalWin(); }
    // The returns and chart lines of the hold on the table, and the drill.
    const THoldCoach& Coach() const { return FCoach; }

    // --- Chart drill ---------------------------------------------------------
    // From the next deal on, Training mode (chosen now) deals only hands that
    // drill the chosen lines, until EndDrill or another game. False, and no
    // change, for a chart of another game or paytable.
    bool StartDrill(std::unique_ptr<TChartDrill> drill);
    void EndDrill() { FCoach.EndDrill(); }

  signals:
    // Another game or paytable is on the table, or the counters were reset:
    // whatever shows the session lays itself out again.
    void GameChanged();

  private:
    TGameState State() const { return FHand.FState; }
    TPokerEngine& Engine() { return *FGame.FEngine; }
    // False, after telling the player, when the credits cannot cover a deal
    // of several hands.
    bool CoversNextDeal();
    // A card of the draw or the double-up: it leaves the deck, not for the hand.
    int DealCard();
    // A card of the deal: from the deck to the hand at `position`.
    void PutOnTable(int position, int code);
    void ChooseOtherMode();
    bool BuildErrorHands();
    void UseGame(int gameIndex, int payIndex, const TPayTable* pays);
    void SetEngine(std::unique_ptr<TPokerEngine> engine);
    void ResetGame();
    void ClearCounters();
    QString CurrentKey() const;
    void LoadSettings();
    void SaveSettings();
    // The settings image follows every command that changes what the session
    // keeps, so that the file can be written at once; not while the
    // constructor reads them, which passes through defaults.
    void StoreSettings();

    TPreferences& FPreferences;
    IGameWindows FNoWindows;
    IGameWindows* FWindows;
    std::unique_ptr<TLogger> FLogger;

    TTableGame FGame;
    TTableHand FHand;
    TSessionCounters FCounters;
    TDealer FDealer;
    TErrorHandReplay FReplay;
    TRecentGames FRecent;
    TPlayMode FMode = TPlayMode::pmTraining;
    unsigned FOptions = kShowResultHands | kShowWarnings;
    int FCoinIndex = 0;
    TExtraHands FExtra;
    THoldCoach FCoach{FGame, FHand};
    bool FSettingsRead = false;
};

} // namespace drawmentor
