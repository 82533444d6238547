// The long exactness check: thousands of seeded random deals of every deck
// kind, every mask compared with the enumeration. Runs for tens of minutes, so
// it carries its own ctest label ("long") and stays out of the default run.
//
//   engine_long_check [deals-per-kind] [seed]
#include "support/OracleCompare.h"

#include <cstdlib>
#include <iostream>
#include <random>

int main(int argc, char** argv) {
    using namespace drawmentor;
    const int deals = argc > 1 ? std::atoi(argv[1]) : 2000;
    const unsigned long long seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    int failures = 0;
    // The deck kinds, then the natural deck under the games that pay quads
    // for their kicker, whose line counts the comparison checks as well.
    auto kinds = testing::DeckKinds();
    for (int game : {35, 36}) kinds.push_back({"natural 52 cards", -1, 0, game});
    for (const auto& kind : kinds) {
        std::mt19937_64 random(seed * 7919 + static_cast<unsigned>(kind.GameIndex));
        const int maxWild = std::min(5, testing::WildCardsInDeck(kind));
        for (int deal = 0; deal < deals && failures < 20; ++deal) {
            const auto dealt = testing::RandomDeal(kind, deal % (maxWild + 1), random);
            TPayout payout;
            const auto engine = testing::EngineForDeal(kind, dealt, payout);
            for (int mask = 0; mask < kMaskCount; ++mask)
                for (const auto& failure : testing::CompareMask(kind, dealt, *engine, mask)) {
                    std::cerr << failure << '\n';
                    ++failures;
                }
        }
        std::cout << kind.Name << ": " << deals << " deals checked\n" << std::flush;
    }
    std::cout << (failures == 0 ? 1 : 0) << " passed, " << (failures == 0 ? 0 : 1) << " failed\n";
    return failures == 0 ? 0 : 1;
}
