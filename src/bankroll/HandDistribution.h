#pragma once

#include "engine/PaytableAnalysis.h"

#include <cstdint>
#include <vector>

namespace drawmentor {

// One possible result of a hand: what it pays less the bet, in coins.
struct TNetOutcome {
    int64_t Net = 0;
    long double Probability = 0;
};

// What one hand of a paytable pays under perfect play, line by line, and the
// distinct net results that follow. Everything later (sessions, ruin) reads
// the results; the lines stay for naming the top one.
class THandDistribution {
  public:
    // Per paytable line its whole-bet pay and probability; whatever no line
    // pays loses the bet. The probabilities must add up to 1 (within 1e-9).
    THandDistribution(int betCoins, std::vector<int> linePays,
                      std::vector<long double> lineProbability, long double nothingProbability);

    // A result made of several hands (a deal of hands from one hold): its
    // distinct net results as they are, `outcomeError` bounding the sum of
    // their probabilities' errors. The lines are those of one hand; the top
    // line's chance is that of at least one in the result and `topLineNet`
    // the mean net result of the results that have one.
    static THandDistribution FromOutcomes(int betCoins, std::vector<TNetOutcome> outcomes,
                                          long double outcomeError, std::vector<int> linePays,
                                          int topLine, long double topLineProbability,
                                          long double topLineNet);

    int BetCoins() const { return FBetCoins; }
    const std::vector<int>& LinePays() const { return FLinePays; }
    const std::vector<long double>& LineProbability() const { return FLineProbability; }
    long double NothingProbability() const { return FNothingProbability; }

    // Distinct net results of a hand that can happen, lowest first. Lines of
    // equal pay and lines paying nothing are merged.
    const std::vector<TNetOutcome>& Outcomes() const { return FOutcomes; }
    // The greatest common divisor of the net results (the bet when a hand can
    // only break even): every session's result is a multiple of it.
    int64_t Step() const { return FStep; }
    long double Mean() const { return FMean; }         // coins per hand
    long double Variance() const { return FVariance; } // coins squared

    // The line with the highest pay (the first of equal ones), -1 when no line
    // pays; TopLineProbability adds every line paying that much.
    int TopLine() const { return FTopLine; }
    long double TopLineProbability() const { return FTopLineProbability; }
    // The mean net result (coins) of a result with the top line: its pay less
    // the bet for one hand.
    long double TopLineNet() const { return FTopLineNet; }
    // The sum of the outcomes' probability errors beyond their last place:
    // zero for one hand, whose probabilities are single divisions.
    long double OutcomeError() const { return FOutcomeError; }

  private:
    THandDistribution() = default;
    void Summarise();

    int FBetCoins = 1;
    std::vector<int> FLinePays;
    std::vector<long double> FLineProbability;
    long double FNothingProbability = 0;
    std::vector<TNetOutcome> FOutcomes;
    int64_t FStep = 1;
    long double FMean = 0;
    long double FVariance = 0;
    int FTopLine = -1;
    long double FTopLineProbability = 0;
    long double FTopLineNet = 0;
    long double FOutcomeError = 0;
};

// A rebate of `hundredths` hundredths of a percent of the coins bet, credited
// with each result: the same results, each raised by the rebate. Rebates are
// rarely whole coins, so the result counts in units of 1/Scale coin (Scale
// the least that makes the rebate whole) and its bet is BetCoins * Scale
// units; a bankroll must be given in the same units.
struct TRebatedHand {
    THandDistribution Hand;
    int64_t Scale = 1;
};
// Raises ERangeError for a rebate outside 0 to 100 %.
TRebatedHand WithCashback(const THandDistribution& hand, int hundredths);
// The most cash-back the program offers, in hundredths of a percent: 5 %.
inline constexpr int kMaxCashback = 500;

// The hand of a paytable analysis: the same probabilities `drawmentor-cli
// return` prints, so the mean and variance are the analysis' return and
// variance in coins. `pays` and `betCoins` are those the analysis was given.
THandDistribution HandDistributionOf(const TPaytableReturn& analysis, const std::vector<int>& pays,
                                     int betCoins);

} // namespace drawmentor
