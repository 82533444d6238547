#include "CliRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using drawmentor::testing::Cli;
using drawmentor::testing::TRun;

TEST(CliGames, JsonCatalogue) {
    const TRun run = Cli("games --json");
    ASSERT_EQ(run.Status, 0) << run.Err;
    const auto doc = nlohmann::json::parse(run.Out);
    const auto& games = doc["games"];
    ASSERT_EQ(games.size(), 36u);
    EXPECT_EQ(games[12]["index"], 13);
    EXPECT_EQ(games[3]["name"], "Joker Wild (KINGS+)");
    EXPECT_EQ(games[3]["jokers"], 1);
    EXPECT_EQ(games[3]["deck_size"], 53);
    EXPECT_EQ(games[4]["wild_rank"], "2");
    EXPECT_TRUE(games[0]["wild_rank"].is_null());
    EXPECT_EQ(games[0]["lines"].size(), 9u);
    EXPECT_EQ(games[0]["lines"][8], "Jacks or Better");
}

TEST(CliAnalyze, JsonShapeOfTheIssueExample) {
    const TRun run =
        Cli("analyze --game 0 --pays 4000,250,125,45,30,20,15,10,5 --json AS KS QS JS 9D");
    ASSERT_EQ(run.Status, 0) << run.Err;
    const auto doc = nlohmann::json::parse(run.Out);
    EXPECT_EQ(doc["best_mask"], 16);
    EXPECT_EQ(doc["bet"], 5);
    EXPECT_EQ(doc["cards"][4], "9D");
    const auto& hold = doc["holds"][16];
    EXPECT_EQ(hold["outcomes"], 47);
    EXPECT_EQ(hold["lines"], nlohmann::json::parse("[1,0,0,0,8,3,0,0,12]"));
    EXPECT_EQ(hold["unpaid"], 23);
    EXPECT_EQ(hold["held"], nlohmann::json::parse(R"(["AS","KS","QS","JS"])"));
    EXPECT_NEAR(hold["ev"].get<double>(), 4360.0 / 47, 1e-12);
    EXPECT_EQ(doc["holds"][0]["unpaid"], 1);
}

// Every game of the catalogue, with wild cards and jokers in the deal where
// the game has them: 32 holds whose lines and unpaid add up to the outcomes.
TEST(CliAnalyze, AnswersForEveryGame) {
    const auto catalogue = nlohmann::json::parse(Cli("games --json").Out);
    for (int game = 0; game < 37; ++game) {
        SCOPED_TRACE(game);
        const bool jokers = game == 3 || game == 8 || game == 12 || game == 16;
        const bool two = game == 8;
        const int lines = [&] {
            for (const auto& g : catalogue["games"])
                if (g["index"] == game) return static_cast<int>(g["lines"].size());
            return 11; // the hidden game
        }();
        std::string pays;
        for (int line = 0; line < lines; ++line)
            pays += (line ? "," : "") + std::to_string(1000 / (line + 1));
        const std::string cards = two      ? "JK jk 2h 7d 7c"
                                  : jokers ? "JK 2h 7d 7c Ts"
                                           : "2h 2s 7d 7c ts";
        const TRun run =
            Cli("analyze --game " + std::to_string(game) + " --pays " + pays + " --json " + cards);
        ASSERT_EQ(run.Status, 0) << run.Err;
        const auto doc = nlohmann::json::parse(run.Out);
        ASSERT_EQ(doc["holds"].size(), 32u);
        double bestEv = -1;
        for (const auto& hold : doc["holds"]) {
            int64_t sum = hold["unpaid"].get<int64_t>();
            for (const auto& count : hold["lines"]) sum += count.get<int64_t>();
            EXPECT_EQ(sum, hold["outcomes"].get<int64_t>());
            bestEv = std::max(bestEv, hold["ev"].get<double>());
        }
        EXPECT_EQ(doc["holds"][doc["best_mask"].get<int>()]["ev"].get<double>(), bestEv);
    }
}

TEST(CliAnalyze, PlainTableListsHoldsBestFirst) {
    const TRun run = Cli("analyze --game 0 --pays 4000,250,125,45,30,20,15,10,5 AS KS QS JS 9D");
    ASSERT_EQ(run.Status, 0);
    EXPECT_NE(run.Out.find("  1  AS KS QS JS --   92.76596"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("<- best"), std::string::npos);
    EXPECT_NE(run.Out.find("Royal Flush"), std::string::npos);
}

TEST(CliErrors, BadInputIsOneLineAndStatusTwo) {
    const std::string pays = " --pays 4000,250,125,45,30,20,15,10,5 ";
    for (const std::string& args : std::vector<std::string>{
             "analyze --game 0" + pays + "AS KS QS JS 9X",
             "analyze --game 0" + pays + "AS KS QS JS AS",
             "analyze --game 0" + pays + "AS KS QS JS",
             "analyze --game 37" + pays + "AS KS QS JS 9D",
             "analyze --game 0" + pays + "AS KS QS JS JK",
             "analyze --game 3 --pays 1,2,3 AS KS QS JS JK",
             "analyze --game 8 --pays 1,2,3,4,5,6,7,8,9,10 JK JK JK KS QS",
             "analyze --game 0 --pays 1,2,x,4,5,6,7,8,9 AS KS QS JS 9D",
             "analyze" + pays + "AS KS QS JS 9D",
             "analyze --game 0" + pays + "--color AS KS QS JS 9D", "frobnicate", "games extra"}) {
        SCOPED_TRACE(args);
        const TRun run = Cli(args);
        EXPECT_EQ(run.Status, 2);
        EXPECT_TRUE(run.Out.empty()) << run.Out;
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
    }
}

// Help comes first, even after other words, and names only its own command;
// a word the command does not know is still a bad argument.
TEST(CliHelp, EveryCommandPrintsItsOwnUsage) {
    for (const std::string command : {"games", "analyze", "paytables", "return", "risk", "strategy",
                                      "simulate", "stats", "chart", "render"}) {
        for (const std::string& args : {command + " --help", command + " --game 0 -h"}) {
            SCOPED_TRACE(args);
            const TRun run = Cli(args);
            EXPECT_EQ(run.Status, 0);
            EXPECT_TRUE(run.Err.empty()) << run.Err;
            EXPECT_NE(run.Out.find("drawmentor-cli " + command + " "), std::string::npos);
            EXPECT_NE(run.Out.find("Options:"), std::string::npos) << run.Out;
            // Every usage line is this command's: not the overview of all.
            std::istringstream lines(run.Out);
            for (std::string line; std::getline(lines, line);) {
                if (line.rfind("  drawmentor-cli ", 0) != 0) continue;
                EXPECT_EQ(line.rfind("  drawmentor-cli " + command + " ", 0), 0u) << line;
            }
        }
    }
    const TRun unknown = Cli("strategy --game 0 --paytable 0 --halp");
    EXPECT_EQ(unknown.Status, 2);
    EXPECT_NE(unknown.Err.find("unknown option --halp"), std::string::npos) << unknown.Err;
}

} // namespace

