#include "ChartLine.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace drawmentor {
namespace {

TNamePart Text(std::string key, std::vector<TNamePart> parts = {}) {
    return {TNameKind::Text, std::move(key), 0, 1, std::move(parts)};
}

TNamePart Number(int value) {
    return {TNameKind::Number, {}, value, 1, {}};
}

// A text whose words agree with `count`, which is also its first placeholder
// unless `parts` says otherwise.
TNamePart Counted(std::string key, int count, std::vector<TNamePart> parts = {}) {
    if (parts.empty()) parts.push_back(Number(count));
    return {TNameKind::Counted, std::move(key), count, 1, std::move(parts)};
}

TNamePart Letters(uint32_t ranks) {
    return {TNameKind::Letters, {}, static_cast<int>(ranks), 1, {}};
}

TNamePart Runs(uint32_t ranks, int copies) {
    return {TNameKind::Runs, {}, static_cast<int>(ranks), copies, {}};
}

// "a, b or c" with "Or"; commas only without a joining key.
TNamePart List(std::string last, std::vector<TNamePart> items) {
    return {TNameKind::List, std::move(last), 0, 1, std::move(items)};
}

// The rank's word in the plural: "Aces".
TNamePart RankWord(int rank) {
    return Text(std::string("Ranks.") + kRankLetters[rank]);
}

class TNamer {
  public:
    explicit TNamer(const THoldRules& rules) : R(rules) {}

    // `prefixed`: with the number of wild cards in a wild-card game;
    // `anyShape`: a straight draw named without its shape.
    TNamePart Name(const TLineDefinition& definition, bool prefixed = true,
                   bool anyShape = false) const;
    // The parts are one straight draw in every shape it can have: the line
    // needs no word about shapes.
    bool EveryShape(const TLineDefinition& definition,
                    const std::vector<TLineDefinition>& also) const;

    TNamePart WildCount(int wilds) const;

  private:
    std::string WildSuffix() const;
    TNamePart Kind(THoldClass family, uint32_t variants, bool all) const;
    TNamePart HighCount(uint32_t variants, uint32_t universe) const;
    TNamePart RankSets(int size, uint32_t variants, uint32_t universe, bool& except) const;
    TNamePart Needing() const;
    TNamePart ShapeRanks(int naturals, int shape, const TLineDefinition& definition) const;
    std::vector<TNamePart> Penalty(uint32_t mask, uint32_t value) const;

