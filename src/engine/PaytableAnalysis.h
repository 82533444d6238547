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
    int64_t Deals = 0;             // C(deck size, 5)
    int64_t Classes = 0;           // deals evaluated after folding suit symmetry
    long double ReturnPercent = 0; // expected pay per hand as a percent of the bet
    long double Variance = 0;      // of one hand's result, in bets squared
    // Of the best hold's expected pay over deals, in bets squared: what hands
    // dealt together share, so two hands drawn from one hold covary by it.
    long double DealVariance = 0;
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

// The standard deviation, in bets of one hand, of the result of one deal of
// `hands` hands drawn from one hold: the hands are independent given the
// deal, so Var = N·Var(hand) + N(N−1)·DealVariance.
long double DealDeviation(const TPaytableReturn& result, int hands);

// Deals of a deck with `jokers` jokers folded by suit symmetry: each entry is
// a canonical hand (codes, natural cards first) and the number of deals it
// stands for. Their weights add up to C(52 + jokers, 5).
struct TDealClass {
    std::array<int, 5> Codes{};
    int64_t Weight = 0;
};
std::vector<TDealClass> DealClasses(int jokers);

// Indices of `classes` grouped by rank pattern (TBestHolds::RankKey): the
// order the analysis visits them in, so that deals of one pattern share work.
std::vector<uint32_t> RankPatternOrder(const std::vector<TDealClass>& classes);

// The analysis over the given deals only, weighted as given (AnalyzePaytable
// passes every class of the deck); Deals is the sum of the weights.
TPaytableReturn AnalyzeDealClasses(const TPokerDescription& game, const std::vector<int>& pays,
                                   int betCoins, const std::vector<TDealClass>& classes,
                                   const TAnalysisOptions& options = {});

} // namespace drawmentor
