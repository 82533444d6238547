#pragma once

#include "engine/PokerEngine.h"
#include "games/PayTable.h"

#include <QString>

#include <memory>
#include <span>
#include <vector>

namespace drawmentor {

// Why a hand the player entered cannot be analysed; the picker shows the
// message of the language file's key of the same name.
enum class THandEntryError {
    None,
    TooFewCards,   // fewer than five cards
    TooManyCards,  // more than five
    UnknownCard,   // a word that is no card
    CardTwice,     // the same card given twice
    NoJokerInGame, // a joker in a game without jokers
    TooManyJokers, // more jokers than the game's deck holds
};

// A hand in the card notation of the command-line tool ("AS KS QS JS 9D",
// jokers "JK"), read as far as it goes: the codes of the valid cards in the
// order given (the first joker is code 52, the second 53) and the first
// fault, with the word that caused it.
struct THandEntry {
    std::vector<int> Codes;
    THandEntryError Error = THandEntryError::None;
    QString Word;

    bool IsValid() const { return Error == THandEntryError::None; }
};

THandEntry ParseHandEntry(const QString& text, int jokers);
// The same checks on cards already chosen (by code), e.g. by clicks.
THandEntry CheckHandCodes(std::span<const int> codes, int jokers);
// "AS KS QS JS 9D": the text ParseHandEntry reads back as `codes`.
QString HandEntryText(std::span<const int> codes);
// The key of an error's message in the language file.
QString HandEntryErrorKey(THandEntryError error);

// The exact analysis of any five cards of a game, apart from the session: a
// strategy engine of its own for the game, paid by `pays` at `bet` coins,
// with every table filled as after a deal.
class THandAnalysis {
  public:
    THandAnalysis(int gameIndex, const TPayTable& pays, int bet, std::span<const int> codes);
    THandAnalysis(const THandAnalysis&) = delete;
    THandAnalysis& operator=(const THandAnalysis&) = delete;

    const TPokerEngine& Engine() const { return *FEngine; }
    int BestMask() const { return FBest; }

  private:
    TPayout FPayout; // the engine points at it: declared first, freed last
    std::unique_ptr<TPokerEngine> FEngine;
    int FBest = 0;
};

// How many jokers the deck of a game holds.
int GameJokers(int gameIndex);

} // namespace drawmentor
