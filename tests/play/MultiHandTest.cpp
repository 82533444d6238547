// Several hands dealt from one hold: the deal, the draws from copies of the
// deck, the bet, the log the readers share, and the figures against play.
#include "play/DealCounter.h"
#include "play/ErrorHandReplay.h"
#include "play/ErrorList.h"
#include "play/Logger.h"
#include "play/Session.h"

#include "cards/Cards.h"
#include "engine/PaytableAnalysis.h"
#include "games/Catalogue.h"
#include "prefs/Preferences.h"

#include "support/FileFaults.h"
#include "support/TempFolders.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <set>

namespace drawmentor {
namespace {

int Code(const char* text) {
    const auto card = ParseCardText(text);
    return EncodeCard(card->Rank, card->Suit);
}

std::vector<int> Codes(std::initializer_list<const char*> texts) {
    std::vector<int> codes;
    for (const char* text : texts) codes.push_back(Code(text));
    return codes;
}

class TRefusingWindows : public IGameWindows {
  public:
    void RefuseBet(int betCoins, int credits) override {
        ++Refusals;
        LastBet = betCoins;
        LastCredits = credits;
    }
    int Refusals = 0;
    int LastBet = 0;
    int LastCredits = 0;
};

class MultiHandTest : public ::testing::Test {
  protected:
    MultiHandTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {
        TRandom::SetSeedSource([] { return 4242u; });
        SetClock([this] { return now; });
    }
    ~MultiHandTest() override {
        session.reset();
        preferences.reset();
        TRandom::SetSeedSource({});
        SetClock({});
    }
    TSession& Start(const QByteArray& settings = {}) {
        if (!settings.isEmpty()) folders.WriteDataFile("DrawMentor.ini", settings);
        preferences = std::make_unique<TPreferences>();
        session = std::make_unique<TSession>(*preferences, &windows);
        return *session;
    }
    // Three hands of Jacks or Better holding four hearts to a flush: the table
    // hand draws the jack of spades, the second hand the same jack (its own
    // copy of the deck), the third a heart.
    static void StackFlushDeal(TSession& e) {
        e.StackCards(Codes({"2H", "7H", "9H", "KH", "4C",    // the deal
                            "JS", "3D", "3C", "5S", "6S",    // the table hand's draw
                            "JS", "QD", "8C", "8D", "TS",    // hand two
                            "AH", "AS", "AC", "AD", "5D"})); // hand three
    }
    std::vector<TLogRecord> Logged() {
        std::vector<TLogRecord> records;
        TLogRecord record;
        session->Logger().Rewind();
        while (session->Logger().ReadNext(record)) records.push_back(record);
        return records;
    }

    testing::TTempFolders folders;
    TDateTime now = 46001.25;
    TRefusingWindows windows;
    std::unique_ptr<TPreferences> preferences;
    std::unique_ptr<TSession> session;
};

// The three hands of the stacked deal share the hold and draw apart.
TEST_F(MultiHandTest, HandsShareTheHoldAndDrawFromTheirOwnDecks) {
    TSession& e = Start();
    ASSERT_TRUE(e.SetHandsPerDeal(3));
    StackFlushDeal(e);
    e.Deal();
    EXPECT_EQ(e.Counters().Credits(), 2500 - 15);
    e.SetDrawMask(16); // the club goes
    e.Draw();
    ASSERT_EQ(e.ExtraHands().Hands().size(), 2u);
    EXPECT_EQ(e.Hand().CardAt(4), Code("JS"));
    const auto& two = e.ExtraHands().Hands()[0];
    const auto& three = e.ExtraHands().Hands()[1];
    EXPECT_EQ(two.Cards[4], Code("JS"));
    EXPECT_EQ(three.Cards[4], Code("AH"));
    for (const auto& hand : e.ExtraHands().Hands()) {
        for (int i = 0; i < 4; ++i) EXPECT_EQ(hand.Cards[i], e.Hand().CardAt(i)); // held
        EXPECT_EQ(std::set<int>(hand.Cards.begin(), hand.Cards.end()).size(), 5u);
    }
    EXPECT_EQ(e.Hand().CurrentWin(), 0);
    EXPECT_EQ(two.Win, 0);
    EXPECT_EQ(three.Win, 30); // a flush at 6 a coin
    EXPECT_EQ(e.DealWin(), 30);
    EXPECT_FALSE(e.Rules().CanDouble()); // a win, but not of one hand
    e.Collect();
    EXPECT_EQ(e.Counters().Credits(), 2500 - 15 + 30);
    EXPECT_EQ(e.Counters().Hands(), 3);

    const auto records = Logged();
    ASSERT_EQ(records.size(), 3u);
    for (const auto& r : records) {
        EXPECT_EQ(r.Dealt, records[0].Dealt);
        EXPECT_EQ(r.DrawMask, 16);
        EXPECT_EQ(r.DealTime, now);
        EXPECT_EQ(r.Reserved, 3);
        EXPECT_EQ(r.Collected, r.Win);
        EXPECT_TRUE(IsValidRecord(r));
        EXPECT_TRUE(IsSameDeal(r, records[0]));
    }
    EXPECT_EQ(records[2].Win, 30);
    EXPECT_EQ(records[2].Drawn[0], Code("AH"));
}

// Best play's credits take each hand's best win, not its own: the third hand
// draws four aces to a discarded hand where the flush draw makes a flush.
TEST_F(MultiHandTest, BestCreditsTakeEachHandsBestWin) {
    TSession& e = Start();
    ASSERT_TRUE(e.SetHandsPerDeal(3));
    StackFlushDeal(e);
    e.Deal();
    e.SetDrawMask(31);
    e.Draw();
    e.Collect();
    const auto records = Logged();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2].Win, 125);
    EXPECT_EQ(records[2].BestWin, 30);
    int32_t wins = 0, bestWins = 0;
    for (const auto& r : records) {
        wins += r.Win;
        bestWins += r.BestWin;
    }
    EXPECT_EQ(e.Counters().Credits(), 2500 - 15 + wins);
    EXPECT_EQ(e.Counters().BestCredits(), 2500 - 15 + bestWins);
}

