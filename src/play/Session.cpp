#include "Session.h"

#include "DrawOutcome.h"
#include "core/Checked.h"
#include "core/Error.h"
#include "prefs/DataFolder.h"

#include <algorithm>

namespace drawmentor {
namespace {

using enum TGameState;
using enum TPlayMode;

} // namespace

TSession::TSession(TPreferences& preferences, IGameWindows* windows)
    : FPreferences(preferences), FWindows(windows ? windows : &FNoWindows) {
    FLogger = std::make_unique<TLogger>(DataFileWritePath(QStringLiteral("DrawMentor.log")));
    LoadSettings();
    FSettingsRead = true;
}

TSession::~TSession() {
    try {
        SaveSettings();
    } catch (...) {
        // The settings of this run are lost; nothing else is.
    }
}

// --- Playing -----------------------------------------------------------------

int TSession::DealCard() {
    const int code = FDealer.Next();
    Engine().TakeFromDeck(code);
    return code;
}

void TSession::PutOnTable(int position, int code) {
    Engine().DealCode(code);
    FHand.FCards[position] = code;
}

void TSession::Deal() {
    try {
        if (State() == gsDoubleUp) return;
        // A refused deal leaves the hand before it on the table, uncollected.
        if (!CoversNextDeal()) return;
        FCounters.StartClock();
        Collect();
        const int hands = FExtra.HandsPerDeal();
        const int32_t dealBet = FGame.Bet() * hands;
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
                PutOnTable(i, code);
            }
            FHand.FErrorHand = FReplay.Position();
            FHand.FErrorHands = FReplay.Count();
        } else if (FCoach.Drill() && FMode == pmTraining) {
            const auto codes = FCoach.DealDrillHand(FDealer);
            for (int i = 0; i < kHandSize; ++i) PutOnTable(i, codes[i]);
        } else {
            for (int i = 0; i < kHandSize; ++i) PutOnTable(i, FDealer.Next());
        }
        FHand.FRecord = DealRecord(FGame, Engine(), ModeNumber(FMode), FCoinIndex, FHand.FCards);
        FHand.FRecord.Reserved = static_cast<uint8_t>(hands > 1 ? hands : 0);
        FExtra.StartDeal();
        FDealer.Remember();
        FHand.FDrawMask = FMode == pmAutoHold ? FHand.FRecord.BestMask : 31;
        FHand.FLine = Engine().CurrentLine();
        FHand.FRecord.DealLine = LineByte(FHand.FLine);
        FHand.FState = gsDealt;
        FHand.FOpen = true;
        FCounters.TakeBet(dealBet);
        StoreSettings();
    } catch (...) {
        AddErrorContext("Deal");
    }
}

void TSession::ToggleHold(int position) {
    CheckIndex(position, 0, kHandSize - 1, "card position");
    if (Rules().CanHold()) FHand.FDrawMask ^= 1 << position;
}

void TSession::SetDrawMask(int mask) {
    CheckIndex(mask, 0, kMaskCount - 1, "draw mask");
    if (Rules().CanHold()) FHand.FDrawMask = mask;
}

void TSession::ShowHint() {
    if (!Rules().CanHold()) return;
    FHand.FDrawMask = FHand.FRecord.BestMask;
    FHand.FRecord.HintReturn = static_cast<double>(Engine().DrawReturn(FHand.FRecord.BestMask));
}

bool TSession::CheckWarning() {
    if (!(FOptions & kShowWarnings) || !Rules().CanHold()) return true;
    if (!WarrantsWarning(FCoach.HoldCost())) return true;
    const auto answer = FWindows->ShowWarning(*this);
    if (answer.StopWarnings) SetOption(kShowWarnings, false);
    if (answer.ChangeHold) return false;
    if (answer.ApplyBest) ShowHint();
    return true;
}

void TSession::Draw() {
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
        StoreSettings();
    } catch (...) {
        AddErrorContext("Draw");
    }
}

std::array<bool, kHandSize> TSession::PrepareDealDraw() {
    std::array<bool, kHandSize> replaced{};
    if (!Rules().CanDealDraw()) return replaced;
    if (State() == gsDealt) {
        if (!CheckWarning()) return replaced;
        FHand.FDrawUnderWay = true;
        if (!(FOptions & kShowResultHands))
            Draw(); // the result is never shown: straight on to the next deal
    }
    if (State() != gsDealt && !CoversNextDeal()) return replaced;
    for (int i = 0; i < kHandSize; ++i)
        replaced[i] =
            State() != gsDealt || IsBitSet(FHand.FDrawMask, i) || FHand.FCards[i] == kNoCard;
    return replaced;
}

bool TSession::FinishDealDraw() {
    if (!Rules().CanDealDraw()) return false;
    if (State() == gsDealt) {
        Draw();
        return false;
    }
    Deal();
    return true;
}

// One hand may take the credits below zero; several hands need their whole
// bet, from the credits the hand on the table will have brought in.
bool TSession::CoversNextDeal() {
    const int hands = FExtra.HandsPerDeal();
    if (hands <= 1) return true;
    int64_t credits = FCounters.Credits();
    if (FHand.FOpen && State() == gsDealt)
        credits += int64_t{FHand.FRecord.Bet} * FExtra.DealtHands(); // returned at collection
    else if (FHand.FOpen)
        credits += DealWin();
    const int64_t dealBet = int64_t{FGame.Bet()} * hands;
    if (credits >= dealBet) return true;
    FWindows->RefuseBet(static_cast<int>(dealBet), static_cast<int>(credits));
    return false;
}

void TSession::StartDoubleUp() {
    if (!Rules().CanDouble()) return;
    FHand.FState = gsDoubleUp;
    FHand.FLine = -1;
    FHand.FDrawMask = 31;
    FHand.FPicked = -1;
    Engine().RefillDeck();
    FDealer.Shuffle();
    for (int& card : FHand.FCards) card = DealCard();
}

void TSession::DoubleUpPick(int position) {
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

void TSession::Collect() {
    try {
        if (!FHand.FOpen) return;
        TLogRecord& record = FHand.FRecord;
        if (State() == gsDrawn || State() == gsDoubleUp) {
            record.DoubleUps = static_cast<uint8_t>(std::min(FHand.FDoubleUps, 255));
            record.Collected = FHand.FWin;
            record.CollectTime = Now();
            std::vector<TLogRecord> deal{record};
            const std::vector<TLogRecord> others = FExtra.Close(record.CollectTime);
            deal.insert(deal.end(), others.begin(), others.end());
            FHand.FWin = 0;
            FHand.FOpen = false;
            try {
                FLogger->AppendDeal(deal);
            } catch (...) {
                // The credits count what the log holds: a deal the log could
                // not take is undone as a hand never drawn is, bet returned.
                FCounters.ReturnBet(
                    CheckedMul(int32_t{record.Bet}, static_cast<int32_t>(deal.size())));
                throw;
            }
            for (const TLogRecord& hand : deal)
                FCounters.CollectHand(hand.Collected, hand.BestWin, hand.Bet,
                                      CoinValue(hand.CoinIndex));
        } else if (State() == gsDealt) {
            FCounters.ReturnBet(record.Bet * FExtra.DealtHands());
            FHand.FOpen = false;
            FHand.FDrawUnderWay = false;
        }
        StoreSettings();
    } catch (...) {
        AddErrorContext("Collect");
    }
}

} // namespace drawmentor
