// A chart is only as good as its names read literally: a player goes down
// the lines and holds what the first one that fits names. This reader knows
// the words of the names and the legend, and reads the cards itself (gaps,
// high cards, penalties, kickers) without the chart's hold classes; over
// every deal it must hold what the chart holds.
#include "charts/StrategyChart.h"
#include "engine/PaytableAnalysis.h"
#include "games/Catalogue.h"
#include "games/Classification.h"
#include "support/Paytables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <span>
#include <string>
#include <unordered_map>

namespace drawmentor {
namespace {

constexpr uint32_t kAce = 1u << kRankAce;
constexpr uint32_t kTenToAce = 0x1Fu << kRankTen;

// The five-rank runs A-5, 2-6, ..., T-A.
int Runs(uint32_t ranks, uint32_t barred) {
    int count = 0;
    for (int low = -1; low <= kRankTen; ++low) {
        const uint32_t run = low < 0 ? (kAce | 0xFu) : 0x1Fu << low;
        if ((ranks & ~run) == 0 && (run & barred) == 0) ++count;
    }
    return count;
}

// Everything the names speak of, read from the cards of one hold.
struct THeld {
    int Held = 0, Wilds = 0, Naturals = 0;
    uint32_t Ranks = 0;
    std::array<int, kRankCount> Count{};
    bool Suited = false; // the natural cards held share a suit
    int Gaps = 0;
    bool Cut = false;    // an end of the ranks or the wild rank takes some of its runs
    int Completions = 0; // four cards with a wild card: natural ranks that make a straight
    int Line = -1;       // the line five held cards pay
    bool Whole = false;  // every one of the five cards makes that hand
    bool FlushPenalty = false, StraightPenalty = false;
    uint32_t Value = 0; // the cards from the highest, a wild card above an Ace

    // Everything a name can ask of the hold, the order of its cards aside,
    // packed without loss (56 bits).
    uint64_t Look() const {
        uint64_t look = 0;
        for (int count : Count) look = look << 3 | static_cast<uint64_t>(count);
        const std::pair<int, int> fields[] = {{Wilds, 3},        {Suited, 1},         {Cut, 1},
                                              {Completions, 4},  {Line + 1, 5},       {Whole, 1},
                                              {FlushPenalty, 1}, {StraightPenalty, 1}};
        for (const auto& [value, bits] : fields) look = look << bits | static_cast<uint64_t>(value);
        return look;
    }
};

class TReader {
  public:
    TReader(const TPokerDescription& game, const std::vector<int>& pays)
        : FGame(game), FRules(MakeHoldRules(game, pays)) {
        if (FRules.WildRank != kNoWildRank) FBarred = 1u << FRules.WildRank;
    }

    THeld Read(const std::array<int, kHandSize>& codes, int mask) const {
        THeld h;
        uint32_t suits = 0;
        std::array<int, kHandSize> values{};
        for (int pos = 0; pos < kHandSize; ++pos) {
            if ((mask >> pos) & 1) continue;
            ++h.Held;
            const int code = codes[pos];
            if (Wild(code)) {
                ++h.Wilds;
                values[pos] = 14;
                continue;
            }
            ++h.Naturals;
            h.Ranks |= 1u << code % kRankCount;
            ++h.Count[code % kRankCount];
            suits |= 1u << code / kRankCount;
            values[pos] = code % kRankCount + 1;
        }
        h.Suited = std::popcount(suits) == 1;
        std::array<int, kHandSize> sorted = values; // replaced cards are 0: last
        std::sort(sorted.begin(), sorted.end(), std::greater<>());
        for (int v : sorted) h.Value = h.Value << 4 | static_cast<uint32_t>(v); // left-aligned
        // An Ace is low beside cards of 2-5 only.
        const bool aceLow = (h.Ranks & kAce) && (h.Ranks & ~kAce) && !(h.Ranks & ~kAce & ~0xFu);
        const uint32_t places = aceLow ? ((h.Ranks & 0xFu) << 1 | 1u) : h.Ranks;
        const int span = places ? 32 - std::countl_zero(places) - std::countr_zero(places) : 0;
        h.Gaps = span - h.Naturals;
        h.Cut = Runs(h.Ranks, FBarred) < 6 - span;
        for (int rank = 0; rank < kRankCount; ++rank)
            if (!((FBarred >> rank) & 1) && !((h.Ranks >> rank) & 1) &&
                Runs(h.Ranks | 1u << rank, 0) > 0)
                ++h.Completions;
        for (int pos = 0; pos < kHandSize; ++pos) {
            const int code = codes[pos];
            if (!((mask >> pos) & 1) || Wild(code)) continue;
            const uint32_t rank = 1u << code % kRankCount;
            if (h.Suited && suits == 1u << code / kRankCount) h.FlushPenalty = true;
            if (Runs(h.Ranks, 0) > 0 && !(h.Ranks & rank) && Runs(h.Ranks | rank, 0) > 0)
                h.StraightPenalty = true;
        }
        if (h.Held == kHandSize) PaidLine(codes, h);
        return h;
    }