    const THoldRules& R;
};

// Which wild card the game has: its words differ by it.
std::string TNamer::WildSuffix() const {
    const bool jokers = R.Jokers > 0 && R.WildRank == kNoWildRank;
    const bool both = R.Jokers > 0 && R.WildRank != kNoWildRank;
    return both ? "Wild" : jokers ? "Joker" : R.WildRank == 5 ? "Seven" : "Deuce";
}

TNamePart TNamer::WildCount(int wilds) const {
    const bool jokers = R.Jokers > 0 && R.WildRank == kNoWildRank;
    if (wilds == 0) return Text("NoWild." + WildSuffix());
    if (wilds == 1 && jokers) return Text("OneJoker");
    return Counted("Wilds." + WildSuffix(), wilds);
}

TNamePart TNamer::Kind(THoldClass family, uint32_t variants, bool all) const {
    const int size = family.A();
    TNamePart text;
    uint32_t groupRanks = 0; // the ranks of the group the line's variants cover
    if (size == kTwoPairsGroup) {
        text = Text("TwoPairs");
    } else {
        uint32_t ranks = 0;
        for (int rank = 0; rank < kRankCount; ++rank)
            if (rank != R.WildRank && ((variants >> R.KindGroup[size - 2][rank]) & 1))
                ranks |= 1u << rank;
        groupRanks = ranks;
        const bool single = std::popcount(ranks) == 1;
        const int rank = std::countr_zero(ranks);
        if (size == 2) {
            const bool anyPays = R.HighRanks != 0;
            const bool high = (ranks & ~R.HighRanks) == 0;
            const bool low = (ranks & R.HighRanks) == 0;
            if (single)
                text = Text("PairOf", {RankWord(rank)});
            else if (anyPays && (high || low))
                text = Text(high ? "HighPair" : "LowPair", {Runs(ranks, 2)});
            else
                text = all ? Text("Pair") : Text("PairRanks", {Runs(ranks, 2)});
        } else {
            const std::string word = size == 3 ? "Three" : "Four";
            if (single && !all)
                text = Text(word + "Of", {RankWord(rank)});
            else
                text = all ? Text(word) : Text(word + "Ranks", {Runs(ranks, 1)});
        }
    }
    const int kickers = family.B() & (kKickerPays - 1);
    if (family.B() & kKickerPays) {
        // Ranks whose kickers differ are named apart: "Four Aces, with a 2-4
        // kicker, or Four of a Kind (2-4), with an A-4 kicker".
        std::vector<TNamePart> phrases;
        uint32_t done = 0;
        for (int rank = kRankCount - 1; rank >= 0; --rank) {
            // Ranks without a kicker line are never in such a class.
            if (!((groupRanks >> rank) & 1) || ((done >> rank) & 1) || !R.KickerRanks[rank])
                continue;
            uint32_t same = 0;
            for (int other = 0; other < kRankCount; ++other)
                if (((groupRanks >> other) & 1) && R.KickerRanks[other] == R.KickerRanks[rank])
                    same |= 1u << other;
            done |= same;
            const std::string word = size == 3 ? "Three" : "Four";
            const TNamePart group = std::popcount(same) == 1
                                        ? Text(word + "Of", {RankWord(rank)})
                                        : Text(word + "Ranks", {Runs(same, 1)});
            phrases.push_back(Text("PayingKicker", {group, Runs(R.KickerRanks[rank], 1)}));
        }
        return phrases.size() == 1 ? phrases.front() : List("Or", std::move(phrases));
    }
    if (kickers == 1) {
        // Where a kicker line pays for some kickers, this line is the others.
        uint32_t paying = 0;
        for (int rank = 0; rank < kRankCount; ++rank)
            if ((groupRanks >> rank) & 1) paying |= R.KickerRanks[rank];
        return paying ? Text("OtherKicker", {text, Runs(paying, 1)}) : Text("Kicker", {text});
    }
    if (kickers > 1) return Text("Kickers", {text, Number(kickers)});
    return text;
}

// "no high card", "1-2 high cards", "at least 2 high cards".
TNamePart TNamer::HighCount(uint32_t variants, uint32_t universe) const {
    const auto cards = [](int n) { return n == 0 ? Text("NoHighCard") : Counted("HighCards", n); };
    if (variants == 0) return cards(0); // no variant: no range of counts to shift by
    const int lo = std::countr_zero(variants);
    const int hi = 31 - std::countl_zero(variants);
    const int top = 31 - std::countl_zero(universe);
    const bool run = variants == ((2u << hi) - (1u << lo));
    if (lo == hi) return cards(lo);
    if (run && lo == 0) return Counted("AtMostHighCards", hi);
    if (run && hi == top) return Counted("AtLeastHighCards", lo);
    if (run) return Counted("HighCardsFromTo", hi, {Number(lo), Number(hi)});
    std::vector<TNamePart> counts;
    for (int n = lo; n < hi; ++n)
        if ((variants >> n) & 1) counts.push_back(Number(n));
    counts.push_back(cards(hi));
    return List("Or", std::move(counts));
}

// Subsets of T..A by their letters: "KQJ, QJT"; "except AKT and AQT" when
// shorter (then `except` is set).
TNamePart TNamer::RankSets(int size, uint32_t variants, uint32_t universe, bool& except) const {
    std::vector<TNamePart> in, out;
    for (int v = 0; v < Binomial(size, 5); ++v) {
        const TNamePart letters = Letters(HighSubsetMask(size, v) << kRankTen);
        if ((variants >> v) & 1)
            in.push_back(letters);
        else if ((universe >> v) & 1)
            out.push_back(letters);
    }
    except = out.size() < in.size() && !out.empty() && in.size() > 3;
    if (except) return Text("Except", {List("And", std::move(out))});
    return List("Or", std::move(in));
}

// The wild card a draw waits for; a joker game never waits for one.
TNamePart TNamer::Needing() const {
    return Text(R.WildRank == 5 ? "Needing.Seven" : "Needing.Deuce");
}

// The natural rank sets of a straight draw's shape whose high cards the line
// takes: "KQJ or 432".
TNamePart TNamer::ShapeRanks(int naturals, int shape, const TLineDefinition& definition) const {
    std::vector<TNamePart> sets;
    for (uint32_t ranks = (1u << kRankCount) - 1; ranks > 0; --ranks) {
        if (std::popcount(ranks) != naturals ||
            (R.WildRank != kNoWildRank && ((ranks >> R.WildRank) & 1)))
            continue;
        const int highs = std::popcount(ranks & R.HighRanks);
        if (StraightShape(ranks, R.WildRank) == shape && ((definition.Variants >> highs) & 1))
            sets.push_back(Letters(ranks));
    }
    return List("Or", std::move(sets));
}

// Nothing, one part, or two to be joined by a comma.
std::vector<TNamePart> TNamer::Penalty(uint32_t mask, uint32_t value) const {
    const bool flush = mask & kFlushPenalty, straight = mask & kStraightPenalty;
    const bool flushOn = value & kFlushPenalty, straightOn = value & kStraightPenalty;
    if (flush && straight && flushOn == straightOn)
        return {Text(flushOn ? "BothPenalties" : "NoPenalties")};
    std::vector<TNamePart> parts;
    if (flush) parts.push_back(Text(flushOn ? "FlushPenalty" : "NoFlushPenalty"));
    if (straight) parts.push_back(Text(straightOn ? "StraightPenalty" : "NoStraightPenalty"));
    return parts;
}

bool TNamer::EveryShape(const TLineDefinition& definition,
                        const std::vector<TLineDefinition>& also) const {
    const THoldClass family{definition.Family};
    if ((family.Kind() != THoldKind::StraightFlush && family.Kind() != THoldKind::Straight) ||
        (family.Held() == 4 && family.Wilds() > 0))
        return false;
    constexpr uint32_t kShapeBits = 63u << 10;
    const auto alike = [&](const TLineDefinition& part) {
        const bool whole =
            part.Variants == part.Universe && definition.Variants == definition.Universe;
        return (part.Family & ~kShapeBits) == (definition.Family & ~kShapeBits) &&
               (whole || part.Variants == definition.Variants) &&
               part.PenaltyMask == definition.PenaltyMask &&
               part.PenaltyValue == definition.PenaltyValue;
    };
    uint64_t named = uint64_t{1} << family.A();
    for (const auto& part : also) {
        if (!alike(part)) return false;
        named |= uint64_t{1} << THoldClass{part.Family}.A();
    }
    uint64_t shapes = 0;
    const int naturals = family.Held() - family.Wilds();
    for (uint32_t ranks = 1; ranks < (1u << kRankCount); ++ranks) {
        if (std::popcount(ranks) != naturals ||
            (R.WildRank != kNoWildRank && ((ranks >> R.WildRank) & 1)))
            continue;
        const int shape = StraightShape(ranks, R.WildRank);
        if (shape >= 0) shapes |= uint64_t{1} << shape;
    }
    return named == shapes;
}

TNamePart TNamer::Name(const TLineDefinition& definition, bool prefixed, bool anyShape) const {
    const THoldClass family{definition.Family};
    const int held = family.Held(), wilds = family.Wilds(), naturals = held - wilds;
    const bool all = (definition.Universe & ~definition.Variants) == 0;
    std::vector<TNamePart> details; // in brackets after the name
    TNamePart text;
    switch (family.Kind()) {
    case THoldKind::Discard: return Text("Discard");
    case THoldKind::Wilds: text = WildCount(wilds); break;
    case THoldKind::Made:
        text = {TNameKind::Line, R.LineNames.at(family.A()), 0, 1, {}};
        if (family.B() > 0) text = Text("AllFive", {text});
        break;
    case THoldKind::Kind: text = Kind(family, definition.Variants, all); break;
    case THoldKind::Royal: {
        bool except = false;
        const TNamePart sets = RankSets(naturals, definition.Variants, definition.Universe, except);
        text = Text("ToRoyal", {Number(held)});
        if (wilds == 0 && held == 2 && !all) {
            // "2 suited high cards": every pair of paying ranks, and no other.
            uint32_t high = 0;
            for (int v = 0; v < Binomial(2, 5); ++v)
                if (((definition.Universe >> v) & 1) &&
                    (HighSubsetMask(2, v) << kRankTen & ~R.HighRanks) == 0)
                    high |= 1u << v;
            if (std::popcount(high) > 1 && definition.Variants == high)
                text = Text("TwoSuitedHigh");
            else if (except)
                text = Text("ToRoyalExcept", {Number(held), sets});
            else
                text = Text("Suited", {sets});
        } else if (!all) {
            details.push_back(sets);
        }
        break;
    }
    case THoldKind::StraightFlush:
    case THoldKind::Straight: {
        const bool flush = family.Kind() == THoldKind::StraightFlush;
        const std::string to = flush ? "ToStraightFlush" : "ToStraight";
        const int shape = family.A();
        const int gaps = shape & ((1 << kShapeCutShift) - 1), cut = shape >> kShapeCutShift;
        if (anyShape) {
            text = Text(to, {Number(held)});
        } else if (held == 4 && wilds > 0) {
            // One card to draw beside a wild card: how many ranks complete it.
            text = Text(to, {Number(held)});
            details.push_back(shape == 0 ? Needing() : Counted("CompletedBy", shape));
        } else if (cut > 0) {
            // Cut by an edge or the wild rank: the few rank sets themselves.
            text = Text(to + "Ranks", {Number(held), ShapeRanks(naturals, shape, definition)});
            break;
        } else if (!flush && held == 4 && wilds == 0) {
            text = Text(gaps == 0 ? "ToOutsideStraight" : "ToInsideStraight", {Number(held)});
        } else {
            text = Text(to, {Number(held)});
            details.push_back(gaps == 0 ? Text("NoGap") : Counted("Gaps", gaps));
        }
        if (R.HighRanks != 0 && !all)
            details.push_back(HighCount(definition.Variants, definition.Universe));
        break;
    }
    case THoldKind::Flush:
        text = Text("ToFlush", {Number(held)});
        if (R.HighRanks != 0 && !all)
            details.push_back(HighCount(definition.Variants, definition.Universe));
        break;
    case THoldKind::HighCards:
        if (held == 1) {
            std::vector<TNamePart> ranks;
            for (int v = 0; v < 5; ++v)
                if ((definition.Variants >> v) & 1)
                    ranks.push_back(Letters(HighSubsetMask(1, v) << kRankTen));
            text = all ? Text("SingleHigh") : Text("SingleHighOf", {List("Or", std::move(ranks))});
        } else if (all) {
            text = Text("UnsuitedHigh", {Number(held)});
        } else {
            bool except = false;
            const TNamePart sets = RankSets(held, definition.Variants, definition.Universe, except);
            text = except ? Text("UnsuitedHighExcept", {Number(held), sets})
                          : Text("Unsuited", {sets});
        }
        break;
    case THoldKind::LowCard: {
        std::vector<TNamePart> ranks;
        for (int rank = 0; rank < kRankCount; ++rank)
            if ((definition.Variants >> rank) & 1) ranks.push_back(Letters(1u << rank));
        text = all ? Text("SingleLow") : Text("SingleLowOf", {List("Or", std::move(ranks))});
        break;
    }
    case THoldKind::Junk: text = Counted("Unrelated", held); break;
    }
    if (!details.empty()) text = Text("Details", {text, List({}, std::move(details))});
    if (family.Kind() != THoldKind::Wilds && R.WildGame && prefixed)
        text = Text("WildPrefix", {WildCount(wilds), text});
    std::vector<TNamePart> penalty = Penalty(definition.PenaltyMask, definition.PenaltyValue);
    if (!penalty.empty()) text = Text("WithPenalty", {text, List({}, std::move(penalty))});
    return text;
}

} // namespace

