// The return of every offered game's first stored paytable, within reason.
// Minutes of counting, so it carries the ctest label "long"; the default run
// checks known answers of a few games instead.
#include "CliRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace {

using drawmentor::testing::Cli;
using drawmentor::testing::TRun;

TEST(CliReturn, EveryOfferedGameWithItsFirstStoredPaytable) {
    const auto catalogue = nlohmann::json::parse(Cli("games --json").Out);
    for (const auto& game : catalogue["games"]) {
        const int index = game["index"];
        SCOPED_TRACE(index);
        const TRun run = Cli("return --game " + std::to_string(index) + " --paytable 0 --json");
        ASSERT_EQ(run.Status, 0) << run.Err;
        const auto doc = nlohmann::json::parse(run.Out);
        const double percent = doc["return_percent"];
        EXPECT_GT(percent, 90);
        EXPECT_LT(percent, 105);
        EXPECT_EQ(doc["line_probability"].size(), game["lines"].size());
        EXPECT_GT(doc["variance"].get<double>(), 1);
        EXPECT_EQ(doc["deals"], game["deck_size"] == 52   ? 2598960
                                : game["deck_size"] == 53 ? 2869685
                                                          : 3162510);
        EXPECT_TRUE(run.Err.empty()); // no progress text when standard error is no terminal
    }
}

} // namespace
