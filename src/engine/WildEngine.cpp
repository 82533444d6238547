#include "WildEngine.h"

#include "core/Checked.h"
#include "games/Classification.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace drawmentor {
namespace {

[[noreturn]] void AddWildMaskContext(int mask) {
    char text[96];
    std::snprintf(text, sizeof text, "Error calculate wild case (CheckDraw) DrawMask=%d", mask);
    AddErrorContext(text);
}

int32_t Narrow(int64_t value) {
    if (value < 0 || value > INT32_MAX) RaiseRange("outcome count", value);
    return static_cast<int32_t>(value);
}

// The highest rank without King and Ace: WILD_1 is the one-wild hand that
// neither pays as a straight or flush nor holds a King or an Ace.
constexpr int kRankQueen = 10;

} // namespace

void TWildEngine::SetDescription(const TPokerDescription& description) {
    TPokerEngine::SetDescription(description);
    FDeck.SetJokers(description.Jokers);
    const int wildRank = description.WildRank >= 0 ? description.WildRank : kNoWildRank;
    FDeck.SetWildRank(wildRank);
    FHand.SetWildRank(wildRank);
    FKept.SetWildRank(wildRank);
    const auto* wild = dynamic_cast<const TWildPokerDescription*>(&description);
    for (int line = 0; line < kMaxLines; ++line)
        FWildLineCategories[line] = wild && line <= FLastLine ? wild->WildLineCategories(line) : 0;
}

void TWildEngine::Reset() {
    TPokerEngine::Reset();
    InternalSetPayout();
}

void TWildEngine::InternalSetPayout() {
    try {
        std::fill(std::begin(FWildCategoryLine), std::end(FWildCategoryLine), -1);
        FPaidWildCategories = {};
        if (!FPayout) return;
        int order[kMaxLines];
        for (int line = 0; line <= FLastLine; ++line) order[line] = line;
        // A stable exchange sort: equal pays keep the table order, so a tie goes
        // to the lower line.
        for (int pass = 0; pass < FLastLine; ++pass)
            for (int i = 0; i < FLastLine - pass; ++i)
                if (FPayout->Pays[order[i]] < FPayout->Pays[order[i + 1]])
                    std::swap(order[i], order[i + 1]);
        for (int i = 0; i <= FLastLine; ++i) {
            const int line = order[i];
            for (int c = 0; c < kWildCategoryCount; ++c)
                if (((FWildLineCategories[line] >> c) & 1) && FWildCategoryLine[c] == -1)
                    FWildCategoryLine[c] = line;
        }
        FPaidWildCategories = GroupByLine(FWildCategoryLine, kWildCategoryCount);
    } catch (...) {
        AddErrorContext("Error calculate wild case (InternalSetPayout)");
    }
}

int TWildEngine::CurrentLine() const {
    if (!FHand.HasWild()) return TPokerEngine::CurrentLine();
    for (int c = 0; c < kWildCategoryCount; ++c)
        if (FWildCounts[0][c] == 1) return FWildCategoryLine[c];
    return -1;
}

int TWildEngine::HandLine() const {
    if (!FHand.HasWild()) return TPokerEngine::HandLine();
    return FWildCategoryLine[ClassifyWild(FHand)];
}

void TWildEngine::ResetCounts() {
    TPokerEngine::ResetCounts();
    ClearRows(FWildCounts);
    Calc.InitSuits(FDeck); // the suited windows' card counts
    FEmptyWindowsReady = false;
}

void TWildEngine::CheckCombination() {
    if (!FHand.HasWild()) return TPokerEngine::CheckCombination();
    try {
        FWildCounts[0][ClassifyWild(FHand)] = 1;
    } catch (...) {
        AddErrorContext("Error calculate wild case (InternalCheckCombination)");
    }
}

void TWildEngine::CheckEmpty() {
    TPokerEngine::CheckEmpty();
    try {
        CountWild(kMaskCount - 1);
    } catch (...) {
        AddWildMaskContext(kMaskCount - 1);
    }
}

void TWildEngine::CheckDraw(int mask) {
    TPokerEngine::CheckDraw(mask);
    try {
        CountWild(mask);
    } catch (...) {
        AddWildMaskContext(mask);
    }
}

// The other masks' wild counts went to their lines through TWildSink.
void TWildEngine::SumLines() {
    TPokerEngine::SumLines();
    AddLineSums(FPaidWildCategories, FWildCounts[0], FLineCounts[0]);
}

