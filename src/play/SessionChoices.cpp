// The session's choice of game and paytable, and the settings it keeps
// between runs.
#include "Session.h"

#include "PaytableStore.h"
#include "core/Checked.h"
#include "core/Error.h"
#include "engine/EngineFactory.h"
#include "games/Catalogue.h"
#include "games/GameKey.h"
#include "games/HandsPerDeal.h"
#include "prefs/Preferences.h"

namespace drawmentor {
namespace {

QString Key(int game, int pay) {
    return QString::fromStdString(GameKey(game, pay));
}

using enum TGameState;
using enum TPlayMode;

} // namespace

QString TSession::CurrentKey() const {
    return FGame.FEngine && FGame.PayIndex() != -1 ? Key(FGame.GameIndex(), FGame.PayIndex())
                                                   : QString();
}

namespace {

// The log could not tell a paytable beyond the limit from another one.
void CheckPayIndex(int gameIndex, int payIndex) {
    if (payIndex >= kMaxPaytablesPerGame)
        throw EDrawMentor("Paytable " + std::to_string(payIndex + 1) + " of " +
                          GameName(gameIndex) + " cannot be played: a game's hands are logged " +
                          "for its first " + std::to_string(kMaxPaytablesPerGame) +
                          " paytables only");
}

} // namespace

void TSession::SelectGame(int gameIndex, int payIndex) {
    try {
        CheckPayIndex(gameIndex, payIndex);
        TPayTable pays;
        if (payIndex != -1) {
            // A paytable that does not exist fails before anything changes.
            try {
                pays = OpenPaytableStore()->ReadPaytable(gameIndex, payIndex);
            } catch (...) {
                AddErrorContext("SetPayIndex");
            }
        }
        const QString chosen = Key(gameIndex, payIndex);
        FRecent.Remove(chosen);
        FRecent.Push(CurrentKey(), chosen);
        UseGame(gameIndex, payIndex, payIndex != -1 ? &pays : nullptr);
        StoreSettings();
    } catch (...) {
        AddErrorContext("SelectPoker");
    }
}

void TSession::SelectGame(int gameIndex, int payIndex, const TPayTable& pays) {
    try {
        CheckPayIndex(gameIndex, payIndex);
        UseGame(gameIndex, payIndex, &pays);
        StoreSettings();
    } catch (...) {
        AddErrorContext("SelectPoker");
    }
}

// Without `pays` the engine keeps the paytable it had (the game's own when new).
void TSession::UseGame(int gameIndex, int payIndex, const TPayTable* pays) {
    SetEngine(CreateEngineForGame(gameIndex));
    FGame.FPayIndex = payIndex;
    if (pays) FGame.FPayTable = *pays;
    FGame.ApplyBet(FGame.Bet());
    FCoach.RequestChart();
    FReplay.Clear(); // error hands are of one paytable
    if (FMode == pmPlayErrorHands) BuildErrorHands();
    emit GameChanged();
}

void TSession::SelectRecent(int index) {
    try {
        CheckIndex(index, 0, static_cast<int>(RecentGames().size()) - 1, "recent game");
        const std::string key = RecentGames()[index].toStdString();
        SelectGame(KeyGameIndex(key), KeyPayIndex(key));
    } catch (...) {
        AddErrorContext("SelectMRU");
    }
}

void TSession::SetEngine(std::unique_ptr<TPokerEngine> engine) {
    try {
        if (FGame.FEngine) Collect(); // the hand belongs to the engine being replaced
        FGame.FEngine = std::move(engine);
        FCoach.EndDrill(); // a drill is of one game's chart
        ResetGame();
        FDealer.NewGame(Engine().Deck().Total);
        Engine().SetPayout(&FGame.FPayout);
        if (!FPreferences.SaveForNewGame) ClearCounters();
    } catch (...) {
        AddErrorContext("SetEngine");
    }
}

void TSession::ResetGame() {
    Collect();
    Engine().ResetHand();
    FHand.FCards.fill(kNoCard);
    FHand.FState = gsIdle;
    FHand.FLine = -1;
    FHand.FWin = 0;
    FHand.FDrawUnderWay = false;
}

bool TSession::SetBet(int coins) {
    if (coins < 1 || coins > kMaxCoins || !Rules().CanChangeBet()) return false;
    FGame.ApplyBet(coins);
    FCoach.RequestChart();
    StoreSettings();
    return true;
}

bool TSession::StartDrill(std::unique_ptr<TChartDrill> drill) {
    if (!FCoach.StartDrill(std::move(drill))) return false;
    SetMode(pmTraining);
    return true;
}

void TSession::SetCoinIndex(int index) {
    FCoinIndex = CheckIndex(index, 0, kCoinValueCount - 1, "coin value");
    StoreSettings();
}

bool TSession::SetHandsPerDeal(int hands) {
    if (!IsHandsPerDealChoice(hands) || !Rules().CanChangeBet()) return false;
    FExtra.SetHandsPerDeal(hands);
    StoreSettings();
    return true;
}

void TSession::SetOption(unsigned option, bool on) {
    FOptions = (on ? FOptions | option : FOptions & ~option) & (kShowResultHands | kShowWarnings);
    StoreSettings();
}

void TSession::ClearAllRecords() {
    try {
        FLogger->ClearAll();
        if (FMode == pmPlayErrorHands) BuildErrorHands();
    } catch (...) {
        AddErrorContext("ClearAllRecords");
    }
}

void TSession::SetMode(TPlayMode mode) {
    CheckIndex(ModeNumber(mode), 0, kPlayModeCount - 1, "play mode");
    if (mode == FMode) return;
    if (mode != pmPlayErrorHands) {
        FReplay.Clear();
        FMode = mode;
        StoreSettings();
        return;
    }
    // The hand whose result shows is one of the list the player expects: logged
    // now rather than at the next deal. A double-up round is left to finish.
    if (State() == gsDrawn) Collect();
    if (BuildErrorHands())
        FMode = pmPlayErrorHands;
    else
        ChooseOtherMode();
    StoreSettings();
}

bool TSession::BuildErrorHands() {
    if (!FGame.FEngine) {
        FReplay.Clear();
        return false;
    }
    return FReplay.Build(*FLogger, FGame.GameIndex(), FGame.PayIndex());
}

void TSession::ChooseOtherMode() {
    const int mode = FWindows->AskModeForNoErrors();
    if (mode >= ModeNumber(pmAutoHold) && mode <= ModeNumber(pmRealPlay))
        SetMode(static_cast<TPlayMode>(mode));
}

void TSession::ResetCounters() {
    ClearCounters();
    FCoach.RequestChart();
    StoreSettings();
    emit GameChanged();
}

void TSession::ClearCounters() {
    FCounters.Clear();
    FCoinIndex = 0;
    FGame.ApplyBet(kMaxCoins);
}

void TSession::LoadSettings() {
    try {
        const auto store = OpenPaytableStore();
        const auto exists = [&](int game, int pay) {
            return !GameName(game).empty() && pay < store->PaytableCount(game);
        };
        const TStoredSession stored =
            ReadStoredSession(FPreferences.SettingsFile(), FPreferences.AutoSave, exists);
        FRecent.Assign(stored.RecentGames);
        const auto [game, pay] = StoredGameToPlay(stored.CurrentGame, *store);
        SelectGame(game, pay);
        FCounters = stored.Counters;
        FCoinIndex = stored.CoinIndex;
        FMode = stored.Mode;
        // Without error hands the list stays empty and the next deal offers another mode.
        if (FMode == pmPlayErrorHands) BuildErrorHands();
        FOptions = stored.Options;
        FGame.ApplyBet(stored.Bet);
        FExtra.SetHandsPerDeal(stored.HandsPerDeal);
        FCoach.RequestChart();
    } catch (...) {
        AddErrorContext("LoadFromIni");
    }
}

void TSession::StoreSettings() {
    if (FSettingsRead) SaveSettings();
}

void TSession::SaveSettings() {
    try {
        TStoredSession stored;
        stored.CurrentGame = CurrentKey();
        stored.RecentGames = RecentGames();
        stored.Counters = FCounters;
        stored.CoinIndex = FCoinIndex;
        stored.Bet = FGame.Bet();
        stored.Mode = FMode;
        stored.Options = FOptions;
        stored.HandsPerDeal = FExtra.HandsPerDeal();
        WriteStoredSession(FPreferences.SettingsFile(), FPreferences.AutoSave, stored);
    } catch (...) {
        AddErrorContext("SaveToIni");
    }
}

} // namespace drawmentor
