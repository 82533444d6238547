#include "RoyalMeter.h"

#include "core/Error.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace drawmentor {

std::vector<int> PaysAtMeter(const std::vector<int>& pays, int64_t meter) {
    if (pays.empty()) throw ERangeError("A paytable has at least one line");
    if (meter < pays[kRoyalLine] || meter > kMaxRoyalMeter)
        throw ERangeError("A royal meter shows " + std::to_string(pays[kRoyalLine]) + " to " +
                          std::to_string(kMaxRoyalMeter) + " coins, not " + std::to_string(meter));
    std::vector<int> result = pays;
    result[kRoyalLine] = static_cast<int>(meter);
    return result;
}

std::optional<int64_t> BreakEvenMeter(const TPokerDescription& game, const std::vector<int>& pays,
                                      int betCoins, long double targetPercent,
                                      const TAnalysisOptions& options) {
    const auto returnAt = [&](int64_t meter) {
        const TPaytableReturn result =
            AnalyzePaytable(game, PaysAtMeter(pays, meter), betCoins, options);
        if (result.Cancelled) throw EDrawMentor("The break-even meter was cancelled");
        return result;
    };
    const int64_t lowest = pays.at(kRoyalLine);
    if (returnAt(lowest).ReturnPercent >= targetPercent) return lowest;
    // Doubling finds a meter at or above the answer in a few analyses.
    int64_t meter = std::max<int64_t>(lowest, 1);
    TPaytableReturn at;
    do {
        meter = std::min(kMaxRoyalMeter, 2 * meter);
        at = returnAt(meter);
    } while (at.ReturnPercent < targetPercent && meter < kMaxRoyalMeter);
    if (at.ReturnPercent < targetPercent) return std::nullopt;
    // From above, each tangent meets the target at or above the answer; the
    // return is piecewise linear, so the steps end on its last piece.
    for (int step = 0; step < 64; ++step) {
        const long double slope = 100 * at.LineProbability[kRoyalLine] / betCoins;
        if (slope <= 0) break;
        const long double exact =
            static_cast<long double>(meter) - (at.ReturnPercent - targetPercent) / slope;
        const int64_t next = std::max(lowest, static_cast<int64_t>(std::ceil(exact)));
        if (next >= meter) break;
        const TPaytableReturn there = returnAt(next);
        if (there.ReturnPercent < targetPercent) break; // rounding: meter is the answer
        meter = next;
        at = there;
    }
    // The answer is whole: the meter below it must fall short.
    while (meter > lowest && returnAt(meter - 1).ReturnPercent >= targetPercent) --meter;
    return meter;
}

} // namespace drawmentor