namespace {

// Stored paytables, read the way the program reads them.
TEST(CliPaytables, AnalyzeWithTheFirstStoredPaytableOfEveryOfferedGame) {
    const auto catalogue = nlohmann::json::parse(Cli("games --json").Out);
    for (const auto& game : catalogue["games"]) {
        const int index = game["index"];
        SCOPED_TRACE(index);
        const TRun run =
            Cli("analyze --game " + std::to_string(index) + " --paytable 0 --json AS KD 7C 7H 2S");
        ASSERT_EQ(run.Status, 0) << run.Err;
        const auto doc = nlohmann::json::parse(run.Out);
        EXPECT_EQ(doc["pays"].size(), game["lines"].size());
        EXPECT_EQ(doc["holds"].size(), 32u);
    }
    const TRun oneCoin = Cli("analyze --game 0 --paytable 0 --bet 1 --json AS KD 7C 7H 2S");
    EXPECT_EQ(nlohmann::json::parse(oneCoin.Out)["pays"],
              nlohmann::json::parse("[250,50,25,9,6,4,3,2,1]"));
}

TEST(CliPaytables, ListsAGamesTablesAndPrefersTheUsersCopy) {
    const TRun run = Cli("paytables --game 0 --json");
    ASSERT_EQ(run.Status, 0) << run.Err;
    const auto doc = nlohmann::json::parse(run.Out);
    EXPECT_EQ(doc["name"], "Jacks or better");
    EXPECT_EQ(doc["lines"].size(), 9u);
    ASSERT_GE(doc["paytables"].size(), 5u);
    EXPECT_EQ(doc["paytables"][0]["pays"][4][0], 4000);
    EXPECT_EQ(doc["paytables"][0]["pays"][0].size(), 9u);

    // A user's copy in the data folder replaces the installed file; a game
    // it has no section for (offered after it was saved) keeps the installed
    // tables, one it holds empty has none.
    const std::string folder = ::testing::TempDir() + "cli-data";
    std::system(("mkdir -p " + folder).c_str());
    std::string line;
    for (int i = 0; i < 80; ++i) line += "     7";
    FILE* file = fopen((folder + "/DrawMentor.dat").c_str(), "wb");
    fputs(("[Jacks or better]\r\n" + line + "\r\n[Double Bonus]\r\n").c_str(), file);
    fclose(file);
    const auto own =
        nlohmann::json::parse(Cli("paytables --game 0 --json --data-dir " + folder).Out);
    ASSERT_EQ(own["paytables"].size(), 1u);
    EXPECT_EQ(own["paytables"][0]["pays"][2][3], 7);
    EXPECT_EQ(Cli("paytables --game 2 --json --data-dir " + folder).Out.find("\"paytables\":[]") !=
                  std::string::npos,
              true);
    EXPECT_GE(nlohmann::json::parse(
                  Cli("paytables --game 35 --json --data-dir " + folder).Out)["paytables"]
                  .size(),
              4u);
    const TRun none = Cli("analyze --game 2 --paytable 0 --data-dir " + folder + " AS KD 7C 7H 2S");
    EXPECT_EQ(none.Status, 2);
    EXPECT_NE(none.Err.find("no paytable is stored for Double Bonus"), std::string::npos)
        << none.Err;
}

TEST(CliPaytables, BadChoicesAreRefused) {
    for (const std::string args :
         {"analyze --game 0 --paytable 99 AS KD 7C 7H 2S",
          "analyze --game 0 --paytable 0 --pays 1,2,3,4,5,6,7,8,9 AS KD 7C 7H 2S",
          "analyze --game 0 AS KD 7C 7H 2S", "paytables --game 12", "paytables",
          "paytables --game 0 AS"}) {
        SCOPED_TRACE(args);
        const TRun run = Cli(args);
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
    }
}

} // namespace

