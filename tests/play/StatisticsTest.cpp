#include "play/Statistics.h"
#include "play/DealCounter.h"
#include "play/Logger.h"
#include "play/LuckStat.h"
#include "play/PaytableStore.h"
#include "play/StatisticTexts.h"

#include "games/Catalogue.h"
#include "play/ReturnCache.h"
#include "prefs/Preferences.h"

#include "support/TempFolders.h"

#include <gtest/gtest.h>

namespace drawmentor {
namespace {

// Hands small enough to work their sessions out by hand, for a bet of five:
// paytable 0 pays 10 half the time (+5 or -5), paytable 1 pays 20 a quarter
// of the time (+15 or -5); any other paytable is gone.
THandSource TossHands() {
    return [](const std::vector<TPaytableKey>& keys) {
        std::vector<std::optional<THandDistribution>> hands;
        for (const TPaytableKey& key : keys) {
            if (key.PayIndex == 0)
                hands.emplace_back(THandDistribution(5, {10}, {0.5L}, 0.5L));
            else if (key.PayIndex == 1)
                hands.emplace_back(THandDistribution(5, {20}, {0.25L}, 0.75L));
            else
                hands.emplace_back();
        }
        return hands;
    };
}

class StatisticsTest : public ::testing::Test {
  protected:
    StatisticsTest()
        : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)),
          logger(folders.Data() + "DrawMentor.log") {
        list.Attach(logger);
    }
    // A cell as the statistics window shows it, captions in the interface language.
    QString Cell(int column, int row) {
        return StatisticCell(list, column, row, preferences.Texts());
    }
    // A Jacks or Better hand: the player's line and win, best play's, the bet.
    void Add(int line, int win, int bestLine, int bestWin, double ret, double bestRet,
             int doubleUps = 0, int collected = -1, double hint = 0) {
        TLogRecord r;
        r.GameIndex = 0;
        r.PayIndex = static_cast<uint8_t>(payIndex);
        r.Mode = 1;
        r.Bet = 5;
        r.CoinIndex = static_cast<uint8_t>(coinIndex);
        r.Line = static_cast<uint8_t>(line);
        r.Win = win;
        r.BestLine = static_cast<uint8_t>(bestLine);
        r.BestWin = bestWin;
        r.Return = ret;
        r.BestReturn = bestRet;
        r.DoubleUps = static_cast<uint8_t>(doubleUps);
        r.Collected = collected < 0 ? win : collected;
        r.HintReturn = hint;
        r.Reserved = static_cast<uint8_t>(dealHands);
        r.DealTime = logger.SessionStart + dealTime;
        logger.Append(r);
    }
    void Show(int game) {
        TLogFilter& filter = logger.Filter();
        filter.Game = game;
        filter.PayIndex = game < 0 ? -1 : 0;
        filter.Modes = 0xF;
        list.Attach(logger); // the filter was rebuilt by the appends
        list.SetActive(false);
        list.SetActive(true);
    }

    int coinIndex = 2; // one dollar, for the hands added next
    int payIndex = 0;
    int dealHands = 0;       // 0 for a hand alone; the hands of a deal share the deal time
    double dealTime = 0.001; // days after the session's start
    testing::TTempFolders folders;
    TPreferences preferences;
    TLogger logger;
    TStatisticsList list{{}, TossHands()};
};

TEST_F(StatisticsTest, NoHandsShowDashes) {
    Show(0);
    list.SetSelected(1);
    EXPECT_EQ(Cell(1, 0), "You");
    EXPECT_EQ(Cell(0, 1), "Royal Flush");
    EXPECT_EQ(Cell(1, 1), "-");
    EXPECT_EQ(Cell(0, 11), "Total");
    EXPECT_EQ(Cell(0, 12), "");
    for (int index = 0; index < list.Count(); ++index) {
        list.SetSelected(index);
        for (int row = 1; row <= list.Items(index).RowCount(); ++row)
            for (int column = 1; column <= 3; ++column) EXPECT_EQ(Cell(column, row), "-");
    }
}

