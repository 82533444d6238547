#include "ChartLine.h"

#include <array>
#include <bit>
#include <map>
#include <vector>

namespace drawmentor {
namespace {

constexpr std::array<const char*, kRankCount> kRankPluralEn = {
    "Deuces", "Threes", "Fours", "Fives",  "Sixes", "Sevens", "Eights",
    "Nines",  "Tens",   "Jacks", "Queens", "Kings", "Aces"};
// Genitive plural: "пара тузов", "каре двоек".
constexpr std::array<const char*, kRankCount> kRankPluralRu = {
    "двоек",   "троек",   "четвёрок", "пятёрок", "шестёрок", "семёрок", "восьмёрок",
    "девяток", "десяток", "валетов",  "дам",     "королей",  "тузов"};

// The names the catalogue gives paying lines, in Russian; a line name not
// listed keeps its English name.
const std::map<std::string, std::string>& MadeNamesRu() {
    static const std::map<std::string, std::string> names = {
        {"Royal Flush", "Роял-флеш"},
        {"Natural Royal Flush", "Натуральный роял-флеш"},
        {"Wild Royal Flush", "Роял-флеш с дикой картой"},
        {"Straight Flush", "Стрит-флеш"},
        {"Natural Straight Flush", "Натуральный стрит-флеш"},
        {"Wild Straight Flush", "Стрит-флеш с дикой картой"},
        {"Full House", "Фулл-хаус"},
        {"Flush", "Флеш"},
        {"Straight", "Стрит"},
        {"Five of a Kind", "Пять одинаковых"},
        {"Five Aces", "Пять тузов"},
        {"Five 3-5", "Пять одинаковых 3–5"},
        {"Five 6-K", "Пять одинаковых 6–K"},
        {"Five WILDS", "Пять диких карт"},
        {"Four Deuces", "Четыре двойки"},
        {"Four 7s", "Четыре семёрки"},
        {"Four Deuces + Ace", "Четыре двойки и туз"},
        {"Four of a Kind", "Каре"},
        {"Wild Four of a Kind", "Каре с дикой картой"},
        {"Natural Four of a Kind", "Натуральное каре"},
    };
    return names;
}

// "Four of Kind" -> "Four of a Kind", single spaces.
std::string NormalLineName(const std::string& name) {
    std::string text;
    for (char c : name)
        if (c != ' ' || (!text.empty() && text.back() != ' ')) text += c;
    if (const auto at = text.find(" of Kind"); at != std::string::npos)
        text.replace(at, 8, " of a Kind");
    return text;
}

const char* Plural(int n, const char* one, const char* few, const char* many) {
    const int tens = n % 100, units = n % 10;
    if (tens >= 11 && tens <= 14) return many;
    if (units == 1) return one;
    if (units >= 2 && units <= 4) return few;
    return many;
}

// "a, b or c": `last` before the last item, `separator` before the others.
std::string Join(const std::vector<std::string>& items, const std::string& last,
                 const std::string& separator = ", ") {
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? last : separator;
        text += items[i];
    }
    return text;
}

class TNamer {
  public:
    TNamer(const THoldRules& rules, TChartLanguage language)
        : R(rules), Ru(language == TChartLanguage::Russian) {}

    std::string Name(const TLineDefinition& definition) const;

  private:
    std::string Or() const { return Ru ? " или " : " or "; }
    std::string WildPrefix(int wilds) const;
    std::string WildCount(int wilds) const;
    std::string Kind(THoldClass family, uint32_t variants, bool all) const;
    std::string HighCount(uint32_t variants, uint32_t universe) const;
    std::string RankSets(int size, uint32_t variants, uint32_t universe, bool& except) const;
    std::string WildWord() const;
    std::string RankRange(uint32_t ranks, int copies) const;
    std::string Shape(int windows, int naturals) const;
    std::string Penalty(uint32_t mask, uint32_t value) const;

