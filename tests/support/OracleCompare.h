#pragma once

#include "engine/PokerEngine.h"
#include "oracle/Enumerator.h"

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace drawmentor::testing {

// The deck kinds the engines must count exactly, each with a game that uses it.
const std::vector<oracle::TDeckKind>& DeckKinds();

// An engine of the kind's game with a flat payout, the dealt cards in place
// and GetTheBest run.
std::unique_ptr<TPokerEngine> EngineForDeal(const oracle::TDeckKind& kind,
                                            const oracle::TCodes& dealt, TPayout& payout);

// A random deal holding exactly `wild` wild cards (as far as the deck has them).
oracle::TCodes RandomDeal(const oracle::TDeckKind& kind, int wild, std::mt19937_64& random);
int WildCardsInDeck(const oracle::TDeckKind& kind);

// Every natural and wild category count of `mask` against the enumeration;
// one line per mismatch naming the game, hand, mask, category and both counts.
std::vector<std::string> CompareMask(const oracle::TDeckKind& kind, const oracle::TCodes& dealt,
                                     const TPokerEngine& engine, int mask);

} // namespace drawmentor::testing