    // Whether the hold fits the name, read word by word.
    bool Fits(const TNamePart& name, const THeld& h) const {
        const std::string& key = name.Key;
        const auto& p = name.Pieces;
        const auto number = [&](size_t i) { return p.at(i).Value; };
        if (name.Kind == TNameKind::Line) return h.Line == LineIndex(key) && h.Whole;
        if (key == "WildPrefix") return WildCount(p[0]) == h.Wilds && Fits(p[1], h);
        if (key == "WithPenalty") return Fits(p[0], h) && All(p[1], h, &TReader::Penalty);
        if (key == "Details") return Fits(p[0], h) && All(p[1], h, &TReader::Detail);
        if (key == "AllFive")
            return h.Held == kHandSize && h.Line == LineIndex(p[0].Key) && !h.Whole;
        if (key.starts_with("Wilds.") || key == "OneJoker")
            return h.Naturals == 0 && h.Wilds == WildCount(name);
        if (key == "Unrelated") return h.Held == name.Value && Junk(h);
        if (key == "Discard") return h.Held == 0;
        // Pairs and more, with what is kept beside them.
        if (key == "Kicker" || key == "Kickers" || key == "OtherKicker" || key == "PayingKicker") {
            const int kickers = key == "Kickers" ? number(1) : 1;
            if (!Group(p[0], h, kickers)) return false;
            const uint32_t kicker = h.Ranks & ~(1u << TopRank(h));
            if (key == "PayingKicker") return (p[1].Value >> std::countr_zero(kicker)) & 1;
            if (key == "OtherKicker") return !((p[1].Value >> std::countr_zero(kicker)) & 1);
            return true;
        }
        if (name.Kind == TNameKind::List && name.Key == "Or") {
            for (const TNamePart& item : p)
                if (Fits(item, h)) return true;
            return false;
        }
        if (IsGroupKey(key)) return Group(name, h, 0);
        // Draws: royal, straight flush, flush, straight, high and low cards.
        const bool draw = h.Naturals >= 1 && h.Held < kHandSize && Distinct(h) &&
                          !(h.Wilds == 0 && h.Naturals == 1);
        const bool royal = draw && h.Suited && (h.Ranks & ~kTenToAce) == 0;
        const bool straightFlush = draw && h.Suited && !royal && Runs(h.Ranks, 0) > 0;
        const bool high = h.Wilds == 0 && h.Held <= 3 && h.Held >= 1 && Distinct(h) &&
                          (h.Held == 1 || !h.Suited) && (h.Ranks & ~HighRanks()) == 0;
        const bool straight = draw && !h.Suited && !high && Runs(h.Ranks, 0) > 0;
        if (key == "ToRoyal") return royal && h.Held == number(0);
        if (key == "TwoSuitedHigh")
            return royal && h.Held == 2 && h.Wilds == 0 && (h.Ranks & ~HighRanks()) == 0;
        if (key == "Suited") return royal && h.Wilds == 0 && RankSet(p[0], h.Ranks);
        if (key == "ToRoyalExcept")
            return royal && h.Held == number(0) && !RankSet(p[1].Pieces[0], h.Ranks);
        if (key == "ToStraightFlush" || key == "ToStraight") {
            const bool kind = key == "ToStraight" ? straight : straightFlush;
            return kind && h.Held == number(0);
        }
        if (key == "ToStraightFlushRanks" || key == "ToStraightRanks") {
            const bool kind = key == "ToStraightRanks" ? straight : straightFlush;
            return kind && h.Held == number(0) && h.Cut && RankSet(p[1], h.Ranks);
        }
        if (key == "ToOutsideStraight" || key == "ToInsideStraight")
            return straight && h.Wilds == 0 && h.Held == 4 && !h.Cut &&
                   h.Gaps == (key == "ToOutsideStraight" ? 0 : 1);
        if (key == "ToFlush")
            return draw && h.Suited && !royal && Runs(h.Ranks, 0) == 0 && h.Held == number(0);
        if (key == "SingleHigh" || key == "SingleHighOf")
            return high && h.Held == 1 && (key == "SingleHigh" || RankSet(p[0], h.Ranks));
        if (key == "UnsuitedHigh") return high && h.Held == number(0) && h.Held > 1;
        if (key == "Unsuited") return high && h.Held > 1 && RankSet(p[0], h.Ranks);
        if (key == "UnsuitedHighExcept")
            return high && h.Held == number(0) && !RankSet(p[1].Pieces[0], h.Ranks);
        if (key == "SingleLow" || key == "SingleLowOf")
            return h.Held == 1 && h.Wilds == 0 && (h.Ranks & HighRanks()) == 0 &&
                   (key == "SingleLow" || RankSet(p[0], h.Ranks));
        ADD_FAILURE() << "no reading of " << key;
        return false;
    }

