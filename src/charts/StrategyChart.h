#pragma once

#include "ChartLine.h"
#include "HoldClass.h"
#include "games/PokerDescription.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace drawmentor {

// Where a line's play is worth changing: in the deals the line plays that
// also hold a hold of class Class, holding that instead recovers Recovered
// of what the whole chart loses against perfect play.
struct TChartException {
    uint32_t Class = 0; // THoldClass::Class(), no penalties
    TNamePart Name;     // of the class
    double Recovered = 0;
};

struct TChartLine {
    TLineDefinition Definition;
    // Lines of other families read as one with it: "Four of a Kind or
    // Straight Flush" (short charts only).
    std::vector<TLineDefinition> Also;
    std::string Key;
    TNamePart Name;           // put into words by the language the chart is shown in
    double Frequency = 0;     // share of all deals on which this line is the play
    double AverageReturn = 0; // of those deals, in bets
    // The one or two exceptions worth a player's notice, the larger first.
    std::vector<TChartException> Exceptions;
    // A dealt hand the line plays, and plays best: the most common such deal
    // (ExampleMask -1 when the line plays none best). Bit i of the mask set =
    // card i replaced.
    std::array<int, kHandSize> Example{};
    int ExampleMask = -1;

    bool Matches(THoldClass hold) const {
        if (Definition.Matches(hold)) return true;
        for (const auto& also : Also)
            if (also.Matches(hold)) return true;
        return false;
    }
};

// How much a chart asks of a player: few lines for a beginner, more for an
// intermediate player, as many as perfect play needs for an expert.
enum class TChartLevel { Beginner, Intermediate, Expert };
inline constexpr int kChartLevelCount = 3;

// A strategy chart: play the hold of the highest line present in the dealt
// hand. The figures are exact sums over every deal of the deck.
struct TStrategyChart {
    int GameIndex = 0;
    int Bet = 0;
    TChartLevel Level = TChartLevel::Expert;
    std::vector<int> Pays; // whole-bet pays of the game's lines
    std::vector<TChartLine> Lines;
    long double ChartReturn = 0;   // percent of the bet, every deal played by the chart
    long double OptimalReturn = 0; // percent of the bet, every deal played best
    // Percent of the bet, every deal played by the chart with its exception
    // notes taken (the first that applies); ChartReturn when it has none.
    long double NotedReturn = 0;
    int64_t Deals = 0;        // C(deck size, 5)
    int64_t Classes = 0;      // deals evaluated after folding suit symmetry
    int64_t DealsOffBest = 0; // deals on which the chart's hold returns less than the best
    // A wild-card chart that holds every wild card dealt, in every deal: it
    // can be read by the number of wild cards dealt.
    bool KeepsWilds = false;
    bool Cancelled = false;
};

struct TChartOptions {
    int Threads = 0; // 0: one per core
    TChartLevel Level = TChartLevel::Expert;
    // 0: the level's; an expert chart has 40 (84 with wild cards) and may
    // grow to 48 (96) while it plays more than 0.01 % of the bet below perfect
    // play. Whatever the count, a chart plays a dealt four of a kind or
    // better as perfect play does.
    int MaxLines = 0;
    double MinLineGain = 1e-6; // bets per hand a line must be worth
    const std::atomic<bool>* Cancel = nullptr;
    // From a worker thread now and then: deals done and total (the engine
    // pass; the ordering that follows takes a fraction of that time).
    std::function<void(int64_t done, int64_t total)> Progress;
};

// Raises a range error for pays that do not fit the game, a negative pay or a
// paytable that pays nothing. The same arguments give the same chart.
TStrategyChart GenerateChart(const TPokerDescription& game, const std::vector<int>& pays,
                             int betCoins, const TChartOptions& options = {});

struct TChartPlay {
    int Line = -1; // index into TStrategyChart::Lines
    int Mask = 0;  // draw mask: bit i set = card i replaced
    THoldClass Class;
};

// Plays dealt hands by a chart, as a player reading it would: the classes of
// all 32 holds, the highest line present, and among that line's holds the one
// HoldPrecedence prefers.
class TChartPlayer {
  public:
    TChartPlayer(const TPokerDescription& game, const TStrategyChart& chart);
    TChartPlay Play(const std::array<int, kHandSize>& codes) const;
    const THoldClassifier& Classifier() const { return FClassifier; }

  private:
    THoldClassifier FClassifier;
    std::vector<TChartLine> FLines;
};

// The lines in the order a player reads them: a chart that keeps the wild
// cards is read in groups by the number of wild cards held, most first, each
// group in chart order; any other chart in chart order.
std::vector<int> ReadingOrder(const TStrategyChart& chart);

// A chart as text and back (names are rebuilt from the game and the pays).
std::string SaveChart(const TStrategyChart& chart);
TStrategyChart LoadChart(const std::string& text);

} // namespace drawmentor