namespace {

// Optimal-play returns of well-known paytables, read from the first paytable
// stored for each game: full-pay Jacks or Better and Deuces Wild as published,
// and the joker games of one and two jokers.
TEST(CliReturn, KnownAnswersOfStoredPaytables) {
    struct TKnown {
        int Game;
        std::vector<int> Pays; // for five coins
        double Percent;
        int Deals;
    };
    const TKnown known[] = {
        {0, {4000, 250, 125, 45, 30, 20, 15, 10, 5}, 99.543904, 2598960},
        {4, {4000, 1000, 125, 75, 45, 25, 15, 10, 10, 5}, 100.761961, 2598960},
        {3, {4000, 1000, 500, 250, 100, 35, 25, 15, 10, 5, 5}, 100.646297, 2869685},
        {8, {4000, 500, 250, 125, 45, 25, 20, 15, 10, 5}, 99.970398, 3162510},
    };
    for (const TKnown& game : known) {
        SCOPED_TRACE(game.Game);
        const TRun run = Cli("return --game " + std::to_string(game.Game) + " --paytable 0 --json");
        ASSERT_EQ(run.Status, 0) << run.Err;
        const auto doc = nlohmann::json::parse(run.Out);
        EXPECT_EQ(doc["pays"].get<std::vector<int>>(), game.Pays);
        EXPECT_NEAR(doc["return_percent"].get<double>(), game.Percent, 5e-7);
        EXPECT_EQ(doc["deals"], game.Deals);
        EXPECT_EQ(doc["line_probability"].size(), game.Pays.size());
        EXPECT_TRUE(run.Err.empty()); // no progress text when standard error is no terminal
    }
}

// 8/5 Jacks or Better breaks even at a royal of 8,666 coins, where the chart
// draws to the royal more: the lines that change are those of royal draws,
// and the chart there is the one `strategy --royal` makes.
TEST(CliReturn, BreakEvenAndTheChartThere) {
    if (DRAWMENTOR_SANITIZED) GTEST_SKIP() << "the meter's search is checked in the engine's tests";
    const TRun run = Cli("return --game 0 --paytable 3 --break-even --json");
    ASSERT_EQ(run.Status, 0) << run.Err;
    const auto doc = nlohmann::json::parse(run.Out);
    EXPECT_EQ(doc["break_even_royal"], 8666);
    bool royalDraw = false;
    for (const auto& change : doc["chart_changes"])
        royalDraw |= change["key"].get<std::string>().rfind("royal", 0) == 0 &&
                     (change["change"] == "new" || change["change"] == "up");
    EXPECT_TRUE(royalDraw) << doc["chart_changes"].dump();
    const auto there =
        nlohmann::json::parse(Cli("strategy --game 0 --paytable 3 --royal 8666 --json").Out);
    EXPECT_EQ(there["chart_return_percent"], doc["chart_return_percent_at_break_even"]);
    EXPECT_EQ(there["lines"].size(), doc["chart_lines_at_break_even"]);
}

TEST(CliReturn, PlainReportAndBadInput) {
    const TRun run = Cli("return --game 0 --pays 4000,250,125,45,30,20,15,10,5 --threads 1");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("99.543904 %"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("Royal Flush"), std::string::npos);
    EXPECT_NE(run.Out.find("2598960 deals in 134459 classes"), std::string::npos);
    // Hands of one deal share the hold: more spread than independent hands.
    const TRun five = Cli("return --game 0 --paytable 0 --hands-per-deal 5 --json");
    ASSERT_EQ(five.Status, 0) << five.Err;
    const auto doc = nlohmann::json::parse(five.Out);
    EXPECT_GT(doc["deal_standard_deviation"].get<double>(),
              std::sqrt(5 * doc["variance"].get<double>()));
    const TRun plain = Cli("return --game 0 --paytable 0 --hands-per-deal 100");
    EXPECT_NE(plain.Out.find("Deal of 100 hands"), std::string::npos) << plain.Out;
    EXPECT_EQ(run.Out.find("Deal of"), std::string::npos); // one hand: as before
    for (const std::string args : {"return --game 0", "return --game 0 --paytable 0 --threads 0",
                                   "return --game 0 --paytable 0 AS", "return --pays 1",
                                   "return --game 0 --paytable 0 --hands-per-deal 0",
                                   "return --game 0 --paytable 0 --hands-per-deal 101",
                                   "return --game 0 --paytable 0 --hands-per-deal 7",
                                   "return --game 0 --paytable 0 --cashback 5.01",
                                   "return --game 0 --paytable 0 --cashback -0.5",
                                   "return --game 0 --paytable 0 --cashback 0.125",
                                   "return --game 0 --paytable 0 --royal 3999",
                                   "return --game 0 --paytable 0 --royal 1000000001",
                                   "return --game 0 --paytable 0 --royal 5000 --break-even"}) {
        SCOPED_TRACE(args);
        EXPECT_EQ(Cli(args).Status, 2);
    }
}

TEST(CliRisk, JacksOrBetterAgreesWithItsReturn) {
    const TRun run = Cli("risk --game 0 --paytable 0 --bankroll 800 --hands 10000 --json");
    ASSERT_EQ(run.Status, 0) << run.Err;
    const auto doc = nlohmann::json::parse(run.Out);
    const auto whole = nlohmann::json::parse(Cli("return --game 0 --paytable 0 --json").Out);
    EXPECT_EQ(doc["return_percent"], whole["return_percent"]);
    // The mean and spread of 10,000 hands are those of one hand, in bets.
    const double perHand = whole["return_percent"].get<double>() / 100 - 1;
    EXPECT_NEAR(doc["mean"].get<double>(), 10000 * perHand, 1e-9);
    EXPECT_NEAR(doc["standard_deviation"].get<double>(),
                std::sqrt(10000 * whole["variance"].get<double>()), 1e-9);
    EXPECT_LT(doc["quantile_5"].get<double>(), doc["median"].get<double>());
    EXPECT_LT(doc["median"].get<double>(), doc["quantile_95"].get<double>());
    const double ruin = doc["risk_of_ruin"];
    EXPECT_GT(ruin, 0.001);
    EXPECT_LT(ruin, 0.003);
    EXPECT_LT(doc["risk_of_ruin_error_bound"].get<double>(), 1e-12);
    // Below 100 % the long run takes everything, and says so.
    EXPECT_EQ(doc["risk_of_ruin_unlimited"], 1.0);
    EXPECT_NE(doc["risk_of_ruin_unlimited_note"].get<std::string>().find("certain"),
              std::string::npos);
    const auto& top = doc["top_line"];
    EXPECT_EQ(top["name"], "Royal Flush");
    EXPECT_EQ(top["probability"], whole["line_probability"][0]);
    EXPECT_NEAR(top["none_within_hands"].get<double>(),
                std::pow(1 - top["probability"].get<double>(), 10000), 1e-12);
}

TEST(CliRisk, PlainReportAboveAHundredPercent) {
    const TRun run = Cli("risk --game 4 --paytable 0 --bankroll 400 --hands 2000");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("Return 100.761961 %"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("Bankroll 400 bets, 2000 hands"), std::string::npos);
    EXPECT_EQ(run.Out.find("certain"), std::string::npos); // a figure, not a certainty
    EXPECT_NE(run.Out.find("Natural Royal Flush, paying 4000 coins"), std::string::npos);
}

// Two hands by hand: losing both, or losing one and pushing with a high pair.
TEST(CliRisk, DistributionAsCsv) {
    const TRun run = Cli("risk --game 0 --paytable 0 --hands 2 --distribution");
    ASSERT_EQ(run.Status, 0) << run.Err;
    const auto whole = nlohmann::json::parse(Cli("return --game 0 --paytable 0 --json").Out);
    const double nothing = whole["nothing_probability"];
    const double high = whole["line_probability"][8];
    std::istringstream rows(run.Out);
    std::string row;
    std::getline(rows, row);
    EXPECT_EQ(row, "result,probability,cumulative");
    std::map<double, double> chance;
    double total = 0, cumulative = 0;
    while (std::getline(rows, row) && row[0] != '#') {
        double result, p;
        ASSERT_EQ(std::sscanf(row.c_str(), "%lf,%lf,%lf", &result, &p, &cumulative), 3) << row;
        chance[result] = p;
        total += p;
    }
    EXPECT_NEAR(total, 1, 1e-15);
    EXPECT_NEAR(cumulative, 1, 1e-15);
    EXPECT_EQ(chance.begin()->first, -2);
    EXPECT_EQ(chance.rbegin()->first, 2 * 799); // two royals
    EXPECT_NEAR(chance[-2], nothing * nothing, 1e-16);
    EXPECT_NEAR(chance[-1], 2 * nothing * high, 1e-16);
}

// The goal of 9/6 Jacks from 4 bets, by a plain walk over the hand's
// results as `return` gives them; without --bankroll, the report is that of
// the least bankroll for the target risk.
TEST(CliRisk, AWinGoalAndTheBankrollForATargetRisk) {
    const auto whole = nlohmann::json::parse(Cli("return --game 0 --paytable 0 --json").Out);
    const std::vector<int> pays = whole["pays"];
    std::map<int, double> alive{{4, 1}}, chance; // bets held; net result of a hand
    chance[-1] = whole["nothing_probability"];
    for (size_t line = 0; line < pays.size(); ++line)
        chance[pays[line] / 5 - 1] += whole["line_probability"][line].get<double>();
    double goal = 0;
    for (int hand = 0; hand < 30; ++hand) {
        std::map<int, double> next;
        for (const auto& [bets, p] : alive)
            for (const auto& [net, q] : chance)
                if (bets + net >= 7)
                    goal += p * q;
                else if (bets + net >= 1)
                    next[bets + net] += p * q;
        alive = std::move(next);
    }
    const auto doc = nlohmann::json::parse(
        Cli("risk --game 0 --paytable 0 --bankroll 4 --hands 30 --goal 3 --json").Out);
    EXPECT_NEAR(doc["goal_chance"].get<double>(), goal, 1e-15);
    EXPECT_LE(doc["goal_chance"].get<double>(), doc["goal_chance_unlimited"].get<double>());

    const TRun target = Cli("risk --game 0 --paytable 0 --target-risk 5 --json");
    ASSERT_EQ(target.Status, 0) << target.Err;
    const auto least = nlohmann::json::parse(target.Out);
    EXPECT_EQ(least["bankroll"], least["bankroll_for_target"]);
    // The backward walk over every bankroll and the forward one from this one.
    EXPECT_NEAR(least["risk_of_ruin"].get<double>(),
                least["bankroll_for_target_risk"].get<double>(), 1e-12);
    EXPECT_LE(least["risk_of_ruin"].get<double>(), 0.05);
    EXPECT_TRUE(least["bankroll_for_target_unlimited"].is_null()); // below 100 %: none
    const TRun plain = Cli("risk --game 4 --paytable 0 --bankroll 100 --goal 50 --target-risk 1");
    EXPECT_NE(plain.Out.find("A win goal of 50 bets, reached before ruin"), std::string::npos);
    EXPECT_NE(plain.Out.find("playing without end                    7049 bets"), std::string::npos)
        << plain.Out;
}

// A player of the beginner chart: the chart's own return, a spread from its
// holds, and a risk above perfect play's; 5 hands a deal share the chart's holds.
TEST(CliRisk, PlayedByAChart) {
    if (DRAWMENTOR_SANITIZED) GTEST_SKIP() << "a chart's generation is checked elsewhere";
    const std::string risk = "risk --game 0 --paytable 0 --bankroll 200 --hands 200 --json ";
    const auto best = nlohmann::json::parse(Cli(risk + "--hands-per-deal 5").Out);
    const TRun run = Cli(risk + "--hands-per-deal 5 --play chart --level beginner");
    ASSERT_EQ(run.Status, 0) << run.Err;
    const auto chart = nlohmann::json::parse(run.Out);
    const auto own =
        nlohmann::json::parse(Cli("strategy --game 0 --paytable 0 --level beginner --json").Out);
    EXPECT_EQ(chart["play"], "beginner chart");
    EXPECT_EQ(chart["return_percent"], own["chart_return_percent"]);
    const double perHand = own["chart_return_percent"].get<double>() / 100 - 1;
    EXPECT_NEAR(chart["mean"].get<double>(), 200 * 5 * perHand, 1e-9);
    EXPECT_GT(chart["risk_of_ruin"].get<double>(), best["risk_of_ruin"].get<double>());
}

TEST(CliRisk, BadInputIsOneLineAndStatusTwo) {
    const std::string table = "risk --game 0 --paytable 0 ";
    for (const std::string& args :
         std::vector<std::string>{table + "--bankroll 0",
                                  table + "--bankroll -3",
                                  table + "--bankroll 12.5",
                                  table + "--hands 100",
                                  table + "--bankroll 80 --hands 0",
                                  table + "--bankroll 80 --hands 100001",
                                  table + "--bankroll 80 --json --distribution",
                                  table + "--bankroll 80 AS",
                                  "risk --paytable 0 --bankroll 80",
                                  table + "--bankroll 80 --hands-per-deal 7",
                                  table + "--bankroll 80 --hands-per-deal 0",
                                  table + "--bankroll 80 --cashback 5.5",
                                  table + "--bankroll 80 --cashback -1",
                                  table + "--bankroll 80 --goal 0",
                                  table + "--bankroll 80 --goal 1000001",
                                  table + "--bankroll 80 --goal 2.5",
                                  table + "--target-risk 0",
                                  table + "--target-risk 100",
                                  table + "--target-risk -1",
                                  table + "--target-risk 5x",
                                  table + "--target-risk 1e-11",
                                  table + "--target-risk nan",
                                  table + "--distribution --goal 5",
                                  table + "--distribution --target-risk 5",
                                  table + "--bankroll 80 --play worst",
                                  table + "--bankroll 80 --level beginner",
                                  table + "--bankroll 80 --play chart --level novice",
                                  "risk --game 0 --pays 0,0,0,0,0,0,0,0,0 --bankroll 80"}) {
        SCOPED_TRACE(args);
        const TRun run = Cli(args);
        EXPECT_EQ(run.Status, 2);
        EXPECT_TRUE(run.Out.empty()) << run.Out;
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
    }
    EXPECT_NE(Cli("risk --game 0 --pays 0,0,0,0,0,0,0,0,0 --bankroll 80").Err.find("pays nothing"),
              std::string::npos);
}

} // namespace