// The credits count what the log holds: a deal the log refuses (a link in its
// place, a full disk) is undone whole, its bets returned, and none of its
// hands is credited, then or later.
TEST_F(MultiHandTest, ADealTheLogRefusesIsNeitherLoggedNorCredited) {
    TSession& e = Start();
    ASSERT_TRUE(e.SetHandsPerDeal(3));
    StackFlushDeal(e);
    e.Deal();
    e.SetDrawMask(16);
    e.Draw();
    ASSERT_EQ(e.DealWin(), 30);
    const QString log = e.Logger().LogFileName();
    {
        const testing::TFileFaultScope full(TFileStep::Write, "DrawMentor.log");
        EXPECT_ANY_THROW(e.Collect());
    }
    EXPECT_EQ(e.Counters().Credits(), 2500);
    EXPECT_EQ(e.Counters().Hands(), 0);
    EXPECT_EQ(QFileInfo(log).size(), 0);
    e.Collect(); // nothing is credited twice
    EXPECT_EQ(e.Counters().Credits(), 2500);

    e.Deal(); // the next deal is logged and credited whole
    e.Draw();
    e.Collect();
    EXPECT_EQ(e.Counters().Hands(), 3);
    EXPECT_EQ(QFileInfo(log).size(), 3 * kLogRecordSize);
}

TEST_F(MultiHandTest, TheBetOfEveryHandMustBeCovered) {
    TSession& e = Start("[Params]\nCredits=14\n");
    ASSERT_TRUE(e.SetHandsPerDeal(3));
    e.Deal(); // 15 coins against 14 credits
    EXPECT_EQ(windows.Refusals, 1);
    EXPECT_EQ(windows.LastBet, 15);
    EXPECT_EQ(windows.LastCredits, 14);
    EXPECT_EQ(e.Hand().State(), TGameState::gsIdle);
    EXPECT_EQ(e.Counters().Credits(), 14);
    ASSERT_TRUE(e.SetBet(4));
    e.Deal(); // 12 coins
    EXPECT_EQ(e.Hand().State(), TGameState::gsDealt);
    EXPECT_EQ(e.Counters().Credits(), 2);
    EXPECT_FALSE(e.SetHandsPerDeal(1)); // not while a hand is in play
    e.Collect();                        // undrawn: all three bets come back
    EXPECT_EQ(e.Counters().Credits(), 14);
    EXPECT_EQ(e.Logger().Count(), 0);
    session.reset();
    preferences.reset();
    // One hand plays on credit, as it always did.
    TSession& again = Start();
    ASSERT_TRUE(again.SetHandsPerDeal(1));
    ASSERT_TRUE(again.SetBet(5));
    again.Deal();
    EXPECT_EQ(again.Counters().Credits(), 9);
    for (int hands : {0, 2, 4, 101}) EXPECT_FALSE(again.SetHandsPerDeal(hands)) << hands;
    EXPECT_EQ(windows.Refusals, 1);
}

TEST_F(MultiHandTest, TheChoiceIsRememberedAndADamagedOnePlaysOneHand) {
    TSession& e = Start();
    EXPECT_EQ(e.ExtraHands().HandsPerDeal(), 1);
    ASSERT_TRUE(e.SetHandsPerDeal(50));
    session.reset();
    preferences.reset(); // written on exit
    EXPECT_EQ(Start().ExtraHands().HandsPerDeal(), 50);
    session.reset();
    preferences.reset();
    for (const char* stored : {"7", "-3", "x", "1000"}) {
        EXPECT_EQ(Start(QByteArray("[Params]\nHandsPerDeal=") + stored + "\n")
                      .ExtraHands()
                      .HandsPerDeal(),
                  1)
            << stored;
        session.reset();
        preferences.reset();
    }
}