int TWildEngine::FlushSuit() const {
    const int held = FKept.NaturalCount();
    if (held == 0 || FKept.SuitsWithCount[held] != 1) return -1;
    for (int suit = 0; suit < kSuitCount; ++suit)
        if (FKept.SuitCount[suit] == held) return suit;
    return -1;
}

// FKept and the calculator were set up for this mask by the walk over the holds.
// A final hand with w wild cards takes j = w - H of them from the G wild cards
// of the deck (C(G, j) ways); its 5 - w naturals are the h kept naturals and
// m = 5 - w - h drawn ones, whose shape decides the category.
void TWildEngine::CountWild(int mask) {
    const int wildInDeck = FDeck.WildCount;
    const int wildKept = FKept.WildCount;
    if (wildInDeck + wildKept == 0) return;
    const int held = FKept.NaturalCount();
    const int k = kDrawCount[mask];
    const int naturalsLeft = NaturalsLeft();

    const int firstWild = std::max(1, wildKept);
    const int lastWild = std::min(kHandSize, wildKept + std::min(wildInDeck, k));
    const bool distinctKept = FKept.RanksWithCount[1] == held;
    // CountDistinct reads the window tables at 2..5 - firstWild naturals.
    const int degree = kHandSize - firstWild - held;
    const TWindows* windows = &FWindows;
    if (distinctKept && firstWild <= lastWild && degree >= 0 && kHandSize - firstWild >= 2) {
        FFlushSuit = FlushSuit();
        if (held > 0) {
            const bool queen =
                firstWild == 1 && FKept.RankCount[kRankKing] + FKept.RankCount[kRankAce] == 0;
            FillWindows(degree, queen, FWindows);
        } else {
            // Without kept naturals the tables depend on the deck alone.
            if (!FEmptyWindowsReady) FillEmptyWindows();
            FEmptyWindowsReady = true;
            windows = &FEmptyWindows;
        }
    }

    for (int wild = firstWild; wild <= lastWild; ++wild) {
        const int naturals = kHandSize - wild;
        const int drawn = naturals - held;
        if (drawn < 0) continue;
        TWildSink out{FWildCounts[mask], FLineCounts[mask], FWildCategoryLine,
                      Binomial(wild - wildKept, wildInDeck)};
        if (naturals == 0) {
            out.Add(wcWild5, 1);
        } else if (naturals == 1) {
            const int aces = FDeck.RankCount[kRankAce];
            if (held == 0) {
                out.Add(wcWild4A, aces);
                out.Add(wcWild4WA, naturalsLeft - aces);
            } else {
                out.Add(FKept.RankCount[kRankAce] == 1 ? wcWild4A : wcWild4WA, 1);
            }
        } else {
            CountMultiples(naturals, drawn, out);
            if (distinctKept) CountDistinct(naturals, drawn, *windows, out);
        }
    }
}

void TWildEngine::TWildSink::Add(int category, int64_t completions) {
    if (completions == 0) return;
    const int64_t outcomes = CheckedMul(completions, Ways);
    Counts[category] = Narrow(Counts[category] + outcomes);
    if (CategoryLine[category] >= 0) Lines[CategoryLine[category]] += outcomes;
}

// Completions in which some natural rank appears more than once.
void TWildEngine::CountMultiples(int naturals, int drawn, TWildSink& out) {
    const int held = FKept.NaturalCount();
    // Five of a kind: every natural of one rank.
    int64_t fives = 0;
    if (held == 0) {
        for (int rank = 0; rank < kRankCount; ++rank) {
            const int64_t ways = Binomial(naturals, FDeck.RankCount[rank]);
            out.Add(wcWildFive2 + rank, ways);
            fives += ways;
        }
    } else if (FKept.RanksWithCount[held] == 1) {
        const int rank = FKept.MinRank;
        fives = Binomial(drawn, FDeck.RankCount[rank]);
        out.Add(wcWildFive2 + rank, fives);
    }
    if (naturals == 2) return; // two naturals are a pair (five of a kind) or distinct
    const TMultiples& multiples = Multiples(naturals, drawn, fives);
    if (naturals == 3) {
        out.Add(wcWild2And21, multiples.Rest);
        return;
    }
    out.Add(wcWild1And31, multiples.Sets);
    out.Add(wcWild1And211, multiples.Pairs);
    out.Add(wcWild1And22, multiples.Rest);
}

