#include "BankrollForRisk.h"

#include "RiskOfRuin.h"
#include "core/Error.h"

#include <algorithm>
#include <string>
#include <vector>

namespace drawmentor {
namespace {

// The most units asked about: kMaxBankrollBets of them, within what
// CheckBankroll lets a bankroll hold.
int64_t MostUnits(const THandDistribution& hand, int64_t unitCoins) {
    if (unitCoins < 1)
        throw ERangeError("A bankroll is counted in units of at least one coin, not " +
                          std::to_string(unitCoins));
    return std::min(kMaxBankrollBets, kMaxBankrollBets * hand.BetCoins() / unitCoins);
}

int64_t UnitsFor(int64_t coins, int64_t unitCoins) {
    return (coins + unitCoins - 1) / unitCoins;
}

} // namespace

void CheckTargetRisk(long double target) {
    if (!(target >= kLeastTargetRisk && target < 1))
        throw ERangeError("A target risk of ruin lies from 1e-10 % to below 100 %, not " +
                          std::to_string(static_cast<double>(100 * target)) + " %");
}

TBankrollForRisk BankrollForRisk(const THandDistribution& hand, int64_t unitCoins,
                                 long double target, int64_t hands,
                                 const std::atomic<bool>* cancel) {
    CheckTargetRisk(target);
    CheckRuinHands(hands);
    const int64_t most = MostUnits(hand, unitCoins);
    // From a bankroll that keeps a bet after losing every hand, ruin is
    // impossible: no larger one needs asking about.
    const int64_t worst = std::max<int64_t>(0, -hand.Outcomes().front().Net);
    const int64_t last = std::min(most, UnitsFor(hand.BetCoins() + hands * worst, unitCoins));
    std::vector<int64_t> bankrolls;
    bankrolls.reserve(static_cast<size_t>(last));
    for (int64_t units = 1; units <= last; ++units) bankrolls.push_back(units * unitCoins);
    const TRuinCurve curve = RiskOfRuinCurve(hand, bankrolls, hands, cancel);
    TBankrollForRisk result;
    result.Cancelled = curve.Cancelled;
    if (result.Cancelled) return result;
    const auto found = std::find_if(curve.Probability.begin(), curve.Probability.end(),
                                    [&](long double risk) { return risk <= target; });
    if (found == curve.Probability.end()) {
        result.Kind = TBankrollForRisk::TKind::Beyond;
        return result;
    }
    result.Units = found - curve.Probability.begin() + 1;
    result.Risk = *found;
    result.RiskBelow = found == curve.Probability.begin() ? 1 : *(found - 1);
    return result;
}

TBankrollForRisk LongRunBankrollForRisk(const THandDistribution& hand, int64_t unitCoins,
                                        long double target, const std::atomic<bool>* cancel) {
    CheckTargetRisk(target);
    MostUnits(hand, unitCoins);
    return LongRunBankrollForRisk(hand, TLongRunLadder(hand, cancel), unitCoins, target, cancel);
}

TBankrollForRisk LongRunBankrollForRisk(const THandDistribution& hand, TLongRunLadder ladder,
                                        int64_t unitCoins, long double target,
                                        const std::atomic<bool>* cancel) {
    CheckTargetRisk(target);
    const int64_t most = MostUnits(hand, unitCoins);
    TBankrollForRisk result;
    result.Cancelled = ladder.Cancelled();
    if (result.Cancelled) return result;
    if (ladder.Kind() == TLongRunRuin::TKind::Certain) {
        result.Kind = TBankrollForRisk::TKind::Never;
        return result;
    }
    // The least bankroll that pays a bet; one unit less is lost at once.
    const int64_t first = UnitsFor(hand.BetCoins(), unitCoins);
    if (first > most) {
        result.Kind = TBankrollForRisk::TKind::Beyond;
        return result;
    }
    long double risk = 1;
    for (int64_t units = first; units <= most; ++units) {
        const int64_t steps = (units * unitCoins - hand.BetCoins()) / hand.Step();
        while (ladder.Climbed() <= steps) {
            if (ladder.Climbed() % 4096 == 0 && cancel && cancel->load()) {
                result.Cancelled = true;
                return result;
            }
            risk = ladder.Next();
        }
        if (risk <= target) {
            result.Units = units;
            result.Risk = risk;
            return result;
        }
        result.RiskBelow = risk;
    }
    result.Kind = TBankrollForRisk::TKind::Beyond;
    result.RiskBelow = 1;
    return result;
}

} // namespace drawmentor