TEST_F(StatisticsTest, LinesCountsFrequenciesAndPayback) {
    Add(8, 5, 8, 5, 4, 4);      // a pair of jacks, played right
    Add(255, 0, 7, 10, 2, 3.5); // the player missed two pairs
    Add(7, 10, 255, 0, 1, 1);   // luck: a worse hold hit
    Add(255, 0, 255, 0, 1, 1);
    Show(0);
    list.SetSelected(1); // counts
    EXPECT_EQ(list.Items(1).RowCount(), 11);
    EXPECT_EQ(Cell(1, 9), "         1");  // Jacks or Better, you
    EXPECT_EQ(Cell(1, 10), "         2"); // Nothing, you
    EXPECT_EQ(Cell(2, 10), "         2");
    EXPECT_EQ(Cell(3, 8), "-");           // two pairs: 1 - 1
    EXPECT_EQ(Cell(1, 11), "         4"); // Total
    EXPECT_EQ(Cell(3, 11), "-");          // differences cancel
    list.SetSelected(2);                  // frequencies
    EXPECT_EQ(Cell(1, 11), " 100.00000");
    EXPECT_EQ(Cell(1, 10), "  50.00000");
    list.SetSelected(3); // payback: 15 coins of 20 bet
    EXPECT_EQ(Cell(1, 11), "  75.00000");
    EXPECT_EQ(Cell(2, 11), "  75.00000");
    EXPECT_EQ(Cell(1, 8), "  50.00000"); // two pairs: the lucky hand's 10 of 20
    EXPECT_EQ(Cell(2, 8), "  50.00000"); // and best play's 10, each on its own line
}

TEST_F(StatisticsTest, AllGamesHaveThreeRows) {
    Add(8, 5, 8, 5, 4, 4);
    Add(3, 45, 3, 45, 4, 4);
    Show(-1);
    list.SetSelected(1);
    EXPECT_EQ(list.Items(1).RowCount(), 3);
    EXPECT_EQ(Cell(0, 1), "All winning hands");
    EXPECT_EQ(Cell(1, 1), "         2");
}

TEST_F(StatisticsTest, BalanceSplitsTheResultInCoinsAndMoney) {
    Add(8, 5, 8, 5, 4, 4);        // played right: +5 of 5 bet
    Add(255, 0, 7, 10, 2, 3.5);   // the player missed two pairs: -10 to best play
    coinIndex = 4;                // $25 a coin
    Add(8, 5, 8, 5, 4, 4, 2, 20); // two won double-ups: 5 -> 20
    coinIndex = 2;
    Add(8, 5, 8, 5, 4, 4, 1, 0); // a lost one: -5
    Show(0);
    list.SetSelected(0);
    EXPECT_EQ(Cell(0, 1), "Total");
    EXPECT_EQ(Cell(0, 2), "   Played");
    // Coins: bets, best play's wins, double-ups, errors, and their sum.
    EXPECT_EQ(Cell(1, 2), "       -20");
    EXPECT_EQ(Cell(1, 3), "        25");
    EXPECT_EQ(Cell(1, 4), "        10"); // +15 won, -5 lost
    EXPECT_EQ(Cell(1, 5), "       -10");
    EXPECT_EQ(Cell(1, 1), "         5");
    // Shares of the coins bet.
    EXPECT_EQ(Cell(2, 2), "-100.00000");
    EXPECT_EQ(Cell(2, 4), "  50.00000");
    // Money: every hand in its own coin value, $1 but the $25 hand.
    EXPECT_EQ(Cell(3, 2), "   -140.00"); // 3 x 5 x $1 + 5 x $25
    EXPECT_EQ(Cell(3, 3), "    145.00"); // 5 + 10 + 5 x 25 + 5
    EXPECT_EQ(Cell(3, 4), "    370.00"); // 15 x $25 - 5 x $1
    EXPECT_EQ(Cell(3, 5), "    -10.00");
    EXPECT_EQ(Cell(3, 1), "    365.00");
}

