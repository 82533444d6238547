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
    int HandsPerDeal = 1; // the hands dealt together from one hold
    friend bool operator==(const TPaytableKey&, const TPaytableKey&) = default;
};

// Per key the result of one deal under best play (of one hand when the deal
// has one), or none when the paytable is no longer stored.
using THandSource =
    std::function<std::vector<std::optional<THandDistribution>>(const std::vector<TPaytableKey>&)>;

// The hands of the paytable store. A paytable's analysis takes about half a
// second, so it is kept in the user's return cache (shared with the paytable
// windows, kept in memory while the source lives): each is made once. A deal
// of several hands takes its best holds deal by deal, which the cache does
// not keep: it is made once while the source lives.
THandSource StoredPaytableHands();

} // namespace drawmentor
