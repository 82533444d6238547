// drawmentor-cli strategy: one chart made and saved, then read back to play
// hands by it, so that the suite generates a chart only once.
#include "CliRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using drawmentor::testing::Cli;
using drawmentor::testing::TRun;

std::vector<nlohmann::json> JsonLines(const std::string& text) {
    std::vector<nlohmann::json> objects;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) objects.push_back(nlohmann::json::parse(line));
    return objects;
}

TEST(CliStrategy, ChartSavedAndHandsPlayedByIt) {
    const std::string stem = ::testing::TempDir() + "dm-strategy-" + std::to_string(getpid());
    const std::string file = stem + ".chart";
    const TRun made = Cli("strategy --game 0 --paytable 0 --json --save " + file);
    ASSERT_EQ(made.Status, 0) << made.Err;
    const auto doc = nlohmann::json::parse(made.Out);
    const auto& lines = doc["lines"];
    ASSERT_GE(lines.size(), 20u);
    EXPECT_LE(lines.size(), 40u);
    EXPECT_EQ(lines.back()["name"], "Discard everything");
    EXPECT_EQ(lines.back()["name_ru"], "Сбросить все карты");
    double frequencies = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i]["line"], i + 1);
        frequencies += lines[i]["frequency"].get<double>();
    }
    EXPECT_NEAR(frequencies, 1.0, 1e-12);
    // Every line has a name of its own; the legend defines the words they use.
    std::set<std::string> names;
    for (const auto& line : lines)
        EXPECT_TRUE(names.insert(line["name"].get<std::string>()).second) << line["name"];
    const auto& legend = doc["legend"];
    EXPECT_EQ(legend.size(), doc["legend_ru"].size());
    EXPECT_NE(std::find(legend.begin(), legend.end(),
                        "High cards: A, K, Q, J (the ranks whose pair pays)."),
              legend.end())
        << legend;
    const double chart = doc["chart_return_percent"].get<double>();
    const double optimal = doc["optimal_return_percent"].get<double>();
    EXPECT_GE(chart, 99.534);
    EXPECT_NEAR(optimal, 99.543904, 5e-7);
    EXPECT_NEAR(doc["difference_percent"].get<double>(), optimal - chart, 1e-9);
    EXPECT_EQ(doc["deals"], 2598960);
    EXPECT_GT(doc["deals_off_best"].get<int64_t>(), 0);

    const std::string input = stem + ".hands";
    std::ofstream(input) << "AS KS QS JS 9D\n\nXX YY\n2H 2C 7S 8S JD\nAS AS KS QS JS\n"
                            "JK 2C 3D 4H 5S\nts js qs ks 9s\n7h 8h 9h 3c 2d\n";
    const TRun played = Cli("strategy --chart " + file + " --classify < " + input);
    ASSERT_EQ(played.Status, 0) << played.Err;
    const auto answers = JsonLines(played.Out);
    ASSERT_EQ(answers.size(), 7u) << played.Out; // the empty line is skipped
    for (size_t i : {1, 3, 4}) {
        EXPECT_TRUE(answers[i].contains("error")) << answers[i];
        EXPECT_TRUE(answers[i].contains("input"));
    }
    EXPECT_EQ(answers[1]["input"], "XX YY");
    for (size_t i : {0, 2, 5, 6}) {
        const auto& answer = answers[i];
        ASSERT_TRUE(answer.contains("line")) << answer;
        const int line = answer["line"];
        ASSERT_GE(line, 1);
        ASSERT_LE(line, static_cast<int>(lines.size()));
        // The class is the chart's own line, the mask the cards it replaces.
        EXPECT_EQ(answer["class"], lines[line - 1]["name"]);
        const int mask = answer["mask"];
        std::vector<std::string> held;
        for (int pos = 0; pos < 5; ++pos)
            if (((mask >> pos) & 1) == 0) held.push_back(answer["cards"][pos]);
        EXPECT_EQ(answer["held"], held);
    }
    EXPECT_EQ(answers[0]["mask"], 16);
    EXPECT_EQ(answers[0]["class"], "4 to a Royal Flush");
    EXPECT_EQ(answers[2]["class"], "Low Pair (22–TT)");
    EXPECT_EQ(answers[5]["mask"], 0);
    EXPECT_EQ(answers[5]["class"], "Straight Flush");
    EXPECT_EQ(answers[6]["mask"], 24);

    // A line past any hand's length is one error, read in bounded memory; an
    // output that cannot be written ends the run with status 1.
    std::ofstream(input) << std::string(3 << 20, 'A') << "\nAS KS QS JS 9D\n";
    const TRun longLine = Cli("strategy --chart " + file + " --classify < " + input);
    ASSERT_EQ(longLine.Status, 0) << longLine.Err;
    const auto two = JsonLines(longLine.Out);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_TRUE(two[0].contains("error"));
    EXPECT_EQ(two[1]["mask"], 16);
    EXPECT_EQ(Cli("strategy --chart " + file + " --classify < /dev/zero > /dev/full").Status, 1);

    const TRun shown = Cli("strategy --chart " + file);
    ASSERT_EQ(shown.Status, 0) << shown.Err;
    EXPECT_NE(shown.Out.find("Discard everything"), std::string::npos);
    EXPECT_NE(shown.Out.find("Chart return"), std::string::npos);
    EXPECT_NE(shown.Out.find("Optimal return      99.543904 %"), std::string::npos) << shown.Out;

    // A chart that is not one is refused with status 1; options it cannot
    // take with status 2.
    std::ofstream(stem + ".bad") << "drawmentor-strategy-chart 1\ngame 0\nbet 5\npays 1 2\n";
    const TRun damaged = Cli("strategy --chart " + stem + ".bad");
    EXPECT_EQ(damaged.Status, 1);
    EXPECT_NE(damaged.Err.find(stem + ".bad"), std::string::npos) << damaged.Err;
    EXPECT_EQ(Cli("strategy --chart " + file + " --paytable 0").Status, 2);
    EXPECT_EQ(Cli("strategy --chart " + file + " --game 4").Status, 2);
    EXPECT_EQ(Cli("strategy --chart " + stem + ".missing").Status, 1);
    for (const std::string suffix : {".chart", ".hands", ".bad"})
        std::remove((stem + suffix).c_str());
}

// Refused before any counting: status 2 and one line saying why.
TEST(CliStrategy, BadArgumentsAreRefused) {
    const auto refused = [](const std::string& args, const std::string& why) {
        const TRun run = Cli("strategy " + args);
        EXPECT_EQ(run.Status, 2) << args;
        EXPECT_NE(run.Err.find(why), std::string::npos) << args << ": " << run.Err;
        EXPECT_TRUE(run.Out.empty()) << args;
    };
    refused("--game 12 --paytable 0", "not offered");
    refused("--game 37 --paytable 0", "outside");
    refused("--game 0 --pays 0,0,0,0,0,0,0,0,0", "pays nothing");
    refused("--game 0 --pays 4000,250,125,45,30,20,15,10,-5", "outside");
    refused("--game 0 --pays 4000,250", "needs 9 values");
    refused("--game 0", "either --pays or --paytable");
    refused("--paytable 0", "needs --game");
    refused("--game 0 --paytable 0 AS", "no cards");
    refused("--game 0 --paytable 0 --save ''", "--save needs a file");
}

} // namespace
