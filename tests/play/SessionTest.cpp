#include "play/Session.h"

#include "core/Error.h"
#include "engine/EngineFactory.h"
#include "games/Catalogue.h"
#include "games/PayoutStorage.h"
#include "prefs/Preferences.h"

#include "support/TempFolders.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace drawmentor {
namespace {

class TFakeWindows : public IGameWindows {
  public:
    TWarningAnswer ShowWarning(TSession&) override {
        ++Warnings;
        return Answer;
    }
    int AskModeForNoErrors() override {
        ++ModeQuestions;
        return ModeAnswer;
    }
    int Warnings = 0;
    int ModeQuestions = 0;
    TWarningAnswer Answer;
    int ModeAnswer = -1;
};

class SessionTest : public ::testing::Test {
  protected:
    SessionTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {
        TRandom::SetSeedSource([] { return 20261207u; });
        SetClock([this] { return now; });
    }
    ~SessionTest() override {
        session.reset();
        preferences.reset();
        TRandom::SetSeedSource({});
        SetClock({});
    }
    // Starts on a settings file holding `settings` (INI text).
    TSession& Start(const QByteArray& settings = {}) {
        if (!settings.isEmpty()) folders.WriteDataFile("DrawMentor.ini", settings);
        preferences = std::make_unique<TPreferences>();
        session = std::make_unique<TSession>(*preferences, &windows);
        return *session;
    }
    // Ends the run as the program does, then starts a new one on the same files.
    TSession& Restart() {
        session->Collect();
        session.reset();
        preferences.reset();
        return Start();
    }

