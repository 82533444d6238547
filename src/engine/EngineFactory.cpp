#include "EngineFactory.h"

#include "WildEngine.h"
#include "core/Checked.h"
#include "games/Catalogue.h"

namespace drawmentor {

std::unique_ptr<TPokerEngine> CreateEngine(const TPokerDescription& description,
                                           TCalculator& calculator) {
    std::unique_ptr<TPokerEngine> engine;
    if (description.WildRank < 0 && description.Jokers == 0)
        engine = std::make_unique<TPokerEngine>(calculator);
    else
        engine = std::make_unique<TWildEngine>(calculator);
    engine->SetDescription(description);
    return engine;
}

std::unique_ptr<TPokerEngine> CreateEngineForGame(int gameIndex, TCalculator& calculator) {
    const auto description = CreateDescription(gameIndex);
    if (!description) RaiseRange("game index", gameIndex);
    return CreateEngine(*description, calculator);
}

} // namespace drawmentor
