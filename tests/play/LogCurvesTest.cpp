#include "play/LogCurves.h"
#include "play/Logger.h"

#include "support/TempFolders.h"

#include <gtest/gtest.h>

#include <QTextStream>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace drawmentor {
namespace {

constexpr double kHour = 1.0 / 24;

class ChartSeriesTest : public ::testing::Test {
  protected:
    ChartSeriesTest() : logger(folders.Data() + "DrawMentor.log") {}

    // A hand of game 0, paytable 0 dealt `day` days after the first, lasting a minute.
    TLogRecord& Add(double day, int collected, int bestWin, double ret = 4, double bestRet = 4) {
        TLogRecord& r = records.emplace_back();
        r.Mode = 1;
        r.Bet = 5;
        r.CoinIndex = 2; // one dollar a coin
        r.Collected = r.Win = collected;
        r.BestWin = bestWin;
        r.Return = ret;
        r.BestReturn = bestRet;
        r.DealTime = kDay0 + day;
        r.CollectTime = r.DealTime + kHour / 60; // a minute a hand
        return r;
    }
    // The records go to the log and the filter shows game 0 from `from` on.
    TLogCurves Chart(TPlotKind kind, bool money = false, double from = kDay0) {
        if (!written) {
            for (const TLogRecord& r : records) logger.Append(r);
            written = true;
        }
        TLogFilter& filter = logger.Filter();
        filter.Game = 0;
        filter.PayIndex = 0;
        filter.Modes = 0xF;
        filter.DateFrom = from;
        return ComputeLogCurves(logger, filter, kind, money);
    }
    static std::vector<double> Ys(const QList<QPointF>& points) {
        std::vector<double> ys;
        for (const QPointF& p : points) ys.push_back(p.y());
        return ys;
    }