// Five of a kind aside, what CountMultiples adds depends on the kept hand only
// through its shape; so does the count of five of a kind (`fives`), the deck
// count of the one kept rank or, without kept naturals, a sum over all ranks.
const TWildEngine::TMultiples& TWildEngine::Multiples(int naturals, int drawn, int64_t fives) {
    // The shape's top bits after a multiply by 2^64 / phi, and the naturals.
    TMultiples& result =
        FMultiples[((FKeptShape * 0x9E3779B97F4A7C15ull) >> 60) * 2 + (naturals - 3)];
    if (result.Deal == FDeal && result.Shape == FKeptShape && result.Naturals == naturals)
        return result;
    result = {FDeal, FKeptShape, naturals, 0, 0, 0};
    const int held = FKept.NaturalCount();
    const int64_t all = Binomial(drawn, NaturalsLeft());
    const int64_t distinct = FKept.RanksWithCount[1] == held ? Calc.Singles[0][drawn] : 0;
    if (naturals == 3) {
        result.Rest = all - distinct - fives;
        return result;
    }

    // Four naturals: a set and a single, a pair and two singles, or two pairs.
    // A rank with c kept cards of h takes 3 - c (set) or 2 - c (pair) of its d
    // cards and singles of other free ranks for the rest. Every rank without
    // kept cards adds the same for its d, so those ranks go by deck count.
    const bool lonePairs = FKept.RanksWithCount[3] == 0 && FKept.RanksWithCount[4] == 0;
    int64_t sets = 0;
    int64_t pairs = 0;
    int unkept[5];
    std::copy(std::begin(FOtherByCount), std::end(FOtherByCount), unkept);
    for (int i = 0; i < FHandRankCount; ++i) {
        const int rank = FHandRanks[i];
        const int d = FDeck.RankCount[rank];
        const int c = FKept.RankCount[rank];
        if (c == 0) {
            ++unkept[d];
            continue;
        }
        const int others = held - c;
        if (c <= 3 && others <= 1)
            sets += int64_t{Binomial(3 - c, d)} * Calc.Singles[0][1 - others];
        // The kept cards of other ranks must be singles for a lone pair.
        const int otherPairs = FKept.RanksWithCount[2] - (c == 2 ? 1 : 0);
        if (c <= 2 && others <= 2 && otherPairs == 0 && lonePairs)
            pairs += int64_t{Binomial(2 - c, d)} * Calc.Singles[0][2 - others];
    }
    for (int d = 2; d <= 4; ++d) {
        if (unkept[d] == 0) continue;
        if (held <= 1)
            sets += int64_t{unkept[d]} * Binomial(3, d) * Calc.SinglesWithout(d, 1 - held);
        if (held <= 2 && FKept.RanksWithCount[2] == 0 && lonePairs)
            pairs += int64_t{unkept[d]} * Binomial(2, d) * Calc.SinglesWithout(d, 2 - held);
    }
    result.Sets = sets;
    result.Pairs = pairs;
    result.Rest = all - distinct - fives - sets - pairs;
    return result;
}

// Completions to naturals of different ranks: flushes, straights and the rest.
void TWildEngine::CountDistinct(int naturals, int drawn, const TWindows& windows, TWildSink& out) {
    const int held = FKept.NaturalCount();
    const int flushSuit = FFlushSuit;
    const auto suitedCount = [&](int upper) -> int64_t {
        if (held > 0) return flushSuit < 0 ? 0 : Binomial(drawn, SuitCards(flushSuit, upper));
        int64_t sum = 0;
        for (int suit = 0; suit < kSuitCount; ++suit)
            sum += Binomial(naturals, SuitCards(suit, upper));
        return sum;
    };
    const int64_t distinct = Calc.Singles[0][drawn];
    const int64_t suited = suitedCount(kRankAce);
    int64_t suitedStraights = 0;
    int64_t straights = 0;
    for (int kind = 0; kind < 3; ++kind) {
        suitedStraights += windows.SuitedStraights[kind][drawn];
        straights += windows.Straights[kind][drawn];
    }
    const int64_t flush = suited - suitedStraights;
    const int firstFlushStraight = naturals == 2   ? wcWild3FlushStrA5
                                   : naturals == 3 ? wcWild2FlushStrA5
                                                   : wcWild1FlushStrA5;
    for (int kind = 0; kind < 3; ++kind)
        out.Add(firstFlushStraight + kind, windows.SuitedStraights[kind][drawn]);

    if (naturals == 2) {
        // Three wild cards: unsuited pairs of ranks pay alike, windows or not.
        out.Add(wcWild3Flush, flush);
        out.Add(wcWild3, distinct - suited);
        return;
    }
    const int firstStraight = naturals == 3 ? wcWild2StraightA5 : wcWild1StraightA5;
    for (int kind = 0; kind < 3; ++kind)
        out.Add(firstStraight + kind,
                windows.Straights[kind][drawn] - windows.SuitedStraights[kind][drawn]);
    const int64_t plain = distinct - straights - flush;
    if (naturals == 3) {
        out.Add(wcWild2Flush, flush);
        out.Add(wcWild2, plain);
        return;
    }
    out.Add(wcWild1Flush, flush);
    if (FKept.RankCount[kRankKing] + FKept.RankCount[kRankAce] > 0) {
        out.Add(wcWild1Kings, plain);
        return;
    }
    // WILD_1: the same split over the ranks 2..Q alone. Their e_j are those of
    // all free ranks with the King's and the Ace's factors divided out.
    int64_t low[6];
    for (int j = 0; j < 6; ++j) low[j] = Calc.Singles[0][j];
    for (const int rank : {kRankKing, kRankAce}) {
        const int d = FDeck.RankCount[rank];
        for (int j = 1; j < 6; ++j) low[j] -= d * low[j - 1];
    }
    int64_t lowStraights = 0;
    int64_t lowSuitedStraights = 0;
    for (int kind = 0; kind < 3; ++kind) {
        lowStraights += windows.LowStraights[kind][drawn];
        lowSuitedStraights += windows.LowSuitedStraights[kind][drawn];
    }
    const int64_t noKings =
        low[drawn] - lowStraights - (suitedCount(kRankQueen) - lowSuitedStraights);
    out.Add(wcWild1, noKings);
    out.Add(wcWild1Kings, plain - noKings);
}