namespace {

TEST(CliRender, CardsAndContactSheets) {
    const std::string file = ::testing::TempDir() + "render-" + std::to_string(getpid()) + ".png";
    TRun run = Cli("render --deck 002 --back 3 --held AS KH jk BACK -o " + file);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find(": 406 x 139"), std::string::npos) << run.Out; // four cards side by side
    EXPECT_NE(run.Out.find("deck 002"), std::string::npos);
    // A deck that is not installed is refused by name, not drawn as deck 001.
    for (const std::string deck : {"777", "../002", ""}) {
        SCOPED_TRACE(deck);
        run = Cli("render --deck '" + deck + "' --sheet -o " + file);
        EXPECT_EQ(run.Status, 2);
        EXPECT_TRUE(run.Out.empty()) << run.Out;
        EXPECT_NE(run.Err.find("deck '" + deck + "' is not installed (installed: 001, 002"),
                  std::string::npos)
            << run.Err;
    }
    run = Cli("render AS -o " + file); // deck 001 when none is named
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("deck 001"), std::string::npos);
    for (const std::string args : {"render AS", "render --sheet AS -o x.png", "render -o x.png",
                                   "render ZZ -o x.png", "render --back 15 AS -o x.png"}) {
        SCOPED_TRACE(args);
        EXPECT_EQ(Cli(args).Status, 2);
    }
    std::remove(file.c_str());
}

} // namespace

