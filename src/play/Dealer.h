#pragma once

#include "cards/Cards.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace drawmentor {

// The deal generator: seed := seed * 134775813 + 1 (mod 2^32), and a draw
// from n values is the high half of seed * n.
class TRandom {
  public:
    int Next(int n);
    // Seeded from the clock (milliseconds of the UTC day), or from the seed
    // source when one is set (tests and reproducible simulations).
    void Randomize();
    uint32_t Seed = 0;

    static void SetSeedSource(std::function<uint32_t()> source);
};

// Which cards of the deck are out, and the next card to come: from the
// stacked list first (tests, replays), then from the generator.
class TDealer {
  public:
    // A full deck of `deckSize` cards and a newly seeded generator.
    void NewGame(int deckSize);
    // Every card back in the deck.
    void Shuffle();
    // Marks a card the caller placed itself as out of the deck.
    void Take(int code);
    int Next();
    // Five cards dealt again and again, each time from the full deck, until
    // `accept` takes them or `maxTries` deals were refused; the last deal
    // stands then, so that a rare wish never stops play. The same seed gives
    // the same deals.
    std::array<int, kHandSize>
    DealAccepted(const std::function<bool(const std::array<int, kHandSize>&)>& accept,
                 int maxTries);
    void Stack(std::vector<int> codes) { FStacked = std::move(codes); }
    // Hands dealt from one hold each draw from their own copy of the deck as
    // it was after the deal: Remember keeps that deck, Restore puts it back.
    void Remember();
    void Restore();
    int DeckSize() const { return FDeckSize; }

  private:
    TRandom FRandom;
    std::vector<int> FStacked;
    bool FUsed[kUsedCardFlags] = {};
    bool FRemembered[kUsedCardFlags] = {};
    int FDeckSize = 52;
};

} // namespace drawmentor
