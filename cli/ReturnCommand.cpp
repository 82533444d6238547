#include "Arguments.h"
#include "ChartChanges.h"
#include "Commands.h"
#include "PaytableSource.h"

#include "engine/PaytableAnalysis.h"
#include "engine/RoyalMeter.h"
#include "games/Catalogue.h"
#include "games/HandsPerDeal.h"
#include "play/ChartLineText.h"
#include "prefs/Texts.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <unistd.h>

namespace drawmentor::cli {
namespace {

// Cash-back in hundredths of a percent of the coins played; -1 when not asked for.
void PrintPlain(const TPokerDescription& game, int bet, const std::vector<int>& pays,
                const TPaytableReturn& result, int hands, int cashback, double seconds,
                std::ostream& out) {
    char text[200];
    out << game.Name << ", " << bet << (bet == 1 ? " coin" : " coins") << ", optimal play\n\n";
    std::snprintf(text, sizeof text, "  Return               %12.6Lf %%\n", result.ReturnPercent);
    out << text;
    if (cashback >= 0) {
        std::snprintf(text, sizeof text, "  With %4.2f %% back     %12.6Lf %%\n", cashback / 100.0,
                      result.ReturnPercent + cashback / 100.0L);
        out << text;
    }
    std::snprintf(text, sizeof text, "  Variance             %12.4Lf\n", result.Variance);
    out << text;
    std::snprintf(text, sizeof text, "  Standard deviation   %12.4Lf bets\n\n",
                  std::sqrt(result.Variance));
    out << text;
    if (hands > 1) {
        // One line above the table, so that the line table stays where scripts find it.
        std::snprintf(text, sizeof text, "  Deal of %3d hands     %12.4Lf bets of one hand\n\n",
                      hands, DealDeviation(result, hands));
        out << text;
    }
    std::snprintf(text, sizeof text, "  %-26s %7s %14s %14s %10s\n", "Line", "Pays", "Probability",
                  "One in", "Return %");
    out << text;
    for (int line = 0; line <= game.LastLine; ++line) {
        const long double p = result.LineProbability[line];
        const long double share = 100 * p * pays[line] / bet;
        if (p > 0)
            std::snprintf(text, sizeof text, "  %-26s %7d %14.10Lf %14.2Lf %10.6Lf\n",
                          game.LineName(line).c_str(), pays[line], p, 1 / p, share);
        else
            std::snprintf(text, sizeof text, "  %-26s %7d %14.10Lf %14s %10.6Lf\n",
                          game.LineName(line).c_str(), pays[line], p, "never", share);
        out << text;
    }
    std::snprintf(text, sizeof text, "  %-26s %7s %14.10Lf %14.2Lf\n\n", "Nothing", "",
                  result.NothingProbability, 1 / result.NothingProbability);
    out << text;
    std::snprintf(text, sizeof text, "  %lld deals in %lld classes, %.2f s\n",
                  static_cast<long long>(result.Deals), static_cast<long long>(result.Classes),
                  seconds);
    out << text;
}

int PrintBreakEven(int gameIndex, const TPokerDescription& game, int bet,
                   const std::vector<int>& pays, int cashback, bool json,
                   const TAnalysisOptions& options, std::ostream& out) {
    const long double target = 100 - cashback / 100.0L;
    const auto meter = BreakEvenMeter(game, pays, bet, target, options);
    if (!meter) throw EUsage("no royal up to 1000000000 coins brings this paytable to 100 %");
    const TPaytableReturn at = AnalyzePaytable(game, PaysAtMeter(pays, *meter), bet, options);
    // The strategy changes with the meter (more royal draws): the expert
    // chart there, line by line against the paytable's own.
    TChartOptions chartOptions;
    chartOptions.Threads = options.Threads;
    const TStrategyChart own = GenerateChart(game, pays, bet, chartOptions);
    const TStrategyChart there = GenerateChart(game, PaysAtMeter(pays, *meter), bet, chartOptions);
    const std::vector<TChartChange> changes = ChartChanges(own, there);
    TTexts english;
    english.Load(QStringLiteral("ENG"));
    const auto name = [&](const TChartChange& change) {
        return ChartNameText(change.Of->Name, english).toStdString();
    };
    if (json) {
        nlohmann::ordered_json changed = nlohmann::ordered_json::array();
        for (const auto& change : changes)
            changed.push_back({{"change", change.Kind},
                               {"line", change.Line},
                               {"was", change.Was},
                               {"key", change.Of->Key},
                               {"name", name(change)}});
        const nlohmann::ordered_json document = {
            {"game", gameIndex},
            {"bet", bet},
            {"pays", pays},
            {"cashback_percent", cashback / 100.0},
            {"break_even_royal", *meter},
            {"return_percent_at_break_even", static_cast<double>(at.ReturnPercent)},
            {"chart_lines_at_break_even", there.Lines.size()},
            {"chart_return_percent_at_break_even", static_cast<double>(there.ChartReturn)},
            {"chart_changes", changed}};
        out << document.dump() << '\n';
        return 0;
    }
    char text[200];
    out << game.Name << ", " << bet << (bet == 1 ? " coin" : " coins") << ", optimal play\n\n";
    std::snprintf(text, sizeof text,
                  "  Break-even royal     %12lld coins (the least whole meter)\n"
                  "  Return there         %12.6Lf %%",
                  static_cast<long long>(*meter), at.ReturnPercent);
    out << text;
    if (cashback > 0) {
        std::snprintf(text, sizeof text, ", %.6Lf %% with %.2f %% back",
                      at.ReturnPercent + cashback / 100.0L, cashback / 100.0);
        out << text;
    }
    std::snprintf(text, sizeof text,
                  "\n\n  The strategy chart there: %zu lines, returning %.6Lf %%; against the "
                  "paytable's own chart:\n",
                  there.Lines.size(), there.ChartReturn);
    out << text;
    for (const auto& change : changes) {
        if (change.Kind == "new" || change.Kind == "gone")
            std::snprintf(text, sizeof text, "    %-5s #%-3d ", change.Kind.c_str(), change.Line);
        else
            std::snprintf(text, sizeof text, "    %-5s #%-3d (was #%d) ", change.Kind.c_str(),
                          change.Line, change.Was);
        out << text << name(change) << '\n';
    }
    if (changes.empty()) out << "    no line changes\n";
    return 0;
}

} // namespace

int RunReturn(const std::vector<std::string>& words, std::ostream& out) {
    const auto start = std::chrono::steady_clock::now();
    const TArguments args(words,
                          {"game", "pays", "paytable", "bet", "threads", "data-dir",
                           "hands-per-deal", "cashback", "royal"},
                          {"json", "break-even"});
    ApplyDataDir(args);
    if (!args.Positional().empty()) throw EUsage("return takes no cards or words");
    if (!args.Has("game")) throw EUsage("return needs --game G");
    const int gameIndex = args.Int("game", 0, 0, kCatalogueSize - 1);
    const auto game = CreateDescription(gameIndex);
    const int bet = args.Int("bet", kMaxCoins, 1, kMaxCoins);
    std::vector<int> pays = PaysFromArguments(args, *game, bet);
    const int cashback = args.Has("cashback") ? ParseCashback(*args.Value("cashback")) : -1;
    if (args.Has("royal") && args.Flag("break-even"))
        throw EUsage("give --royal or --break-even, not both");
    if (args.Has("royal"))
        pays = PaysAtMeter(
            pays, args.Int("royal", 0, pays[kRoyalLine], static_cast<int>(kMaxRoyalMeter)));
    TAnalysisOptions options;
    options.Threads = args.Int("threads", 0, 1, 64);
    const int hands = args.Int("hands-per-deal", 1, 1, kMaxHandsPerDeal);
    if (!IsHandsPerDealChoice(hands))
        throw EUsage("--hands-per-deal: " + std::to_string(hands) +
                     " is not one of 1, 3, 5, 10, 50, 100");
    if (isatty(STDERR_FILENO)) {
        options.Progress = [](int64_t done, int64_t total) {
            std::fprintf(stderr, "\r  %3d %%", static_cast<int>(100 * done / total));
            std::fflush(stderr);
        };
    }
    if (args.Flag("break-even")) {
        options.Progress = nullptr;
        return PrintBreakEven(gameIndex, *game, bet, pays, std::max(cashback, 0), args.Flag("json"),
                              options, out);
    }
    const TPaytableReturn result = AnalyzePaytable(*game, pays, bet, options);
    if (options.Progress) std::fprintf(stderr, "\r       \r");
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    if (!args.Flag("json")) {
        PrintPlain(*game, bet, pays, result, hands, cashback, seconds, out);
        return 0;
    }
    nlohmann::ordered_json lines = nlohmann::ordered_json::array();
    for (long double p : result.LineProbability) lines.push_back(static_cast<double>(p));
    nlohmann::ordered_json document = {
        {"game", gameIndex},
        {"bet", bet},
        {"pays", pays},
        {"return_percent", static_cast<double>(result.ReturnPercent)},
        {"variance", static_cast<double>(result.Variance)},
        {"standard_deviation", static_cast<double>(std::sqrt(result.Variance))},
        {"deal_variance", static_cast<double>(result.DealVariance)},
        {"hands_per_deal", hands},
        {"deal_standard_deviation", static_cast<double>(DealDeviation(result, hands))},
        {"line_probability", lines},
        {"nothing_probability", static_cast<double>(result.NothingProbability)},
        {"deals", result.Deals},
        {"classes", result.Classes},
        {"seconds", seconds}};
    // Only when asked for, so that the plain figures read as they always did.
    if (args.Has("royal")) document["royal_meter"] = pays[kRoyalLine];
    if (cashback >= 0) {
        document["cashback_percent"] = cashback / 100.0;
        document["return_with_cashback_percent"] =
            static_cast<double>(result.ReturnPercent + cashback / 100.0L);
    }
    out << document.dump() << '\n';
    return 0;
}

} // namespace drawmentor::cli