std::string LineKey(const TLineDefinition& definition) {
    const THoldClass family{definition.Family};
    std::string key = HoldFamilyKey(definition.Family);
    if ((definition.Universe & ~definition.Variants) != 0) {
        std::string parts;
        for (int v = 0; v < 32; ++v) {
            if (((definition.Variants >> v) & 1) == 0) continue;
            const std::string text =
                HoldClassKey(THoldClass{family.Packed | static_cast<uint32_t>(v) << kVariantShift});
            parts += (parts.empty() ? "" : ",") + text.substr(text.find(':') + 1);
        }
        key += "[" + parts + "]";
    }
    if (definition.PenaltyMask & kFlushPenalty)
        key += definition.PenaltyValue & kFlushPenalty ? "+flush" : "-flush";
    if (definition.PenaltyMask & kStraightPenalty)
        key += definition.PenaltyValue & kStraightPenalty ? "+straight" : "-straight";
    return key;
}

std::string LineKey(const TLineDefinition& definition, const std::vector<TLineDefinition>& also) {
    std::string key = LineKey(definition);
    for (const auto& other : also) key += "|" + LineKey(other);
    return key;
}

TNamePart LineName(const TLineDefinition& definition, const THoldRules& rules) {
    return TNamer(rules).Name(definition);
}