    static constexpr double kDay0 = 46000; // a day in 2025
    testing::TTempFolders folders;
    TLogger logger;
    std::vector<TLogRecord> records;
    bool written = false;
};

TEST_F(ChartSeriesTest, BalanceInCoinsOrInEachHandsOwnMoney) {
    Add(0, 10, 10);             // +5 coins, a dollar each
    Add(0, 0, 5).CoinIndex = 0; // -5 coins of a quarter, best 0
    Add(0, 0, 0).CoinIndex = 5; // -5 coins of 100
    const TLogCurves coins = Chart(pkBalance);
    EXPECT_EQ(Ys(coins.Curves[0]), (std::vector<double>{5, 0, -5}));
    EXPECT_EQ(Ys(coins.Curves[1]), (std::vector<double>{5, 5, 0}));
    EXPECT_EQ(coins.Curves[0].back().x(), 2);
    const TLogCurves money = Chart(pkBalance, true);
    EXPECT_EQ(Ys(money.Curves[0]), (std::vector<double>{5, 3.75, -496.25}));
    EXPECT_EQ(Ys(money.Curves[1]), (std::vector<double>{5, 5, -495}));
}

TEST_F(ChartSeriesTest, SumsOfBalanceAndLossesStartAtTheFirstDay) {
    Add(0, 0, 0);
    Add(1, 10, 10, 3, 4);
    Add(1, 0, 10, 3, 4.5);
    const TLogCurves balance = Chart(pkBalance, false, kDay0 + 1);
    EXPECT_EQ(Ys(balance.Curves[0]), (std::vector<double>{5, 0}));
    EXPECT_EQ(balance.Curves[0].front().x(), 0); // x counts plotted hands only
    const TLogCurves loss = Chart(pkLossOnErrors, true, kDay0 + 1);
    EXPECT_EQ(Ys(loss.Curves[0]), (std::vector<double>{0, -10}));
    EXPECT_EQ(Ys(loss.Curves[1]), (std::vector<double>{-1, -2.5}));
}

// Accuracy and hand rate run over the whole log of the game and modes; a later
// first day only hides the start of the curve.
TEST_F(ChartSeriesTest, AccuracyAndRateCarryTheEarlierHands) {
    Add(0, 0, 0, 2, 4);
    Add(0, 0, 0, 4, 4);
    Add(1, 0, 0, 4, 4);
    const TLogCurves all = Chart(pkAccuracy);
    EXPECT_EQ(Ys(all.Curves[0]), (std::vector<double>{50, 75, 10 * 100.0 / 12}));
    const TLogCurves later = Chart(pkAccuracy, false, kDay0 + 1);
    ASSERT_EQ(later.PointCount(), 1);
    EXPECT_DOUBLE_EQ(later.Curves[0][0].y(), 10 * 100.0 / 12); // not 100
    EXPECT_EQ(later.CurveCount(), 1);
    EXPECT_TRUE(later.Curves[1].isEmpty());
    const TLogCurves rate = Chart(pkHandRate, false, kDay0 + 1);
    ASSERT_EQ(rate.PointCount(), 1);
    EXPECT_NEAR(rate.Curves[0][0].y(), 60, 1e-6); // three hands in three minutes
}

TEST_F(ChartSeriesTest, DoubleUpMovesOnlyOnDoubledHands) {
    Add(0, 10, 10);
    TLogRecord& won = Add(0, 20, 10);
    won.Win = 10;
    won.DoubleUps = 1;
    Add(0, 5, 5);
    TLogRecord& lost = Add(0, 0, 10);
    lost.Win = 10;
    lost.DoubleUps = 2;
    Add(0, 0, 0).CoinIndex = 0;
    const TLogCurves series = Chart(pkDoubleUpBalance);
    EXPECT_EQ(Ys(series.Curves[0]), (std::vector<double>{10, 0}));
    EXPECT_EQ(series.CurveCount(), 1);
    EXPECT_TRUE(series.Curves[1].isEmpty());
    EXPECT_TRUE(Chart(pkDoubleUpBalance, false, kDay0 + 1).Curves[0].isEmpty());
}

TEST_F(ChartSeriesTest, WinsAtTheLimitsOfTheirFieldsAddUpIn64Bits) {
    constexpr double kMin = std::numeric_limits<int32_t>::min();
    constexpr double kMax = std::numeric_limits<int32_t>::max();
    TLogRecord& low =
        Add(0, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
    low.DoubleUps = 1;
    low.Collected = std::numeric_limits<int32_t>::max(); // doubled from the lowest win
    TLogRecord& again = Add(0, std::numeric_limits<int32_t>::min(), 0);
    again.Win = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(Ys(Chart(pkBalance).Curves[0]), (std::vector<double>{kMax - 5, kMax - 5 + kMin - 5}));
    EXPECT_EQ(Ys(Chart(pkBalance).Curves[1]), (std::vector<double>{kMax - 5, kMax - 5 - 5}));
    EXPECT_EQ(Ys(Chart(pkLossOnErrors).Curves[0]), (std::vector<double>{kMin - kMax, kMin}));
    EXPECT_EQ(Ys(Chart(pkDoubleUpBalance).Curves[0]), (std::vector<double>{kMax - kMin}));
}

TEST_F(ChartSeriesTest, OtherGamesAndModesAreLeftOut) {
    Add(0, 10, 10);
    Add(0, 10, 10).GameIndex = 3;
    Add(0, 10, 10).Mode = 2;
    Add(0, 10, 10).PayIndex = 1;
    EXPECT_EQ(Chart(pkBalance).PointCount(), 2);
    logger.Filter().Modes = 1u << 1;
    EXPECT_EQ(ComputeLogCurves(logger, logger.Filter(), pkBalance, false).PointCount(), 1);
    logger.Filter().Game = logger.Filter().PayIndex = -1;
    logger.Filter().Modes = 0xF;
    EXPECT_EQ(ComputeLogCurves(logger, logger.Filter(), pkAccuracy, false).PointCount(), 4);
}

// Damaged records, clocks set back and empty selections: every chart stays
// finite and the command line's or the window's pass does not throw.
TEST_F(ChartSeriesTest, BadRecordsNeverReachTheCurves) {
    for (int kind = 0; kind < kPlotCount; ++kind)
        EXPECT_EQ(Chart(static_cast<TPlotKind>(kind)).PointCount(), 0) << kind;
    written = false;
    TLogRecord& instant = Add(0, 0, 0, 0, 0); // no time, no best return yet
    instant.CollectTime = instant.DealTime;
    Add(0, 0, 0).CoinIndex = kCoinValueCount;
    Add(0, 0, 0).Return = std::numeric_limits<double>::quiet_NaN();
    Add(0, 0, 0).CollectTime = std::numeric_limits<double>::infinity();
    TLogRecord& backwards = Add(0, 5, 5);
    backwards.CollectTime = backwards.DealTime - 1;
    Add(0, 5, 5, 3, 4).DoubleUps = 1;
    for (int kind = 0; kind < kPlotCount; ++kind) {
        SCOPED_TRACE(kind);
        const TLogCurves series = Chart(static_cast<TPlotKind>(kind), true);
        for (const auto& curve : series.Curves)
            for (const QPointF& p : curve) EXPECT_TRUE(std::isfinite(p.y()));
    }
    EXPECT_EQ(Chart(pkBalance).PointCount(), 3); // the instant, backwards and last hands
    EXPECT_EQ(Chart(pkAccuracy).PointCount(), 2);
    const TLogCurves rate = Chart(pkHandRate);
    ASSERT_EQ(rate.PointCount(), 1); // only the last hand took time
    EXPECT_NEAR(rate.Curves[0][0].y(), 3 * 60, 1e-6);
    logger.Filter().Game = 7; // a game never played
    EXPECT_EQ(ComputeLogCurves(logger, logger.Filter(), pkBalance, true).PointCount(), 0);
}

TEST(ChartReduction, KeepsEveryColumnsEndsAndExtremes) {
    std::mt19937 random(7);
    std::normal_distribution<double> step(0, 1);
    QList<QPointF> walk;
    double y = 0;
    for (int x = 0; x < 100000; ++x) walk.append(QPointF(x, y += step(random)));
    for (int columns : {1, 3, 299, 640}) {
        SCOPED_TRACE(columns);
        const QList<QPointF> kept = ReducePoints(walk, columns);
        EXPECT_LE(kept.size(), 4 * columns);
        EXPECT_EQ(kept.front(), walk.front());
        EXPECT_EQ(kept.back(), walk.back());
        // The kept points are the walk's own, in order.
        qsizetype at = 0;
        for (const QPointF& p : kept) {
            while (at < walk.size() && walk[at] != p) ++at;
            ASSERT_LT(at, walk.size()) << p.x();
        }
        // Each column's first, last, lowest and highest point survive.
        const double span = walk.back().x();
        for (int column = 0; column < columns; ++column) {
            QList<QPointF> inColumn, keptInColumn;
            const auto mine = [&](const QPointF& p) {
                return std::min(columns - 1, static_cast<int>(p.x() / span * columns)) == column;
            };
            for (const QPointF& p : walk)
                if (mine(p)) inColumn.append(p);
            for (const QPointF& p : kept)
                if (mine(p)) keptInColumn.append(p);
            ASSERT_FALSE(inColumn.isEmpty());
            const auto byY = [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); };
            for (const QPointF& p : {inColumn.front(), inColumn.back(),
                                     *std::min_element(inColumn.begin(), inColumn.end(), byY),
                                     *std::max_element(inColumn.begin(), inColumn.end(), byY)})
                EXPECT_TRUE(keptInColumn.contains(p)) << column << " " << p.x();
        }
    }
    const QList<QPointF> few = walk.mid(0, 40);
    EXPECT_EQ(ReducePoints(few, 10), few); // nothing to gain
    EXPECT_TRUE(ReducePoints({}, 10).isEmpty());
}

TEST_F(ChartSeriesTest, CsvHasOneRowPerPlottedHand) {
    Add(0, 10, 10);
    Add(0, 0, 3).CoinIndex = 0;
    QString text;
    QTextStream out(&text);
    WriteCurvesCsv(Chart(pkBalance, true), out);
    out.flush();
    EXPECT_EQ(text, "hand,balance,best_balance\n0,5,5\n1,3.75,4.5\n");
    text.clear();
    WriteCurvesCsv(Chart(pkAccuracy), out);
    out.flush();
    EXPECT_EQ(text, "hand,accuracy\n0,100\n1,100\n");
    for (int kind = 0; kind < kPlotCount; ++kind)
        EXPECT_EQ(PlotKindByName(PlotInfo(static_cast<TPlotKind>(kind)).Name), kind);
    EXPECT_EQ(PlotKindByName("pie"), -1);
}

} // namespace
} // namespace drawmentor