namespace {

// The data folder: chosen explicitly, it must be a real one, and what is
// stored in it is checked before it is used.
class CliDataFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = ::testing::TempDir() + "cli-data-" + std::to_string(getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::system(("rm -rf " + folder + " && mkdir -p " + folder).c_str());
    }
    void TearDown() override { std::system(("rm -rf " + folder).c_str()); }
    void Write(const std::string& name, const std::string& text) const {
        FILE* file = fopen((folder + "/" + name).c_str(), "wb");
        fwrite(text.data(), 1, text.size(), file);
        fclose(file);
    }
    std::string folder;
};

TEST_F(CliDataFolder, AnEmptyOrMissingFolderIsRefused) {
    const TRun empty = Cli("stats --data-dir ''");
    EXPECT_EQ(empty.Status, 2);
    EXPECT_NE(empty.Err.find("--data-dir needs a folder"), std::string::npos) << empty.Err;
    EXPECT_EQ(Cli("simulate --game 0 --paytable 0 --hands 1 --data-dir=").Status, 2);
    const TRun missing = Cli("stats --data-dir " + folder + "/nowhere");
    EXPECT_EQ(missing.Status, 1);
    EXPECT_NE(missing.Err.find("does not exist"), std::string::npos) << missing.Err;
    EXPECT_EQ(missing.Out, "");
}

TEST_F(CliDataFolder, ADamagedPaytableFileIsReportedAsDamaged) {
    Write("DrawMentor.dat", std::string("\x1f\x8b\x08\0garbage\0\x01", 13));
    const TRun run = Cli("simulate --game 4 --paytable 0 --hands 1 --data-dir " + folder);
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("DrawMentor.dat is damaged"), std::string::npos) << run.Err;
    EXPECT_EQ(run.Err.find("no stored paytable"), std::string::npos) << run.Err;
}

TEST_F(CliDataFolder, DamagedLogRecordsAreLeftOutOnceAndSaidSo) {
    ASSERT_EQ(Cli("simulate --game 0 --paytable 0 --hands 20 --seed 5 --data-dir " + folder).Status,
              0);
    FILE* log = fopen((folder + "/DrawMentor.log").c_str(), "r+b");
    fseek(log, 79 * 3 + 14, SEEK_SET); // the coin index of the fourth hand
    fputc(200, log);
    fclose(log);
    const TRun run = Cli("stats --data-dir " + folder);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("19 hands in the log"), std::string::npos) << run.Out;
    EXPECT_NE(run.Err.find("1 records of the game log are not valid hands"), std::string::npos)
        << run.Err;
}

std::string TempPath(const std::string& name) {
    return ::testing::TempDir() + name + "-" + std::to_string(getpid());
}

