#pragma once

#include "PokerEngine.h"
#include "games/PokerDescription.h"

#include <memory>

namespace drawmentor {

// A TPokerEngine for games without wild rank and jokers, else a TWildEngine;
// configured with SetDescription. The description stays the caller's.
std::unique_ptr<TPokerEngine> CreateEngine(const TPokerDescription& description,
                                           TCalculator& calculator = Calculator());
// Raises a range error for an index outside the catalogue.
std::unique_ptr<TPokerEngine> CreateEngineForGame(int gameIndex,
                                                  TCalculator& calculator = Calculator());

} // namespace drawmentor
