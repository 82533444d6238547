#pragma once

#include "HoldClass.h"
#include "engine/PaytableAnalysis.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace drawmentor {

// Every deal of the deck (folded by suit symmetry) with the holds a chart may
// play: those of a family with a class that is the best play of at least one
// deal (the whole family, so that a line may cover it all). A deal's
// entries are in the order HoldPrecedence prefers, so that among holds of one
// chart line the first is the one the chart keeps.
//
// Pays are exact: an entry's Pay is its expected pay times Common, the least
// common multiple of every hold's number of draw outcomes.
struct TChartDeals {
    std::vector<TDealClass> Deals;
    int64_t DealCount = 0; // C(deck size, 5): the sum of the weights
    int64_t Common = 0;
    int Bet = 0;
    std::vector<int64_t> Best; // per deal, the best hold's Pay
    std::vector<int> BestMask; // per deal, the best hold (ties to the lowest mask)
    // Per deal, 1 when the dealt hand is four of a kind or better (it pays at
    // least what the least four of a kind pays): a chart plays it best. May
    // be empty (none).
    std::vector<uint8_t> Kept;
    // Entries of deal d are First[d] .. First[d + 1] - 1.
    std::vector<uint32_t> First;
    std::vector<int32_t> Atom; // index into Atoms
    std::vector<uint8_t> Mask;
    std::vector<int64_t> Pay;
    // The classes with their penalties (THoldClass::Packed) the entries use.
    std::vector<uint32_t> Atoms;
    // Per family, the variants that occur in some deal (chart or not).
    std::map<uint32_t, uint32_t> Universe;
    // The classes (no penalties) that are the best play of some deal, sorted.
    std::vector<uint32_t> BestClasses;
    bool Cancelled = false;
};

struct TChartDealOptions {
    int Threads = 0; // 0: one per core
    const std::atomic<bool>* Cancel = nullptr;
    std::function<void(int64_t done, int64_t total)> Progress;
};

// Runs the exact engine on every deal and classifies its 32 holds.
TChartDeals CollectChartDeals(const TPokerDescription& game, const THoldClassifier& classifier,
                              int betCoins, const TChartDealOptions& options = {});

} // namespace drawmentor