  private:
    bool Wild(int code) const {
        return code >= kFirstJokerCode ||
               (FRules.WildRank != kNoWildRank && code % kRankCount == FRules.WildRank);
    }
    uint32_t HighRanks() const { return FRules.HighRanks; }
    static bool Distinct(const THeld& h) { return std::popcount(h.Ranks) == h.Naturals; }
    static int TopRank(const THeld& h) {
        int top = std::countr_zero(h.Ranks);
        for (int rank = 0; rank < kRankCount; ++rank)
            if (h.Count[rank] >= h.Count[top]) top = rank;
        return top;
    }
    int LineIndex(const std::string& name) const {
        for (int line = 0; line <= FGame.LastLine; ++line)
            if (FGame.LineName(line) == name) return line;
        return -2;
    }
    static int WildCount(const TNamePart& part) {
        if (part.Key.starts_with("NoWild")) return 0;
        return part.Key == "OneJoker" ? 1 : part.Value;
    }
    // A set of rank sets: "KQJ or QJT" (letters), "2-4" (runs).
    static bool RankSet(const TNamePart& part, uint32_t ranks) {
        if (part.Kind == TNameKind::Letters) return ranks == static_cast<uint32_t>(part.Value);
        if (part.Kind == TNameKind::Runs) return (ranks & ~static_cast<uint32_t>(part.Value)) == 0;
        for (const TNamePart& item : part.Pieces)
            if (RankSet(item, ranks)) return true;
        return false;
    }
    bool All(const TNamePart& list, const THeld& h,
             bool (TReader::*test)(const TNamePart&, const THeld&) const) const {
        for (const TNamePart& item : list.Pieces)
            if (!(this->*test)(item, h)) return false;
        return true;
    }
    bool Penalty(const TNamePart& part, const THeld& h) const {
        const std::string& key = part.Key;
        if (key == "BothPenalties") return h.FlushPenalty && h.StraightPenalty;
        if (key == "NoPenalties") return !h.FlushPenalty && !h.StraightPenalty;
        if (key == "FlushPenalty" || key == "NoFlushPenalty")
            return h.FlushPenalty == (key == "FlushPenalty");
        return h.StraightPenalty == (key == "StraightPenalty");
    }
    bool Detail(const TNamePart& part, const THeld& h) const {
        const std::string& key = part.Key;
        const int highs = std::popcount(h.Ranks & HighRanks());
        if (key == "NoGap") return h.Gaps == 0 && !h.Cut;
        if (key == "Gaps") return h.Gaps == part.Value && !h.Cut;
        if (key == "CompletedBy") return h.Held == 4 && h.Completions == part.Value;
        if (key.starts_with("Needing")) return h.Held == 4 && h.Completions == 0;
        if (key == "NoHighCard") return highs == 0;
        if (key == "HighCards") return highs == part.Value;
        if (key == "AtMostHighCards") return highs <= part.Value;
        if (key == "AtLeastHighCards") return highs >= part.Value;
        if (key == "HighCardsFromTo")
            return highs >= part.Pieces[0].Value && highs <= part.Pieces[1].Value;
        if (key == "Except") return !RankSet(part.Pieces[0], h.Ranks);
        if (part.Kind == TNameKind::List && part.Key == "Or" && !part.Pieces.empty() &&
            part.Pieces[0].Kind == TNameKind::Letters)
            return RankSet(part, h.Ranks);
        // "1, 2 or 3 high cards": numbers, the last one with its words.
        for (const TNamePart& item : part.Pieces)
            if (item.Value == highs) return true;
        return false;
    }
    static bool IsGroupKey(const std::string& key) {
        for (const char* group : {"TwoPairs", "Pair", "PairRanks", "PairOf", "HighPair", "LowPair",
                                  "Three", "ThreeRanks", "ThreeOf", "Four", "FourRanks", "FourOf"})
            if (key == group) return true;
        return false;
    }
    // Two pairs, or one group of a rank with the wild cards, and `kickers`
    // other cards.
    bool Group(const TNamePart& name, const THeld& h, int kickers) const {
        if (!IsGroup(h)) return false;
        const std::string& key = name.Key;
        const int top = TopRank(h);
        int pairs = 0;
        for (int count : h.Count) pairs += count >= 2 ? 1 : 0;
        if (key == "TwoPairs") return pairs == 2 && h.Naturals == 4 + kickers;
        if (pairs != 1 || h.Naturals - h.Count[top] != kickers) return false;
        const int wanted = key.starts_with("Four") ? 4 : key.starts_with("Three") ? 3 : 2;
        if (h.Count[top] + h.Wilds != wanted) return false;
        if (key == "PairOf" || key == "ThreeOf" || key == "FourOf")
            return name.Pieces[0].Key == std::string("Ranks.") + kRankLetters[top];
        if (key == "HighPair" || key == "LowPair" || key.ends_with("Ranks"))
            return ((static_cast<uint32_t>(name.Pieces[0].Value) >> top) & 1) != 0;
        return true;
    }
    // A natural pair at least, and one group of at most four with the wild
    // cards, or two natural pairs; five held cards that make their hand whole
    // are that hand.
    static bool IsGroup(const THeld& h) {
        if (Distinct(h) || (h.Held == kHandSize && h.Line >= 0 && h.Whole)) return false;
        int pairs = 0;
        for (int count : h.Count) pairs += count >= 2 ? 1 : 0;
        const int top = TopRank(h);
        if (pairs == 2) return h.Wilds == 0 && h.Count[top] == 2;
        return pairs == 1 && h.Count[top] + h.Wilds <= 4;
    }
    // Unrelated cards: what no other kind of name describes.
    bool Junk(const THeld& h) const {
        if (h.Held == 0 || h.Naturals == 0 || IsGroup(h)) return false;
        if (h.Held == kHandSize) return h.Line < 0 || (!Distinct(h) && !h.Whole && !IsGroup(h));
        if (!Distinct(h)) return true;
        if (h.Wilds == 0 && h.Naturals == 1) return false; // a high or a low card
        if (h.Suited) return false;                        // royal, straight flush or flush
        if (h.Wilds == 0 && h.Held <= 3 && (h.Ranks & ~HighRanks()) == 0) return false;
        return Runs(h.Ranks, 0) == 0;
    }
    void PaidLine(const std::array<int, kHandSize>& codes, THeld& h) const {
        THand hand;
        if (FRules.WildRank != kNoWildRank) hand.SetWildRank(FRules.WildRank);
        for (int code : codes) hand.AddCode(code);
        // Every card makes the hand: straights, flushes, full houses, five of a kind.
        if (hand.WildCount == 0) {
            const int c = ClassifyNatural(hand);
            if (c == kNoCategory) return;
            h.Line = FRules.NaturalLine[c];
            h.Whole = c <= ncFlushStraightTA || (c >= ncFullHouse && c <= ncStraightTA);
            return;
        }
        const int c = ClassifyWild(hand);
        h.Line = FRules.WildLine[c];
        h.Whole = c == wcWild5 || c == wcWild4A || c == wcWild1And22 ||
                  (c >= wcWildFive2 && c < wcWildFive2 + kRankCount) ||
                  (c >= wcWild3FlushStrA5 && c <= wcWild3FlushStrA5 + 2) ||
                  (c >= wcWild2Flush && c <= wcWild2StraightA5 + 2) ||
                  (c >= wcWild1Flush && c <= wcWild1StraightA5 + 2);
    }

