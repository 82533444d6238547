#pragma once

#include "HandDistribution.h"
#include "LongRunRuin.h"

#include <atomic>
#include <cstdint>

namespace drawmentor {

// The least bankroll for a target risk of ruin: a whole number of units (a
// unit is usually one bet of one hand) whose risk is at most the target,
// while one unit less has more. The risk falls as the bankroll grows, so the
// first bankroll that meets the target is the answer.
struct TBankrollForRisk {
    enum class TKind {
        Found,  // Units holds the answer
        Beyond, // no bankroll up to kMaxBankrollBets units meets the target
        Never   // without end, no bankroll will do: the return is not above 100 %
    };
    TKind Kind = TKind::Found;
    int64_t Units = 0;
    long double Risk = 0;      // of Units
    long double RiskBelow = 1; // of Units - 1 (1 when that is less than a bet)
    bool Cancelled = false;
};

// Targets below this are finer than the walks tell risks apart (their bound
// is 1e-18): below it a search would compare the bound, not the risk.
inline constexpr long double kLeastTargetRisk = 1e-12L;

// Raises ERangeError for a target outside kLeastTargetRisk to below 1.
void CheckTargetRisk(long double target);

// Within a number of hands, from the backward walk of RiskOfRuinCurve, which
// gives every bankroll's risk in one pass. Raises ERangeError as that does,
// or for a unit below one coin.
TBankrollForRisk BankrollForRisk(const THandDistribution& hand, int64_t unitCoins,
                                 long double target, int64_t hands,
                                 const std::atomic<bool>* cancel = nullptr);

// Without end, climbing TLongRunLadder: the hand's own, or one of the hand
// at its foot shared with other figures. Raises ERangeError as
// LongRunRiskOfRuin does.
TBankrollForRisk LongRunBankrollForRisk(const THandDistribution& hand, int64_t unitCoins,
                                        long double target,
                                        const std::atomic<bool>* cancel = nullptr);
TBankrollForRisk LongRunBankrollForRisk(const THandDistribution& hand, TLongRunLadder ladder,
                                        int64_t unitCoins, long double target,
                                        const std::atomic<bool>* cancel = nullptr);

} // namespace drawmentor