    const THoldRules& R;
    bool Ru;
};

std::string TNamer::WildCount(int wilds) const {
    const int rank = R.WildRank;
    const bool jokers = R.Jokers > 0 && rank == kNoWildRank;
    const bool both = R.Jokers > 0 && rank != kNoWildRank;
    if (Ru) {
        const char* one = both        ? "дикая карта"
                          : jokers    ? "джокер"
                          : rank == 5 ? "семёрка"
                                      : "двойка";
        const char* few = both        ? "дикие карты"
                          : jokers    ? "джокера"
                          : rank == 5 ? "семёрки"
                                      : "двойки";
        const char* many = both        ? "диких карт"
                           : jokers    ? "джокеров"
                           : rank == 5 ? "семёрок"
                                       : "двоек";
        if (wilds == 0) return std::string("Без ") + (jokers ? "джокера" : many);
        if (wilds == 1 && jokers) return "Джокер";
        return std::to_string(wilds) + " " + Plural(wilds, one, few, many);
    }
    const char* one = both ? "Wild Card" : jokers ? "Joker" : rank == 5 ? "Seven" : "Deuce";
    if (wilds == 0) return std::string("No ") + one;
    if (wilds == 1 && jokers) return "Joker";
    return std::to_string(wilds) + " " + one + (wilds > 1 ? "s" : "");
}

// The wild card a draw waits for: "a Deuce".
std::string TNamer::WildWord() const {
    if (Ru) return R.WildRank == 5 ? "семёрка" : "двойка";
    return R.WildRank == 5 ? "a Seven" : "a Deuce";
}

std::string TNamer::WildPrefix(int wilds) const {
    return R.WildGame ? WildCount(wilds) + ": " : "";
}

// Ranks as runs: "JJ–AA", "22–66, 99, TT" (copies letters per rank).
std::string TNamer::RankRange(uint32_t ranks, int copies) const {
    std::vector<std::string> runs;
    const auto letters = [&](int rank) { return std::string(copies, kRankLetters[rank]); };
    for (int rank = 0; rank < kRankCount;) {
        if (((ranks >> rank) & 1) == 0) {
            ++rank;
            continue;
        }
        int end = rank;
        while (end + 1 < kRankCount && ((ranks >> (end + 1)) & 1)) ++end;
        runs.push_back(end > rank + 1 ? letters(rank) + "–" + letters(end)
                                      : letters(rank) + (end > rank ? ", " + letters(end) : ""));
        rank = end + 1;
    }
    return Join(runs, ", ");
}

std::string TNamer::Kind(THoldClass family, uint32_t variants, bool all) const {
    const int size = family.A();
    std::string text;
    if (size == kTwoPairsGroup) {
        text = Ru ? "Две пары" : "Two Pairs";
    } else {
        uint32_t ranks = 0;
        for (int rank = 0; rank < kRankCount; ++rank)
            if (rank != R.WildRank && ((variants >> R.KindGroup[size - 2][rank]) & 1))
                ranks |= 1u << rank;
        const bool single = std::popcount(ranks) == 1;
        const int rank = std::countr_zero(ranks);
        if (size == 2) {
            const bool anyPays = R.HighRanks != 0;
            const bool high = (ranks & ~R.HighRanks) == 0;
            const bool low = (ranks & R.HighRanks) == 0;
            if (single)
                text = Ru ? std::string("Пара ") + kRankPluralRu[rank]
                          : std::string("Pair of ") + kRankPluralEn[rank];
            else if (anyPays && (high || low))
                text = (Ru ? (high ? "Старшая пара (" : "Младшая пара (")
                           : (high ? "High Pair (" : "Low Pair (")) +
                       RankRange(ranks, 2) + ")";
            else
                text = (Ru ? "Пара" : "Pair") + (all ? "" : " (" + RankRange(ranks, 2) + ")");
        } else {
            const char* wordRu = size == 3 ? "Тройка" : "Каре";
            const char* wordEn = size == 3 ? "Three" : "Four";
            if (single && !all)
                text = Ru ? std::string(wordRu) + " " + kRankPluralRu[rank]
                          : std::string(wordEn) + " " + kRankPluralEn[rank];
            else
                text = std::string(Ru ? wordRu : wordEn) + (Ru ? "" : " of a Kind") +
                       (all ? "" : " (" + RankRange(ranks, 1) + ")");
        }
    }
    const int kickers = family.B();
    if (kickers == 1) text += Ru ? ", с кикером" : ", with a kicker";
    if (kickers > 1)
        text += Ru ? ", с " + std::to_string(kickers) + " кикерами"
                   : ", with " + std::to_string(kickers) + " kickers";
    return text;
}

// "no high card", "1-2 high cards", "at least 2 high cards".
std::string TNamer::HighCount(uint32_t variants, uint32_t universe) const {
    const auto cards = [&](int n) {
        if (n == 0) return std::string(Ru ? "без старших карт" : "no high card");
        return std::to_string(n) +
               (Ru ? Plural(n, " старшая карта", " старшие карты", " старших карт")
                : n == 1 ? " high card"
                         : " high cards");
    };
    const int lo = std::countr_zero(variants);
    const int hi = 31 - std::countl_zero(variants);
    const int top = 31 - std::countl_zero(universe);
    const bool run = variants == ((2u << hi) - (1u << lo));
    if (lo == hi) return cards(lo);
    if (run && lo == 0)
        return Ru ? "не более " + std::to_string(hi) +
                        (hi == 1 ? " старшей карты" : " старших карт")
                  : "at most " + cards(hi);
    if (run && hi == top)
        return Ru ? "не менее " + std::to_string(lo) +
                        (lo == 1 ? " старшей карты" : " старших карт")
                  : "at least " + cards(lo);
    if (run) return std::to_string(lo) + "–" + cards(hi);
    std::vector<std::string> counts;
    for (int n = lo; n < hi; ++n)
        if ((variants >> n) & 1) counts.push_back(std::to_string(n));
    return Join(counts, ", ") + Or() + cards(hi);
}

// Subsets of T..A by their letters: "KQJ, QJT"; "except AKT and AQT" when
// shorter (then `except` is set).
std::string TNamer::RankSets(int size, uint32_t variants, uint32_t universe, bool& except) const {
    const auto letters = [&](int index) {
        std::string text;
        const uint32_t ranks = HighSubsetMask(size, index);
        for (int bit = 4; bit >= 0; --bit)
            if ((ranks >> bit) & 1) text += kRankLetters[kRankTen + bit];
        return text;
    };
    std::vector<std::string> in, out;
    for (int v = 0; v < Binomial(size, 5); ++v) {
        if ((variants >> v) & 1)
            in.push_back(letters(v));
        else if ((universe >> v) & 1)
            out.push_back(letters(v));
    }
    except = out.size() < in.size() && !out.empty() && in.size() > 3;
    if (except) return (Ru ? "кроме " : "except ") + Join(out, Ru ? " и " : " and ");
    return Join(in, Or());
}

std::string TNamer::Shape(int windows, int naturals) const {
    if (windows == 0) return (Ru ? "нужна " : "needing ") + WildWord();
    const int open = std::max(1, 6 - naturals);
    if (windows >= open) return Ru ? "открытый" : "open";
    if (windows == open - 1) return Ru ? "внутренний" : "inside";
    return Ru ? "двойной внутренний" : "double inside";
}

std::string TNamer::Penalty(uint32_t mask, uint32_t value) const {
    const bool flush = mask & kFlushPenalty, straight = mask & kStraightPenalty;
    const bool flushOn = value & kFlushPenalty, straightOn = value & kStraightPenalty;
    if (!flush && !straight) return "";
    if (Ru) {
        const auto one = [](bool on, const char* what) {
            return std::string(on ? "со штрафной картой к " : "без штрафной карты к ") + what;
        };
        if (flush && straight && flushOn == straightOn)
            return flushOn ? "со штрафными картами к флешу и стриту"
                           : "без штрафных карт к флешу и стриту";
        if (flush && straight) return one(flushOn, "флешу") + ", " + one(straightOn, "стриту");
        return flush ? one(flushOn, "флешу") : one(straightOn, "стриту");
    }
    const auto one = [](bool on, const char* what) {
        return std::string(on ? "with a " : "no ") + what + " penalty";
    };
    if (flush && straight && flushOn == straightOn)
        return flushOn ? "with a flush and a straight penalty" : "no flush or straight penalty";
    if (flush && straight) return one(flushOn, "flush") + ", " + one(straightOn, "straight");
    return flush ? one(flushOn, "flush") : one(straightOn, "straight");
}

std::string TNamer::Name(const TLineDefinition& definition) const {
    const THoldClass family{definition.Family};
    const int held = family.Held(), wilds = family.Wilds(), naturals = held - wilds;
    const bool all = (definition.Universe & ~definition.Variants) == 0;
    const std::string n = std::to_string(held);
    std::vector<std::string> details; // in brackets after the name
    std::string text;
    switch (family.Kind()) {
    case THoldKind::Discard: return Ru ? "Сбросить все карты" : "Discard everything";
    case THoldKind::Wilds: text = WildCount(wilds); break;
    case THoldKind::Made: {
        const std::string name = NormalLineName(R.LineNames.at(family.A()));
        const auto found = MadeNamesRu().find(name);
        text = Ru && found != MadeNamesRu().end() ? found->second : name;
        if (family.B() > 0) text += Ru ? ", все пять карт" : ", all five held";
        break;
    }
    case THoldKind::Kind: text = Kind(family, definition.Variants, all); break;
    case THoldKind::Royal: {
        bool except = false;
        const std::string sets =
            RankSets(naturals, definition.Variants, definition.Universe, except);
        text = n + (Ru ? " карты к роял-флешу" : " to a Royal Flush");
        if (wilds == 0 && held == 2 && !all) {
            // "2 suited high cards": every pair of paying ranks, and no other.
            uint32_t high = 0;
            for (int v = 0; v < Binomial(2, 5); ++v)
                if (((definition.Universe >> v) & 1) &&
                    (HighSubsetMask(2, v) << kRankTen & ~R.HighRanks) == 0)
                    high |= 1u << v;
            if (std::popcount(high) > 1 && definition.Variants == high)
                text = Ru ? "2 старшие карты одной масти" : "2 suited high cards";
            else if (except)
                text += " " + sets;
            else
                text = sets + (Ru ? " одной масти" : " suited");
        } else if (!all) {
            details.push_back(sets);
        }
        break;
    }
    case THoldKind::StraightFlush:
    case THoldKind::Straight: {
        const bool flush = family.Kind() == THoldKind::StraightFlush;
        // One card to draw beside a wild card: how many ranks complete it.
        const int ranks = family.A();
        const std::string shape =
            held < 4 || wilds == 0 || ranks == 0 ? Shape(ranks, naturals)
            : Ru ? std::string(ranks == 1 ? "дополняет " : "дополняют ") + std::to_string(ranks) +
                       Plural(ranks, " ранг", " ранга", " рангов")
                 : "completed by " + std::to_string(ranks) + (ranks == 1 ? " rank" : " ranks");
        if (!flush && held == 4 && wilds == 0) {
            const bool open = family.A() >= 2;
            text = Ru ? n + (open ? " карты к открытому стриту" : " карты к внутреннему стриту")
                      : n + (open ? " to an Outside Straight" : " to an Inside Straight");
            if (family.A() == 0) details.push_back(shape);
        } else {
            text = n + (Ru ? (flush ? " карты к стрит-флешу" : " карты к стриту")
                           : (flush ? " to a Straight Flush" : " to a Straight"));
            details.push_back(shape);
        }
        if (R.HighRanks != 0 && !all)
            details.push_back(HighCount(definition.Variants, definition.Universe));
        break;
    }
    case THoldKind::Flush:
        text = n + (Ru ? " карты к флешу" : " to a Flush");
        if (R.HighRanks != 0 && !all)
            details.push_back(HighCount(definition.Variants, definition.Universe));
        break;
    case THoldKind::HighCards:
        if (held == 1) {
            std::vector<std::string> ranks;
            for (int v = 0; v < 5; ++v)
                if ((definition.Variants >> v) & 1)
                    ranks.push_back(std::string(
                        1, kRankLetters[kRankTen + std::countr_zero(HighSubsetMask(1, v))]));
            text = (Ru ? "Одна старшая карта" : "Single high card") +
                   (all ? "" : ": " + Join(ranks, Or()));
        } else if (all) {
            text = n + (Ru ? " старшие карты разной масти" : " unsuited high cards");
        } else {
            bool except = false;
            const std::string sets =
                RankSets(held, definition.Variants, definition.Universe, except);
            text = except
                       ? n + (Ru ? " старшие карты разной масти " : " unsuited high cards ") + sets
                       : sets + (Ru ? " разной масти" : " unsuited");
        }
        break;
    case THoldKind::LowCard: {
        std::vector<std::string> ranks;
        for (int rank = 0; rank < kRankCount; ++rank)
            if ((definition.Variants >> rank) & 1)
                ranks.push_back(std::string(1, kRankLetters[rank]));
        text =
            (Ru ? "Одна младшая карта" : "Single low card") + (all ? "" : ": " + Join(ranks, Or()));
        break;
    }
    case THoldKind::Junk:
        text =
            n + (Ru          ? Plural(held, " несвязанная карта", " несвязанные карты", " несвязанных карт")
                 : held == 1 ? " unrelated card"
                             : " unrelated cards");
        break;
    }
    if (!details.empty()) text += " (" + Join(details, ", ") + ")";
    if (family.Kind() != THoldKind::Wilds) text = WildPrefix(wilds) + text;
    const std::string penalty = Penalty(definition.PenaltyMask, definition.PenaltyValue);
    if (!penalty.empty()) text += ", " + penalty;
    return text;
}

} // namespace