TEST_F(StatisticsTest, ErrorEffectBySeverity) {
    Add(8, 5, 8, 5, 4, 4);           // no error
    Add(255, 0, 7, 10, 2, 3.5);      // 1.5 / 5 = 30 %: serious
    Add(8, 5, 8, 5, 4, 4.25);        // 5 %: medium
    Add(8, 5, 8, 5, 4, 4.0000001);   // below the noise: none
    Add(255, 0, 255, 0, 3.995, 4.0); // 0.1 %: minor
    Show(0);
    list.SetSelected(4);
    EXPECT_EQ(Cell(0, 2), "   Serious");
    EXPECT_EQ(Cell(1, 2), "  20.00000"); // one hand in five
    EXPECT_EQ(Cell(1, 3), "  20.00000");
    EXPECT_EQ(Cell(1, 4), "  20.00000");
    EXPECT_EQ(Cell(1, 1), "  60.00000");
    EXPECT_EQ(Cell(2, 2), "  -6.00000"); // -1.5 of 25 coins
    EXPECT_EQ(Cell(3, 2), " -40.00000"); // -10 of 25 coins
    EXPECT_EQ(Cell(1, 5), "-") << "no hand played with the hint";
}

TEST_F(StatisticsTest, HintedHandsAreCountedApartFromTheErrors) {
    Add(8, 5, 8, 5, 4, 4, 0, -1, 4); // the hint's hold: best play
    Add(8, 5, 8, 5, 4, 4, 0, -1, 4); // and again
    Add(255, 0, 7, 10, 2, 3.5);      // a serious error
    Add(8, 5, 8, 5, 4, 4);           // best play alone
    Show(0);
    list.SetSelected(4);
    EXPECT_EQ(Cell(0, 5), "Hands played with the hint");
    EXPECT_EQ(Cell(1, 5), "  50.00000"); // two hands in four
    EXPECT_EQ(Cell(2, 5), "-") << "a hinted hand gives nothing away";
    EXPECT_EQ(Cell(1, 1), "  25.00000") << "the total holds the one error only";
}

TEST_F(StatisticsTest, FiguresNeedNoTextsAndFollowTheirThresholds) {
    Add(255, 0, 7, 10, 2, 3.5); // 30 % of the bet
    Add(8, 5, 8, 5, 4, 4.25);   // 5 %
    // A list that never saw a language file, grading 4 % and up as serious.
    TStatisticsList strict(TSeverityThresholds{4, 2}, TossHands());
    TLogFilter& filter = logger.Filter();
    filter.Game = 0;
    filter.PayIndex = 0;
    strict.Attach(logger);
    strict.SetActive(true);
    EXPECT_EQ(strict.Items(0).RowCount(), 5);
    EXPECT_EQ(strict.Items(4).RowCount(), 5);  // all errors, three grades, hinted hands
    EXPECT_EQ(strict.Items(1).RowCount(), 11); // the game's nine lines, Nothing, Total
    strict.SetSelected(4);
    EXPECT_EQ(strict.CellText(1, 2), " 100.00000"); // both hands serious
    EXPECT_EQ(strict.CellText(1, 3), "-");
    EXPECT_EQ(strict.CellText(0, 2), "") << "no caption from the figures";
}

TEST_F(StatisticsTest, WinsAtTheLimitOfTheFieldAreSummedIn64Bits) {
    Add(8, INT32_MAX, 255, -1, 1, 4); // stored by a damaged or hand-edited log
    Show(0);
    const double missed = double{INT32_MAX} + 1; // Win - BestWin
    EXPECT_EQ(list.Items(0).Values[0][4], missed);
    EXPECT_EQ(list.Items(4).Values[2][1], 100 * missed / 5); // a serious error, per coin bet
}

