#pragma once

#include "PokerEngine.h"
#include "games/PokerDescription.h"

#include <memory>

namespace drawmentor {

// A TPokerEngine for games without wild rank and jokers, else a TWildEngine;
// configured with SetDescription. The description stays the caller's. Without
// a calculator the engine counts with one of its own; one given stays the
// caller's (see TPokerEngine).
std::unique_ptr<TPokerEngine> CreateEngine(const TPokerDescription& description);
std::unique_ptr<TPokerEngine> CreateEngine(const TPokerDescription& description,
                                           TCalculator& calculator);
// Raises a range error for an index outside the catalogue.
std::unique_ptr<TPokerEngine> CreateEngineForGame(int gameIndex);
std::unique_ptr<TPokerEngine> CreateEngineForGame(int gameIndex, TCalculator& calculator);

} // namespace drawmentor
