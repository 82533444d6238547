// Long sessions of every deck kind, checked record by record against an
// independent reading of the cards: the plain classification of the oracle
// and each game's line sets.
#include "play/Session.h"

#include "engine/EngineFactory.h"
#include "games/Catalogue.h"
#include "oracle/Enumerator.h"
#include "prefs/Preferences.h"

#include "support/TempFolders.h"

#include <gtest/gtest.h>

#include <random>

namespace drawmentor {
namespace {

// The paying line of a final hand, found without the engines: natural
// categories go to the last line listing them, wild ones to the best-paying
// line listing them (ties to the lower line).
int PlainLine(const TPokerDescription& game, const TPayTable& table, int bet,
              const oracle::TCodes& codes) {
    const int wildRank = game.WildRank >= 0 ? game.WildRank : -1;
    bool wild = false;
    for (int code : codes) wild = wild || oracle::IsWildCode(code, wildRank);
    if (!wild) {
        const int category = oracle::ClassifyNaturalCodes(codes);
        int line = -1;
        for (int l = 0; l <= game.LastLine && category >= 0; ++l)
            if ((game.LineCategories(l) >> category) & 1) line = l;
        return line;
    }
    const int category = oracle::ClassifyWildCodes(codes, wildRank);
    const auto& wildGame = dynamic_cast<const TWildPokerDescription&>(game);
    int line = -1;
    for (int l = 0; l <= game.LastLine; ++l)
        if (((wildGame.WildLineCategories(l) >> category) & 1) &&
            (line < 0 || table.At(bet, l) > table.At(bet, line)))
            line = l;
    return line;
}

oracle::TCodes FinalHand(const TLogRecord& record, int mask) {
    oracle::TCodes codes{};
    int next = 0;
    for (int i = 0; i < 5; ++i)
        codes[i] = ((mask >> i) & 1) ? record.Drawn[next++] : record.Dealt[i];
    return codes;
}

class SimulationTest : public ::testing::TestWithParam<int> {};

TEST_P(SimulationTest, EveryRecordAgreesWithTheCardsAndTheCounters) {
    testing::TTempFolders folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR));
    TRandom::SetSeedSource([] { return 777u; });
    const int game = GetParam();
    TPreferences preferences;
    TSession session(preferences);
    if (game == 12) { // not offered, so no stored paytable: give it one
        TPayTable pays;
        const int perCoin[] = {2000, 800, 200, 25, 15, 9, 5, 3, 2, 2, 1};
        for (int coins = 1; coins <= 5; ++coins)
            for (int line = 0; line < 16; ++line)
                pays.At(coins, line) = line <= 10 ? perCoin[line] * coins : -1;
        session.SelectGame(game, 0, pays);
    } else {
        session.SelectGame(game, 0);
    }
    const auto description = CreateDescription(game);
    std::mt19937 player(game);
    const int hands = 10000;
    for (int hand = 0; hand < hands; ++hand) {
        if (hand % 1000 == 500) session.SetBet(1 + hand / 1000 % 5);
        session.Deal();
        // Mostly best play, sometimes a random hold, sometimes the hint.
        const int choice = static_cast<int>(player() % 10);
        if (choice < 6)
            session.SetDrawMask(session.Hand().Record().BestMask);
        else if (choice < 9)
            session.SetDrawMask(static_cast<int>(player() % 32));
        else
            session.ShowHint();
        session.Draw();
        if (session.Hand().CurrentWin() > 0 && player() % 4 == 0) {
            session.StartDoubleUp();
            session.DoubleUpPick(1 + static_cast<int>(player() % 4));
        }
    }
    session.Collect();
    TRandom::SetSeedSource({});

    TLogger& log = session.Logger();
    ASSERT_EQ(log.Count(), hands);
    int64_t bets = 0, collected = 0, bestWins = 0;
    TLogRecord r;
    log.Rewind();
    while (log.ReadNext(r)) {
        SCOPED_TRACE(oracle::CodesText(FinalHand(r, 0)) + " drawn " +
                     oracle::CodesText(FinalHand(r, 31)));
        const auto win = [&](int mask) {
            const int line =
                PlainLine(*description, session.Game().PayTable(), r.Bet, FinalHand(r, mask));
            return line < 0 ? 0 : session.Game().PayTable().At(r.Bet, line);
        };
        ASSERT_EQ(r.Win, win(r.DrawMask));
        ASSERT_EQ(r.BestWin, win(r.BestMask));
        int most = 0;
        for (int mask = 0; mask < 32; ++mask) most = std::max(most, win(mask));
        ASSERT_EQ(r.MaxWin, most);
        ASSERT_EQ(win(r.MaxMask), most);
        ASSERT_LE(r.Return, r.BestReturn + 1e-9);
        if (r.DoubleUps == 0) {
            ASSERT_EQ(r.Collected, r.Win);
        }
        bets += r.Bet;
        collected += r.Collected;
        bestWins += r.BestWin;
    }
    EXPECT_EQ(session.Counters().Credits(), 2500 - bets + collected);
    EXPECT_EQ(session.Counters().BestCredits(), 2500 - bets + bestWins);
    EXPECT_EQ(session.Counters().Hands(), hands);
}

INSTANTIATE_TEST_SUITE_P(DeckKinds, SimulationTest, ::testing::Values(0, 4, 20, 3, 8, 12),
                         [](const ::testing::TestParamInfo<int>& param) {
                             return "game" + std::to_string(param.param);
                         });

} // namespace
} // namespace drawmentor
