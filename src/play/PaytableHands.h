#pragma once

#include "bankroll/HandDistribution.h"

#include <functional>
#include <optional>
#include <vector>

namespace drawmentor {

// The paytable a hand was played on: as the log knows it, by its position in
// the store.
struct TPaytableKey {
    int Game = 0;
    int PayIndex = 0;
    int Bet = 0;
    friend bool operator==(const TPaytableKey&, const TPaytableKey&) = default;
};

// Per key the hand of best play, or none when the paytable is no longer stored.
using THandSource =
    std::function<std::vector<std::optional<THandDistribution>>(const std::vector<TPaytableKey>&)>;

// The hands of the paytable store. A paytable's analysis takes about half a
// second, so it is kept in the user's return cache (shared with the paytable
// windows, kept in memory while the source lives): each is made once.
THandSource StoredPaytableHands();

} // namespace drawmentor