TEST_F(StatisticsTest, RecordsThatAreNoHandsAreLeftOutAndCounted) {
    Add(8, 5, 8, 5, 4, 4);
    TLogRecord damaged;
    damaged.Bet = 5;
    damaged.CoinIndex = 77; // no coin has this index
    damaged.DealTime = logger.SessionStart + 0.001;
    logger.Append(damaged);
    Add(255, 0, 255, 0, 1, 1);
    Show(0);
    EXPECT_EQ(list.Skipped, 1);
    list.SetSelected(1);
    EXPECT_EQ(Cell(1, 11), "         2");
    list.SetSelected(0);
    EXPECT_EQ(Cell(1, 2), "       -10");
}

TEST_F(StatisticsTest, FilterChangesRecompute) {
    Add(8, 5, 8, 5, 4, 4);
    Show(0);
    int repaints = 0;
    QObject::connect(&list, &TStatisticsList::Changed, [&] { ++repaints; });
    logger.Filter().SetModes(1u << 2); // no hand in Real Play
    EXPECT_EQ(repaints, 1);
    list.SetSelected(1);
    EXPECT_EQ(Cell(1, 11), "-");
}

// Every cell of every statistic, captions left out.
std::vector<QString> Figures(TStatisticsList& list) {
    std::vector<QString> cells;
    for (int index = 0; index < list.Count(); ++index) {
        list.SetSelected(index);
        for (int row = 1; row <= list.Items(index).RowCount(); ++row)
            for (int column = 1; column <= 3; ++column) cells.push_back(list.CellText(column, row));
    }
    return cells;
}

// A hand alone, a deal of five with a serious error, a hand alone, and a deal
// of five cut short after three hands with the hint used.
class DealStatisticsTest : public StatisticsTest {
  protected:
    void AddDeals() {
        Add(8, 5, 8, 5, 4, 4);
        dealHands = 5;
        dealTime = 0.002;
        Add(255, 0, 7, 10, 2, 3.5);
        Add(255, 0, 255, 0, 2, 3.5);
        Add(7, 10, 7, 10, 2, 3.5);
        Add(8, 5, 8, 5, 2, 3.5);
        Add(255, 0, 8, 5, 2, 3.5);
        dealHands = 0;
        dealTime = 0.003;
        Add(255, 0, 255, 0, 1, 1);
        dealHands = 5;
        dealTime = 0.004;
        Add(255, 0, 255, 0, 1, 1, 0, -1, 1);
        Add(3, 125, 255, 0, 1, 1, 0, -1, 1);
        Add(255, 0, 255, 0, 1, 1, 0, -1, 1);
    }
};

TEST_F(DealStatisticsTest, DealsCountOnceInTheRowOfTheirTopLine) {
    AddDeals();
    Show(0);
    const std::vector<QString> byHands = Figures(list);
    list.SetCountDeals(true);
    list.SetSelected(1);
    EXPECT_EQ(StatisticCaption(list.Items(1), preferences.Texts()), "Deals");
    EXPECT_EQ(Cell(1, 4), "         1");  // four of a kind, in the cut deal
    EXPECT_EQ(Cell(1, 8), "         1");  // two pairs beat the jacks of the deal of five
    EXPECT_EQ(Cell(1, 9), "         1");  // the hand alone
    EXPECT_EQ(Cell(1, 10), "         1"); // nothing
    EXPECT_EQ(Cell(1, 11), "         4");
    EXPECT_EQ(Cell(2, 8), "         1");
    EXPECT_EQ(Cell(2, 10), "         2");
    EXPECT_EQ(Cell(2, 11), "         4");
    list.SetSelected(2);
    EXPECT_EQ(StatisticCaption(list.Items(2), preferences.Texts()), "Deal frequency, %");
    EXPECT_EQ(Cell(1, 10), "  25.00000");
    EXPECT_EQ(Cell(1, 11), " 100.00000");
    list.SetSelected(4);
    EXPECT_EQ(Cell(1, 0), "Deals, %");
    EXPECT_EQ(Cell(0, 5), "Deals played with the hint");
    EXPECT_EQ(Cell(1, 2), "  25.00000"); // one deal of four was a serious error
    EXPECT_EQ(Cell(1, 5), "  25.00000");
    EXPECT_EQ(Cell(2, 2), " -15.00000"); // its five hands' -7.5 of 50 coins
    // Money is that of every hand: the balance, the payback and the luck.
    const std::vector<QString> byDeals = Figures(list);
    for (size_t cell = 0; cell < 15; ++cell) EXPECT_EQ(byDeals[cell], byHands[cell]) << cell;
    const size_t payback = 15 + 2 * 33;
    for (size_t cell = payback; cell < payback + 33; ++cell)
        EXPECT_EQ(byDeals[cell], byHands[cell]) << cell;
    for (size_t cell = byDeals.size() - 15; cell < byDeals.size(); ++cell)
        EXPECT_EQ(byDeals[cell], byHands[cell]) << cell;
    // Back to hands, the figures and captions are those of before.
    list.SetCountDeals(false);
    EXPECT_EQ(Figures(list), byHands);
    list.SetSelected(1);
    EXPECT_EQ(StatisticCaption(list.Items(1), preferences.Texts()), "Hands");
    EXPECT_EQ(Cell(1, 9), "         2");
    EXPECT_EQ(Cell(1, 10), "         6");
    EXPECT_EQ(Cell(1, 11), "        10");
    list.SetSelected(4);
    EXPECT_EQ(Cell(1, 0), "Hands, %");
    EXPECT_EQ(Cell(1, 2), "  50.00000");
    EXPECT_EQ(Cell(1, 5), "  30.00000");
}

