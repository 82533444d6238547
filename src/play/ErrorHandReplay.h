#pragma once

#include "cards/Cards.h"

#include <array>
#include <cstdint>
#include <vector>

namespace drawmentor {

class TLogger;

// The hands the mode "Play Error Hands" deals again: every logged hand of the
// game and paytable on the table that was played worse than best or on which
// the hint was used, in log order, round and round.
class TErrorHandReplay {
  public:
    // False when the log holds no such hand.
    bool Build(TLogger& logger, int gameIndex, int payIndex);
    void Clear();
    bool Empty() const { return FHands.empty(); }
    int Count() const { return static_cast<int>(FHands.size()); }
    // The 1-based number of the hand dealt last, 0 before the first.
    int Position() const { return FNext; }
    // The dealt cards of the next hand; the first again after the last.
    std::array<int, kHandSize> Next();
    // The log lost records since the list was built: it must be built again.
    bool IsStale(const TLogger& logger) const;

  private:
    std::vector<int32_t> FHands; // packed dealt hands
    int FNext = 0;
    uint64_t FLogRemovals = 0;
};

} // namespace drawmentor