std::string LineKey(const TLineDefinition& definition) {
    const THoldClass family{definition.Family};
    std::string key = HoldFamilyKey(definition.Family);
    if ((definition.Universe & ~definition.Variants) != 0) {
        std::vector<std::string> parts;
        for (int v = 0; v < 32; ++v) {
            if (((definition.Variants >> v) & 1) == 0) continue;
            const std::string text =
                HoldClassKey(THoldClass{family.Packed | static_cast<uint32_t>(v) << kVariantShift});
            parts.push_back(text.substr(text.find(':') + 1));
        }
        key += "[" + Join(parts, ",", ",") + "]";
    }
    if (definition.PenaltyMask & kFlushPenalty)
        key += definition.PenaltyValue & kFlushPenalty ? "+flush" : "-flush";
    if (definition.PenaltyMask & kStraightPenalty)
        key += definition.PenaltyValue & kStraightPenalty ? "+straight" : "-straight";
    return key;
}

std::string LineName(const TLineDefinition& definition, const THoldRules& rules,
                     TChartLanguage language) {
    return TNamer(rules, language).Name(definition);
}

// The paying lines that name no hold of the chart: the small wins and the
// quads of bonus games. A win shown on the table names them in Russian too.
const std::map<std::string, std::string>& PaytableNamesRu() {
    static const std::map<std::string, std::string> names = {
        {"Two Pairs", "Две пары"},
        {"Three of a Kind", "Тройка"},
        {"Jacks or Better", "Валеты или старше"},
        {"Kings or Better", "Короли или старше"},
        {"Tens or Better", "Десятки или старше"},
        {"Four Aces", "Четыре туза"},
        {"Four Kings", "Четыре короля"},
        {"Four Queens", "Четыре дамы"},
        {"Four Jacks", "Четыре валета"},
        {"Four Fives", "Четыре пятёрки"},
        {"Four Faces", "Четыре картинки"},
        {"Three Aces", "Три туза"},
        {"Three Fives", "Три пятёрки"},
    };
    return names;
}

std::string PaytableLineName(const std::string& name, TChartLanguage language) {
    if (language != TChartLanguage::Russian) return name;
    std::string normal = NormalLineName(name);
    if (const auto found = MadeNamesRu().find(normal); found != MadeNamesRu().end())
        return found->second;
    // The catalogue writes "Tens or better" as well as "Tens or Better".
    if (const auto at = normal.find(" or better"); at != std::string::npos)
        normal.replace(at, 10, " or Better");
    const auto found = PaytableNamesRu().find(normal);
    return found == PaytableNamesRu().end() ? name : found->second;
}

std::string HoldClassName(THoldClass hold, const THoldRules& rules, TChartLanguage language) {
    TLineDefinition definition;
    definition.Family = hold.Family();
    definition.Variants = 1u << hold.Variant();
    definition.Universe = ~0u; // always say which variant
    // Only the penalties there are: "QJ suited, with a flush penalty".
    definition.PenaltyMask = definition.PenaltyValue = static_cast<uint32_t>(hold.Penalties());
    return TNamer(rules, language).Name(definition);
}

} // namespace drawmentor