TEST_F(DealStatisticsTest, AllGamesCountDealsWithAWin) {
    AddDeals();
    Show(-1);
    list.SetCountDeals(true);
    list.SetSelected(1);
    EXPECT_EQ(Cell(0, 1), "Deals with a winning hand");
    EXPECT_EQ(Cell(1, 1), "         3");
    EXPECT_EQ(Cell(1, 3), "         4");
    list.SetCountDeals(false);
    EXPECT_EQ(Cell(0, 1), "All winning hands");
    EXPECT_EQ(Cell(1, 1), "         4");
}

TEST_F(DealStatisticsTest, HandsAloneCountTheSameEitherWay) {
    Add(8, 5, 8, 5, 4, 4);
    Add(255, 0, 7, 10, 2, 3.5);
    Add(8, 5, 8, 5, 4, 4.25, 0, -1, 4);
    Add(255, 0, 255, 0, 1, 1);
    Show(0);
    const std::vector<QString> byHands = Figures(list);
    list.SetCountDeals(true);
    EXPECT_EQ(Figures(list), byHands);
    TDealCounter deals;
    TLogRecord record;
    logger.Rewind();
    while (logger.ReadNext(record)) deals.Add(record);
    EXPECT_EQ(deals.Deals, 4);
}

// The same error hand replayed within the clock's resolution gives deals
// alike in every field: each ends when it holds its hands.
TEST_F(DealStatisticsTest, AlikeDealsEndWhereTheirHandsSay) {
    dealHands = 3;
    dealTime = 0.002;
    for (int hand = 0; hand < 9; ++hand) Add(255, 0, 8, 5, 2, 3.5);
    TDealCounter deals;
    TLogRecord record;
    logger.Rewind();
    while (logger.ReadNext(record)) deals.Add(record);
    EXPECT_EQ(deals.Deals, 3);
}

