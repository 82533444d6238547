#include "Arguments.h"
#include "ChartLevel.h"
#include "Commands.h"
#include "PaytableSource.h"

#include "bankroll/BankrollForRisk.h"
#include "bankroll/DealDistribution.h"
#include "bankroll/HandDistribution.h"
#include "bankroll/RiskOfRuin.h"
#include "bankroll/SessionDistribution.h"
#include "bankroll/StopWin.h"
#include "charts/StrategyChart.h"
#include "core/Error.h"
#include "engine/DealOutcomes.h"
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
    std::string Play = "optimal play"; // or the chart's level
    TSessionDistribution Session;
    TRuin Ruin;
    TLongRunRuin LongRun;
    std::string LongRunLeftOut; // why the long-run risk was not computed
    TTopLineWait Wait;
    int Goal = 0; // bets of one hand; 0 when not asked for
    TStopWin GoalWithin;
    TStopWin GoalLongRun;
    std::string GoalLongRunLeftOut;
    double TargetPercent = 0; // 0 when not asked for
    TBankrollForRisk Least;
    TBankrollForRisk LongRunLeast; // left out with the risk without end

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

void PrintLine(std::ostream& out, const std::string& label, const std::string& value) {
    char text[240];
    std::snprintf(text, sizeof text, "  %-40s %s\n", label.c_str(), value.c_str());
    out << text;
}

std::string LeastText(const TBankrollForRisk& least, const std::string& leftOut) {
    if (!leftOut.empty()) return "not computed: " + leftOut;
    switch (least.Kind) {
    case TBankrollForRisk::TKind::Never:
        return "none: the return is not above 100 %, so play without end loses any bankroll";
    case TBankrollForRisk::TKind::Beyond:
        return "more than " + std::to_string(kMaxBankrollBets) + " bets";
    case TBankrollForRisk::TKind::Found: break;
    }
    const auto bets = [](int64_t units) {
        return std::to_string(units) + (units == 1 ? " bet" : " bets");
    };
    return bets(least.Units) + ", risk " + Percent(least.Risk) + " (" + bets(least.Units - 1) +
           ": " + Percent(least.RiskBelow) + ")";
}

// The answers to --goal and --target-risk, after the risk of ruin.
void PrintQuestions(const TRiskReport& report, const std::string& span, std::ostream& out) {
    if (report.Goal > 0) {
        out << "\n  A win goal of " << report.Goal << (report.Goal == 1 ? " bet" : " bets")
            << ", reached before ruin\n";
        PrintLine(out, "  within " + span, Percent(report.GoalWithin.Goal));
        PrintLine(out, "  playing without end",
                  report.GoalLongRunLeftOut.empty() ? Percent(report.GoalLongRun.Goal)
                                                    : "not computed: " + report.GoalLongRunLeftOut);
    }
    if (report.TargetPercent > 0) {
        char target[64];
        std::snprintf(target, sizeof target, "%.10g", report.TargetPercent);
        out << "\n  The least bankroll with a risk of ruin of at most " << target << " %\n";
        PrintLine(out, "  within " + span, LeastText(report.Least, {}));
        PrintLine(out, "  playing without end",
                  LeastText(report.LongRunLeast, report.LongRunLeftOut));
    }
}

void PrintPlain(const TPokerDescription& game, const TRiskReport& report, double seconds,
                std::ostream& out) {
    char text[240];
    const auto line = [&](const std::string& label, const std::string& value) {
        PrintLine(out, label, value);
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
    out << game.Name << ", " << report.Bet << (report.Bet == 1 ? " coin" : " coins") << ", "
        << report.Play << "\n";
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
    line("Risk of ruin in " + hands, report.Ruin.Impossible
                                         ? "0 % (losing every hand still leaves a bet)"
                                         : Percent(report.Ruin.Probability));
    line("Risk of ruin, playing without end", report.LongRunLeftOut.empty()
                                                  ? LongRunText(report.LongRun)
                                                  : "not computed: " + report.LongRunLeftOut);
    PrintQuestions(report, hands, out);

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
        line("  None in " + hands, Percent(wait.NoneWithin));
        line("  Mean result of " + hands + " without", bets(wait.MeanResultWithout) + " bets");
    }
    std::snprintf(text, sizeof text, "\n  %.2f s\n", seconds);
    out << text;
}

