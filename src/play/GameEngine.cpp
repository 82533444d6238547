#include "GameEngine.h"

#include "DrawOutcome.h"
#include "PaytableStore.h"
#include "cards/Checked.h"
#include "cards/Error.h"
#include "games/Catalogue.h"
#include "games/GameKey.h"
#include "games/HandsPerDeal.h"
#include "prefs/DataFolder.h"
#include "prefs/Preferences.h"
#include "strategy/EngineFactory.h"

#include <algorithm>

namespace drawmentor {
namespace {

QString Key(int game, int pay) {
    return QString::fromStdString(GameKey(game, pay));
}

uint8_t LineByte(int line) {
    return line < 0 ? kNoLine : static_cast<uint8_t>(line);
}

using enum TGameState;
using enum TPlayMode;

} // namespace

TGameEngine::TGameEngine(TPreferences& preferences, IGameWindows* windows)
    : FPreferences(preferences), FWindows(windows ? windows : &FNoWindows) {
    FLogger = std::make_unique<TLogger>(DataFileWritePath(QStringLiteral("DrawMentor.log")));
    LoadSettings();
}

TGameEngine::~TGameEngine() {
    try {
        SaveSettings();
    } catch (...) {
        // The settings of this run are lost; nothing else is.
    }
}

// --- Playing -----------------------------------------------------------------

int TGameEngine::DealCard() {
    const int code = FDealer.Next();
    Engine().Deck.RemoveCode(code);
    return code;
}

void TGameEngine::PutOnTable(int position, int code) {
    FHand.FCards[position] = code;
    Engine().Hand.AddCode(code);
}

void TGameEngine::Deal() {
    try {
        if (State() == gsDoubleUp) return;
        FCounters.StartClock();
        Collect();
        // One hand may take the credits below zero; several hands need their
        // whole bet.
        const int32_t dealBet = FGame.Bet() * FHandsPerDeal;
        if (FHandsPerDeal > 1 && FCounters.Credits() < dealBet) {
            FWindows->RefuseBet(dealBet, FCounters.Credits());
            return;
        }
        FHand.FDoubleUps = 0;
        FHand.FDrawUnderWay = false;
        FHand.FPicked = -1;
        FHand.FErrorHand = FHand.FErrorHands = 0;
        Engine().ResetHand();
        FDealer.Shuffle();
        if (FMode == pmPlayErrorHands && FReplay.IsStale(*FLogger)) BuildErrorHands();
        if (FMode == pmPlayErrorHands && FReplay.Empty()) {
            ChooseOtherMode();
            if (FMode == pmPlayErrorHands && FReplay.Empty()) return;
        }
        if (FMode == pmPlayErrorHands) {
            const auto codes = FReplay.Next();
            for (int i = 0; i < kHandSize; ++i) {
                const int code = CheckIndex(codes[i], 0, FDealer.DeckSize() - 1, "card code");
                FDealer.Take(code);
                Engine().Deck.RemoveCode(code);
                PutOnTable(i, code);
            }
            FHand.FErrorHand = FReplay.Position();
            FHand.FErrorHands = FReplay.Count();
        } else if (FDrill && FMode == pmTraining) {
            const auto codes = FDealer.DealAccepted(
                [this](const std::array<int, kHandSize>& hand) { return FDrill->Qualifies(hand); },
                kDrillTries);
            for (int i = 0; i < kHandSize; ++i) {
                Engine().Deck.RemoveCode(codes[i]);
                PutOnTable(i, codes[i]);
            }
        } else {
            for (int i = 0; i < kHandSize; ++i) PutOnTable(i, DealCard());
        }
        FHand.FRecord = DealRecord(FGame, Engine(), ModeNumber(FMode), FCoinIndex, FHand.FCards);
        FHand.FRecord.Reserved = static_cast<uint8_t>(FHandsPerDeal > 1 ? FHandsPerDeal : 0);
        FExtra.StartDeal(FHandsPerDeal);
        FDealer.Remember();
        FHand.FDrawMask = FMode == pmAutoHold ? FHand.FRecord.BestMask : 31;
        FHand.FLine = Engine().CurrentLine();
        FHand.FRecord.DealLine = LineByte(FHand.FLine);
        FHand.FState = gsDealt;
        FHand.FOpen = true;
        FCounters.TakeBet(dealBet);
    } catch (...) {
        AddErrorContext("Deal");
    }
}

void TGameEngine::ToggleHold(int position) {
    CheckIndex(position, 0, kHandSize - 1, "card position");
    if (NextPressDraws() && !FHand.FDrawUnderWay) FHand.FDrawMask ^= 1 << position;
}

void TGameEngine::SetDrawMask(int mask) {
    CheckIndex(mask, 0, kMaskCount - 1, "draw mask");
    if (NextPressDraws() && !FHand.FDrawUnderWay) FHand.FDrawMask = mask;
}

void TGameEngine::ShowHint() {
    if (!NextPressDraws() || FHand.FDrawUnderWay) return;
    FHand.FDrawMask = FHand.FRecord.BestMask;
    FHand.FRecord.HintReturn = static_cast<double>(Engine().DrawReturn(FHand.FRecord.BestMask));
}

void TGameEngine::CheckWarning() {
    if (!(FOptions & kShowWarnings) || State() != gsDealt || FHand.FDrawUnderWay) return;
    if (!WarrantsWarning(HoldCost())) return;
    const auto answer = FWindows->ShowWarning(*this);
    if (answer.ApplyBest) ShowHint();
    if (answer.StopWarnings) FOptions &= ~kShowWarnings;
}

void TGameEngine::Draw() {
    try {
        if (State() != gsDealt) return;
        TLogRecord& record = FHand.FRecord;
        FHand.FDrawUnderWay = false;
        record.DrawMask = static_cast<uint8_t>(FHand.FDrawMask);
        record.Return = static_cast<double>(Engine().DrawReturn(FHand.FDrawMask));
        FCounters.AddReturns(record.Return, record.BestReturn);
        if (record.HintReturn > 0) FCounters.AddHint();
        for (int i = 0; i < kHandSize; ++i) record.Drawn[i] = static_cast<uint8_t>(DealCard());
        if (FExtra.DealtHands() > 1) FExtra.Draw(record, FDealer, Engine(), FGame, FCounters);
        CompleteWithEveryHold(record, Engine(), FGame);
        FHand.FCards = FinalCards(FHand.FCards, record.Drawn, FHand.FDrawMask);
        FHand.FLine = FinalLine(Engine(), FHand.FCards);
        FHand.FState = gsDrawn;
        FHand.FWin = FGame.WinOf(FHand.FLine);
        record.Win = FHand.FWin;
        record.Line = LineByte(FHand.FLine);
    } catch (...) {
        AddErrorContext("Draw");
    }
}

std::array<bool, kHandSize> TGameEngine::PrepareDealDraw() {
    std::array<bool, kHandSize> replaced{};
    if (!CanDealDraw()) return replaced;
    if (State() == gsDealt) {
        CheckWarning();
        FHand.FDrawUnderWay = true;
        if (!(FOptions & kShowResultHands))
            Draw(); // the result is never shown: straight on to the next deal
    }
    for (int i = 0; i < kHandSize; ++i)
        replaced[i] =
            State() != gsDealt || IsBitSet(FHand.FDrawMask, i) || FHand.FCards[i] == kNoCard;
    return replaced;
}

bool TGameEngine::FinishDealDraw() {
    if (!CanDealDraw()) return false;
    if (State() == gsDealt) {
        Draw();
        return false;
    }
    Deal();
    return true;
}

void TGameEngine::StartDoubleUp() {
    if (!CanDouble()) return;
    FHand.FState = gsDoubleUp;
    FHand.FLine = -1;
    FHand.FDrawMask = 31;
    FHand.FPicked = -1;
    Engine().Deck.Fill();
    FDealer.Shuffle();
    for (int& card : FHand.FCards) card = DealCard();
}

void TGameEngine::DoubleUpPick(int position) {
    if (State() != gsDoubleUp) return;
    CheckIndex(position, 1, kHandSize - 1, "card position");
    ++FHand.FDoubleUps;
    const int result = CompareDoubleUp(FHand.FCards[0], FHand.FCards[position], FGame);
    FHand.FPicked = position;
    FHand.FPickResult = result > 0 ? 1 : result < 0 ? -1 : 0;
    if (result > 0)
        FHand.FWin = CheckedMul(FHand.FWin, int32_t{2});
    else if (result < 0)
        FHand.FWin = 0;
    FHand.FState = gsDrawn;
}

void TGameEngine::Collect() {
    try {
        if (!FHand.FOpen) return;
        TLogRecord& record = FHand.FRecord;
        if (State() == gsDrawn || State() == gsDoubleUp) {
            record.DoubleUps = static_cast<uint8_t>(std::min(FHand.FDoubleUps, 255));
            record.Collected = FHand.FWin;
            record.CollectTime = Now();
            FCounters.CollectHand(FHand.FWin, record.BestWin, record.Bet,
                                  CoinValue(record.CoinIndex));
            FHand.FWin = 0;
            FHand.FOpen = false;
            FLogger->Append(record);
            FExtra.Collect(record.CollectTime, FCounters, *FLogger);
        } else if (State() == gsDealt) {
            FCounters.ReturnBet(record.Bet * FExtra.DealtHands());
            FHand.FOpen = false;
            FHand.FDrawUnderWay = false;
        }
    } catch (...) {
        AddErrorContext("Collect");
    }
}

// --- Game and settings ---------------------------------------------------------

QString TGameEngine::CurrentKey() const {
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

void TGameEngine::SelectGame(int gameIndex, int payIndex) {
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
        SetEngine(CreateEngineForGame(gameIndex));
        FGame.FPayIndex = payIndex;
        if (payIndex != -1) FGame.FPayTable = pays;
        FGame.ApplyBet(FGame.Bet());
        RequestChart();
        if (FMode == pmPlayErrorHands) BuildErrorHands();
        emit GameChanged();
    } catch (...) {
        AddErrorContext("SelectPoker");
    }
}

void TGameEngine::SelectGame(int gameIndex, int payIndex, const TPayTable& pays) {
    try {
        CheckPayIndex(gameIndex, payIndex);
        SetEngine(CreateEngineForGame(gameIndex));
        FGame.FPayIndex = payIndex;
        FGame.FPayTable = pays;
        FGame.ApplyBet(FGame.Bet());
        RequestChart();
        FReplay.Clear();
        if (FMode == pmPlayErrorHands) BuildErrorHands();
        emit GameChanged();
    } catch (...) {
        AddErrorContext("SelectPoker");
    }
}

void TGameEngine::SelectRecent(int index) {
    try {
        CheckIndex(index, 0, static_cast<int>(RecentGames().size()) - 1, "recent game");
        const std::string key = RecentGames()[index].toStdString();
        SelectGame(KeyGameIndex(key), KeyPayIndex(key));
    } catch (...) {
        AddErrorContext("SelectMRU");
    }
}

void TGameEngine::SetEngine(std::unique_ptr<TPokerEngine> engine) {
    try {
        if (FGame.FEngine) Collect(); // the hand belongs to the engine being replaced
        FGame.FEngine = std::move(engine);
        FDrill.reset(); // a drill is of one game's chart
        ResetGame();
        FDealer.NewGame(Engine().Deck.Total);
        Engine().SetPayout(&FGame.FPayout);
        if (!FPreferences.SaveForNewGame) ClearCounters();
    } catch (...) {
        AddErrorContext("SetEngine");
    }
}

void TGameEngine::ResetGame() {
    Collect();
    Engine().ResetHand();
    FHand.FCards.fill(kNoCard);
    FHand.FState = gsIdle;
    FHand.FLine = -1;
    FHand.FWin = 0;
    FHand.FDrawUnderWay = false;
}

bool TGameEngine::SetBet(int coins) {
    if (coins < 1 || coins > kMaxCoins || !CanChangeBet()) return false;
    FGame.ApplyBet(coins);
    RequestChart();
    return true;
}

bool TGameEngine::StartDrill(std::unique_ptr<TChartDrill> drill) {
    if (!drill || !FGame.FEngine || drill->Chart().GameIndex != FGame.GameIndex()) return false;
    for (int line = 0; line <= FGame.LastLine(); ++line)
        if (drill->Chart().Pays.at(static_cast<size_t>(line)) !=
            FGame.Pay(line, drill->Chart().Bet))
            return false;
    FDrill = std::move(drill);
    SetMode(pmTraining);
    return true;
}

void TGameEngine::RequestChart() {
    if (!FGame.FEngine) return;
    std::vector<int> pays;
    for (int line = 0; line <= FGame.LastLine(); ++line) pays.push_back(FGame.WinOf(line));
    FChart.Request(FGame.GameIndex(), pays, FGame.Bet());
}

void TGameEngine::SetCoinIndex(int index) {
    FCoinIndex = CheckIndex(index, 0, kCoinValueCount - 1, "coin value");
}

bool TGameEngine::SetHandsPerDeal(int hands) {
    if (!IsHandsPerDealChoice(hands) || !CanChangeBet()) return false;
    FHandsPerDeal = hands;
    return true;
}

void TGameEngine::SetOption(unsigned option, bool on) {
    FOptions = (on ? FOptions | option : FOptions & ~option) & (kShowResultHands | kShowWarnings);
}

void TGameEngine::ClearAllRecords() {
    try {
        FLogger->ClearAll();
        if (FMode == pmPlayErrorHands) BuildErrorHands();
    } catch (...) {
        AddErrorContext("ClearAllRecords");
    }
}

void TGameEngine::SetMode(TPlayMode mode) {
    CheckIndex(ModeNumber(mode), 0, kPlayModeCount - 1, "play mode");
    if (mode == FMode) return;
    if (mode != pmPlayErrorHands) {
        FReplay.Clear();
        FMode = mode;
        return;
    }
    // The hand whose result shows is one of the list the player expects: logged
    // now rather than at the next deal. A double-up round is left to finish.
    if (State() == gsDrawn) Collect();
    if (BuildErrorHands())
        FMode = pmPlayErrorHands;
    else
        ChooseOtherMode();
}

bool TGameEngine::BuildErrorHands() {
    if (!FGame.FEngine) {
        FReplay.Clear();
        return false;
    }
    return FReplay.Build(*FLogger, FGame.GameIndex(), FGame.PayIndex());
}

void TGameEngine::ChooseOtherMode() {
    const int mode = FWindows->AskModeForNoErrors();
    if (mode >= ModeNumber(pmAutoHold) && mode <= ModeNumber(pmRealPlay))
        SetMode(static_cast<TPlayMode>(mode));
}

void TGameEngine::ResetCounters() {
    ClearCounters();
    RequestChart();
    emit GameChanged();
}

void TGameEngine::ClearCounters() {
    FCounters.Clear();
    FCoinIndex = 0;
    FGame.ApplyBet(kMaxCoins);
}

void TGameEngine::LoadSettings() {
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
        FHandsPerDeal = stored.HandsPerDeal;
        RequestChart();
    } catch (...) {
        AddErrorContext("LoadFromIni");
    }
}

void TGameEngine::SaveSettings() {
    try {
        TStoredSession stored;
        stored.CurrentGame = CurrentKey();
        stored.RecentGames = RecentGames();
        stored.Counters = FCounters;
        stored.CoinIndex = FCoinIndex;
        stored.Bet = FGame.Bet();
        stored.Mode = FMode;
        stored.Options = FOptions;
        stored.HandsPerDeal = FHandsPerDeal;
        WriteStoredSession(FPreferences.SettingsFile(), FPreferences.AutoSave, stored);
    } catch (...) {
        AddErrorContext("SaveToIni");
    }
}

} // namespace drawmentor