TNamePart LineName(const TLineDefinition& definition, const std::vector<TLineDefinition>& also,
                   const THoldRules& rules) {
    if (also.empty()) return LineName(definition, rules);
    const TNamer namer(rules);
    // Joined lines hold one number of wild cards: it is said once.
    const int wilds = THoldClass{definition.Family}.Wilds();
    const bool once = rules.WildGame && THoldClass{definition.Family}.Kind() != THoldKind::Wilds;
    if (namer.EveryShape(definition, also)) {
        TLineDefinition any = definition;
        for (const auto& other : also) any.Variants |= other.Variants;
        return namer.Name(any, true, true);
    }
    std::vector<TNamePart> names{namer.Name(definition, !once)};
    for (const auto& other : also) names.push_back(namer.Name(other, !once));
    TNamePart text = List("Or", std::move(names));
    if (once) text = Text("WildPrefix", {namer.WildCount(wilds), text});
    return text;
}

TNamePart HoldClassName(THoldClass hold, const THoldRules& rules) {
    TLineDefinition definition;
    definition.Family = hold.Family();
    definition.Variants = 1u << hold.Variant();
    definition.Universe = ~0u; // always say which variant
    // Only the penalties there are: "QJ suited, with a flush penalty".
    definition.PenaltyMask = definition.PenaltyValue = static_cast<uint32_t>(hold.Penalties());
    return TNamer(rules).Name(definition);
}

} // namespace drawmentor
