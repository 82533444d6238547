#include "play/ErrorList.h"

#include "cards/Cards.h"
#include "play/Logger.h"
#include "play/Session.h"
#include "prefs/Preferences.h"

#include "support/TempFolders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace drawmentor {
namespace {

TLogRecord Error(double bestReturn, double ret, double dealt, int bet = 5) {
    TLogRecord r;
    r.Bet = static_cast<uint8_t>(bet);
    r.Mode = 1;
    r.Return = ret;
    r.BestReturn = bestReturn;
    r.DealTime = dealt;
    return r;
}

class ErrorListTest : public ::testing::Test {
  protected:
    ErrorListTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {
        preferences.WriteOnExit = false;
    }
    testing::TTempFolders folders;
    TPreferences preferences;
};

TEST_F(ErrorListTest, SeverityOfARecordPerCoinOfItsBet) {
    EXPECT_EQ(RecordSeverity(Error(5, 3, 1), preferences.Severity), esSerious);  // 40 % of the bet
    EXPECT_EQ(RecordSeverity(Error(5, 4.5, 1), preferences.Severity), esMedium); // 10 %
    EXPECT_EQ(RecordSeverity(Error(5, 4.95, 1), preferences.Severity), esMinor); // 1 %
    EXPECT_EQ(RecordSeverity(Error(5, 5, 1), preferences.Severity), esNone);
    EXPECT_EQ(RecordSeverity(Error(5, 4.9999995, 1), preferences.Severity), esNone); // 0.00001 %
    // Damaged records are no errors rather than faults.
    EXPECT_EQ(RecordSeverity(Error(5, 1, 1, 0), preferences.Severity), esNone);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(RecordSeverity(Error(nan, 1, 1), preferences.Severity), esNone);
}

TEST_F(ErrorListTest, KeepsTheFiltersErrorsOfTheChosenSeveritiesAndSorts) {
    TLogger logger(folders.Data() + "DrawMentor.log");
    logger.Append(Error(5, 3, 46000.1));    // serious
    logger.Append(Error(5, 4.5, 46000.2));  // medium
    logger.Append(Error(5, 5, 46000.3));    // none
    logger.Append(Error(5, 4.95, 46000.4)); // minor
    logger.Append(Error(5, 1, 46000.5));    // serious, 80 %
    TLogFilter& filter = logger.Filter();
    filter.DateFrom = 0;
    TErrorList list;
    list.Refresh(logger, preferences.Severity, (1u << esSerious) | (1u << esMinor));
    ASSERT_EQ(list.Deals().size(), 3u);
    EXPECT_EQ(list.Deals()[0].Record.DealTime, 46000.1); // log order
    list.ClickColumn(3);                                 // the loss per coin, largest first
    EXPECT_EQ(list.SortKey(), -4);
    EXPECT_EQ(list.Deals()[0].Record.DealTime, 46000.5);
    EXPECT_EQ(list.Deals()[2].Record.DealTime, 46000.4);
    list.ClickColumn(3);
    EXPECT_EQ(list.SortKey(), 4);
    EXPECT_EQ(list.Deals()[0].Record.DealTime, 46000.4);
    list.ClickColumn(1); // another column starts descending
    EXPECT_EQ(list.SortKey(), -2);
    list.Refresh(logger, preferences.Severity, 1u << esMedium); // the order survives a refresh
    EXPECT_EQ(list.SortKey(), -2);
    EXPECT_EQ(list.Deals().size(), 1u);
    filter.DateFrom = 46000.45; // the filter's date counts
    list.Refresh(logger, preferences.Severity, 14);
    EXPECT_EQ(list.Deals().size(), 1u);
    list.Refresh(logger, preferences.Severity, 0);
    EXPECT_TRUE(list.Deals().empty());
}

// Twenty hands of a deal that each won the most a record holds: the entry's
// wins pass 32 bits and are summed, not refused.
TEST_F(ErrorListTest, ADealsWinsAreSummedPast32Bits) {
    TLogger logger(folders.Data() + "DrawMentor.log");
    for (int hand = 0; hand < 20; ++hand) {
        TLogRecord r = Error(5, 3, 46000.1);
        r.Reserved = 20;
        r.CoinIndex = 2;
        r.DrawMask = 31;
        r.BestMask = 31;
        r.Line = r.BestLine = 0;
        r.Win = r.BestWin = r.Collected = std::numeric_limits<int32_t>::max();
        logger.Append(r);
    }
    logger.Filter().DateFrom = 0;
    TErrorList list;
    list.Refresh(logger, preferences.Severity, ~0u);
    ASSERT_EQ(list.Deals().size(), 1u);
    EXPECT_EQ(list.Deals()[0].Hands, 20);
    EXPECT_EQ(list.Deals()[0].Win, 20 * int64_t{std::numeric_limits<int32_t>::max()});
    EXPECT_DOUBLE_EQ(list.Deals()[0].Record.Return, 20 * 3.0);
}

TEST_F(ErrorListTest, TheDrawnHoldsCostIsToldOnlyAfterAnError) {
    TSession session(preferences);
    session.SelectGame(0, 0);
    session.SetMode(TPlayMode::pmTraining);
    const auto deal = [&session] {
        std::vector<int> codes;
        for (const char* text : {"AS", "KS", "QS", "JS", "9D"}) {
            const auto card = ParseCardText(text);
            codes.push_back(EncodeCard(card->Rank, card->Suit));
        }
        session.StackCards(codes);
        session.Deal();
    };
    deal();
    EXPECT_FALSE(DrawnHoldCost(session, preferences.Severity)); // not drawn yet
    session.SetDrawMask(16);                                    // the best hold
    session.Draw();
    EXPECT_FALSE(DrawnHoldCost(session, preferences.Severity));
    deal();
    session.SetDrawMask(31);
    session.Draw();
    const auto cost = DrawnHoldCost(session, preferences.Severity);
    ASSERT_TRUE(cost);
    EXPECT_EQ(cost->Severity, esSerious);
    EXPECT_DOUBLE_EQ(cost->Return, session.Hand().Record().Return);
    EXPECT_DOUBLE_EQ(cost->BestReturn, session.Hand().Record().BestReturn);
    EXPECT_GT(cost->BestReturn, cost->Return);
}

} // namespace
} // namespace drawmentor
