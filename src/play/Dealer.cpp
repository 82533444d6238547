#include "Dealer.h"

#include "core/Checked.h"
#include "core/Error.h"

#include <QDateTime>

#include <algorithm>

namespace drawmentor {
namespace {

std::function<uint32_t()>& SeedSource() {
    static std::function<uint32_t()> source;
    return source;
}

} // namespace

int TRandom::Next(int n) {
    Seed = Seed * 134775813u + 1u;
    return static_cast<int>((uint64_t{Seed} * static_cast<uint32_t>(n)) >> 32);
}

void TRandom::Randomize() {
    if (SeedSource()) {
        Seed = SeedSource()();
        return;
    }
    const QTime now = QDateTime::currentDateTimeUtc().time();
    Seed = static_cast<uint32_t>(((now.hour() * 60 + now.minute()) * 60 + now.second()) * 1000 +
                                 now.msec());
}

void TRandom::SetSeedSource(std::function<uint32_t()> source) {
    SeedSource() = std::move(source);
}

void TDealer::NewGame(int deckSize) {
    FDeckSize = CheckIndex(deckSize, 1, kUsedCardFlags, "deck size");
    FRandom.Randomize();
    Shuffle();
}

void TDealer::Shuffle() {
    std::fill(std::begin(FUsed), std::end(FUsed), false);
}

void TDealer::Take(int code) {
    FUsed[CheckIndex(code, 0, FDeckSize - 1, "card code")] = true;
}

void TDealer::Remember() {
    std::copy(std::begin(FUsed), std::end(FUsed), std::begin(FRemembered));
}

void TDealer::Restore() {
    std::copy(std::begin(FRemembered), std::end(FRemembered), std::begin(FUsed));
}

int TDealer::Next() {
    int code;
    if (!FStacked.empty()) {
        code = FStacked.front();
        FStacked.erase(FStacked.begin());
        CheckIndex(code, 0, FDeckSize - 1, "stacked card");
        if (FUsed[code]) throw EDrawMentor("A stacked card is already on the table");
    } else {
        do code = FRandom.Next(FDeckSize);
        while (FUsed[code]);
    }
    FUsed[code] = true;
    return code;
}

std::array<int, kHandSize>
TDealer::DealAccepted(const std::function<bool(const std::array<int, kHandSize>&)>& accept,
                      int maxTries) {
    std::array<int, kHandSize> codes{};
    for (int tries = 1;; ++tries) {
        for (int& code : codes) code = Next();
        if (tries >= maxTries || accept(codes)) return codes;
        for (int code : codes) FUsed[code] = false; // back in the deck
    }
}

} // namespace drawmentor