TEST_F(MultiHandTest, ASeedGivesTheSameHands) {
    std::vector<TLogRecord> first;
    for (int run = 0; run < 2; ++run) {
        TSession& e = Start();
        e.ClearAllRecords();
        ASSERT_TRUE(e.SetHandsPerDeal(10));
        for (int deal = 0; deal < 3; ++deal) {
            e.Deal();
            e.SetDrawMask(e.Hand().Record().BestMask);
            e.Draw();
        }
        e.Collect();
        const auto records = Logged();
        ASSERT_EQ(records.size(), 30u);
        if (run == 0)
            first = records;
        else
            EXPECT_EQ(records, first);
        session.reset();
        preferences.reset();
    }
}

// An error on five hands is one error of the list, five times as costly; a
// log whose last deal lost its tail keeps every whole record.
TEST_F(MultiHandTest, AnErroneousDealIsOneEntryEvenWhenItsTailIsLost) {
    TSession& e = Start();
    ASSERT_TRUE(e.SetHandsPerDeal(5));
    e.StackCards(Codes({"AS", "AH", "7C", "8D", "2S"}));
    e.Deal();
    e.SetDrawMask(1 + 2 + 4 + 8); // throws away the pair of aces
    e.Draw();
    const auto cost = DrawnHoldCost(e, preferences->Severity);
    ASSERT_TRUE(cost);
    const TLogRecord table = e.Hand().Record();
    EXPECT_DOUBLE_EQ(cost->BestReturn, 5 * table.BestReturn);
    EXPECT_DOUBLE_EQ(cost->Return, 5 * table.Return);
    e.Collect();
    const QString path = e.Logger().LogFileName();
    session.reset();
    preferences.reset();

    QFile file(path);
    ASSERT_TRUE(file.resize(2 * kLogRecordSize + 40)); // killed while writing the third
    TLogger log(path);
    EXPECT_EQ(log.Count(), 2);
    log.Filter().DateFrom = 0;
    TPreferences settings;
    settings.WriteOnExit = false;
    TErrorList list;
    list.Refresh(log, settings.Severity, ~0u);
    ASSERT_EQ(list.Deals().size(), 1u);
    EXPECT_EQ(list.Deals()[0].Hands, 2);
    EXPECT_DOUBLE_EQ(list.Deals()[0].Record.BestReturn, 2 * table.BestReturn);
    EXPECT_DOUBLE_EQ(list.Deals()[0].Record.Return, 2 * table.Return);
    TErrorHandReplay replay; // and Play Error Hands deals it once
    ASSERT_TRUE(replay.Build(log, 0, 0));
    EXPECT_EQ(replay.Count(), 1);
}

// Best play on 10,000 deals of five hands: the return and the spread of a
// deal's result agree with the exact figures within their sampling error. The
// top pays are cut so that a handful of royals cannot swing the spread.
TEST_F(MultiHandTest, SeededPlayAgreesWithTheExactFigures) {
    TSession& e = Start("[Params]\nCredits=100000000\n"); // never short of a bet
    TPayTable table;
    const int perCoin[] = {50, 40, 25, 9, 6, 4, 3, 2, 1};
    for (int coins = 1; coins <= 5; ++coins)
        for (int line = 0; line < 16; ++line)
            table.At(coins, line) = line < 9 ? perCoin[line] * coins : -1;
    e.SelectGame(0, 0, table);
    ASSERT_TRUE(e.SetHandsPerDeal(5));
    std::vector<int> pays;
    for (int line = 0; line < 9; ++line) pays.push_back(table.At(5, line));
    const TPaytableReturn exact = AnalyzePaytable(*CreateDescription(0), pays, 5);

    constexpr int kDeals = 10000;
    std::vector<double> results;
    for (int deal = 0; deal < kDeals; ++deal) {
        e.Deal();
        e.SetDrawMask(e.Hand().Record().BestMask);
        e.Draw();
        results.push_back((e.DealWin() - 25) / 5.0); // in bets of one hand
    }
    e.Collect();
    EXPECT_EQ(e.Logger().Count(), 5 * kDeals);
    double mean = 0, variance = 0, fourth = 0;
    for (double x : results) mean += x / kDeals;
    for (double x : results) {
        variance += (x - mean) * (x - mean) / kDeals;
        fourth += std::pow(x - mean, 4) / kDeals;
    }
    const double exactDeviation = static_cast<double>(DealDeviation(exact, 5));
    const double exactMean = 5 * (static_cast<double>(exact.ReturnPercent) / 100 - 1);
    EXPECT_NEAR(mean, exactMean, 4 * exactDeviation / std::sqrt(kDeals));
    // The sample variance's own error, from the sample's fourth moment.
    const double varianceError = std::sqrt((fourth - variance * variance) / kDeals);
    EXPECT_NEAR(variance, exactDeviation * exactDeviation, 4 * varianceError);
    const double deviation = std::sqrt(variance);
    // Five independent hands would spread far less.
    EXPECT_GT(deviation, 1.2 * std::sqrt(5 * static_cast<double>(exact.Variance)));
}

} // namespace
} // namespace drawmentor