// The tables of the kept hand; FFlushSuit is set for it.
void TWildEngine::FillWindows(int degree, bool queen, TWindows& windows) {
    for (int rank = 0; rank < kRankCount; ++rank)
        FFreeWeight[rank] = FKept.RankCount[rank] > 0 ? 0 : FDeck.RankCount[rank];
    TWindowTable* const queenStraights = queen ? &windows.LowStraights : nullptr;
    TWindowTable* const queenSuited = queen ? &windows.LowSuitedStraights : nullptr;
    WindowTables(-1, degree, windows.Straights, queenStraights);
    if (FKept.NaturalCount() > 0) {
        if (FFlushSuit >= 0) {
            WindowTables(FFlushSuit, degree, windows.SuitedStraights, queenSuited);
        } else {
            std::memset(windows.SuitedStraights, 0, sizeof(TWindowTable));
            if (queen) std::memset(windows.LowSuitedStraights, 0, sizeof(TWindowTable));
        }
        return;
    }
    std::memset(windows.SuitedStraights, 0, sizeof(TWindowTable));
    if (queen) std::memset(windows.LowSuitedStraights, 0, sizeof(TWindowTable));
    for (int suit = 0; suit < kSuitCount; ++suit) {
        TWindowTable one, oneQueen;
        WindowTables(suit, degree, one, queen ? &oneQueen : nullptr);
        for (int kind = 0; kind < 3; ++kind)
            for (int m = 0; m <= degree; ++m) {
                windows.SuitedStraights[kind][m] += one[kind][m];
                if (queen) windows.LowSuitedStraights[kind][m] += oneQueen[kind][m];
            }
    }
}

// What FillWindows(kHandSize - 1, true, FEmptyWindows) makes, from the kept
// tables where the deck allows.
void TWildEngine::FillEmptyWindows() {
    constexpr int degree = kHandSize - 1;
    TWindows& windows = FEmptyWindows;
    if (!FEmptyRanksReady ||
        !std::equal(std::begin(FDeck.RankCount), std::end(FDeck.RankCount), FEmptyRankCounts)) {
        // No natural card is kept: every rank is free.
        std::copy(std::begin(FDeck.RankCount), std::end(FDeck.RankCount), FFreeWeight);
        WindowTables(-1, degree, windows.Straights, &windows.LowStraights);
        std::copy(std::begin(FDeck.RankCount), std::end(FDeck.RankCount), FEmptyRankCounts);
        FEmptyRanksReady = true;
    }
    std::memset(windows.SuitedStraights, 0, sizeof(TWindowTable));
    std::memset(windows.LowSuitedStraights, 0, sizeof(TWindowTable));
    for (int suit = 0; suit < kSuitCount; ++suit) {
        uint32_t cards = 0;
        for (int rank = 0; rank < kRankCount; ++rank)
            cards |= static_cast<uint32_t>(FDeck.Count[rank][suit] != 0) << rank;
        TSuitWindows& kept = FSuitWindows[(cards * 0x9E3779B1u) >> (32 - kSuitWindowBits)];
        if (kept.Cards != cards) {
            WindowTables(suit, degree, kept.Straights, &kept.LowStraights);
            kept.Cards = cards;
        }
        for (int kind = 0; kind < 3; ++kind)
            for (int m = 0; m <= degree; ++m) {
                windows.SuitedStraights[kind][m] += kept.Straights[kind][m];
                windows.LowSuitedStraights[kind][m] += kept.LowStraights[kind][m];
            }
    }
}