// The plain table names its line columns and says what the masks mean.
TEST(CliAnalyze, ColumnsCarryTheLineNames) {
    TRun run = Cli("analyze --game 0 --pays 4000,250,125,45,30,20,15,10,5 AS KS QS JS 9D");
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::string header =
        run.Out.substr(run.Out.find("  #  Hold"),
                       run.Out.find('\n', run.Out.find("  #  Hold")) - run.Out.find("  #  Hold"));
    for (const char* heading : {"Return", "Mask", "RoyFlus", "StrFlus", "4 Kind", "FulHous",
                                "Flush", "Straigh", "3 Kind", "2 Pairs", "Jacks+"})
        EXPECT_NE(header.find(heading), std::string::npos) << heading << " in " << header;
    EXPECT_NE(run.Out.find("  1  AS KS QS JS --   92.76596    16"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("replaced"), std::string::npos);
    EXPECT_NE(run.Out.find("  RoyFlus  Royal Flush"), std::string::npos) << run.Out;
    // Every game: one heading per line, each at most seven characters and none twice.
    const auto catalogue = nlohmann::json::parse(Cli("games --json").Out);
    for (const auto& game : catalogue["games"]) {
        SCOPED_TRACE(game["name"].get<std::string>());
        run = Cli("analyze --game " + std::to_string(game["index"].get<int>()) +
                  " --paytable 0 AS KD 7C 7H 3S");
        ASSERT_EQ(run.Status, 0) << run.Err;
        const size_t start = run.Out.find("Mask") + 4;
        std::vector<std::string> seen;
        // A heading may hold a space ("4 Kind"): columns are nine characters wide.
        const std::string line = run.Out.substr(start, run.Out.find('\n', start) - start);
        ASSERT_EQ(line.size(), 9 * game["lines"].size()) << line;
        for (size_t column = 0; column < game["lines"].size(); ++column) {
            std::string heading = line.substr(column * 9 + 2, 7);
            heading.erase(0, heading.find_first_not_of(' '));
            EXPECT_FALSE(heading.empty());
            EXPECT_EQ(std::count(seen.begin(), seen.end(), heading), 0) << heading;
            seen.push_back(heading);
        }
    }
}

TEST(CliStats, SaysHowManyRecordsTheFilterSelected) {
    const std::string folder = TempPath("cli-stats");
    std::filesystem::remove_all(folder);
    ASSERT_EQ(Cli("simulate --game 4 --paytable 0 --hands 30 --seed 5 --data-dir " + folder).Status,
              0);
    ASSERT_EQ(
        Cli("simulate --game 0 --paytable 0 --hands 20 --seed 5 --mode 0 --data-dir " + folder)
            .Status,
        0);
    TRun run = Cli("stats --data-dir " + folder);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("50 hands in the log, 50 selected by the filter"), std::string::npos)
        << run.Out;
    run = Cli("stats --game 4 --paytable 0 --data-dir " + folder);
    EXPECT_NE(run.Out.find("50 hands in the log, 30 selected by the filter"), std::string::npos)
        << run.Out;
    run = Cli("stats --modes 0 --data-dir " + folder);
    EXPECT_NE(run.Out.find("50 hands in the log, 20 selected by the filter"), std::string::npos)
        << run.Out;
    run = Cli("stats --from 2999-01-01 --data-dir " + folder);
    EXPECT_NE(run.Out.find("50 hands in the log, 0 selected by the filter"), std::string::npos)
        << run.Out;
    // By chart line, of the latest hand's paytable: no chart is kept in this folder.
    run = Cli("stats --by-line --data-dir " + folder);
    ASSERT_EQ(run.Status, 0) << run.Err;
    for (const char* said :
         {"\nBy chart line\n  Chart of JACKS OR BETTER  (1)", "20 hands of this paytable left out",
          "30 hands of other paytables are not in this table"})
        EXPECT_NE(run.Out.find(said), std::string::npos) << said << '\n' << run.Out;
    for (const std::string args :
         {"stats --game 4", "stats --modes 7", "stats --from yesterday", "stats AS"}) {
        SCOPED_TRACE(args);
        EXPECT_EQ(Cli(args + " --data-dir " + folder).Status, 2);
    }
    std::filesystem::remove_all(folder);
}

// Deals of five hands and hands alone in one log: --deals counts every deal
// once, without it every hand counts as before; the money is the same.
TEST(CliStats, DealsCountOnceWithDeals) {
    const std::string folder = TempPath("cli-deals");
    std::filesystem::remove_all(folder);
    ASSERT_EQ(Cli("simulate --game 0 --paytable 0 --hands 4 --hands-per-deal 5 --seed 3 "
                  "--data-dir " +
                  folder)
                  .Status,
              0);
    ASSERT_EQ(Cli("simulate --game 0 --paytable 0 --hands 6 --seed 3 --data-dir " + folder).Status,
              0);
    const TRun hands = Cli("stats --data-dir " + folder);
    const TRun deals = Cli("stats --deals --data-dir " + folder);
    ASSERT_EQ(hands.Status, 0) << hands.Err;
    ASSERT_EQ(deals.Status, 0) << deals.Err;
    EXPECT_EQ(hands.Out.rfind("26 hands in the log, 26 selected by the filter\n", 0), 0u)
        << hands.Out;
    EXPECT_EQ(deals.Out.rfind("10 deals in the log, 10 selected by the filter\n", 0), 0u)
        << deals.Out;
    // The total row of a table: its first figure.
    const auto total = [](const std::string& out, const std::string& caption) {
        const size_t table = out.find("\n" + caption + "\n");
        if (table == std::string::npos) return std::string("no table");
        const size_t row = out.find("  Total", table);
        std::istringstream cells(out.substr(row + 32, out.find('\n', row) - row - 32));
        std::string first;
        cells >> first;
        return first;
    };
    EXPECT_EQ(total(hands.Out, "Hands"), "26");
    EXPECT_EQ(total(deals.Out, "Deals"), "10");
    EXPECT_EQ(total(deals.Out, "Deal frequency, %"), "100.00000");
    EXPECT_EQ(deals.Out.find("\nHands\n"), std::string::npos);
    const auto balance = [](const std::string& out) {
        const size_t start = out.find("\nBalance\n");
        return out.substr(start, out.find("\n\n", start + 1) - start);
    };
    EXPECT_EQ(balance(deals.Out), balance(hands.Out));
    std::filesystem::remove_all(folder);
}