    const TPokerDescription& FGame;
    THoldRules FRules;
    uint32_t FBarred = 0;
};

// The chart read literally over every deal class: the first line some hold
// fits, and of its holds the one with the higher cards.
void ExpectLiteralReadingPlaysTheChart(int gameIndex, const std::vector<int>& pays) {
    const auto game = CreateDescription(gameIndex);
    const TStrategyChart chart = GenerateChart(*game, pays, 5);
    ASSERT_FALSE(chart.Cancelled);
    const TReader reader(*game, pays);
    const TChartPlayer player(*game, chart);
    // Holds that read alike fit the same names: each is read against the
    // lines once. The first line a deal's holds fit is the least of theirs.
    std::unordered_map<uint64_t, int> firstLine;
    const auto first = [&](const THeld& h) {
        const auto [at, added] = firstLine.try_emplace(h.Look(), -1);
        if (added) {
            at->second = static_cast<int>(chart.Lines.size());
            for (size_t i = 0; i < chart.Lines.size(); ++i)
                if (reader.Fits(chart.Lines[i].Name, h)) {
                    at->second = static_cast<int>(i);
                    break;
                }
        }
        return at->second;
    };
    int failures = 0;
    for (const auto& deal : DealClasses(game->Jokers)) {
        std::array<THeld, kMaskCount> holds;
        int line = static_cast<int>(chart.Lines.size()), mask = -1;
        for (int m = 0; m < kMaskCount; ++m) {
            holds[m] = reader.Read(deal.Codes, m);
            const int fits = first(holds[m]);
            if (mask < 0 || fits < line || (fits == line && holds[m].Value > holds[mask].Value)) {
                line = fits;
                mask = m;
            }
        }
        const TChartPlay play = player.Play(deal.Codes);
        if (line == play.Line && holds[mask].Value == holds[play.Mask].Value) continue;
        ADD_FAILURE() << "game " << gameIndex << ": deal " << deal.Codes[0] << ' ' << deal.Codes[1]
                      << ' ' << deal.Codes[2] << ' ' << deal.Codes[3] << ' ' << deal.Codes[4]
                      << ": the chart plays line " << play.Line + 1 << " mask " << play.Mask << " ("
                      << chart.Lines[play.Line].Key << "), the reader line " << line + 1 << " mask "
                      << mask;
        if (++failures == 5) return;
    }
}

TEST(LiteralReading, NaturalChartsPlayAsTheirNamesSay) {
    ExpectLiteralReadingPlaysTheChart(0, testing::kJacks96);
    if (DRAWMENTOR_SANITIZED) return;
    ExpectLiteralReadingPlaysTheChart(0, {4000, 250, 125, 40, 25, 20, 15, 10, 5});
    ExpectLiteralReadingPlaysTheChart(2, {4000, 250, 800, 400, 250, 50, 35, 25, 15, 5, 5});
    ExpectLiteralReadingPlaysTheChart(35,
                                      {4000, 250, 2000, 800, 800, 400, 250, 45, 30, 20, 15, 5, 5});
}

TEST(LiteralReading, WildChartsPlayAsTheirNamesSay) {
    ExpectLiteralReadingPlaysTheChart(4, testing::kDeucesFull);
    if (DRAWMENTOR_SANITIZED) return;
    ExpectLiteralReadingPlaysTheChart(3, {4000, 1000, 500, 250, 100, 35, 25, 15, 10, 5, 5});
    ExpectLiteralReadingPlaysTheChart(8, {4000, 500, 250, 125, 45, 25, 20, 15, 10, 5});
}

} // namespace
} // namespace drawmentor
