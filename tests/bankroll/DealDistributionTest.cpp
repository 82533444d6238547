#include "bankroll/DealDistribution.h"
#include "bankroll/RiskOfRuin.h"
#include "bankroll/SessionDistribution.h"

#include "cards/Cards.h"
#include "core/Error.h"
#include "games/Catalogue.h"
#include "support/Distributions.h"
#include "support/Paytables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

namespace drawmentor {
namespace {

using testing::Jacks;
using testing::JacksAnalysis;
using testing::kJacks96;

const TDealOutcomes& JacksDeals() {
    static const TDealOutcomes deals = BestHoldOutcomes(*CreateDescription(0), kJacks96, 5);
    return deals;
}

// One hand of a deal outcome: pay (coins) to probability.
std::map<int64_t, long double> HandOf(const TDealOutcome& deal, int deckLeft) {
    std::map<int64_t, long double> hand;
    const long double draws = Binomial(deal.Drawn, deckLeft);
    hand[0] += deal.Unpaid / draws;
    for (size_t line = 0; line < kJacks96.size(); ++line)
        hand[kJacks96[line]] += deal.Lines[line] / draws;
    return hand;
}

std::map<int64_t, long double> Convolve(const std::map<int64_t, long double>& a,
                                        const std::map<int64_t, long double>& b) {
    std::map<int64_t, long double> sum;
    for (const auto& [x, p] : a)
        for (const auto& [y, q] : b) sum[x + y] += p * q;
    return sum;
}

// Net result (coins) to probability of a deal of `hands`, deal by deal with
// the plain convolution of the hold's outcome: the reference.
std::map<int64_t, long double> PlainDeal(int hands) {
    std::map<int64_t, long double> result;
    for (const TDealOutcome& deal : JacksDeals().Outcomes) {
        const auto hand = HandOf(deal, JacksDeals().DeckLeft);
        std::map<int64_t, long double> sum{{-5 * hands, 1.0L}};
        for (int n = 0; n < hands; ++n) sum = Convolve(sum, hand);
        for (const auto& [net, p] : sum) result[net] += p * deal.Weight / JacksDeals().Deals;
    }
    return result;
}

TEST(DealDistribution, TheDealsMakeTheWholePaytableAndItsPlainConvolution) {
    // The deals' best holds are the analysis' ones, line by line.
    std::vector<long double> lines(kJacks96.size(), 0);
    for (const TDealOutcome& deal : JacksDeals().Outcomes)
        for (size_t line = 0; line < lines.size(); ++line)
            lines[line] += deal.Weight *
                           (deal.Lines[line] / static_cast<long double>(Binomial(deal.Drawn, 47)));
    for (size_t line = 0; line < lines.size(); ++line)
        EXPECT_NEAR(static_cast<double>(lines[line] / JacksDeals().Deals),
                    static_cast<double>(JacksAnalysis().LineProbability[line]), 1e-17);

    for (int hands : {1, 3}) {
        SCOPED_TRACE(hands);
        const auto deal = DealDistributionOf(JacksDeals(), kJacks96, 5, hands, 2);
        ASSERT_TRUE(deal);
        EXPECT_EQ(deal->BetCoins(), 5 * hands);
        auto plain = PlainDeal(hands);
        for (const TNetOutcome& outcome : deal->Outcomes())
            plain[outcome.Net] -= outcome.Probability;
        for (const auto& [net, difference] : plain)
            EXPECT_NEAR(static_cast<double>(difference), 0,
                        static_cast<double>(deal->OutcomeError() + 1e-17L))
                << net;
        EXPECT_LT(deal->OutcomeError(), 1e-12);
        // What hands dealt together share, in coins squared.
        const long double n = hands;
        EXPECT_NEAR(static_cast<double>(deal->Variance()),
                    static_cast<double>(25 * (n * JacksAnalysis().Variance +
                                              n * (n - 1) * JacksAnalysis().DealVariance)),
                    1e-9);
        EXPECT_NEAR(static_cast<double>(deal->Mean()), static_cast<double>(n * Jacks().Mean()),
                    1e-12);
    }
    EXPECT_THROW(DealDistributionOf(JacksDeals(), kJacks96, 5, 101), ERangeError);
}

// Five hands a deal, 200 bets of one hand, 200 deals: ruin is the credits
// falling below the deal's five bets. A seeded simulation of deals (a deal,
// then each hand's draw from its hold) agrees within its sampling error; and
// the sessions of deals sum as the plain convolution of deals does.
TEST(DealDistribution, FivePlayRuinAgreesWithASimulatedSession) {
    const auto deal = DealDistributionOf(JacksDeals(), kJacks96, 5, 5, 2);
    ASSERT_TRUE(deal);
    const TRuin ruin = RiskOfRuin(*deal, 5 * 200, 200);
    EXPECT_NEAR(static_cast<double>(ruin.Probability), 0.0190182, 5e-7);

    std::vector<long double> dealCumulative;
    std::vector<std::vector<std::pair<long double, int64_t>>> hands;
    for (const TDealOutcome& one : JacksDeals().Outcomes) {
        dealCumulative.push_back((dealCumulative.empty() ? 0 : dealCumulative.back()) +
                                 static_cast<long double>(one.Weight) / JacksDeals().Deals);
        hands.emplace_back();
        long double sum = 0;
        for (const auto& [pay, p] : HandOf(one, JacksDeals().DeckLeft))
            hands.back().push_back({sum += p, pay});
    }
    std::mt19937_64 random(7);
    const auto uniform = [&] { return static_cast<long double>(random() >> 11) / 0x1p53L; };
    constexpr int kSessions = 8000;
    int ruined = 0;
    for (int s = 0; s < kSessions; ++s) {
        int64_t credits = 1000;
        for (int d = 0; d < 200 && credits >= 25; ++d) {
            const size_t which = std::min<size_t>(
                std::lower_bound(dealCumulative.begin(), dealCumulative.end(), uniform()) -
                    dealCumulative.begin(),
                hands.size() - 1);
            credits -= 25;
            for (int h = 0; h < 5; ++h) {
                const long double u = uniform();
                size_t j = 0;
                while (j + 1 < hands[which].size() && u >= hands[which][j].first) ++j;
                credits += hands[which][j].second;
            }
        }
        ruined += credits < 25;
    }
    const double p = static_cast<double>(ruin.Probability);
    EXPECT_NEAR(static_cast<double>(ruined) / kSessions, p,
                4.5 * std::sqrt(p * (1 - p) / kSessions));

    std::map<int64_t, long double> one, two;
    for (const TNetOutcome& outcome : deal->Outcomes()) one[outcome.Net] = outcome.Probability;
    two = Convolve(one, one);
    const TSessionDistribution session = SessionDistribution(*deal, 2);
    for (size_t i = 0; i < session.Probability.size(); ++i) {
        const auto found = two.find(session.ResultAt(i));
        EXPECT_NEAR(session.Probability[i],
                    found == two.end() ? 0.0 : static_cast<double>(found->second),
                    static_cast<double>(session.ErrorBound))
            << session.ResultAt(i);
    }
}

} // namespace
} // namespace drawmentor