// Luck beside skill: best play's result with its percentile, the errors and
// the player's result, the analysis kept in the data folder for the next run.
TEST(CliStats, PrintLuckBesideSkill) {
    const std::string folder = TempPath("cli-luck");
    std::filesystem::remove_all(folder);
    ASSERT_EQ(Cli("simulate --game 0 --paytable 0 --hands 40 --seed 7 --policy random --data-dir " +
                  folder)
                  .Status,
              0);
    const TRun run = Cli("stats --data-dir " + folder);
    ASSERT_EQ(run.Status, 0) << run.Err;
    const size_t table = run.Out.find("\nLuck and skill\n");
    ASSERT_NE(table, std::string::npos) << run.Out;
    const size_t row = run.Out.find("  Best play's result", table);
    ASSERT_NE(row, std::string::npos) << run.Out;
    std::istringstream cells(run.Out.substr(row + 32, run.Out.find('\n', row) - row - 32));
    double coins = 0, percent = 0, percentile = -1;
    cells >> coins >> percent >> percentile;
    ASSERT_TRUE(cells) << run.Out.substr(row, 120);
    EXPECT_NEAR(percent, 100 * coins / 200, 1e-4); // 40 hands of 5 coins
    EXPECT_GT(percentile, 0);
    EXPECT_LT(percentile, 100);
    for (const char* caption : {"Luck, percentile", "Errors (skill)", "Your result"})
        EXPECT_NE(run.Out.find(caption, table), std::string::npos) << caption;
    EXPECT_TRUE(std::filesystem::exists(folder + "/DrawMentor.returns"));
    std::filesystem::remove_all(folder);
}

// A hundred hands a deal share their cards and hold: 19 deals at -459 bets
// stand at the 12.07th percentile of such sessions, not at the bottom.
TEST(CliStats, HandsOfADealShareTheirLuck) {
    const std::string folder = TempPath("cli-deal-luck");
    std::filesystem::remove_all(folder);
    Cli("simulate --game 0 --paytable 0 --hands 60 --seed 3 --policy best --hands-per-deal 100 "
        "--data-dir " +
        folder);
    const TRun run = Cli("stats --data-dir " + folder);
    ASSERT_EQ(run.Status, 0) << run.Err;
    const size_t row = run.Out.find("  Best play's result", run.Out.find("\nLuck and skill\n"));
    ASSERT_NE(row, std::string::npos) << run.Out;
    EXPECT_NE(run.Out.substr(row, run.Out.find('\n', row) - row).find("-2295"), std::string::npos);
    EXPECT_NE(run.Out.substr(row, run.Out.find('\n', row) - row).find(" 12.07"), std::string::npos)
        << run.Out.substr(row, 120);
    std::filesystem::remove_all(folder);
}

std::vector<std::vector<double>> CsvRows(const std::string& text, std::string& header) {
    std::vector<std::vector<double>> rows;
    size_t at = text.find('\n');
    header = text.substr(0, at);
    while (at != std::string::npos && at + 1 < text.size()) {
        const size_t end = text.find('\n', at + 1);
        std::vector<double> row;
        for (size_t field = at + 1; field < end;) {
            const size_t comma = std::min(text.find(',', field), end);
            row.push_back(std::stod(text.substr(field, comma - field)));
            field = comma + 1;
        }
        rows.push_back(row);
        at = end;
    }
    return rows;
}

// The chart of a simulated session agrees with the figures that simulate and
// stats print for the same hands.
// Output that never arrived is a failure, whichever command wrote it.
TEST(CliOutput, AFullDiskIsAFailureAndSpoilsNoPicture) {
    const std::string folder = TempPath("cli-full");
    std::filesystem::remove_all(folder);
    ASSERT_EQ(Cli("simulate --game 0 --paytable 0 --hands 40 --seed 3 --data-dir " + folder).Status,
              0);
    for (const std::string& args : std::vector<std::string>{
             "--help", "games --json", "analyze --game 0 --paytable 0 AS KS QS JS 9D",
             "paytables --game 0", "stats --data-dir " + folder,
             "chart --kind balance --csv --game 0 --paytable 0 --data-dir " + folder,
             "simulate --game 0 --paytable 0 --hands 5 --data-dir " + folder}) {
        SCOPED_TRACE(args);
        const TRun run = Cli(args + " >/dev/full");
        EXPECT_EQ(run.Status, 1);
        EXPECT_NE(run.Err.find("cannot write the output"), std::string::npos) << run.Err;
    }
    // A file size limit stands in for a full disk; the signal it sends would
    // end the program instead of failing its write.
    const std::string picture = folder + "/cards.png";
    {
        std::ofstream old(picture);
        old << "the picture of an earlier run";
    }
    const TRun run = Cli("render --sheet -o " + picture, "trap '' XFSZ; ulimit -f 4; ");
    EXPECT_EQ(run.Status, 1);
    EXPECT_TRUE(run.Out.empty()) << run.Out;
    EXPECT_NE(run.Err.find(picture), std::string::npos) << run.Err;
    std::ifstream kept(picture);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}),
              "the picture of an earlier run");
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().find("cards.png."), std::string::npos)
            << entry.path(); // no temporary file stays behind
    std::filesystem::remove_all(folder);
}

