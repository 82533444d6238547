#include "HoldClass.h"

#include "cards/CardBunch.h"
#include "cards/Categories.h"
#include "core/Checked.h"
#include "games/Classification.h"

#include <algorithm>
#include <bit>
#include <map>

namespace drawmentor {
namespace {

constexpr uint32_t kTenToAce = 0x1F00; // ranks T..A as rank bits

// Straight windows as rank masks: A-5 (the Ace low), 2-6, ..., T-A.
constexpr std::array<uint32_t, 10> kWindows = [] {
    std::array<uint32_t, 10> windows{};
    windows[0] = (1u << kRankAce) | 0xFu;
    for (int low = 0; low <= kRankTen; ++low) windows[low + 1] = 0x1Fu << low;
    return windows;
}();

constexpr int kRankMasks = 1 << kRankCount;

constexpr std::array<uint8_t, kRankMasks> kBitCount = [] {
    std::array<uint8_t, kRankMasks> table{};
    for (int mask = 1; mask < kRankMasks; ++mask)
        table[mask] = static_cast<uint8_t>(table[mask >> 1] + (mask & 1));
    return table;
}();

constexpr std::array<uint8_t, kRankMasks> kWindowCount = [] {
    std::array<uint8_t, kRankMasks> table{};
    for (uint32_t mask = 0; mask < kRankMasks; ++mask)
        for (uint32_t window : kWindows)
            if ((mask & ~window) == 0) ++table[mask];
    return table;
}();

// Subsets of T..A of each size, the higher cards first: for subsets of one
// size, comparing the sorted ranks from the top is comparing the masks.
const std::array<std::vector<uint32_t>, 6>& HighSubsets() {
    static const auto table = [] {
        std::array<std::vector<uint32_t>, 6> subsets;
        for (uint32_t mask = 31;; --mask) {
            subsets[std::popcount(mask)].push_back(mask);
            if (mask == 0) break;
        }
        return subsets;
    }();
    return table;
}

// Five-card categories that need all five cards: holding four of them never
// keeps the pay.
bool IsWholeNatural(int category) {
    return category == ncFlushStraightA5 || category == ncFlushStraight ||
           category == ncFlushStraightTA || category == ncFullHouse || category == ncFlush ||
           (category >= ncStraightA5 && category <= ncStraightTA);
}

bool IsWholeWild(int category) {
    if (category == wcWild5 || category == wcWild4A || category == wcWild1And22) return true;
    if (category >= wcWildFive2 && category < wcWildFive2 + kRankCount) return true;
    return (category >= wcWild3FlushStrA5 && category <= wcWild3FlushStrA5 + 2) ||
           (category >= wcWild2Flush && category <= wcWild2StraightA5 + 2) ||
           (category >= wcWild1Flush && category <= wcWild1StraightA5 + 2);
}

} // namespace

THoldClass THoldClass::Make(THoldKind kind, int held, int wilds, int a, int b, int variant,
                            int penalties) {
    THoldClass hold;
    hold.Packed = static_cast<uint32_t>(kind) | static_cast<uint32_t>(held) << 4 |
                  static_cast<uint32_t>(wilds) << 7 | static_cast<uint32_t>(a) << 10 |
                  static_cast<uint32_t>(b) << 16 | static_cast<uint32_t>(variant) << kVariantShift |
                  static_cast<uint32_t>(penalties) << kPenaltyShift;
    return hold;
}

uint32_t HighSubsetMask(int size, int index) {
    const auto& list = HighSubsets()[CheckIndex(size, 0, 5, "subset size")];
    return list[CheckIndex(index, 0, static_cast<int>(list.size()) - 1, "subset index")];
}

int HighSubsetIndex(uint32_t ranksTenToAce) {
    static const auto table = [] {
        std::array<int, 32> index{};
        for (const auto& list : HighSubsets())
            for (size_t i = 0; i < list.size(); ++i) index[list[i]] = static_cast<int>(i);
        return index;
    }();
    return table[ranksTenToAce & 31];
}

int StraightShape(uint32_t rankMask, int wildRank) {
    if (rankMask == 0 || kWindowCount[rankMask & (kRankMasks - 1)] == 0) return -1;
    // Ranks as places in a run, the Ace below the 2 when it is held with
    // cards of 2-5 only.
    const bool aceLow = ((rankMask >> kRankAce) & 1) && (rankMask & ~(1u << kRankAce)) != 0 &&
                        (rankMask & ~(1u << kRankAce) & ~0xFu) == 0;
    const uint32_t places = aceLow ? ((rankMask & 0xFu) << 1 | 1u) : rankMask;
    const int span = 32 - std::countl_zero(places) - std::countr_zero(places);
    const int gaps = span - std::popcount(rankMask);
    const int cut = (6 - span) - StraightWindows(rankMask, wildRank);
    return gaps | cut << kShapeCutShift;
}

int StraightWindows(uint32_t rankMask, int wildRank) {
    const uint32_t wild = wildRank == kNoWildRank ? 0 : 1u << wildRank;
    int count = 0;
    for (uint32_t window : kWindows) count += (rankMask & ~window) == 0 && !(window & wild) ? 1 : 0;
    return count;
}

THoldRules MakeHoldRules(const TPokerDescription& game, const std::vector<int>& pays) {
    if (static_cast<int>(pays.size()) != game.LineCount())
        RaiseRange("number of pays", static_cast<long long>(pays.size()));
    THoldRules rules;
    rules.WildRank = game.WildRank >= 0 ? game.WildRank : kNoWildRank;
    rules.Jokers = game.Jokers;
    rules.WildGame = game.IsWildGame();
    rules.Pays = pays;
    rules.NaturalLine.fill(-1);
    rules.WildLine.fill(-1);
    const auto* wild = dynamic_cast<const TWildPokerDescription*>(&game);
    // A category two lines list goes to the later one, as the engines read it.
    for (int line = 0; line <= game.LastLine; ++line) {
        rules.LineNames.push_back(game.LineName(line));
        const bool pays_ = pays[line] > 0;
        for (int c = 0; c < kNaturalCategoryCount; ++c)
            if ((game.LineCategories(line) >> c) & 1) rules.NaturalLine[c] = pays_ ? line : -1;
        if (wild)
            for (int c = 0; c < kWildCategoryCount; ++c)
                if ((wild->WildLineCategories(line) >> c) & 1)
                    rules.WildLine[c] = pays_ ? line : -1;
    }
    const auto pay = [&](int line) { return line < 0 ? 0 : pays[line]; };
    const TKickerLines kickers = game.KickerLines();
    for (int size = 2; size <= 4; ++size) {
        std::map<std::array<int, 6>, int> groups;
        for (int rank = 0; rank < kRankCount; ++rank) {
            // A kicker line's ranks and pay set the group apart too.
            int kickerPay = 0, kickerRanks = 0;
            for (int kicker = 0; kicker < kRankCount; ++kicker)
                if (const int line = kickers.Line[rank][kicker];
                    line >= 0 && pay(line) > pay(rules.NaturalLine[ncFourOfKind2 + rank])) {
                    kickerPay = pay(line);
                    kickerRanks |= 1 << kicker;
                    rules.KickerRanks[rank] |= 1u << kicker;
                }
            std::array<int, 6> signature{pay(rules.NaturalLine[ncPairs2 + rank]),
                                         pay(rules.NaturalLine[ncThreeOfKind2 + rank]),
                                         pay(rules.NaturalLine[ncFourOfKind2 + rank]),
                                         pay(rules.WildLine[wcWildFive2 + rank]),
                                         kickerPay,
                                         kickerRanks};
            // What a smaller group pays does not matter to a larger one.
            std::fill(signature.begin(), signature.begin() + (size - 2), 0);
            const auto found = groups.emplace(signature, static_cast<int>(groups.size())).first;
            rules.KindGroup[size - 2][rank] = found->second;
        }
    }
    for (int rank = 0; rank < kRankCount; ++rank)
        if (rules.NaturalLine[ncPairs2 + rank] >= 0) rules.HighRanks |= 1u << rank;
    // High cards count among T..A only: the subset variants cannot hold more.
    rules.HighRanks &= kTenToAce;
    return rules;
}

THoldClassifier::THoldClassifier(THoldRules rules) : FRules(std::move(rules)) {
    for (uint32_t mask = 0; mask < kRankMasks; ++mask)
        FShape[mask] = static_cast<int8_t>(StraightShape(mask, FRules.WildRank));
}

bool THoldClassifier::IsWild(int code) const {
    return code >= kFirstJokerCode ||
           (FRules.WildRank != kNoWildRank && code % kRankCount == FRules.WildRank);
}

int THoldClassifier::MadeLine(const std::array<int, kHandSize>& codes, bool& whole) const {
    THand hand;
    if (FRules.WildRank != kNoWildRank) hand.SetWildRank(FRules.WildRank);
    for (int code : codes) hand.AddCode(code);
    if (hand.WildCount == 0) {
        const int category = ClassifyNatural(hand);
        whole = category != kNoCategory && IsWholeNatural(category);
        return category != kNoCategory ? FRules.NaturalLine[category] : -1;
    }
    const int category = ClassifyWild(hand);
    whole = IsWholeWild(category);
    return FRules.WildLine[category];
}

void THoldClassifier::Prepare(const std::array<int, kHandSize>& codes, TDealt& dealt) const {
    for (int pos = 0; pos < kHandSize; ++pos) {
        const int code = codes[pos];
        const bool wild = IsWild(code);
        dealt.Rank[pos] = wild ? -1 : code % kRankCount;
        dealt.Suit[pos] = wild ? -1 : code / kRankCount;
    }
    dealt.MadeLine = MadeLine(codes, dealt.Whole);
}

THoldClass THoldClassifier::Classify(const std::array<int, kHandSize>& codes, int mask) const {
    CheckIndex(mask, 0, kMaskCount - 1, "draw mask");
    TDealt dealt;
    Prepare(codes, dealt);
    return Classify(dealt, mask);
}

void THoldClassifier::ClassifyDeal(const std::array<int, kHandSize>& codes,
                                   std::array<THoldClass, kMaskCount>& out) const {
    TDealt dealt;
    Prepare(codes, dealt);
    for (int mask = 0; mask < kMaskCount; ++mask) out[mask] = Classify(dealt, mask);
}

THoldClass THoldClassifier::Classify(const TDealt& dealt, int mask) const {
    const int held = kHandSize - kDrawCount[mask];
    int wilds = 0, naturals = 0;
    uint32_t rankMask = 0, suitMask = 0;
    int rankCount[kRankCount] = {};
    for (int pos = 0; pos < kHandSize; ++pos) {
        if (IsBitSet(mask, pos)) continue;
        if (dealt.Rank[pos] < 0) {
            ++wilds;
            continue;
        }
        ++naturals;
        rankMask |= 1u << dealt.Rank[pos];
        suitMask |= 1u << dealt.Suit[pos];
        ++rankCount[dealt.Rank[pos]];
    }
    if (held == 0) return THoldClass::Make(THoldKind::Discard, 0, 0);
    const int line = held == kHandSize ? dealt.MadeLine : -1;
    if (line >= 0 && dealt.Whole) return THoldClass::Make(THoldKind::Made, held, wilds, line);
    if (naturals == 0) return THoldClass::Make(THoldKind::Wilds, held, wilds);

    // Pairs and more: the group with the wild cards, and what else is kept.
    const int distinct = kBitCount[rankMask];
    if (distinct < naturals) {
        int top = -1, groupsOfTwo = 0;
        for (int rank = 0; rank < kRankCount; ++rank) {
            if (rankCount[rank] >= 2) ++groupsOfTwo;
            if (rankCount[rank] >= 2 && (top < 0 || rankCount[rank] >= rankCount[top])) top = rank;
        }
        if (groupsOfTwo == 2 && wilds == 0 && rankCount[top] == 2)
            return THoldClass::Make(THoldKind::Kind, held, 0, kTwoPairsGroup, naturals - 4);
        const int size = rankCount[top] + wilds;
        if (groupsOfTwo > 1 || size > 4) return THoldClass::Make(THoldKind::Junk, held, wilds);
        int kickers = naturals - rankCount[top];
        if (kickers == 1 &&
            ((FRules.KickerRanks[top] >> std::countr_zero(rankMask & ~(1u << top))) & 1))
            kickers |= kKickerPays;
        return THoldClass::Make(THoldKind::Kind, held, wilds, size, kickers,
                                FRules.KindGroup[size - 2][top]);
    }
    // Wild cards with unrelated naturals that pay all the same (four deuces
    // and a kicker).
    if (held == kHandSize && line >= 0)
        return THoldClass::Make(THoldKind::Made, held, wilds, line, 1);
    if (held == kHandSize) return THoldClass::Make(THoldKind::Junk, held, wilds);

    // Distinct naturals: draws. Penalties come from the discarded naturals.
    const bool suited = kBitCount[suitMask] == 1;
    // Any window makes a straight draw; its shape is what a player sees, the
    // gaps and the windows an edge or the wild rank cuts (the deck lacks
    // natural cards of the wild rank, and a window through it pins a held
    // wild card to its place).
    const int windows = kWindowCount[rankMask];
    int shape = FShape[rankMask];
    if (held == 4 && wilds > 0) {
        // One card to draw: the natural ranks that complete it (a wild card
        // held takes the place of a card of the wild rank).
        shape = 0;
        for (int rank = 0; rank < kRankCount; ++rank)
            if (rank != FRules.WildRank && ((rankMask >> rank) & 1) == 0 &&
                kWindowCount[rankMask | 1u << rank] > 0)
                ++shape;
    }
    const int highs = kBitCount[rankMask & FRules.HighRanks];
    int penalties = 0;
    const int heldSuit = std::countr_zero(suitMask);
    for (int pos = 0; pos < kHandSize; ++pos) {
        if (!IsBitSet(mask, pos) || dealt.Rank[pos] < 0) continue;
        if (suited && dealt.Suit[pos] == heldSuit) penalties |= kFlushPenalty;
        const uint32_t rank = 1u << dealt.Rank[pos];
        if (windows > 0 && (rankMask & rank) == 0 && kWindowCount[rankMask | rank] > 0)
            penalties |= kStraightPenalty;
    }
    const int subset = HighSubsetIndex((rankMask & kTenToAce) >> kRankTen);
    if (wilds == 0 && naturals == 1) {
        const int rank = std::countr_zero(rankMask);
        if ((FRules.HighRanks >> rank) & 1)
            return THoldClass::Make(THoldKind::HighCards, 1, 0, 0, 0, subset, penalties);
        return THoldClass::Make(THoldKind::LowCard, 1, 0, 0, 0, rank, penalties);
    }
    if (suited && (rankMask & ~kTenToAce) == 0)
        return THoldClass::Make(THoldKind::Royal, held, wilds, 0, 0, subset, penalties);
    if (suited && windows > 0)
        return THoldClass::Make(THoldKind::StraightFlush, held, wilds, shape, 0, highs, penalties);
    if (suited)
        return THoldClass::Make(THoldKind::Flush, held, wilds, 0, 0, highs,
                                penalties & kFlushPenalty);
    penalties &= kStraightPenalty;
    if (wilds == 0 && held <= 3 && (rankMask & ~FRules.HighRanks) == 0)
        return THoldClass::Make(THoldKind::HighCards, held, 0, 0, 0, subset, penalties);
    if (windows > 0)
        return THoldClass::Make(THoldKind::Straight, held, wilds, shape, 0, highs, penalties);
    return THoldClass::Make(THoldKind::Junk, held, wilds);
}

void HoldPrecedences(const THoldClassifier& classifier, const std::array<int, kHandSize>& codes,
                     std::array<uint32_t, kMaskCount>& out) {
    // Positions from the highest card down, then each mask keeps its cards in
    // that order and pads with zeros.
    std::array<int, kHandSize> value{}, order{0, 1, 2, 3, 4};
    for (int pos = 0; pos < kHandSize; ++pos)
        value[pos] = classifier.IsWild(codes[pos]) ? 14 : codes[pos] % kRankCount + 1;
    for (int i = 1; i < kHandSize; ++i)
        for (int j = i; j > 0 && value[order[j]] > value[order[j - 1]]; --j)
            std::swap(order[j], order[j - 1]);
    for (int mask = 0; mask < kMaskCount; ++mask) {
        uint32_t key = 0;
        for (int pos : order)
            if (!IsBitSet(mask, pos)) key = key << 4 | static_cast<uint32_t>(value[pos]);
        key <<= 4 * kDrawCount[mask];
        out[mask] = key << 5 | static_cast<uint32_t>(kMaskCount - 1 - mask);
    }
}

uint32_t HoldPrecedence(const THoldClassifier& classifier, const std::array<int, kHandSize>& codes,
                        int mask) {
    // Values 1..14 (a wild card 14), sorted from the highest; replaced cards 0.
    std::array<int, kHandSize> values{};
    for (int pos = 0; pos < kHandSize; ++pos) {
        if (IsBitSet(mask, pos)) continue;
        int value = classifier.IsWild(codes[pos]) ? 14 : codes[pos] % kRankCount + 1;
        for (int& slot : values)
            if (value > slot) std::swap(value, slot);
    }
    uint32_t key = 0;
    for (int value : values) key = key << 4 | static_cast<uint32_t>(value);
    return key << 5 | static_cast<uint32_t>(kMaskCount - 1 - mask);
}

std::string HoldFamilyKey(uint32_t family) {
    const THoldClass hold{family};
    const std::string held = std::to_string(hold.Held());
    const std::string wilds = hold.Wilds() > 0 ? ".w" + std::to_string(hold.Wilds()) : "";
    const std::string kickers = hold.B() > 0 ? ".k" + std::to_string(hold.B() & (kKickerPays - 1)) +
                                                   (hold.B() & kKickerPays ? "+" : "")
                                             : "";
    // Four cards with a wild card: the ranks that complete them; else the shape.
    const int cut = hold.A() >> kShapeCutShift;
    const std::string windows = hold.Held() == 4 && hold.Wilds() > 0
                                    ? ".o" + std::to_string(hold.A())
                                    : ".g" +
                                          std::to_string(hold.A() & ((1 << kShapeCutShift) - 1)) +
                                          (cut > 0 ? "e" + std::to_string(cut) : "");
    switch (hold.Kind()) {
    case THoldKind::Discard: return "discard";
    case THoldKind::Wilds: return "wild" + std::to_string(hold.Wilds());
    case THoldKind::Made: return "made.L" + std::to_string(hold.A()) + kickers + wilds;
    case THoldKind::Kind:
        if (hold.A() == kTwoPairsGroup) return "twopair" + kickers;
        return "kind" + std::to_string(hold.A()) + kickers + wilds;
    case THoldKind::Royal: return "royal" + held + wilds;
    case THoldKind::StraightFlush: return "sf" + held + windows + wilds;
    case THoldKind::Flush: return "flush" + held + wilds;
    case THoldKind::Straight: return "straight" + held + windows + wilds;
    case THoldKind::HighCards: return "high" + held;
    case THoldKind::LowCard: return "low";
    case THoldKind::Junk: return "junk" + held + wilds;
    }
    return "?";
}

std::string HoldClassKey(THoldClass hold) {
    std::string key = HoldFamilyKey(hold.Family());
    const int variant = hold.Variant();
    switch (hold.Kind()) {
    case THoldKind::Kind:
        if (hold.A() != kTwoPairsGroup) key += ":g" + std::to_string(variant);
        break;
    case THoldKind::StraightFlush:
    case THoldKind::Flush:
    case THoldKind::Straight: key += ":h" + std::to_string(variant); break;
    case THoldKind::LowCard: key += ":" + std::string(1, kRankLetters[variant]); break;
    case THoldKind::Royal:
    case THoldKind::HighCards: {
        const int naturals = hold.Held() - hold.Wilds();
        const uint32_t ranks = HighSubsetMask(naturals, variant);
        key += ":";
        for (int bit = 4; bit >= 0; --bit)
            if ((ranks >> bit) & 1) key += kRankLetters[kRankTen + bit];
        break;
    }
    default: break;
    }
    if (hold.Penalties() & kFlushPenalty) key += "+flush";
    if (hold.Penalties() & kStraightPenalty) key += "+straight";
    return key;
}

} // namespace drawmentor
