#include "PokerEngine.h"

#include "core/Checked.h"
#include "games/Classification.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>

namespace drawmentor {
namespace {

const char* const kNaturalContext = "Error calculate natural case ";

int32_t Narrow32(int64_t value) {
    if (value < INT32_MIN || value > INT32_MAX) RaiseOverflow();
    return static_cast<int32_t>(value);
}

[[noreturn]] void AddMaskContext(const char* prefix, int mask) {
    char text[96];
    std::snprintf(text, sizeof text, "%s(CheckDraw) DrawMask=%d", prefix, mask);
    AddErrorContext(text);
}

// Set bits of an 8-bit value. Without a popcount instruction in the target
// std::popcount is a library call; this is a few shifts.
int32_t CountBits8(unsigned bits) {
    bits = bits - ((bits >> 1) & 0x55u);
    bits = (bits & 0x33u) + ((bits >> 2) & 0x33u);
    return static_cast<int32_t>((bits + (bits >> 4)) & 0x0Fu);
}

// The mask of the highest paid sum per outcome, ties to the lowest mask.
template <typename TPaid, typename TMul>
int BestReturn(const TPaid& paidSum, const int64_t (&outcomes)[kHandSize + 1], TMul mul) {
    int best = 0;
    int64_t bestSum = paidSum(0);
    int64_t bestOutcomes = outcomes[0];
    for (int mask = 1; mask < kMaskCount; ++mask) {
        const int64_t sum = paidSum(mask);
        const int64_t drawOutcomes = outcomes[kDrawCount[mask]];
        // Selects, not a branch: which hold leads is no pattern.
        const bool better = mul(sum, bestOutcomes) > mul(bestSum, drawOutcomes);
        bestSum = better ? sum : bestSum;
        bestOutcomes = better ? drawOutcomes : bestOutcomes;
        best = better ? mask : best;
    }
    return best;
}

} // namespace

// Not a delegating constructor: its argument would name the calculator member
// before the object exists.
TPokerEngine::TPokerEngine() : Calc(FOwnCalculator) {
    ClearLines();
}

TPokerEngine::TPokerEngine(TCalculator& calculator) : Calc(calculator) {
    ClearLines();
}

void TPokerEngine::ClearLines() {
    std::fill(std::begin(FCategoryLine), std::end(FCategoryLine), -1);
    std::fill(std::begin(FCategorySlot), std::end(FCategorySlot), int8_t{kMaxLines});
}

void TPokerEngine::SetDescription(const TPokerDescription& description) {
    FGameName = description.Name;
    FGameIndex = description.GameIndex;
    FLastLine = CheckIndex(description.LastLine, 0, kMaxLines - 1, "last line");
    FLineNames.clear();
    for (int line = 0; line <= FLastLine; ++line) FLineNames.push_back(description.LineName(line));
    // Filled line by line: a category listed under two lines goes to the later.
    // Lines with kickers take their share of the quads after the counting.
    std::fill(std::begin(FCategoryLine), std::end(FCategoryLine), -1);
    for (int line = 0; line <= FLastLine; ++line) {
        if (description.LineKickers(line) != 0) continue;
        const TCategorySet set = description.LineCategories(line);
        for (int c = 0; c < kNaturalCategoryCount; ++c)
            if ((set >> c) & 1) FCategoryLine[c] = line;
    }
    FPaidCategories = GroupByLine(FCategoryLine, kNaturalCategoryCount);
    FKickers = description.KickerLines();
    FKickerQuads = 0;
    for (int rank = 0; rank < kRankCount; ++rank)
        for (int kicker = 0; kicker < kRankCount; ++kicker)
            if (FKickers.Line[rank][kicker] >= 0) FKickerQuads |= 1u << rank;
    if (FKickers.Any && description.IsWildGame())
        throw EDrawMentor("Kickers are counted in games without wild cards only");
    for (int rank = 0; rank < kRankCount; ++rank)
        if (((FKickerQuads >> rank) & 1) && FCategoryLine[ncFourOfKind2 + rank] < 0)
            throw EDrawMentor("Quads paid for their kicker need a line without one");
    for (int c = 0; c < kNaturalCategoryCount; ++c)
        FCategorySlot[c] =
            static_cast<int8_t>(FCategoryLine[c] >= 0 ? FCategoryLine[c] : kMaxLines);
    FRankGroupCount = 0;
    for (int shape = 0; shape < 3; ++shape) {
        const int first = shape == 0 ? ncPairs2 : shape == 1 ? ncThreeOfKind2 : ncFourOfKind2;
        for (int line = 0; line <= FLastLine; ++line) {
            TRankGroup group{static_cast<int8_t>(line), static_cast<int8_t>(shape), 0, {}};
            for (int rank = 0; rank < kRankCount; ++rank)
                if (FCategoryLine[first + rank] == line)
                    group.Ranks = static_cast<uint16_t>(group.Ranks | 1u << rank);
            if (group.Ranks != 0) FRankGroups[FRankGroupCount++] = group;
        }
    }
}

TPokerEngine::TLineGroups TPokerEngine::GroupByLine(const int32_t* categoryLine, int categories) {
    CheckIndex(categories, 0, kNaturalCategoryCount, "categories");
    TLineGroups groups;
    int end = 0;
    for (int line = 0; line < kMaxLines; ++line) {
        const int start = end;
        for (int c = 0; c < categories; ++c)
            if (categoryLine[c] == line) groups.Categories[end++] = static_cast<int8_t>(c);
        if (end == start) continue;
        groups.Line[groups.Count] = static_cast<int8_t>(line);
        groups.End[groups.Count++] = static_cast<int8_t>(end);
    }
    return groups;
}

void TPokerEngine::AddLineSums(const TLineGroups& groups, const int32_t* counts, int64_t* lines) {
    int c = 0;
    for (int g = 0; g < groups.Count; ++g) {
        int64_t sum = 0;
        for (const int end = groups.End[g]; c < end; ++c) sum += counts[groups.Categories[c]];
        lines[groups.Line[g]] += sum;
    }
}

void TPokerEngine::SetPayout(TPayout* payout) {
    FPayout = payout;
    if (FPayout) Reset();
}

void TPokerEngine::Reset() {
    ResetHand();
    if (FPayout) {
        FPayout->LastLine = FLastLine;
        FPayout->DeckSize = FDeck.Total;
    }
}

void TPokerEngine::ResetHand() {
    FHand.ClearHand();
    FDeck.Fill();
}

void TPokerEngine::DealCodes(std::span<const int> codes) {
    ResetHand();
    for (int code : codes) {
        const TCard card = DecodeCard(code);
        FHand.AddCard(card.Rank, card.Suit);
        FDeck.RemoveCard(card.Rank, card.Suit);
    }
}

int TPokerEngine::GetTheBest() {
    CountHolds(0);
    try {
        int best = 0;
        SelectBest(best);
        return best;
    } catch (...) {
        AddErrorContext("Error calculate natural case (GetTheBest)");
    }
}

void TPokerEngine::CountHolds(uint32_t skip) {
    try {
        // GetTheBest counts everything: no loop over the masks for it.
        FCountedKept = ~(1u | 1u << (kMaskCount - 1));
        if (skip != 0)
            for (int mask = 1; mask < kMaskCount - 1; ++mask)
                if ((skip >> mask) & 1) FCountedKept &= ~(1u << ((kMaskCount - 1) ^ mask));
        FCountedMasks = ~(skip & ~(1u | 1u << (kMaskCount - 1)));
        ResetCounts();
        CheckCombination();
        FKept.ClearHand();
        FKeptShape = 0;
        FKeptRankMask = 0;
        std::copy(std::begin(FDeck.RankCount), std::end(FDeck.RankCount), FRankFactor);
        WalkHolds(0, 0);
        CheckEmpty();
        SumLines();
    } catch (...) {
        AddErrorContext("Error calculate natural case (GetTheBest)");
    }
}

// Compares returns as exact fractions, paid sum over outcomes, cross-multiplied:
// the order of the DrawReturn values without 32 divisions on every deal. A
// mask's line counts add up to at most its C(54, 5) outcomes (below 2^22), so
// with pays of at most kMaxPay (below 2^17) a paid sum stays below 2^39 and a
// product below 2^61: unchecked arithmetic is exact. Pays beyond that range
// take the checked path.
void TPokerEngine::SelectBest(int& best) {
    if (!FPayout) throw EDrawMentor("No payout attached to the strategy engine");
    const int lines = FLastLine + 1;
    int64_t pays[kMaxLines];
    bool small = true;
    for (int line = 0; line < lines; ++line) {
        pays[line] = FPayout->Pays[line];
        small = small && pays[line] >= -kMaxPay && pays[line] <= kMaxPay;
    }
    int64_t outcomes[kHandSize + 1];
    for (int k = 0; k <= kHandSize; ++k) outcomes[k] = Binomial(k, FDeck.Total);
    if (small) {
        const auto paidSum = [&](int mask) {
            int64_t sum = 0;
            for (int line = 0; line < lines; ++line) sum += FLineCounts[mask][line] * pays[line];
            return sum;
        };
        best = BestReturn(paidSum, outcomes, [](int64_t a, int64_t b) { return a * b; });
    } else {
        const auto paidSum = [&](int mask) {
            int64_t sum = 0;
            for (int line = 0; line < lines; ++line)
                sum = CheckedAdd(sum, CheckedMul(FLineCounts[mask][line], pays[line]));
            return sum;
        };
        best = BestReturn(paidSum, outcomes, [](int64_t a, int64_t b) { return CheckedMul(a, b); });
    }
}

int64_t TPokerEngine::PaidSum(int mask) const {
    int64_t sum = 0;
    for (int line = 0; line <= FLastLine; ++line)
        sum = CheckedAdd(sum, CheckedMul(FLineCounts[mask][line], int64_t{FPayout->Pays[line]}));
    return sum;
}

long double TPokerEngine::DrawReturn(int mask) const {
    try {
        CheckIndex(mask, 0, kMaskCount - 1, "draw mask");
        if (!FPayout) throw EDrawMentor("No payout attached to the strategy engine");
        return static_cast<long double>(PaidSum(mask)) /
               static_cast<long double>(OutcomeCount(mask));
    } catch (...) {
        AddErrorContext("Error calculate natural case (DrawReturn)");
    }
}

THoldResult TPokerEngine::Hold(int mask) const {
    THoldResult hold;
    hold.Mask = CheckIndex(mask, 0, kMaskCount - 1, "draw mask");
    hold.Return = DrawReturn(mask);
    hold.Outcomes = OutcomeCount(mask);
    hold.Unpaid = UnpaidCount(mask);
    hold.LineCount = FLastLine + 1;
    for (int line = 0; line <= FLastLine; ++line) hold.Lines[line] = FLineCounts[mask][line];
    return hold;
}

std::array<THoldResult, kMaskCount> TPokerEngine::Holds() const {
    std::array<THoldResult, kMaskCount> holds;
    for (int mask = 0; mask < kMaskCount; ++mask) holds[mask] = Hold(mask);
    return holds;
}

int64_t TPokerEngine::OutcomeCount(int mask) const {
    return Binomial(DrawCount(mask), FDeck.Total);
}

int64_t TPokerEngine::UnpaidCount(int mask) const {
    int64_t paid = 0;
    for (int line = 0; line <= FLastLine; ++line) paid = CheckedAdd(paid, FLineCounts[mask][line]);
    return OutcomeCount(mask) - paid;
}

long double TPokerEngine::LineProbability(int line, int mask) const {
    CheckIndex(line, 0, kMaxLines - 1, "line");
    return static_cast<long double>(
               FLineCounts[CheckIndex(mask, 0, kMaskCount - 1, "draw mask")][line]) /
           static_cast<long double>(OutcomeCount(mask));
}

int64_t TPokerEngine::LineCount(int line, int mask) const {
    CheckIndex(line, 0, kMaxLines - 1, "line");
    CheckIndex(mask, 0, kMaskCount - 1, "draw mask");
    return line <= FLastLine ? FLineCounts[mask][line] : UnpaidCount(mask);
}

int TPokerEngine::CurrentLine() const {
    for (int c = 0; c < kNaturalCategoryCount; ++c)
        if (FCategoryCounts[0][c] == 1) return PaidLine(c);
    return -1;
}

int TPokerEngine::HandLine() const {
    const int category = ClassifyNatural(FHand);
    return category == kNoCategory ? -1 : PaidLine(category);
}

int TPokerEngine::PaidLine(int category) const {
    const int quads = category - ncFourOfKind2;
    if (quads >= 0 && quads < kRankCount && ((FKickerQuads >> quads) & 1)) {
        const int kicker = QuadsKicker(FHand);
        if (kicker >= 0 && FKickers.Line[quads][kicker] >= 0) return FKickers.Line[quads][kicker];
    }
    return FCategoryLine[category];
}

// The fifth card beside four of rank q is the kept card of another rank when
// there is one, else a drawn card of another rank: every way of completing
// the quads (C(d, 4 - h)) comes with that one card. Quads with two kept
// cards of other ranks cannot be made.
void TPokerEngine::MoveKicked(const THand& kept, int k, int64_t* lines) const {
    const int held = kHandSize - k;
    for (unsigned ranks = FKickerQuads; ranks != 0; ranks &= ranks - 1) {
        const int quads = std::countr_zero(ranks);
        const int h = kept.RankCount[quads];
        const int d = FDeck.RankCount[quads];
        const int need = 4 - h;
        if (need > k || d < need || held - h > 1) continue;
        const int32_t ways = Binomial(need, d);
        const auto& lineOf = FKickers.Line[quads];
        int64_t moved[kMaxLines] = {};
        if (held - h == 1) {
            for (int pos = 0; pos < kept.Total; ++pos)
                if (kept.Ranks[pos] != quads && lineOf[kept.Ranks[pos]] >= 0)
                    moved[lineOf[kept.Ranks[pos]]] += ways;
        } else {
            for (int kicker = 0; kicker < kRankCount; ++kicker)
                if (kicker != quads && lineOf[kicker] >= 0)
                    moved[lineOf[kicker]] += int64_t{ways} * FDeck.RankCount[kicker];
        }
        const int plain = FCategoryLine[ncFourOfKind2 + quads];
        for (int line = 0; line < kMaxLines; ++line) {
            lines[line] += moved[line];
            lines[plain] -= moved[line];
        }
    }
}

void TPokerEngine::ResetCounts() {
    // CountDraw writes the whole row of every mask 1..30 it counts, so only
    // the stand-pat hand and the five-card draw start from zeros here.
    for (int mask : {0, kMaskCount - 1}) {
        std::memset(FCategoryCounts[mask], 0, sizeof FCategoryCounts[mask]);
        std::memset(FLineCounts[mask], 0, sizeof FLineCounts[mask]);
    }
    Calc.InitDeck(FDeck);
    // Ranks that no hold can keep are counted alike in every mask.
    FHandRankCount = FOtherRankCount = 0;
    for (int rank = 0; rank < kRankCount; ++rank) {
        if (FDeck.IsWild(rank)) continue;
        if (FHand.RankCount[rank] > 0)
            FHandRanks[FHandRankCount++] = rank;
        else
            FOtherRanks[FOtherRankCount++] = rank;
    }
    BunchRanks();
}

void TPokerEngine::BunchRanks() {
    std::fill(std::begin(FOtherByCount), std::end(FOtherByCount), 0);
    std::fill(std::begin(FRankCountTotal), std::end(FRankCountTotal), 0);
    ++FDeal;
    std::fill(std::begin(FSuitRanks), std::end(FSuitRanks), 0u);
    int32_t copies = 0;
    for (int rank = 0; rank < kRankCount; ++rank) {
        for (int suit = 0; suit < kSuitCount; ++suit) {
            FSuitRanks[suit] |= static_cast<unsigned>(FDeck.Count[rank][suit] > 0) << rank;
            copies |= FDeck.Count[rank][suit];
        }
        if (FDeck.IsWild(rank)) continue;
        // InitDeck has checked every rank count to be 0..4.
        const int d = FDeck.RankCount[rank];
        FRanksByCount[d][FRankCountTotal[d]++] = rank;
        FOtherByCount[d] += FHand.RankCount[rank] == 0;
    }
    FSingleCopies = copies <= 1;
    // A wild rank has no cards in the deck's rank counts: it lands at d = 0,
    // which no row reads.
    for (int g = 0; g < FRankGroupCount; ++g) {
        TRankGroup& group = FRankGroups[g];
        std::fill(std::begin(group.ByCount), std::end(group.ByCount), 0);
        for (unsigned ranks = group.Ranks; ranks != 0; ranks &= ranks - 1)
            ++group.ByCount[FDeck.RankCount[std::countr_zero(ranks)]];
    }
}

void TPokerEngine::BuildRow(TShape& shape) const {
    std::memset(shape.Counts, 0, sizeof shape.Counts);
    std::memset(shape.Lines, 0, sizeof shape.Lines);
    shape.Assigned = shape.Full = 0;
    for (int d = 2; d <= 4; ++d) {
        const TRankCounts& each = shape.Unkept[d];
        const int ranks = FRankCountTotal[d];
        shape.Assigned += ranks * (int64_t{each.Pairs} + each.Sets + each.Quads);
        shape.Full += ranks * int64_t{each.Full};
        for (int i = 0; i < ranks; ++i) {
            const int rank = FRanksByCount[d][i];
            shape.Counts[ncPairs2 + rank] = each.Pairs;
            shape.Counts[ncThreeOfKind2 + rank] = each.Sets;
            shape.Counts[ncFourOfKind2 + rank] = each.Quads;
        }
    }
    for (int g = 0; g < FRankGroupCount; ++g) {
        const TRankGroup& group = FRankGroups[g];
        int64_t sum = 0;
        for (int d = 2; d <= 4; ++d) {
            const TRankCounts& each = shape.Unkept[d];
            const int32_t count = group.Shape == 0   ? each.Pairs
                                  : group.Shape == 1 ? each.Sets
                                                     : each.Quads;
            sum += int64_t{group.ByCount[d]} * count;
        }
        shape.Lines[group.Line] += sum;
    }
    shape.RowReady = true;
}

void TPokerEngine::CheckCombination() {
    try {
        const int category = ClassifyNatural(FHand);
        if (category != kNoCategory) FCategoryCounts[0][category] = 1;
    } catch (...) {
        AddErrorContext("Error calculate natural case (CheckCombination)");
    }
}

// The masks 1..30 add to their lines as they count (Put); the stand-pat hand
// and the five-card draw are summed here.
void TPokerEngine::SumLines() {
    for (int mask : {0, kMaskCount - 1})
        AddLineSums(FPaidCategories, FCategoryCounts[mask], FLineCounts[mask]);
    if (FKickerQuads != 0) {
        MoveKicked(FHand, 0, FLineCounts[0]);
        // The walk has taken every kept card back: FKept is empty.
        MoveKicked(FKept, kHandSize, FLineCounts[kMaskCount - 1]);
    }
}

// Straights that complete the kept cards (all of different ranks), per kind:
// over all suits (column -1), or in the suit of every kept card. A window
// counts when it holds every kept rank, with the product of its ranks'
// factors (1 for a kept rank, else the deck's cards there). A factor is at
// most 4, so a product of five is at most 1024: nothing to check.
void TPokerEngine::StraightCount(int column, int32_t (&kinds)[3]) const {
    // Selections are masks (0 or all ones), not branches: which windows fit
    // changes from hold to hold without a pattern a predictor could learn.
    const auto all = [](bool condition) { return -static_cast<int32_t>(condition); };
    constexpr unsigned kWheel = (1u << kRankAce) | 0xFu;
    const unsigned kept = FKeptRankMask;
    // Bit s: the window of ranks s..s+4 holds every kept rank.
    const int low = std::max(0, static_cast<int>(std::bit_width(kept)) - 5);
    const int high = std::min(std::countr_zero(kept), kRankTen);
    const unsigned starts = ((2u << high) - 1) & ~((1u << low) - 1);
    const bool wheelFits = (kept & ~kWheel) == 0;
    if (column >= 0 && FSingleCopies) {
        // One copy of each card: a suited window's product is 1 when every
        // rank of it is kept or in the deck in that suit, else 0.
        const unsigned there = FSuitRanks[column] | kept;
        const unsigned runs = there & there >> 1 & there >> 2 & there >> 3 & there >> 4 & starts;
        kinds[skMiddle] = CountBits8(runs & ((1u << kRankTen) - 1));
        kinds[skAceHigh] = static_cast<int32_t>((runs >> kRankTen) & 1);
        kinds[skWheel] = wheelFits && (there & kWheel) == kWheel;
        return;
    }
    int32_t suited[kRankCount];
    const int32_t* f = FRankFactor;
    if (column >= 0) {
        for (int rank = 0; rank < kRankCount; ++rank) {
            const int32_t isKept = all((kept >> rank) & 1);
            suited[rank] = (isKept & 1) | (~isKept & FDeck.Count[rank][column]);
        }
        f = suited;
    }
    int32_t middle = 0;
    for (unsigned middles = starts & ((1u << kRankTen) - 1); middles != 0; middles &= middles - 1) {
        const int start = std::countr_zero(middles);
        middle += f[start] * f[start + 1] * f[start + 2] * f[start + 3] * f[start + 4];
    }
    const int32_t aceHigh = f[8] * f[9] * f[10] * f[11] * f[12];
    const int32_t wheel = f[12] * f[0] * f[1] * f[2] * f[3];
    kinds[skMiddle] = middle;
    kinds[skAceHigh] = aceHigh & all((starts >> kRankTen) & 1);
    kinds[skWheel] = wheel & all(wheelFits);
}

void TPokerEngine::WalkHolds(int position, int keptBits) {
    if (position == kHandSize) {
        const int mask = (kMaskCount - 1) ^ keptBits;
        if (mask != 0 && mask != kMaskCount - 1 && ((FCountedKept >> keptBits) & 1))
            CheckDraw(mask);
        return;
    }
    // The kept hands below are keptBits plus any cards from `position` on:
    // keptBits + i * 2^position, so one bit in every 2^position of FCountedKept.
    constexpr uint32_t kEvery[kHandSize] = {0xFFFFFFFFu, 0x55555555u, 0x11111111u, 0x01010101u,
                                            0x00010001u};
    if (((FCountedKept >> keptBits) & kEvery[position]) == 0) return;
    WalkHolds(position + 1, keptBits);
    const int rank = FHand.Ranks[position];
    FKept.AddCard(rank, FHand.Suits[position]);
    Calc.AddKeptCard(FKept, rank);
    // A rank's deck count is 0..4 (InitDeck) and its kept count 1..4.
    const auto bucket = [&](int kept) {
        return uint64_t{1} << (3 * (5 * (kept - 1) + FDeck.RankCount[rank]));
    };
    if (rank >= 0) {
        const int kept = FKept.RankCount[rank];
        FKeptShape += bucket(kept) - (kept > 1 ? bucket(kept - 1) : 0);
        FKeptRankMask |= 1u << rank;
        FRankFactor[rank] = 1;
    }
    WalkHolds(position + 1, keptBits | (1 << position));
    FKept.RemoveLastCard();
    Calc.RemoveKeptCard(FKept, rank);
    if (rank >= 0) {
        const int kept = FKept.RankCount[rank];
        FKeptShape -= bucket(kept + 1) - (kept > 0 ? bucket(kept) : 0);
        if (kept == 0) {
            FKeptRankMask &= ~(1u << rank);
            FRankFactor[rank] = FDeck.RankCount[rank];
        }
    }
}

void TPokerEngine::CheckDraw(int mask) {
    try {
        CountDraw(mask);
    } catch (...) {
        AddMaskContext(kNaturalContext, mask);
    }
}

// Masks 1..30: the kept cards are completed by k = 1..4 natural cards.
//
// Once Binomial(k, n) has accepted n (at most 54) and InitDeck every rank
// count d (0..4), each factor below is a count of at most C(54, 4) draws or
// a small binomial of d, and each product one of at most 6 times 1,317,888:
// int32 holds them without a check. The sums over ranks are checked once.
void TPokerEngine::CountDraw(int mask) {
    const int k = kDrawCount[mask];
    const int held = kHandSize - k;
    const int n = NaturalsLeft();
    int32_t* const counts = FCategoryCounts[mask];
    if (FKept.WildCount > 0) {
        // No natural outcome; the wild counts add to these zeros.
        std::memset(counts, 0, sizeof FCategoryCounts[mask]);
        std::memset(FLineCounts[mask], 0, sizeof FLineCounts[mask]);
        return;
    }
    int32_t remaining = Binomial(k, n);
    // The mask's lines are summed here and stored once; a count no line pays
    // goes to the spare sum at kMaxLines: an index, not a branch.
    int64_t lines[kMaxLines + 1];
    const auto put = [&](int category, int32_t count) {
        counts[category] = count;
        lines[FCategorySlot[category]] += count;
    };

    // 1. The hold's shape: its counts are worked out once per deal.
    // A multiplicative hash: the shape's top 5 bits after a multiply by 2^64 / phi.
    TShape* shape = &FShapes[(FKeptShape * 0x9E3779B97F4A7C15ull) >> 59];
    const bool known = shape->Deal == FDeal && shape->Key == FKeptShape;

    const bool noSetOrQuads = FKept.RanksWithCount[3] == 0 && FKept.RanksWithCount[4] == 0;
    const bool noQuads = FKept.RanksWithCount[4] == 0;
    const int keptPairs = FKept.RanksWithCount[2];
    const bool fewSingles = FKept.RanksWithCount[1] <= 2;
    const auto countRank = [&](int d, int h) {
        TRankCounts result;
        const int needPair = 2 - h;
        // The rank's own pairs must not complete its sets to full houses.
        const int32_t withRank = noSetOrQuads ? Binomial(needPair, d) : 0;
        const auto pairsWithout = [&](int drawn) {
            return Calc.Pairs[drawn] - (drawn == needPair ? withRank : 0);
        };
        if (noSetOrQuads && d >= needPair && k >= needPair &&
            (keptPairs == 0 || (keptPairs == 1 && h == 2)))
            result.Pairs = withRank * Calc.SinglesWithout(h == 0 ? d : 0, k - needPair);
        const int needSet = 3 - h;
        if (noQuads && needSet >= 0 && d >= needSet && k >= needSet) {
            const int32_t ways = Binomial(needSet, d);
            result.Full = fewSingles ? ways * pairsWithout(k - needSet) : 0;
            result.Sets = ways * Binomial(k - needSet, n - d) - result.Full;
        }
        const int needQuads = 4 - h;
        if (needQuads >= 0 && d >= needQuads && k >= needQuads)
            result.Quads = Binomial(needQuads, d) * Binomial(k - needQuads, n - d);
        return result;
    };
    if (!known) {
        shape->Deal = FDeal;
        shape->Key = FKeptShape;
        // A rank not kept has no pair, set or quads with fewer than two
        // cards; counts no rank has stay zero.
        shape->AnyUnkept = shape->RowReady = false;
        shape->KeptReady = 0;
        for (int d = 0; d <= 4; ++d) {
            TRankCounts& unkept = shape->Unkept[d];
            unkept = d >= 2 && FRankCountTotal[d] > 0 ? countRank(d, 0) : TRankCounts{};
            shape->AnyUnkept =
                shape->AnyUnkept || (unkept.Pairs | unkept.Sets | unkept.Full | unkept.Quads) != 0;
        }
    }
    int64_t fullHouse = 0;
    int64_t assigned = 0;
    if (shape->AnyUnkept) {
        if (!shape->RowReady) BuildRow(*shape);
        // The row and its lines start as the shape's: every count is written.
        std::memcpy(counts, shape->Counts, sizeof shape->Counts);
        std::memcpy(lines, shape->Lines, sizeof shape->Lines);
        lines[kMaxLines] = 0;
        assigned = shape->Assigned;
        fullHouse = shape->Full;
    } else {
        std::memset(counts, 0, sizeof FCategoryCounts[mask]);
        std::memset(lines, 0, sizeof lines);
    }

    // 2. The kept ranks replace their unkept counts. The kept cards are read
    // in place: a rank is met at its first kept card (no wild card is kept).
    unsigned seen = 0;
    for (int pos = 0; pos < FKept.Total; ++pos) {
        const int rank = FKept.Ranks[pos];
        if ((seen >> rank) & 1) continue;
        seen |= 1u << rank;
        const int h = FKept.RankCount[rank];
        const int d = FDeck.RankCount[rank];
        const TRankCounts& before = shape->Unkept[d];
        TKeptCounts& now = shape->Kept[d][h];
        if (!((shape->KeptReady >> (5 * d + h)) & 1)) {
            now.Counts = countRank(d, h);
            now.Assigned = int64_t{now.Counts.Pairs} + now.Counts.Sets + now.Counts.Quads -
                           (int64_t{before.Pairs} + before.Sets + before.Quads);
            now.Full = int64_t{now.Counts.Full} - before.Full;
            shape->KeptReady |= 1u << (5 * d + h);
        }
        const auto replace = [&](int category, int32_t was, int32_t is) {
            counts[category] = is;
            lines[FCategorySlot[category]] += is - was;
        };
        replace(ncPairs2 + rank, before.Pairs, now.Counts.Pairs);
        replace(ncThreeOfKind2 + rank, before.Sets, now.Counts.Sets);
        replace(ncFourOfKind2 + rank, before.Quads, now.Counts.Quads);
        assigned += now.Assigned;
        fullHouse += now.Full;
    }
    const int32_t fullHouses = Narrow32(fullHouse);
    if (fullHouses != 0) put(ncFullHouse, fullHouses);
    remaining = Narrow32(remaining - assigned);

    // 3. Five different ranks: flushes and straights; the rest has no category.
    if (FKept.RanksWithCount[1] == held) {
        remaining -= Calc.Singles[0][k];
        // Every kept card is natural here, so the first one's suit is the
        // suit of all of them when they share one.
        const int flushSuit = FKept.SuitsWithCount[held] == 1 ? FKept.Suits[0] : -1;
        int32_t flush = flushSuit >= 0 ? Binomial(k, FDeck.SuitCount[flushSuit]) : 0;
        int32_t straights[3] = {};
        int32_t suited[3] = {};
        // No window holds kept ranks more than four apart, unless they make a
        // wheel; without straights or a flush the row's zeros stand.
        const unsigned keptRanks = FKeptRankMask;
        const bool straight = std::bit_width(keptRanks) - std::countr_zero(keptRanks) <= 5 ||
                              (keptRanks & ~((1u << kRankAce) | 0xFu)) == 0;
        if (straight) {
            StraightCount(-1, straights);
            if (flushSuit >= 0) StraightCount(flushSuit, suited);
        }
        if (straight || flushSuit >= 0) {
            for (int kind = 0; kind < 3; ++kind) {
                put(ncFlushStraightA5 + kind, suited[kind]);
                put(ncStraightA5 + kind, straights[kind] - suited[kind]);
                flush -= suited[kind];
            }
            put(ncFlush, flush);
        }
    }

    // 4. What is left is two pairs.
    remaining = CheckedSub(remaining, fullHouses);
    put(ncTwoPairs, remaining);
    if (FKickerQuads != 0) MoveKicked(FKept, k, lines);
    std::memcpy(FLineCounts[mask], lines, sizeof FLineCounts[mask]);
}

void TPokerEngine::CheckEmpty() {
    try {
        CountEmpty();
    } catch (...) {
        AddErrorContext("Error calculate natural case (CheckEmpty)");
    }
}

// Mask 31: five new natural cards.
void TPokerEngine::CountEmpty() {
    constexpr int mask = kMaskCount - 1;
    const int n = NaturalsLeft();
    int32_t(&counts)[kNaturalCategoryCount] = FCategoryCounts[mask];

    // 1. Flushes and straight flushes per suit, from the suit's ranks as bits:
    // bit s of `runs` is set when the ranks s..s+4 are all there.
    int32_t flushes = 0;
    for (int suit = 0; suit < kSuitCount; ++suit) {
        flushes = CheckedAdd(flushes, Binomial(5, FDeck.SuitCount[suit]));
        const unsigned there = FSuitRanks[suit];
        const unsigned runs = there & there >> 1 & there >> 2 & there >> 3 & there >> 4;
        // Bit 8 is ten to ace; the middle windows are at most eight bits.
        counts[ncFlushStraight] += CountBits8(runs & 0xFFu);
        counts[ncFlushStraightTA] += static_cast<int32_t>((runs >> kRankTen) & 1);
        const unsigned wheel = (1u << kRankAce) | 0xFu;
        counts[ncFlushStraightA5] += static_cast<int32_t>((there & wheel) == wheel);
    }
    counts[ncFlush] =
        flushes - counts[ncFlushStraightA5] - counts[ncFlushStraight] - counts[ncFlushStraightTA];

    // 2. Straights over all suits: products of five consecutive rank counts.
    int32_t middle = 0;
    for (int start = 0; start + 4 < kRankCount; ++start) {
        int32_t product = 1;
        for (int rank = start; rank < start + 5; ++rank)
            product = CheckedMul(product, int32_t{FDeck.RankCount[rank]});
        if (start == kRankTen)
            counts[ncStraightTA] = product - counts[ncFlushStraightTA];
        else
            middle = CheckedAdd(middle, product);
    }
    counts[ncStraight] = middle - counts[ncFlushStraight];
    int32_t wheel = FDeck.RankCount[kRankAce];
    for (int rank = 0; rank <= 3; ++rank) wheel = CheckedMul(wheel, int32_t{FDeck.RankCount[rank]});
    counts[ncStraightA5] = wheel - counts[ncFlushStraightA5];

    // 3. Paired shapes per rank; two pairs is what remains. A rank with fewer
    // than 2, 3 or 4 cards has a zero binomial for pairs, sets or quads, so
    // every rank goes through the same steps (InitDeck checked d to be 0..4).
    int32_t remaining = CheckedSub(Binomial(5, n), Calc.Singles[0][5]);
    for (int rank = 0; rank < kRankCount; ++rank) {
        const int d = FDeck.RankCount[rank];
        const int32_t pairs = CheckedMul(Binomial(2, d), Calc.SinglesWithout(d, 3));
        const int32_t full = CheckedMul(Binomial(3, d), Calc.Pairs[2] - Binomial(2, d));
        const int32_t sets = CheckedMul(Binomial(3, d), Binomial(2, n - d)) - full;
        const int32_t quads = CheckedMul(Binomial(4, d), int32_t(n - d));
        counts[ncPairs2 + rank] = pairs;
        counts[ncThreeOfKind2 + rank] = sets;
        counts[ncFourOfKind2 + rank] = quads;
        counts[ncFullHouse] = CheckedAdd(counts[ncFullHouse], full);
        remaining = CheckedSub(CheckedSub(CheckedSub(remaining, pairs), sets), quads);
    }
    counts[ncTwoPairs] = CheckedSub(remaining, counts[ncFullHouse]);
}

} // namespace drawmentor