TEST(CliChart, CurvesAgreeWithTheCountersAndStatistics) {
    const std::string folder = TempPath("cli-chart");
    std::filesystem::remove_all(folder);
    const TRun played = Cli("simulate --game 0 --paytable 0 --hands 60 --seed 3 --policy random "
                            "--double always --data-dir " +
                            folder);
    ASSERT_EQ(played.Status, 0) << played.Err;
    ASSERT_EQ(Cli("simulate --game 4 --paytable 0 --hands 15 --seed 3 --data-dir " + folder).Status,
              0);
    const std::string jacks = " --game 0 --paytable 0 --data-dir " + folder;
    std::string header;
    TRun run = Cli("chart --kind balance --csv" + jacks);
    ASSERT_EQ(run.Status, 0) << run.Err;
    auto rows = CsvRows(run.Out, header);
    EXPECT_EQ(header, "hand,balance,best_balance");
    ASSERT_EQ(rows.size(), 60u);
    for (size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 3u);
        EXPECT_EQ(rows[i][0], static_cast<double>(i));
    }
    // The net result of the statistics' balance table is the curve's end.
    const TRun stats = Cli("stats" + jacks);
    char net[16], total[80];
    std::snprintf(net, sizeof net, "%10.0f", rows.back()[1]);
    std::snprintf(total, sizeof total, "  %-30s %22s", "Total", rows.back()[1] == 0 ? "-" : net);
    EXPECT_NE(stats.Out.find(total), std::string::npos) << total << "\n" << stats.Out;
    // The accuracy counter of the session is where the accuracy curve ends.
    run = Cli("chart --kind accuracy" + jacks);
    const size_t accuracy = played.Out.find("Accuracy");
    ASSERT_NE(accuracy, std::string::npos);
    const std::string counter =
        played.Out.substr(accuracy + 15, played.Out.find('%', accuracy) - accuracy - 15);
    EXPECT_NE(run.Out.find("accuracy: 60 points"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("last " + counter + ","), std::string::npos) << counter << run.Out;
    // Only doubled hands move the double-up curve; all games add the other session.
    rows = CsvRows(Cli("chart --kind double-up --csv" + jacks).Out, header);
    EXPECT_EQ(header, "double_up,balance");
    EXPECT_GT(rows.size(), 0u);
    EXPECT_LT(rows.size(), 60u);
    rows = CsvRows(Cli("chart --kind accuracy --csv --data-dir " + folder).Out, header);
    EXPECT_EQ(rows.size(), 75u);
    // A simulated hand takes less than the log's millisecond: no rate until time passed.
    rows = CsvRows(Cli("chart --kind hand-rate --csv --data-dir " + folder).Out, header);
    for (const auto& row : rows) EXPECT_GT(row[1], 0);
    rows = CsvRows(
        Cli("chart --kind loss-on-errors --csv --money --from 2999-01-01 --data-dir " + folder).Out,
        header);
    EXPECT_EQ(header, "hand,actual_loss,expected_loss");
    EXPECT_TRUE(rows.empty());
    for (const std::string args :
         {"chart --csv", "chart --kind pie", "chart --kind balance AS",
          "chart --kind balance --game 0", "chart --kind balance --modes 9"}) {
        SCOPED_TRACE(args);
        EXPECT_EQ(Cli(args + " --data-dir " + folder).Status, 2);
    }
    std::filesystem::remove_all(folder);
}

// Deals of several hands log one record per hand, the hands of a deal side by
// side with the same dealt cards and hold, and the log reads back whole.
TEST(CliSimulate, SeveralHandsPerDealAreLoggedHandByHand) {
    const std::string folder = TempPath("cli-simulate-hands");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string args =
        "simulate --game 0 --paytable 0 --hands 20 --hands-per-deal 5 --seed 3 --data-dir " +
        folder;
    const TRun run = Cli(args);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find(", 100 hands"), std::string::npos) << run.Out;
    std::ifstream in(folder + "/DrawMentor.log", std::ios::binary);
    const std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(log.size(), 100u * 79);
    std::set<std::string> deals;
    for (size_t hand = 0; hand < 100; ++hand) {
        const std::string record = log.substr(hand * 79, 79);
        const std::string first = log.substr(hand / 5 * 5 * 79, 79);
        EXPECT_EQ(record[0], 5);                            // hands of the deal
        EXPECT_EQ(record.substr(4, 5), first.substr(4, 5)); // dealt cards
        EXPECT_EQ(record[35], first[35]);                   // the hold
        deals.insert(record.substr(4, 5));
    }
    EXPECT_EQ(deals.size(), 20u);
    const TRun stats = Cli("stats --data-dir " + folder);
    ASSERT_EQ(stats.Status, 0) << stats.Err;
    EXPECT_NE(stats.Out.find("100"), std::string::npos);
    EXPECT_TRUE(stats.Err.empty()) << stats.Err; // no record skipped as damaged
    for (const std::string bad : {" --hands-per-deal 4", " --hands-per-deal 0"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(Cli(args + bad).Status, 2);
    }
    std::filesystem::remove_all(folder);
}

// Without --data-dir a simulation leaves the player's own folder alone and
// says where it played.
TEST(CliSimulate, PlaysInATemporaryFolderOfItsOwn) {
    const std::string root = TempPath("cli-simulate");
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root + "/home");
    std::filesystem::create_directories(root + "/tmp");
    const std::string environment =
        "HOME=" + root + "/home XDG_DATA_HOME= TMPDIR=" + root + "/tmp ";
    TRun run = Cli("simulate --game 4 --paytable 0 --hands 25 --seed 2", environment);
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::string prefix = "Data folder (temporary): ";
    ASSERT_EQ(run.Out.rfind(prefix, 0), 0u) << run.Out;
    const std::string folder = run.Out.substr(prefix.size(), run.Out.find('\n') - prefix.size());
    EXPECT_EQ(folder.rfind(root + "/tmp/drawmentor-simulate-", 0), 0u) << folder;
    EXPECT_EQ(std::filesystem::file_size(folder + "/DrawMentor.log"), 25u * 79);
    EXPECT_TRUE(std::filesystem::exists(folder + "/DrawMentor.ini"));
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root + "/home"))
        ADD_FAILURE() << "written into the player's home: " << entry.path();
    // Bad arguments leave no folder behind.
    EXPECT_EQ(Cli("simulate --game 4 --paytable 0 --hands 25 --policy none", environment).Status,
              2);
    int folders = 0;
    for (const auto& entry : std::filesystem::directory_iterator(root + "/tmp"))
        folders += entry.is_directory();
    EXPECT_EQ(folders, 1);
    std::filesystem::remove_all(root);
}

} // namespace