void AddGoal(const TRiskReport& report, nlohmann::ordered_json& document) {
    const bool computed = report.GoalLongRunLeftOut.empty();
    document["goal"] = report.Goal;
    document["goal_chance"] = static_cast<double>(report.GoalWithin.Goal);
    document["goal_chance_error_bound"] = static_cast<double>(report.GoalWithin.ErrorBound);
    document["goal_chance_unlimited"] =
        computed ? nlohmann::ordered_json(static_cast<double>(report.GoalLongRun.Goal)) : nullptr;
    document["goal_chance_unlimited_note"] =
        computed ? nlohmann::ordered_json(nullptr)
                 : nlohmann::ordered_json("not computed: " + report.GoalLongRunLeftOut);
}

// Each least bankroll is null when there is none, with a note saying why.
void AddTarget(const TRiskReport& report, nlohmann::ordered_json& document) {
    document["target_risk_percent"] = report.TargetPercent;
    const auto add = [&](const std::string& name, const TBankrollForRisk& least,
                         const std::string& leftOut) {
        const bool found = leftOut.empty() && least.Kind == TBankrollForRisk::TKind::Found;
        document[name] = found ? nlohmann::ordered_json(least.Units) : nullptr;
        document[name + "_risk"] =
            found ? nlohmann::ordered_json(static_cast<double>(least.Risk)) : nullptr;
        document[name + "_note"] = found ? nlohmann::ordered_json(nullptr)
                                         : nlohmann::ordered_json(LeastText(least, leftOut));
    };
    add("bankroll_for_target", report.Least, {});
    add("bankroll_for_target_unlimited", report.LongRunLeast, report.LongRunLeftOut);
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
        {"play", report.Play},
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
    if (report.HandsPerDeal > 1 || report.Cashback >= 0 || report.Goal > 0 ||
        report.TargetPercent > 0) {
        document.erase("seconds");
        if (report.HandsPerDeal > 1) document["hands_per_deal"] = report.HandsPerDeal;
        if (report.Cashback >= 0) {
            document["cashback_percent"] = report.Cashback / 100.0;
            document["return_with_cashback_percent"] =
                static_cast<double>(report.ReturnPercent + report.Cashback / 100.0L);
        }
        if (report.Goal > 0) AddGoal(report, document);
        if (report.TargetPercent > 0) AddTarget(report, document);
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

// --target-risk: below kLeastTargetRisk the walks cannot tell risks apart.
double ParseTargetRisk(const std::string& text) {
    const double percent = ParsePercent(text, "--target-risk");
    if (percent < 100 * kLeastTargetRisk)
        throw EUsage("--target-risk: " + text +
                     " % is below 1e-10 %, finer than the risks are told apart");
    return percent;
}

// The figures within the session; ERangeError when their work is beyond reason.
void FindRisks(const THandDistribution& hand, TRiskReport& report) {
    const int64_t unit = int64_t{report.Bet} * report.Scale;
    if (report.TargetPercent > 0) {
        report.Least = BankrollForRisk(hand, unit, report.TargetPercent / 100, report.Hands);
        if (report.Bankroll == 0) {
            if (report.Least.Kind != TBankrollForRisk::TKind::Found)
                throw EUsage("no bankroll up to " + std::to_string(kMaxBankrollBets) +
                             " bets keeps the risk at the target; give --bankroll");
            report.Bankroll = static_cast<int>(report.Least.Units);
        }
    }
    report.Ruin = RiskOfRuin(hand, report.Bankroll * unit, report.Hands);
    if (report.Goal > 0)
        report.GoalWithin = StopWin(hand, report.Bankroll * unit, report.Goal * unit, report.Hands);
}

// The figures without end, each said not computed when it would take too long.
void FindLongRunRisks(const THandDistribution& hand, TRiskReport& report) {
    const int64_t unit = int64_t{report.Bet} * report.Scale;
    const auto leftOut = [](std::string& why, const auto& find) {
        try {
            find();
        } catch (const ERangeError& error) {
            why = error.what();
        }
    };
    // The risk and the least bankroll share the equations of the falls.
    leftOut(report.LongRunLeftOut, [&] {
        const TLongRunLadder ladder(hand);
        report.LongRun = LongRunRiskOfRuin(hand, ladder, report.Bankroll * unit);
        if (report.TargetPercent > 0)
            report.LongRunLeast =
                LongRunBankrollForRisk(hand, ladder, unit, report.TargetPercent / 100);
    });
    if (report.Goal > 0)
        leftOut(report.GoalLongRunLeftOut, [&] {
            report.GoalLongRun = LongRunStopWin(hand, report.Bankroll * unit, report.Goal * unit);
        });
}

} // namespace

int RunRisk(const std::vector<std::string>& words, std::ostream& out) {
    const auto start = std::chrono::steady_clock::now();
    const TArguments args(words,
                          {"game", "pays", "paytable", "bet", "bankroll", "hands", "threads",
                           "data-dir", "hands-per-deal", "cashback", "goal", "target-risk", "play",
                           "level"},
                          {"json", "distribution"});
    ApplyDataDir(args);
    if (!args.Positional().empty()) throw EUsage("risk takes no cards or words");
    if (!args.Has("game")) throw EUsage("risk needs --game G");
    const bool distribution = args.Flag("distribution");
    if (distribution && args.Flag("json")) throw EUsage("give --json or --distribution, not both");
    const bool target = args.Has("target-risk");
    if (distribution && (target || args.Has("goal")))
        throw EUsage("--distribution prints the results alone: give it without --goal and "
                     "--target-risk");
    if (!distribution && !args.Has("bankroll") && !target)
        throw EUsage("risk needs --bankroll B (in bets) or --target-risk PCT");
    const int gameIndex = args.Int("game", 0, 0, kCatalogueSize - 1);
    const auto game = CreateDescription(gameIndex);
    TRiskReport report;
    report.Bet = args.Int("bet", kMaxCoins, 1, kMaxCoins);
    const std::vector<int> pays = PaysFromArguments(args, *game, report.Bet);
    if (std::all_of(pays.begin(), pays.end(), [](int pay) { return pay == 0; }))
        throw EUsage("the paytable pays nothing on any line: every hand loses the bet");
    report.Hands = args.Int("hands", kDefaultHands, 1, static_cast<int>(kMaxRuinHands));
    // Without a bankroll, the least one for the target risk is the report's.
    report.Bankroll = args.Int("bankroll", 0, 1, static_cast<int>(kMaxBankrollBets));
    report.Goal = args.Int("goal", 0, 1, static_cast<int>(kMaxBankrollBets));
    if (target) report.TargetPercent = ParseTargetRisk(*args.Value("target-risk"));
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
    const std::string play = args.Has("play") ? *args.Value("play") : "best";
    if (play != "best" && play != "chart")
        throw EUsage("--play is best or chart, not '" + play + "'");
    if (args.Has("level") && play != "chart") throw EUsage("--level goes with --play chart");
    std::optional<THandDistribution> played;
    if (play == "chart") {
        // Every deal held as the chart of that level holds it: the figures
        // of a player who reads the chart rather than plays perfectly.
        TChartOptions chartOptions;
        chartOptions.Threads = options.Threads;
        chartOptions.Level = ChartLevelOf(args);
        const TStrategyChart chart = GenerateChart(*game, pays, report.Bet, chartOptions);
        const TChartPlayer player(*game, chart);
        const auto outcomes = ChosenHoldOutcomes(
            *game, pays, report.Bet,
            [&player](const std::array<int, kHandSize>& codes) { return player.Play(codes).Mask; },
            options);
        played =
            *DealDistributionOf(outcomes, pays, report.Bet, report.HandsPerDeal, options.Threads);
        report.ReturnPercent = chart.ChartReturn;
        // In bets of one hand, of one hand or of the whole deal as for best play.
        report.HandDeviation = std::sqrt(played->Variance()) / report.Bet;
        report.Play = ChartLevelWord(chartOptions.Level) + " chart";
    } else if (report.HandsPerDeal == 1) {
        played = HandDistributionOf(analysis, pays, report.Bet);
    } else {
        played = *DealDistributionOf(BestHoldOutcomes(*game, pays, report.Bet, options), pays,
                                     report.Bet, report.HandsPerDeal, options.Threads);
        report.HandDeviation = DealDeviation(analysis, report.HandsPerDeal);
    }
    // A rebate credited with each deal: the figures count in units fine
    // enough to hold it, the bankroll too.
    std::optional<TRebatedHand> rebated;
    if (report.Cashback > 0) rebated = WithCashback(*played, report.Cashback);
    const THandDistribution& hand = rebated ? rebated->Hand : *played;
    report.Scale = rebated ? rebated->Scale : 1;
    try {
        report.Session = SessionDistribution(hand, report.Hands);
        if (distribution) {
            PrintDistribution(report, out);
            return 0;
        }
        FindRisks(hand, report);
    } catch (const ERangeError& error) {
        // Only paytables with huge pays on a fine grid get here: the work
        // the exact figures need is beyond reason, which the user can change.
        throw EUsage(error.what());
    }
    FindLongRunRisks(hand, report);
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
