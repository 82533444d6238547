#pragma once

#include "games/PokerDescription.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace drawmentor {

// The optimal-play figures of one paytable: every deal of the full deck held
// the best way (GetTheBest, ties to the lowest mask), weighted by how often it
// is dealt.
struct TPaytableReturn {
    int64_t Deals = 0;                        // C(deck size, 5)
    int64_t Classes = 0;                      // deals evaluated after folding suit symmetry
    long double ReturnPercent = 0;            // expected pay per hand as a percent of the bet
    long double Variance = 0;                 // of one hand's result, in bets squared
    std::vector<long double> LineProbability; // per paytable line
    long double NothingProbability = 0;       // final hands no line pays
    bool Cancelled = false;
};

struct TAnalysisOptions {
    int Threads = 0; // 0: one per core
    // Called now and then from a worker thread with classes done and total.
    std::function<void(int64_t done, int64_t total)> Progress;
    const std::atomic<bool>* Cancel = nullptr;
};

// `pays` are the whole-bet pays of the game's lines for a bet of `betCoins`.
// The sums are exact integers (128 bits), so the result is the same for any
// number of threads; only the final divisions are rounded, in extended
// precision, far below the printed digits.
TPaytableReturn AnalyzePaytable(const TPokerDescription& game, const std::vector<int>& pays,
                                int betCoins, const TAnalysisOptions& options = {});

// Deals of a deck with `jokers` jokers folded by suit symmetry: each entry is
// a canonical hand (codes, natural cards first) and the number of deals it
// stands for. Their weights add up to C(52 + jokers, 5).
struct TDealClass {
    std::array<int, 5> Codes{};
    int64_t Weight = 0;
};
std::vector<TDealClass> DealClasses(int jokers);

} // namespace drawmentor
