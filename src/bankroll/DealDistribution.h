#pragma once

#include "HandDistribution.h"
#include "engine/DealOutcomes.h"

#include <atomic>
#include <optional>

namespace drawmentor {

// The net result of one deal of `hands` hands drawn from one hold, as one
// "hand" of `hands` times the bet: everything that sums hands (sessions,
// ruin, luck) then counts deals. Given the deal, the hands are independent
// draws of the best hold, so the result is the mixture over deals of the
// hold's outcome summed `hands` times; each sum is exact to its
// distribution's proven bound, and OutcomeError adds those bounds up.
// `pays` and `betCoins` are those the outcomes were found with. Raises
// ERangeError for hands outside 1..kMaxHandsPerDeal. A cancelled run returns
// nothing.
std::optional<THandDistribution> DealDistributionOf(const TDealOutcomes& deals,
                                                    const std::vector<int>& pays, int betCoins,
                                                    int hands, int threads = 0,
                                                    const std::atomic<bool>* cancel = nullptr);

} // namespace drawmentor