    testing::TTempFolders folders;
    TDateTime now = 46000.5;
    TFakeWindows windows;
    std::unique_ptr<TPreferences> preferences;
    std::unique_ptr<TSession> session;
};

TEST_F(SessionTest, AFreshSession) {
    TSession& e = Start();
    EXPECT_EQ(e.Game().GameIndex(), 0);
    EXPECT_EQ(e.Game().PayIndex(), 0);
    EXPECT_EQ(e.Counters().Credits(), 2500);
    EXPECT_EQ(e.Game().Bet(), 5);
    EXPECT_EQ(e.CoinIndex(), 0);
    EXPECT_EQ(e.Mode(), TPlayMode::pmTraining);
    EXPECT_EQ(e.Options(), kShowResultHands | kShowWarnings);
    EXPECT_EQ(e.Hand().State(), TGameState::gsIdle);
    EXPECT_EQ(e.Counters().Accuracy(), 100);
    EXPECT_EQ(e.Game().Caption(), "JACKS OR BETTER  (1)");
    EXPECT_EQ(e.Game().Pay(0, 5), 4000);
    EXPECT_EQ(e.Game().Payout().Pays[0], 4000);
    EXPECT_EQ(e.Hand().CardAt(0), kNoCard);
    EXPECT_THROW(e.Hand().CardAt(5), ERangeError);
    EXPECT_THROW(e.Game().Pay(16, 1), ERangeError);
}

TEST_F(SessionTest, TheRandomGenerator) {
    TRandom random;
    random.Seed = 1;
    // seed := 1 * 134775813 + 1 = 134775814; (134775814 * 52) >> 32 = 1
    EXPECT_EQ(random.Next(52), 1);
    EXPECT_EQ(random.Seed, 134775814u);
    random.Seed = 0xFFFFFFFFu;
    EXPECT_EQ(random.Next(52),
              static_cast<int>((uint64_t{0xFFFFFFFFu * 134775813u + 1u} * 52) >> 32));
}

TEST_F(SessionTest, DealTakesTheBetAndCreditsMayGoNegative) {
    TSession& e = Start("[Params]\nCredits=3\n");
    e.Deal();
    EXPECT_EQ(e.Hand().State(), TGameState::gsDealt);
    EXPECT_EQ(e.Counters().Credits(), -2);
    EXPECT_EQ(e.Hand().DrawMask(), 31);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(e.Hand().CardAt(i), e.Hand().Record().Dealt[i]);
    EXPECT_EQ(e.Hand().Record().DealTime, now);
    e.SetMode(TPlayMode::pmAutoHold);
    e.Deal(); // a dealt hand is refunded, a new one dealt
    EXPECT_EQ(e.Counters().Credits(), -2);
    EXPECT_EQ(e.Hand().DrawMask(), e.Hand().Record().BestMask);
    EXPECT_EQ(e.Logger().Count(), 0);
}

TEST_F(SessionTest, HoldingEverythingStillDrawsFiveCards) {
    TSession& e = Start();
    e.Deal();
    e.SetDrawMask(0);
    const auto dealt = e.Hand().Record().Dealt;
    e.Draw();
    EXPECT_EQ(e.Hand().State(), TGameState::gsDrawn);
    std::set<int> cards(dealt.begin(), dealt.end());
    for (uint8_t code : e.Hand().Record().Drawn)
        EXPECT_TRUE(cards.insert(code).second) << "card dealt twice";
    for (int i = 0; i < 5; ++i) EXPECT_EQ(e.Hand().CardAt(i), dealt[i]);
    EXPECT_EQ(e.Hand().Record().DrawMask, 0);
    EXPECT_LE(e.Hand().Record().Return, e.Hand().Record().BestReturn);
    EXPECT_GE(e.Hand().Record().MaxWin, std::max(e.Hand().Record().Win, e.Hand().Record().BestWin));
    if (e.Hand().Record().MaxWin == 0) {
        EXPECT_EQ(e.Hand().Record().MaxMask, 31);
    }
}

TEST_F(SessionTest, CollectLogsOnceAndRefundsUndrawnHands) {
    TSession& e = Start();
    e.Deal();
    e.Collect();
    EXPECT_EQ(e.Counters().Credits(), 2500); // refunded
    e.Collect();
    EXPECT_EQ(e.Counters().Credits(), 2500); // not twice
    EXPECT_EQ(e.Logger().Count(), 0);
    e.Deal();
    e.Draw();
    const int win = e.Hand().CurrentWin();
    e.Collect();
    e.Collect();
    EXPECT_EQ(e.Logger().Count(), 1);
    EXPECT_EQ(e.Counters().Credits(), 2500 - 5 + win);
    EXPECT_EQ(e.Counters().Hands(), 1);
    EXPECT_EQ(e.Counters().Balance(), (win - 5) * 0.25);
}

// A royal flush held and drawn to, so that every double-up starts from a win.
int DealAWin(TSession& e) {
    e.StackCards({8, 9, 10, 11, 12}); // T to A of spades
    e.Deal();
    e.SetDrawMask(0);
    e.Draw();
    return e.Hand().CurrentWin();
}

TEST_F(SessionTest, DoubleUpCompares) {
    TSession& e = Start();
    const int aceS = 12, aceH = 51, kingD = 2 * 13 + 11, twoC = 13, threeC = 14, fourC = 15,
              fiveC = 16;
    // The dealer's card and the card at position 3 as given, fillers elsewhere.
    const auto pick = [&](int dealer, int picked) {
        const int before = e.Hand().CurrentWin() > 0 ? e.Hand().CurrentWin() : DealAWin(e);
        EXPECT_GT(before, 0);
        std::vector<int> fillers;
        for (int card : {threeC, fourC, fiveC, twoC + 5})
            if (card != dealer && card != picked) fillers.push_back(card);
        e.StackCards({dealer, fillers[0], fillers[1], picked, fillers[2]});
        e.StartDoubleUp();
        EXPECT_EQ(e.Hand().State(), TGameState::gsDoubleUp);
        EXPECT_EQ(e.Hand().DoubleUpPick(), -1) << "a new round has no pick yet";
        EXPECT_TRUE(e.Hand().ShowsBack(3));
        e.DoubleUpPick(3);
        EXPECT_EQ(e.Hand().State(), TGameState::gsDrawn);
        EXPECT_EQ(e.Hand().DoubleUpPick(), 3);
        const int result = e.Hand().DoubleUpResult();
        EXPECT_EQ(result, e.Hand().CurrentWin() > before ? 1 : e.Hand().CurrentWin() == 0 ? -1 : 0);
        return std::pair{before, e.Hand().CurrentWin()};
    };
    const auto doubles = [](std::pair<int, int> result) {
        return result.second == 2 * result.first;
    };
    const auto [won, doubled] = pick(kingD, aceS);
    EXPECT_EQ(won, 4000);
    EXPECT_EQ(doubled, 8000);
    EXPECT_EQ(pick(aceS, aceH).second, 8000); // a push
    EXPECT_EQ(e.Hand().DoubleUpResult(), 0);
    EXPECT_EQ(pick(aceS, twoC).second, 0);
    EXPECT_EQ(e.Hand().DoubleUpResult(), -1);
    e.Deal();
    EXPECT_EQ(e.Hand().DoubleUpPick(), -1) << "a new hand has no pick to mark";
    e.SelectGame(3, 0); // a joker beats every natural card
    EXPECT_EQ(pick(52, aceS).second, 0);
    EXPECT_TRUE(doubles(pick(aceS, 52)));
    e.SelectGame(4, 0); // and so does a deuce where deuces are wild
    EXPECT_TRUE(doubles(pick(aceS, twoC)));
    e.StartDoubleUp();
    EXPECT_THROW(e.DoubleUpPick(0), ERangeError); // the dealer's card is no pick

    // Won double-ups until the win passes the 32-bit range: 4000 * 2^19 still fits.
    e.SelectGame(0, 0);
    for (int round = 0; round < 19; ++round) pick(threeC, aceS);
    EXPECT_EQ(e.Hand().CurrentWin(), 4000 << 19);
    e.StackCards({threeC, fourC, fiveC, aceS, twoC + 5});
    e.StartDoubleUp();
    EXPECT_THROW(e.DoubleUpPick(3), EOverflowError);
}

TEST_F(SessionTest, APaytableTheLogCannotNameIsNotPlayed) {
    TSession& e = Start();
    e.SelectGame(4, 0);
    const TPayTable pays = e.Game().PayTable();
    EXPECT_THROW(e.SelectGame(0, kMaxPaytablesPerGame, pays), EDrawMentor);
    EXPECT_THROW(e.SelectGame(0, kMaxPaytablesPerGame), EDrawMentor);
    EXPECT_EQ(e.Game().GameIndex(), 4);
    EXPECT_EQ(e.Game().PayIndex(), 0);
    e.SelectGame(4, kMaxPaytablesPerGame - 1, pays); // the last one the log can name
    EXPECT_EQ(e.Game().PayIndex(), kMaxPaytablesPerGame - 1);
}

// A stored coin index keeps its coin; lists show the coins from the smallest up.
TEST(CoinValues, StoredIndicesKeepTheirCoins) {
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(CoinValue(i), (std::array{.25, .5, 1., 5., 25., 100.})[i]);
    const auto& order = CoinIndicesByValue();
    for (int i = 1; i < kCoinValueCount; ++i)
        EXPECT_LT(CoinValue(order[i - 1]), CoinValue(order[i]));
}

TEST_F(SessionTest, TheBalanceCountsInTheDealtHandsCoinValue) {
    TSession& e = Start();
    e.SetCoinIndex(3); // $5
    const int win = DealAWin(e);
    e.SetCoinIndex(5); // $100 from the next deal on
    e.Collect();
    EXPECT_DOUBLE_EQ(e.Counters().Balance(), (win - 5) * 5.0);
    EXPECT_EQ(e.Hand().Record().CoinIndex, 3);
    EXPECT_EQ(e.Hand().Record().DealLine, 0) << "the dealt hand was a royal flush";
    e.Deal();
    e.Collect(); // refunded: the balance stays
    EXPECT_DOUBLE_EQ(e.Counters().Balance(), (win - 5) * 5.0);
    EXPECT_THROW(e.SetCoinIndex(kCoinValueCount), ERangeError);
}

TEST_F(SessionTest, DoubleUpIsLoggedWithTheCollectedWin) {
    TSession& e = Start();
    for (int hand = 0; hand < 200 && e.Logger().Count() == 0; ++hand) {
        e.Deal();
        e.ShowHint();
        e.Draw();
        if (e.Hand().CurrentWin() == 0) continue;
        e.StartDoubleUp();
        EXPECT_EQ(e.Hand().State(), TGameState::gsDoubleUp);
        e.DoubleUpPick(2);
        const int collected = e.Hand().CurrentWin();
        e.Collect();
        TLogRecord record;
        e.Logger().Rewind();
        ASSERT_TRUE(e.Logger().ReadNext(record));
        EXPECT_EQ(record.DoubleUps, 1);
        EXPECT_EQ(record.Collected, collected);
        EXPECT_GT(record.HintReturn, 0);
    }
    EXPECT_EQ(e.Logger().Count(), 1);
}

TEST_F(SessionTest, WarningsOnlyForHoldsCostingMoreThanACent) {
    TSession& e = Start();
    int small = -1, large = -1;
    for (int hand = 0; hand < 500 && (small < 0 || large < 0); ++hand) {
        e.Deal();
        small = large = -1;
        for (int mask = 0; mask < 32; ++mask) {
            e.SetDrawMask(mask);
            const long double cost = e.Coach().HoldCost();
            if (cost > 0 && cost <= kWarningThreshold) small = mask;
            if (cost >= 0.02) large = mask;
        }
    }
    ASSERT_GE(small, 0);
    ASSERT_GE(large, 0);
    e.SetDrawMask(small);
    e.CheckWarning();
    EXPECT_EQ(windows.Warnings, 0);
    e.SetDrawMask(large);
    e.CheckWarning();
    EXPECT_EQ(windows.Warnings, 1);
    EXPECT_EQ(e.Hand().DrawMask(), large); // kept: the player answered no
    windows.Answer = {.ChangeHold = true}; // back to the hand: no draw yet
    EXPECT_EQ(e.PrepareDealDraw(), (std::array<bool, 5>{}));
    EXPECT_TRUE(e.Rules().CanHold());
    windows.Answer = {true, true};
    e.CheckWarning();
    EXPECT_EQ(e.Hand().DrawMask(), e.Hand().Record().BestMask);
    EXPECT_GT(e.Hand().Record().HintReturn, 0);
    EXPECT_FALSE(e.Options() & kShowWarnings);
    e.SetDrawMask(large);
    e.CheckWarning();
    EXPECT_EQ(windows.Warnings, 3);
}

TEST_F(SessionTest, ErrorHandsAreReplayed) {
    TSession& e = Start();
    e.SetMode(TPlayMode::pmPlayErrorHands); // nothing logged yet: another mode is offered
    EXPECT_EQ(windows.ModeQuestions, 1);
    EXPECT_EQ(e.Mode(), TPlayMode::pmTraining);
    std::vector<std::array<uint8_t, 5>> errors;
    for (int hand = 0; hand < 20; ++hand) {
        e.Deal();
        e.SetDrawMask(0); // standing pat is usually an error
        e.Draw();
        if (e.Hand().Record().Return < e.Hand().Record().BestReturn)
            errors.push_back(e.Hand().Record().Dealt);
    }
    e.Collect();
    ASSERT_FALSE(errors.empty());
    e.SetMode(TPlayMode::pmPlayErrorHands);
    EXPECT_EQ(e.Mode(), TPlayMode::pmPlayErrorHands);
    EXPECT_EQ(e.ErrorHands().Count(), static_cast<int>(errors.size()));
    for (size_t i = 0; i <= errors.size(); ++i) {
        e.Deal();
        const auto& expected = errors[i % errors.size()]; // cyclic
        for (int p = 0; p < 5; ++p) EXPECT_EQ(e.Hand().CardAt(p), expected[p]);
        // "Error hand 3 of 7": counted from 1, back to 1 after the last.
        EXPECT_EQ(e.Hand().ErrorHandNumber(), static_cast<int>(i % errors.size()) + 1);
        EXPECT_EQ(e.Hand().ErrorHandCount(), static_cast<int>(errors.size()));
        EXPECT_EQ(e.Hand().Record().Mode, ModeNumber(TPlayMode::pmPlayErrorHands));
    }
    e.SelectGame(4, 0); // no errors in this game: the list is gone, the next deal asks
    EXPECT_EQ(e.ErrorHands().Count(), 0);
    windows.ModeAnswer = ModeNumber(TPlayMode::pmRealPlay);
    e.Deal();
    EXPECT_EQ(windows.ModeQuestions, 2);
    EXPECT_EQ(e.Mode(), TPlayMode::pmRealPlay);
    EXPECT_EQ(e.Hand().State(), TGameState::gsDealt);
    EXPECT_EQ(e.Hand().ErrorHandNumber(), 0) << "a hand from the deck is no error hand";
}

TEST_F(SessionTest, HintedHandsAreCountedOnceAndReplayedAsErrorHands) {
    TSession& e = Start("[Preferences]\nAutosave=123456\n");
    e.Deal();
    e.ShowHint();
    e.ShowHint(); // asked twice: still one hinted hand
    e.Draw();
    e.Deal();
    e.SetDrawMask(e.Hand().Record().BestMask); // best play without the hint is no hint
    e.Draw();
    e.StackCards({12, 51, 38, 25, 0}); // AS AH AD AC 2S
    e.Deal();
    windows.Answer = {true, false}; // the warning's Apply takes the hint's hold
    e.SetDrawMask(31);
    e.CheckWarning();
    ASSERT_EQ(windows.Warnings, 1);
    e.Draw();
    e.Collect();
    EXPECT_EQ(e.Counters().Hints(), 2);
    EXPECT_DOUBLE_EQ(e.Counters().Accuracy(), 100) << "hinted hands count as best play";
    e.SetMode(TPlayMode::pmPlayErrorHands);
    EXPECT_EQ(e.ErrorHands().Count(), 2) << "the hinted hands, though played best";
    TSession& again = Restart();
    EXPECT_EQ(again.Counters().Hints(), 2) << "kept with Accuracy";
    again.ResetCounters();
    EXPECT_EQ(again.Counters().Hints(), 0);
}

TEST_F(SessionTest, TheHoldIsFinalOnceTheDrawIsUnderWay) {
    TSession& e = Start();
    e.Deal();
    e.SetDrawMask(7);
    const auto replaced = e.PrepareDealDraw();
    EXPECT_TRUE(e.Hand().DrawUnderWay());
    EXPECT_EQ(replaced, (std::array<bool, 5>{true, true, true, false, false}));
    // A click or a key while the backs are shown changes nothing.
    e.ToggleHold(4);
    e.SetDrawMask(31);
    e.ShowHint();
    EXPECT_FALSE(e.Rules().CanHint());
    EXPECT_EQ(e.Hand().DrawMask(), 7);
    EXPECT_FALSE(e.FinishDealDraw());
    EXPECT_EQ(e.Hand().Record().DrawMask, 7);
    EXPECT_EQ(e.Hand().CardAt(3), e.Hand().Record().Dealt[3]);
    EXPECT_EQ(e.Hand().CardAt(4), e.Hand().Record().Dealt[4]);
    EXPECT_FALSE(e.Hand().DrawUnderWay());
    EXPECT_TRUE(e.FinishDealDraw()); // the next press deals, and the new hold is free
    e.ToggleHold(0);
    EXPECT_EQ(e.Hand().DrawMask(), 30);
}

// The controls a window would enable, by name, so that a failure shows them all.
std::string Allowed(const TPlayRules& rules) {
    std::string names;
    const std::pair<bool, const char*> all[] = {{rules.CanChangeBet(), "bet"},
                                                {rules.CanDealDraw(), "deal"},
                                                {rules.CanHint(), "hint"},
                                                {rules.HintOffered(), "hint-shown"},
                                                {rules.CanDouble(), "double"},
                                                {rules.CanShowAllHands(), "all-hands"},
                                                {rules.NextPressDraws(), "draws-next"}};
    for (const auto& [on, name] : all)
        if (on) names += names.empty() ? name : std::string(" ") + name;
    return names;
}

TEST_F(SessionTest, WhatThePlayerMayDoFollowsTheRound) {
    TSession& e = Start();
    EXPECT_EQ(Allowed(e.Rules()), "bet deal hint-shown");
    const TPlayRules before = e.Rules();
    e.Deal();
    EXPECT_EQ(Allowed(before), "bet deal hint-shown") << "a value, not a view";
    EXPECT_EQ(Allowed(e.Rules()), "deal hint hint-shown all-hands draws-next");
    e.PrepareDealDraw();
    EXPECT_EQ(Allowed(e.Rules()), "deal hint-shown draws-next");
    e.FinishDealDraw();
    e.Collect();
    DealAWin(e);
    EXPECT_EQ(Allowed(e.Rules()), "bet deal hint-shown double all-hands");
    e.StartDoubleUp();
    EXPECT_EQ(Allowed(e.Rules()), "hint-shown");
    e.DoubleUpPick(2);
    e.Collect();
    EXPECT_EQ(Allowed(e.Rules()), "bet deal hint-shown all-hands")
        << "a collected win is not staked";

    e.SetMode(TPlayMode::pmRealPlay);
    e.Deal();
    EXPECT_EQ(Allowed(e.Rules()), "deal all-hands draws-next");
}

TEST_F(SessionTest, TheCoachWeighsTheHoldOnTheTable) {
    TSession& e = Start();
    e.StackCards({8, 9, 10, 11, 12}); // a dealt royal flush: 4000 coins held
    e.Deal();
    const THoldCoach& coach = e.Coach();
    EXPECT_EQ(coach.BestReturn(), 4000);
    EXPECT_GT(coach.HoldCost(), 3900) << "all five thrown away";
    e.ShowHint();
    EXPECT_EQ(coach.PlayerReturn(), 4000);
    EXPECT_EQ(coach.HoldCost(), 0);
}

TEST_F(SessionTest, ErrorHandsAreFoundAgainAfterTheLogIsCleared) {
    TSession& e = Start();
    for (int hand = 0; hand < 20; ++hand) {
        e.Deal();
        e.SetDrawMask(0);
        e.Draw();
    }
    e.Collect();
    e.SetMode(TPlayMode::pmPlayErrorHands);
    ASSERT_GT(e.ErrorHands().Count(), 0);
    // Cleared from elsewhere (the clear-by-filter window works on the log itself).
    TLogFilter& filter = e.Logger().Filter();
    filter.DateFrom = now + 1;
    e.Logger().ClearByFilter();
    ASSERT_EQ(e.Logger().Count(), 0);
    windows.ModeAnswer = ModeNumber(TPlayMode::pmTraining);
    e.Deal(); // no hand left to replay: another mode is asked for
    EXPECT_EQ(e.ErrorHands().Count(), 0);
    EXPECT_EQ(windows.ModeQuestions, 1);
    EXPECT_EQ(e.Mode(), TPlayMode::pmTraining);
}

TEST_F(SessionTest, RecentGamesAndTheirOrderSurviveARestart) {
    TSession& e = Start();
    e.SelectGame(4, 0);
    e.SelectGame(6, 1);
    EXPECT_EQ(e.RecentGames(), (QStringList{"  4  0", "  0  0"}));
    e.SelectRecent(1); // back to Jacks: its own key leaves the list
    EXPECT_EQ(e.RecentGames(), (QStringList{"  6  1", "  4  0"}));
    for (int game : {2, 3, 5, 8, 9, 10}) e.SelectGame(game, 0);
    EXPECT_EQ(e.RecentGames().size(), 5);
    EXPECT_EQ(e.RecentGames().first(), "  9  0");
    e.SelectGame(10, 0); // the game on the table chosen again is not listed
    EXPECT_EQ(e.RecentGames().first(), "  9  0");
    const QStringList before = e.RecentGames();
    TSession& again = Restart();
    EXPECT_EQ(again.RecentGames(), before);
    EXPECT_EQ(again.Game().GameIndex(), 10);
}

TEST_F(SessionTest, CountersAndPlayTimeSurviveARestart) {
    // A day and a half and three seconds played before.
    TSession& e = Start("[Preferences]\nAutosave=123456\n[Params]\nTime=36:00:03\n");
    e.SetCoinIndex(3);
    e.Deal();
    e.Draw();
    e.Collect();
    EXPECT_TRUE(e.SetBet(2));
    e.SetOption(kShowWarnings, false);
    const int credits = e.Counters().Credits();
    const double balance = e.Counters().Balance();
    const double returns = e.Counters().ReturnSum();
    TSession& again = Restart();
    EXPECT_EQ(again.Counters().Credits(), credits);
    EXPECT_EQ(again.Counters().BestCredits(), credits);
    EXPECT_DOUBLE_EQ(again.Counters().Balance(), balance);
    EXPECT_EQ(again.CoinIndex(), 3);
    EXPECT_EQ(again.Game().Bet(), 2);
    EXPECT_EQ(again.Game().Payout().Pays[0], 500);
    EXPECT_EQ(again.Counters().ReturnSum(), returns);
    EXPECT_EQ(again.Counters().Hands(), 1);
    EXPECT_EQ(again.Options(), kShowResultHands);
    EXPECT_NEAR(again.Counters().ElapsedTime(), 1.5 + 3.0 / 86400, 0.5 / 86400);
    EXPECT_EQ(PlayTimeText(1.5), "36:00:00");
    EXPECT_NEAR(*ParsePlayTime("01:02:03"), 3723.0 / 86400,
                1e-12); // minutes and seconds of a played time under a day
    EXPECT_FALSE(ParsePlayTime("soon"));
}

// Hand-edited or damaged counters: the trainer starts, deals, and saves sane values.
TEST_F(SessionTest, DamagedCountersInTheSettingsAreClampedSoPlayGoesOn) {
    TSession& e = Start("[Preferences]\nAutosave=123456\n[Params]\nCredits=2147483647\n"
                        "Hands=-5\nTime=9223372036854775807:00:00\nBalance=99999999999\n"
                        "ER1=nan\nER2=inf\nBet=77\nMode=9\nValue=-3\n");
    EXPECT_EQ(e.Counters().Credits(), 1000000000);
    EXPECT_EQ(e.Counters().Hands(), 0);
    EXPECT_EQ(e.Counters().ElapsedTime(), 0);
    EXPECT_EQ(e.Counters().Balance(), 20000000.0); // the cents' limit
    EXPECT_EQ(e.Counters().ReturnSum(), 0);
    EXPECT_EQ(e.Counters().BestReturnSum(), 0);
    EXPECT_EQ(e.Game().Bet(), 5);
    EXPECT_EQ(e.Mode(), TPlayMode::pmTraining); // no such mode: the default, not the nearest
    EXPECT_EQ(e.CoinIndex(), 0);
    e.Deal();
    e.Draw();
    e.Collect();
    EXPECT_EQ(e.Counters().Hands(), 1);
    TSession& again = Restart();
    EXPECT_LE(again.Counters().Credits(), 1000000000);
    EXPECT_GT(again.Counters().Credits(), 999990000);
}

TEST_F(SessionTest, SettingsNamingAGoneGameOrPaytableStillStart) {
    preferences = std::make_unique<TPreferences>();
    preferences->SettingsFile().WriteString("MRU", "0", "  0 99");
    session = std::make_unique<TSession>(*preferences, &windows);
    EXPECT_EQ(session->Game().GameIndex(), 0);
    EXPECT_EQ(session->Game().PayIndex(), 0);
    preferences->SettingsFile().WriteString("MRU", "0", " 12  0"); // not offered
    session = std::make_unique<TSession>(*preferences, &windows);
    EXPECT_EQ(session->Game().GameIndex(), 0);
    preferences->SettingsFile().WriteString("MRU", "0", "garbage");
    session = std::make_unique<TSession>(*preferences, &windows);
    EXPECT_EQ(session->Game().GameIndex(), 0);
}

TEST_F(SessionTest, RecentGamesThatNoLongerExistNeverReachTheMenu) {
    TSession& e = Start("[MRU]\n0=  4  0\n1=  0 99\n2= 12  0\n3=garbage\n4=  6  1\n"
                        "5=  6  1\n6= 40  0\n7=  0  0\n");
    EXPECT_EQ(e.Game().GameIndex(), 4);
    EXPECT_EQ(e.RecentGames(), (QStringList{"  6  1", "  0  0"})); // each once, all playable
}

TEST_F(SessionTest, WithoutAnyPaytableTheErrorSaysSo) {
    testing::TTempFolders empty; // a program folder without the paytable file
    preferences = std::make_unique<TPreferences>();
    try {
        TSession e(*preferences, &windows);
        FAIL();
    } catch (const EDrawMentor& error) {
        EXPECT_NE(std::string(error.what()).find("LoadFromIni\nNo paytable is stored for any game"),
                  std::string::npos)
            << error.what();
    }
}

TEST_F(SessionTest, ChangingGameKeepsOrResetsCounters) {
    TSession& e = Start("[Params]\nCredits=1234\n");
    int changes = 0;
    QObject::connect(&e, &TSession::GameChanged, [&] { ++changes; });
    e.SelectGame(4, 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(e.Counters().Credits(), 1234);
    preferences->SaveForNewGame = false;
    e.SelectGame(0, 1);
    EXPECT_EQ(e.Counters().Credits(), 2500);
    EXPECT_EQ(e.Game().PayTable().At(5, 3), 45); // 9/5 Jacks
    EXPECT_EQ(e.Game().PayTable().At(5, 4), 25);
    EXPECT_EQ(changes, 2);
    EXPECT_THROW(e.SelectGame(4, 99), ERangeError);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(e.Game().GameIndex(), 0); // nothing changed
    EXPECT_EQ(e.Game().PayIndex(), 1);
}

} // namespace
} // namespace drawmentor
