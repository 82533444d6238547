#include "Arguments.h"
#include "Commands.h"
#include "PaytableSource.h"

#include "bankroll/DealDistribution.h"
#include "bankroll/HandDistribution.h"
#include "bankroll/RiskOfRuin.h"
#include "bankroll/SessionDistribution.h"
#include "core/Error.h"
#include "games/Catalogue.h"
#include "games/HandsPerDeal.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>

namespace drawmentor::cli {
namespace {

constexpr int kDefaultHands = 1000;

// The figures of one session, results in bets.
struct TRiskReport {
    int Bet = 5;
    int Bankroll = 0;
    int Hands = 0; // deals of HandsPerDeal hands
    int HandsPerDeal = 1;
    int Cashback = -1; // hundredths of a percent of the coins played; -1 when not given
    int64_t Scale = 1; // units of the figures per coin
    long double ReturnPercent = 0;
    long double HandDeviation = 0;
    TSessionDistribution Session;
    TRuin Ruin;
    TLongRunRuin LongRun;
    std::string LongRunLeftOut; // why the long-run risk was not computed
    TTopLineWait Wait;

    long double Bets(long double units) const {
        return units / (static_cast<long double>(Bet) * static_cast<long double>(Scale));
    }
};

// Figures below what the computation can tell apart from zero are said so.
std::string Percent(long double p) {
    char text[64];
    if (p < 1e-15L) return "less than 1e-13 %";
    std::snprintf(text, sizeof text, "%.6Lg %%", 100 * p);
    return text;
}

std::string LongRunText(const TLongRunRuin& longRun) {
    switch (longRun.Kind) {
    case TLongRunRuin::TKind::Certain:
        return "certain: the return is not above 100 %, so play without end loses any bankroll";
    case TLongRunRuin::TKind::Impossible: return "none: no hand of this paytable loses";
    case TLongRunRuin::TKind::Computed: break;
    }
    return Percent(longRun.Probability);
}

void PrintPlain(const TPokerDescription& game, const TRiskReport& report, double seconds,
                std::ostream& out) {
    char text[240];
    const auto line = [&](const char* label, const std::string& value) {
        std::snprintf(text, sizeof text, "  %-40s %s\n", label, value.c_str());
        out << text;
    };
    const auto bets = [&](long double coins) {
        char number[64];
        std::snprintf(number, sizeof number, "%.2Lf", report.Bets(coins));
        return std::string(number);
    };
    // Results of the grid are exact: no decimals they do not have.
    const auto result = [&](int64_t coins) {
        char number[64];
        std::snprintf(number, sizeof number, "%.10Lg",
                      report.Bets(static_cast<long double>(coins)));
        return std::string(number);
    };
    const bool deals = report.HandsPerDeal > 1;
    const std::string unit = deals ? " deals" : " hands";
    const std::string hands = std::to_string(report.Hands) + unit;
    out << game.Name << ", " << report.Bet << (report.Bet == 1 ? " coin" : " coins")
        << ", optimal play\n";
    if (deals)
        std::snprintf(text, sizeof text,
                      "Return %.6Lf %%, standard deviation %.4Lf bets of one hand a deal of %d\n"
                      "Bankroll %d bets of one hand, %d deals of %d hands\n\n",
                      report.ReturnPercent, report.HandDeviation, report.HandsPerDeal,
                      report.Bankroll, report.Hands, report.HandsPerDeal);
    else
        std::snprintf(text, sizeof text,
                      "Return %.6Lf %%, standard deviation %.4Lf bets a hand\n"
                      "Bankroll %d bets, %d hands\n\n",
                      report.ReturnPercent, report.HandDeviation, report.Bankroll, report.Hands);
    out << text;
    if (report.Cashback >= 0) {
        std::snprintf(text, sizeof text, "With %.2f %% back: return %.6Lf %%\n\n",
                      report.Cashback / 100.0, report.ReturnPercent + report.Cashback / 100.0L);
        out << text;
    }
    // A ruin no run of the hands can reach is 0, not a figure too small to tell.
    line(("Risk of ruin in " + hands).c_str(), report.Ruin.Impossible
                                                   ? "0 % (losing every hand still leaves a bet)"
                                                   : Percent(report.Ruin.Probability));
    line("Risk of ruin, playing without end", report.LongRunLeftOut.empty()
                                                  ? LongRunText(report.LongRun)
                                                  : "not computed: " + report.LongRunLeftOut);

    const TSessionDistribution& session = report.Session;
    out << "\n  Result after " << hands << ", in bets (played to the end)\n";
    line("  Mean", bets(session.Mean));
    line("  Standard deviation", bets(std::sqrt(session.Variance)));
    line("  5 % of sessions end at or below", result(session.Quantile(0.05L)));
    line("  Median", result(session.Quantile(0.5L)));
    line("  95 % of sessions end at or below", result(session.Quantile(0.95L)));

    const TTopLineWait& wait = report.Wait;
    out << '\n';
    if (wait.Line < 0) {
        out << "  No line pays under optimal play.\n";
    } else {
        std::snprintf(text, sizeof text, "  %s, paying %d coins, comes once in %.2Lf%s\n",
                      game.LineName(wait.Line).c_str(), wait.Pay, wait.MeanHands,
                      deals ? " deals (one or more)" : " hands");
        out << text;
        line("  Half the time it takes", std::to_string(wait.MedianHands) + unit + " or fewer");
        line(("  None in " + hands).c_str(), Percent(wait.NoneWithin));
        line(("  Mean result of " + hands + " without").c_str(),
             bets(wait.MeanResultWithout) + " bets");
    }
    std::snprintf(text, sizeof text, "\n  %.2f s\n", seconds);
    out << text;
}

void PrintJson(int gameIndex, const TPokerDescription& game, const std::vector<int>& pays,
               const TRiskReport& report, double seconds, std::ostream& out) {
    const TSessionDistribution& session = report.Session;
    const auto bets = [&](long double coins) { return static_cast<double>(report.Bets(coins)); };
    nlohmann::ordered_json topLine = nullptr;
    const TTopLineWait& wait = report.Wait;
    if (wait.Line >= 0)
        topLine = {{"line", wait.Line},
                   {"name", game.LineName(wait.Line)},
                   {"pay", wait.Pay},
                   {"probability", static_cast<double>(wait.Probability)},
                   {"mean_hands", static_cast<double>(wait.MeanHands)},
                   {"median_hands", wait.MedianHands},
                   {"none_within_hands", static_cast<double>(wait.NoneWithin)},
                   {"mean_result_without", bets(wait.MeanResultWithout)}};
    const bool computed =
        report.LongRun.Kind == TLongRunRuin::TKind::Computed && report.LongRunLeftOut.empty();
    const std::string note = report.LongRunLeftOut.empty()
                                 ? LongRunText(report.LongRun)
                                 : "not computed: " + report.LongRunLeftOut;
    nlohmann::ordered_json document = {
        {"game", gameIndex},
        {"bet", report.Bet},
        {"pays", pays},
        {"bankroll", report.Bankroll},
        {"hands", report.Hands},
        {"return_percent", static_cast<double>(report.ReturnPercent)},
        {"risk_of_ruin", static_cast<double>(report.Ruin.Probability)},
        {"risk_of_ruin_error_bound", static_cast<double>(report.Ruin.ErrorBound)},
        {"risk_of_ruin_unlimited", static_cast<double>(report.LongRun.Probability)},
        {"risk_of_ruin_unlimited_note",
         computed ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(note)},
        {"mean", bets(session.Mean)},
        {"standard_deviation", bets(std::sqrt(session.Variance))},
        {"quantile_5", bets(static_cast<long double>(session.Quantile(0.05L)))},
        {"median", bets(static_cast<long double>(session.Quantile(0.5L)))},
        {"quantile_95", bets(static_cast<long double>(session.Quantile(0.95L)))},
        {"distribution_error_bound", static_cast<double>(session.ErrorBound)},
        {"top_line", topLine},
        {"seconds", seconds}};
    // Only when asked for, so that the figures of single hands read as they always did.
    if (report.HandsPerDeal > 1 || report.Cashback >= 0) {
        document.erase("seconds");
        if (report.HandsPerDeal > 1) document["hands_per_deal"] = report.HandsPerDeal;
        if (report.Cashback >= 0) {
            document["cashback_percent"] = report.Cashback / 100.0;
            document["return_with_cashback_percent"] =
                static_cast<double>(report.ReturnPercent + report.Cashback / 100.0L);
        }
        document["seconds"] = seconds;
    }
    out << document.dump() << '\n';
}

void PrintDistribution(const TRiskReport& report, std::ostream& out) {
    const TSessionDistribution& session = report.Session;
    out << "result,probability,cumulative\n";
    char text[120];
    long double cumulative = 0;
    for (size_t i = 0; i < session.Probability.size(); ++i) {
        cumulative += session.Probability[i];
        std::snprintf(text, sizeof text, "%.10Lg,%.17g,%.17Lg\n",
                      report.Bets(static_cast<long double>(session.ResultAt(i))),
                      session.Probability[i], std::min(cumulative, 1.0L));
        out << text;
    }
    // The grid leaves off the tails beyond a proven bound and the points at
    // its ends no larger than the error of a point: say how much that is.
    char note[240];
    std::snprintf(
        note, sizeof note,
        "# left out: results below %.10Lg and above %.10Lg bets, together %.3Lg "
        "(each probability within %.3Lg)\n",
        report.Bets(static_cast<long double>(session.ResultAt(0))),
        report.Bets(static_cast<long double>(session.ResultAt(session.Probability.size() - 1))),
        std::max(0.0L, 1 - cumulative), session.ErrorBound);
    out << note;
}

} // namespace

int RunRisk(const std::vector<std::string>& words, std::ostream& out) {
    const auto start = std::chrono::steady_clock::now();
    const TArguments args(words,
                          {"game", "pays", "paytable", "bet", "bankroll", "hands", "threads",
                           "data-dir", "hands-per-deal", "cashback"},
                          {"json", "distribution"});
    ApplyDataDir(args);
    if (!args.Positional().empty()) throw EUsage("risk takes no cards or words");
    if (!args.Has("game")) throw EUsage("risk needs --game G");
    const bool distribution = args.Flag("distribution");
    if (distribution && args.Flag("json")) throw EUsage("give --json or --distribution, not both");
    if (!distribution && !args.Has("bankroll")) throw EUsage("risk needs --bankroll B (in bets)");
    const int gameIndex = args.Int("game", 0, 0, kCatalogueSize - 1);
    const auto game = CreateDescription(gameIndex);
    TRiskReport report;
    report.Bet = args.Int("bet", kMaxCoins, 1, kMaxCoins);
    const std::vector<int> pays = PaysFromArguments(args, *game, report.Bet);
    if (std::all_of(pays.begin(), pays.end(), [](int pay) { return pay == 0; }))
        throw EUsage("the paytable pays nothing on any line: every hand loses the bet");
    report.Hands = args.Int("hands", kDefaultHands, 1, static_cast<int>(kMaxRuinHands));
    report.Bankroll = args.Int("bankroll", 1, 1, static_cast<int>(kMaxBankrollBets));
    report.HandsPerDeal = args.Int("hands-per-deal", 1, 1, kMaxHandsPerDeal);
    if (!IsHandsPerDealChoice(report.HandsPerDeal))
        throw EUsage("--hands-per-deal: " + std::to_string(report.HandsPerDeal) +
                     " is not one of 1, 3, 5, 10, 50, 100");
    TAnalysisOptions options;
    options.Threads = args.Int("threads", 0, 1, 64);
    const TPaytableReturn analysis = AnalyzePaytable(*game, pays, report.Bet, options);
    report.ReturnPercent = analysis.ReturnPercent;
    report.HandDeviation = std::sqrt(analysis.Variance);
    // A deal of several hands is one step of the session: its result the
    // hands' sum, its bet theirs; the bankroll stays in bets of one hand.
    report.Cashback = args.Has("cashback") ? ParseCashback(*args.Value("cashback")) : -1;
    const THandDistribution played =
        report.HandsPerDeal == 1
            ? HandDistributionOf(analysis, pays, report.Bet)
            : *DealDistributionOf(BestHoldOutcomes(*game, pays, report.Bet, options), pays,
                                  report.Bet, report.HandsPerDeal, options.Threads);
    if (report.HandsPerDeal > 1)
        report.HandDeviation = DealDeviation(analysis, report.HandsPerDeal);
    // A rebate credited with each deal: the figures count in units fine
    // enough to hold it, the bankroll too.
    std::optional<TRebatedHand> rebated;
    if (report.Cashback > 0) rebated = WithCashback(played, report.Cashback);
    const THandDistribution& hand = rebated ? rebated->Hand : played;
    report.Scale = rebated ? rebated->Scale : 1;
    const int64_t bankrollCoins = int64_t{report.Bankroll} * report.Bet * report.Scale;
    try {
        report.Session = SessionDistribution(hand, report.Hands);
        if (distribution) {
            PrintDistribution(report, out);
            return 0;
        }
        report.Ruin = RiskOfRuin(hand, bankrollCoins, report.Hands);
    } catch (const ERangeError& error) {
        // Only paytables with huge pays on a fine grid get here: the work
        // the exact figures need is beyond reason, which the user can change.
        throw EUsage(error.what());
    }
    try {
        report.LongRun = LongRunRiskOfRuin(hand, bankrollCoins);
    } catch (const ERangeError& error) {
        report.LongRunLeftOut = error.what();
    }
    report.Wait = TopLineWait(hand, report.Hands);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (args.Flag("json"))
        PrintJson(gameIndex, *game, pays, report, seconds, out);
    else
        PrintPlain(*game, report, seconds, out);
    return 0;
}

} // namespace drawmentor::cli