// e_j (j <= degree) over the free ranks from..to (to clamped to the Ace) of one
// column: all suits (column -1, the deck counts of the ranks no kept card has)
// or one suit (each card 0 or 1, so e_j is a binomial of the suit's cards
// there). Five ranks of at most 4 cards keep every e_j below 2^11.
void TWildEngine::RangeSingles(int column, int from, int to, int degree, int64_t (&out)[6]) const {
    to = std::min(to, kRankCount - 1);
    out[0] = 1;
    for (int j = 1; j < 6; ++j) out[j] = 0;
    if (from > to) return;
    if (column < 0) {
        // Fixed steps: a rank without free cards multiplies by 1 + 0 t, and
        // whether a rank is free changes from hold to hold.
        for (int rank = from; rank <= to; ++rank) {
            const int64_t d = FFreeWeight[rank];
            for (int j = degree; j >= 1; --j) out[j] += d * out[j - 1];
        }
        return;
    }
    const int cards = SuitCards(column, to) - (from > 0 ? SuitCards(column, from - 1) : 0);
    for (int j = 1; j <= std::min(cards, degree); ++j) out[j] = Binomial(j, cards);
}

// Distinct-rank completions of the kept naturals (all of different ranks)
// that make a straight window, each rank set counted once:
//   ace-high  every natural in T..A;
//   wheel     an Ace and every other natural in 2..5;
//   middle    no Ace and a span of at most four ranks starting at 2..9,
//             counted by the lowest rank of the set.
// The Queen table counts the same with the ranks up to the Queen only: it has
// no wheel, and its windows differ from the Ace table's only where they reach
// past the Queen. Entries above `degree` are left unset.
void TWildEngine::WindowTables(int column, int degree, TWindowTable& table,
                               TWindowTable* queen) const {
    std::memset(table, 0, sizeof(TWindowTable));
    if (queen) std::memset(*queen, 0, sizeof(TWindowTable));
    const auto weight = [&](int rank) -> int64_t {
        return column < 0 ? FDeck.RankCount[rank] : FDeck.Count[rank][column];
    };
    const int held = FKept.NaturalCount();
    const bool aceKept = FKept.RankCount[kRankAce] > 0;
    const int lowKept = held - (aceKept ? 1 : 0) > 0;
    const int low = lowKept ? FKept.MinRank : kRankCount;
    const int high = lowKept ? FKept.MaxRankNoAce : -kRankCount;
    int64_t e[6];

    if (high <= 3) {
        RangeSingles(column, 0, 3, degree, e);
        const int64_t ace = aceKept ? 1 : weight(kRankAce);
        for (int m = 0; m <= degree; ++m) {
            const int fromRange = aceKept ? m : m - 1;
            if (fromRange >= 0) table[skWheel][m] = ace * e[fromRange];
        }
    }
    if (low >= kRankTen) {
        RangeSingles(column, kRankTen, kRankAce, degree, e);
        // All six: e is zero above the degree, and a fixed copy is a few moves
        // where a variable one was a call to memcpy.
        for (int m = 0; m < 6; ++m) table[skAceHigh][m] = e[m];
        if (queen) {
            RangeSingles(column, kRankTen, kRankQueen, degree, e);
            for (int m = 0; m < 6; ++m) (*queen)[skAceHigh][m] = e[m];
        }
    }
    if (aceKept) return;
    const auto addMiddle = [&](TWindowTable& to, int start) {
        if (start == low) {
            for (int m = 0; m <= degree; ++m) to[skMiddle][m] += e[m];
        } else {
            const int64_t w = weight(start);
            for (int m = 1; m <= degree; ++m) to[skMiddle][m] += w * e[m - 1];
        }
    };
    for (int start = std::max(0, high - 4); start <= std::min(kRankTen - 1, low); ++start) {
        if (start != low && weight(start) == 0) continue;
        RangeSingles(column, start + 1, start + 4, degree, e);
        addMiddle(table, start);
        if (!queen) continue;
        if (start + 4 > kRankQueen) RangeSingles(column, start + 1, kRankQueen, degree, e);
        addMiddle(*queen, start);
    }
}

} // namespace drawmentor
