#include "EngineFactory.h"

#include "WildEngine.h"
#include "core/Checked.h"
#include "games/Catalogue.h"

namespace drawmentor {
namespace {

// `calculator...`: none, or the one the engine is to count with.
template <typename... TArgs>
std::unique_ptr<TPokerEngine> Create(const TPokerDescription& description, TArgs&... calculator) {
    std::unique_ptr<TPokerEngine> engine;
    if (description.WildRank < 0 && description.Jokers == 0)
        engine = std::make_unique<TPokerEngine>(calculator...);
    else
        engine = std::make_unique<TWildEngine>(calculator...);
    engine->SetDescription(description);
    return engine;
}

std::unique_ptr<TPokerDescription> CheckedDescription(int gameIndex) {
    auto description = CreateDescription(gameIndex);
    if (!description) RaiseRange("game index", gameIndex);
    return description;
}

} // namespace

std::unique_ptr<TPokerEngine> CreateEngine(const TPokerDescription& description) {
    return Create(description);
}

std::unique_ptr<TPokerEngine> CreateEngine(const TPokerDescription& description,
                                           TCalculator& calculator) {
    return Create(description, calculator);
}

std::unique_ptr<TPokerEngine> CreateEngineForGame(int gameIndex) {
    return Create(*CheckedDescription(gameIndex));
}

std::unique_ptr<TPokerEngine> CreateEngineForGame(int gameIndex, TCalculator& calculator) {
    return Create(*CheckedDescription(gameIndex), calculator);
}

} // namespace drawmentor