TEST_F(StatisticsTest, LuckIsWhereBestPlayStandsAmongSessionsOfAsManyHands) {
    Add(8, 10, 8, 10, 4, 4);       // +5 to best play
    Add(255, 0, 8, 10, 2, 3.5);    // +5, the player missed it: -10
    Add(8, 10, 8, 10, 4, 4);       // +5
    Add(255, 0, 255, 0, 1, 1);     // -5
    Add(8, 10, 8, 10, 4, 4, 1, 0); // +5, lost in the double-up: -10
    Show(0);
    list.SetSelected(5);
    EXPECT_EQ(Cell(0, 0), "");
    EXPECT_EQ(Cell(0, 1), "Best play's result");
    EXPECT_EQ(Cell(3, 0), "Luck, percentile");
    EXPECT_EQ(Cell(1, 1), "        15");
    EXPECT_EQ(Cell(2, 1), "  60.00000"); // of 25 coins bet
    // Five tosses end at -25, -15, -5, 5, 15, 25 with 1, 5, 10, 10, 5, 1 in 32:
    // 26 do worse than +15 and 5 as well, counted half.
    EXPECT_EQ(Cell(3, 1), "     89.06");
    EXPECT_EQ(Cell(1, 2), "       -10");
    EXPECT_EQ(Cell(1, 3), "       -10");
    EXPECT_EQ(Cell(1, 4), "        -5"); // 15 - 10 - 10
    EXPECT_EQ(Cell(2, 4), " -20.00000");
    EXPECT_EQ(Cell(3, 2), "-");
    EXPECT_EQ(Cell(1, 5), "-"); // no hand left out
}

TEST_F(StatisticsTest, LuckCombinesPaytablesAndLeavesOutGoneOnes) {
    Add(8, 10, 8, 10, 4, 4);   // paytable 0: +5
    Add(255, 0, 255, 0, 1, 1); // -5
    payIndex = 1;
    Add(8, 20, 8, 20, 4, 4); // +15
    payIndex = 7;            // no longer stored
    Add(8, 50, 8, 50, 4, 4);
    Add(8, 50, 8, 50, 4, 4);
    Show(-1);
    const TStatistic& luck = list.Items(5);
    EXPECT_EQ(luck.Values[0][TLuckStat::lsBestPlay], 105); // every hand's result
    EXPECT_EQ(luck.Values[0][TLuckStat::lsLeftOut], 2);
    // Two tosses of paytable 0 (-10, 0, 10 with 1, 2, 1 in 4) and one of
    // paytable 1 (-5 or 15, 3 to 1) end at -15, -5, 5, 15, 25 with 3, 6, 4,
    // 2, 1 in 16; their +15 beats 13 and ties 2. Three tosses of paytable 0
    // alone would give 93.75.
    EXPECT_DOUBLE_EQ(luck.Values[2][TLuckStat::lsBestPlay], 100.0 * 14 / 16);
    // With nothing known there is no percentile, only the count.
    TStatisticsList none({}, [](const std::vector<TPaytableKey>& keys) {
        return std::vector<std::optional<THandDistribution>>(keys.size());
    });
    none.Attach(logger);
    none.SetActive(true);
    EXPECT_EQ(none.Items(5).Values[2][TLuckStat::lsBestPlay], 0);
    EXPECT_EQ(none.Items(5).Values[0][TLuckStat::lsLeftOut], 5);
}

// The store's hands come from the analysis of the stored paytable, kept in
// the user's return cache for the next time.
TEST_F(StatisticsTest, StoredPaytablesAreAnalysedOnceIntoTheReturnCache) {
    const auto store = OpenPaytableStore();
    ASSERT_GT(store->PaytableCount(0), 0);
    const TPayTable table = store->ReadPaytable(0, 0);
    std::vector<int> pays;
    for (int line = 0; line <= CreateDescription(0)->LastLine; ++line)
        pays.push_back(table.At(5, line));
    THandSource source = StoredPaytableHands();
    const auto hands = source({{0, 0, 5}, {0, store->PaytableCount(0), 5}});
    ASSERT_EQ(hands.size(), 2u);
    ASSERT_TRUE(hands[0].has_value());
    EXPECT_FALSE(hands[1].has_value()) << "a paytable past the store's end is gone";
    EXPECT_EQ(hands[0]->LinePays(), pays);
    const TReturnCache cache((folders.Data() + "DrawMentor.returns").toStdString());
    const auto cached = cache.Find(0, 5, pays);
    ASSERT_TRUE(cached.has_value());
    EXPECT_EQ(cached->LineProbability, hands[0]->LineProbability());
}

} // namespace
} // namespace drawmentor
