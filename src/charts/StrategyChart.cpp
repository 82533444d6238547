#include "StrategyChart.h"

#include "ChartDeals.h"
#include "ChartSearch.h"
#include "cards/Categories.h"
#include "core/Checked.h"
#include "games/Catalogue.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace drawmentor {
namespace {

__extension__ typedef __int128 TInt128;

void CheckPays(const TPokerDescription& game, const std::vector<int>& pays) {
    if (static_cast<int>(pays.size()) != game.LineCount())
        RaiseRange("number of pays", static_cast<long long>(pays.size()));
    for (int pay : pays)
        if (pay < 0) throw ERangeError("a paytable pay is negative (" + std::to_string(pay) + ")");
    if (std::all_of(pays.begin(), pays.end(), [](int pay) { return pay == 0; }))
        throw ERangeError("the paytable pays nothing: every hold returns 0");
}

void NameLines(TStrategyChart& chart, const THoldRules& rules) {
    for (auto& line : chart.Lines) {
        line.Key = LineKey(line.Definition, line.Also);
        line.Name = LineName(line.Definition, line.Also, rules);
        for (auto& exception : line.Exceptions)
            exception.Name = HoldClassName(THoldClass{exception.Class}, rules);
    }
}

// An exception is noted when it recovers at least this share of the chart's
// loss: what is left is spread too thin to be worth a player's memory.
constexpr double kExceptionShare = 0.1;
constexpr size_t kExceptionsPerLine = 2;

// For each line, the classes that, held instead wherever the line plays and
// they are there too, recover most of the chart's loss; exact sums over every
// deal, net of the deals where the change loses.
void FindExceptions(const TChartDeals& deals, const std::vector<uint32_t>& chosen,
                    const std::vector<int>& lineOfAtom, TStrategyChart& chart) {
    TInt128 lost = 0;
    for (size_t d = 0; d < deals.Deals.size(); ++d)
        lost += TInt128(deals.Deals[d].Weight) * (deals.Best[d] - deals.Pay[chosen[d]]);
    if (lost <= 0) return;
    // Classes (penalties dropped) numbered densely, and the class of each atom.
    std::vector<uint32_t> classes;
    for (uint32_t atom : deals.Atoms) classes.push_back(atom & kClassBits);
    std::sort(classes.begin(), classes.end());
    classes.erase(std::unique(classes.begin(), classes.end()), classes.end());
    std::vector<uint32_t> classOfAtom(deals.Atoms.size());
    for (size_t a = 0; a < deals.Atoms.size(); ++a)
        classOfAtom[a] = static_cast<uint32_t>(
            std::lower_bound(classes.begin(), classes.end(), deals.Atoms[a] & kClassBits) -
            classes.begin());
    const size_t count = classes.size();
    std::vector<TInt128> gain(chart.Lines.size() * count); // [line][class]
    std::vector<size_t> seen(count, SIZE_MAX);
    for (size_t d = 0; d < deals.Deals.size(); ++d) {
        const uint32_t played = chosen[d];
        const int line = lineOfAtom[deals.Atom[played]];
        // Entries come in the order a player keeps them: the first of a class
        // is the one held.
        for (uint32_t e = deals.First[d]; e < deals.First[d + 1]; ++e) {
            const uint32_t kind = classOfAtom[deals.Atom[e]];
            if (seen[kind] == d) continue;
            seen[kind] = d;
            if (lineOfAtom[deals.Atom[e]] == line) continue;
            gain[static_cast<size_t>(line) * count + kind] +=
                TInt128(deals.Deals[d].Weight) * (deals.Pay[e] - deals.Pay[played]);
        }
    }
    for (size_t i = 0; i < gain.size(); ++i) {
        const double share =
            static_cast<double>(static_cast<long double>(gain[i]) / static_cast<long double>(lost));
        if (share >= kExceptionShare)
            chart.Lines[i / count].Exceptions.push_back({classes[i % count], {}, share});
    }
    for (auto& line : chart.Lines) {
        std::sort(line.Exceptions.begin(), line.Exceptions.end(), [](const auto& a, const auto& b) {
            return a.Recovered != b.Recovered ? a.Recovered > b.Recovered : a.Class < b.Class;
        });
        if (line.Exceptions.size() > kExceptionsPerLine) line.Exceptions.resize(kExceptionsPerLine);
    }
}

// The return of the chart read with its notes: in a deal its line plays, the
// first noted class the deal has is held instead.
TInt128 NotedPlay(const TChartDeals& deals, const std::vector<uint32_t>& chosen,
                  const std::vector<int>& lineOfAtom, const TStrategyChart& chart) {
    TInt128 played = 0;
    for (size_t d = 0; d < deals.Deals.size(); ++d) {
        int64_t pay = deals.Pay[chosen[d]];
        const auto& notes = chart.Lines[lineOfAtom[deals.Atom[chosen[d]]]].Exceptions;
        for (const auto& note : notes) {
            uint32_t e = deals.First[d];
            while (e < deals.First[d + 1] &&
                   (deals.Atoms[deals.Atom[e]] & kClassBits) != note.Class)
                ++e;
            if (e == deals.First[d + 1]) continue;
            pay = deals.Pay[e];
            break;
        }
        played += TInt128(deals.Deals[d].Weight) * pay;
    }
    return played;
}

// Exact figures of the chart the search left: every deal played by it.
void Measure(const TChartDeals& deals, const std::vector<uint32_t>& chosen, TStrategyChart& chart) {
    std::vector<int> lineOfAtom(deals.Atoms.size(), -1);
    for (size_t a = 0; a < deals.Atoms.size(); ++a)
        for (size_t line = 0; line < chart.Lines.size(); ++line)
            if (chart.Lines[line].Matches(THoldClass{deals.Atoms[a]}))
                lineOfAtom[a] = static_cast<int>(line);
    std::vector<TInt128> lineWeight(chart.Lines.size()), linePay(chart.Lines.size());
    std::vector<int64_t> exampleWeight(chart.Lines.size(), 0);
    TInt128 played = 0, best = 0;
    for (size_t d = 0; d < deals.Deals.size(); ++d) {
        const int64_t weight = deals.Deals[d].Weight;
        const uint32_t entry = chosen[d];
        played += TInt128(weight) * deals.Pay[entry];
        best += TInt128(weight) * deals.Best[d];
        if (deals.Pay[entry] < deals.Best[d]) chart.DealsOffBest += weight;
        const int line = lineOfAtom[deals.Atom[entry]];
        if (deals.Pay[entry] == deals.Best[d] && weight > exampleWeight[line]) {
            exampleWeight[line] = weight;
            chart.Lines[line].Example = deals.Deals[d].Codes;
            chart.Lines[line].ExampleMask = deals.Mask[entry];
        }
        lineWeight[line] += weight;
        linePay[line] += TInt128(weight) * deals.Pay[entry];
    }
    const long double unit = static_cast<long double>(deals.Common) * deals.Bet;
    const long double all = unit * static_cast<long double>(deals.DealCount);
    FindExceptions(deals, chosen, lineOfAtom, chart);
    chart.ChartReturn = 100 * static_cast<long double>(played) / all;
    chart.NotedReturn =
        100 * static_cast<long double>(NotedPlay(deals, chosen, lineOfAtom, chart)) / all;
    chart.OptimalReturn = 100 * static_cast<long double>(best) / all;
    for (size_t line = 0; line < chart.Lines.size(); ++line) {
        const long double weight = static_cast<long double>(lineWeight[line]);
        chart.Lines[line].Frequency = static_cast<double>(weight / deals.DealCount);
        chart.Lines[line].AverageReturn =
            weight > 0
                ? static_cast<double>(static_cast<long double>(linePay[line]) / weight / unit)
                : 0;
    }
}

// A made hand, three or four of a kind, and two pairs where they pay:
// hands a short chart may name together. A group held with a kicker is a
// draw, but for four of a kind.
bool PaysAsItStands(THoldClass family, const THoldRules& rules) {
    if (family.Kind() == THoldKind::Made) return true;
    if (family.Kind() != THoldKind::Kind || (family.B() != 0 && family.A() != 4)) return false;
    if (family.A() == kTwoPairsGroup) {
        const int line = rules.NaturalLine[ncTwoPairs];
        return family.Wilds() == 0 && line >= 0 && rules.Pays[line] > 0;
    }
    return family.A() >= 3;
}

bool KeepsWilds(const TChartDeals& deals, const std::vector<uint32_t>& chosen,
                const THoldClassifier& classifier) {
    for (size_t d = 0; d < deals.Deals.size(); ++d)
        for (int pos = 0; pos < kHandSize; ++pos)
            if (classifier.IsWild(deals.Deals[d].Codes[pos]) &&
                IsBitSet(deals.Mask[chosen[d]], pos))
                return false;
    return true;
}

// Five different cards of the deck.
bool ValidExample(const std::array<int, kHandSize>& codes, int deck) {
    for (size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] < 0 || codes[i] >= deck) return false;
        for (size_t j = 0; j < i; ++j)
            if (codes[i] == codes[j]) return false;
    }
    return true;
}

// A line read from a file: a family the classifier can make, variants it
// has, penalty bits it knows.
bool ValidDefinition(const TLineDefinition& definition, const TPokerDescription& game) {
    const THoldClass family{definition.Family};
    if ((definition.Family & ~kFamilyBits) != 0 ||
        static_cast<int>(family.Kind()) >= kHoldKindCount)
        return false;
    if (family.Held() > kHandSize || family.Wilds() > family.Held() || family.B() > 3) return false;
    if (family.Kind() == THoldKind::Made && family.A() > game.LastLine) return false;
    if (family.Kind() == THoldKind::Kind && (family.A() < 2 || family.A() == 5 || family.A() > 6))
        return false;
    const int naturals = family.Held() - family.Wilds();
    const bool subsets = family.Kind() == THoldKind::Royal || family.Kind() == THoldKind::HighCards;
    if (subsets && (naturals < 1 || definition.Universe >> Binomial(naturals, 5) != 0))
        return false;
    return definition.Variants != 0 && (definition.Variants & ~definition.Universe) == 0 &&
           definition.PenaltyMask <= 3 && (definition.PenaltyValue & ~definition.PenaltyMask) == 0;
}

} // namespace

TStrategyChart GenerateChart(const TPokerDescription& game, const std::vector<int>& pays,
                             int betCoins, const TChartOptions& options) {
    CheckPays(game, pays);
    const THoldClassifier classifier(MakeHoldRules(game, pays));
    TChartDealOptions dealOptions;
    dealOptions.Threads = options.Threads;
    dealOptions.Cancel = options.Cancel;
    dealOptions.Progress = options.Progress;
    TStrategyChart chart;
    chart.GameIndex = game.GameIndex;
    chart.Bet = betCoins;
    chart.Pays = pays;
    const TChartDeals deals = CollectChartDeals(game, classifier, betCoins, dealOptions);
    chart.Deals = deals.DealCount;
    chart.Classes = static_cast<int64_t>(deals.Deals.size());
    if (deals.Cancelled) {
        chart.Cancelled = true;
        return chart;
    }
    chart.Level = options.Level;
    TChartSearchOptions searchOptions;
    // Wild-card games have many more kinds of draws (each shape with each
    // number of wild cards): their charts take more lines for the same loss.
    const bool wild = game.IsWildGame();
    const int index = static_cast<int>(options.Level);
    constexpr int kLines[2][kChartLevelCount] = {{16, 24, 40}, {28, 32, 84}};
    searchOptions.MaxLines = options.MaxLines > 0 ? options.MaxLines : kLines[wild][index];
    searchOptions.HardMaxLines = options.MaxLines > 0                   ? options.MaxLines
                                 : options.Level == TChartLevel::Expert ? wild ? 96 : 48
                                                                        : searchOptions.MaxLines;
    searchOptions.TargetLoss = 1e-4;
    // A short chart may read hands that pay as they stand as one line, as
    // printed charts do.
    if (searchOptions.MaxLines < kLines[wild][kChartLevelCount - 1])
        searchOptions.Joinable = [&rules = classifier.Rules()](uint32_t family) {
            return PaysAsItStands(THoldClass{family}, rules);
        };
    searchOptions.MinLineGain = options.MinLineGain;
    searchOptions.Cancel = options.Cancel;
    const auto search = SearchChart(deals, searchOptions, options.Threads != 1);
    if (search->Cancelled()) {
        chart.Cancelled = true;
        return chart;
    }
    const auto joined = search->Joined();
    const auto definitions = search->Lines();
    for (size_t line = 0; line < definitions.size(); ++line)
        chart.Lines.push_back({definitions[line], joined[line], {}, {}, 0, 0, {}});
    Measure(deals, search->Chosen(), chart);
    NameLines(chart, classifier.Rules());
    chart.KeepsWilds = wild && KeepsWilds(deals, search->Chosen(), classifier);
    return chart;
}

std::vector<int> ReadingOrder(const TStrategyChart& chart) {
    std::vector<int> order(chart.Lines.size());
    for (size_t line = 0; line < order.size(); ++line) order[line] = static_cast<int>(line);
    if (chart.KeepsWilds)
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return THoldClass{chart.Lines[a].Definition.Family}.Wilds() >
                   THoldClass{chart.Lines[b].Definition.Family}.Wilds();
        });
    return order;
}

TChartPlayer::TChartPlayer(const TPokerDescription& game, const TStrategyChart& chart)
    : FClassifier(MakeHoldRules(game, chart.Pays)), FLines(chart.Lines) {}

TChartPlay TChartPlayer::Play(const std::array<int, kHandSize>& codes) const {
    std::array<THoldClass, kMaskCount> classes;
    FClassifier.ClassifyDeal(codes, classes);
    TChartPlay play;
    uint32_t preferred = 0;
    for (int mask = 0; mask < kMaskCount; ++mask) {
        int line = 0;
        while (line < static_cast<int>(FLines.size()) && !FLines[line].Matches(classes[mask]))
            ++line;
        if (line == static_cast<int>(FLines.size())) continue;
        const uint32_t precedence = HoldPrecedence(FClassifier, codes, mask);
        if (play.Line < 0 || line < play.Line || (line == play.Line && precedence > preferred)) {
            play = {line, mask, classes[mask]};
            preferred = precedence;
        }
    }
    if (play.Line < 0) throw ERangeError("the chart has no line for this hand");
    return play;
}

namespace {
// 2: four of a kind's kicker among the hold classes. 3: the level, and lines
// joined into one.
constexpr int kChartFileVersion = 3;
} // namespace

std::string SaveChart(const TStrategyChart& chart) {
    std::ostringstream out;
    char text[160];
    out << "drawmentor-strategy-chart " << kChartFileVersion << '\n';
    out << "game " << chart.GameIndex << "\nbet " << chart.Bet << "\nlevel "
        << static_cast<int>(chart.Level) << "\nwilds " << (chart.KeepsWilds ? 1 : 0) << "\npays";
    for (int pay : chart.Pays) out << ' ' << pay;
    std::snprintf(text, sizeof text, "\nreturn %.21Lg %.21Lg %.21Lg\n", chart.ChartReturn,
                  chart.OptimalReturn, chart.NotedReturn);
    out << text;
    out << "deals " << chart.Deals << ' ' << chart.Classes << ' ' << chart.DealsOffBest << '\n';
    out << "lines " << chart.Lines.size() << '\n';
    for (const auto& line : chart.Lines) {
        out << 1 + line.Also.size();
        for (size_t part = 0; part <= line.Also.size(); ++part) {
            const TLineDefinition& s = part == 0 ? line.Definition : line.Also[part - 1];
            std::snprintf(text, sizeof text, " %x %x %x %x %x", s.Family, s.Variants, s.Universe,
                          s.PenaltyMask, s.PenaltyValue);
            out << text;
        }
        std::snprintf(text, sizeof text, " %.17g %.17g %zu", line.Frequency, line.AverageReturn,
                      line.Exceptions.size());
        out << text;
        for (const auto& exception : line.Exceptions) {
            std::snprintf(text, sizeof text, " %x %.17g", exception.Class, exception.Recovered);
            out << text;
        }
        out << ' ' << line.ExampleMask;
        for (int code : line.Example) out << ' ' << code;
        out << '\n';
    }
    return out.str();
}

TStrategyChart LoadChart(const std::string& text) {
    std::istringstream in(text);
    std::string word;
    int version = 0;
    TStrategyChart chart;
    const auto expect = [&](const char* name) {
        if (!(in >> word) || word != name)
            throw ERangeError(std::string("strategy chart: expected '") + name + "'");
    };
    expect("drawmentor-strategy-chart");
    if (!(in >> version)) throw ERangeError("strategy chart: no version");
    // The classes a line covers are stored packed, and their meaning grows
    // with the versions: an older chart is made again, never misread.
    if (version != kChartFileVersion)
        throw ERangeError("strategy chart: made by another version of the program (" +
                          std::to_string(version) + "); make it again");
    expect("game");
    in >> chart.GameIndex;
    const auto game = CreateDescription(chart.GameIndex);
    if (!in || !game) throw ERangeError("strategy chart: unknown game");
    expect("bet");
    in >> chart.Bet;
    expect("level");
    int level = -1;
    in >> level;
    if (!in || level < 0 || level >= kChartLevelCount)
        throw ERangeError("strategy chart: damaged header");
    chart.Level = static_cast<TChartLevel>(level);
    expect("wilds");
    int keeps = -1;
    in >> keeps;
    if (!in || (keeps != 0 && keeps != 1) || (keeps == 1 && !game->IsWildGame()))
        throw ERangeError("strategy chart: damaged header");
    chart.KeepsWilds = keeps == 1;
    expect("pays");
    chart.Pays.resize(game->LineCount());
    for (int& pay : chart.Pays) in >> pay;
    expect("return");
    in >> chart.ChartReturn >> chart.OptimalReturn >> chart.NotedReturn;
    expect("deals");
    in >> chart.Deals >> chart.Classes >> chart.DealsOffBest;
    expect("lines");
    size_t count = 0;
    in >> count;
    if (!in || count > 1000 || chart.Bet < 1 || chart.Bet > 99999)
        throw ERangeError("strategy chart: damaged header");
    CheckPays(*game, chart.Pays);
    for (size_t i = 0; i < count; ++i) {
        TChartLine line;
        const std::string damaged = "strategy chart: damaged line " + std::to_string(i + 1);
        size_t parts = 0;
        in >> parts;
        if (!in || parts < 1 || parts > 16) throw ERangeError(damaged);
        for (size_t part = 0; part < parts; ++part) {
            TLineDefinition s;
            in >> std::hex >> s.Family >> s.Variants >> s.Universe >> s.PenaltyMask >>
                s.PenaltyValue >> std::dec;
            if (!in || !ValidDefinition(s, *game)) throw ERangeError(damaged);
            if (part == 0)
                line.Definition = s;
            else
                line.Also.push_back(s);
        }
        size_t exceptions = 0;
        in >> line.Frequency >> line.AverageReturn >> exceptions;
        if (!in || exceptions > kExceptionsPerLine) throw ERangeError(damaged);
        for (size_t k = 0; k < exceptions; ++k) {
            TChartException exception;
            in >> std::hex >> exception.Class >> std::dec >> exception.Recovered;
            if (!in || (exception.Class & ~kClassBits) != 0 ||
                static_cast<int>(THoldClass{exception.Class}.Kind()) >= kHoldKindCount ||
                !(exception.Recovered > 0 && exception.Recovered <= 1))
                throw ERangeError(damaged);
            line.Exceptions.push_back(exception);
        }
        in >> line.ExampleMask;
        for (int& code : line.Example) in >> code;
        if (!in || line.ExampleMask < -1 || line.ExampleMask >= kMaskCount ||
            (line.ExampleMask >= 0 &&
             !ValidExample(line.Example, kRankCount * kSuitCount + game->Jokers)))
            throw ERangeError(damaged);
        chart.Lines.push_back(line);
    }
    // Every hand has a play: the last line takes the discarding of all five
    // cards, which every deal can do. A line of that family that leaves out
    // that hold (a damaged variant) would leave hands without a play.
    const THoldRules rules = MakeHoldRules(*game, chart.Pays);
    const THoldClass discardAll =
        THoldClassifier(rules).Classify(std::array<int, kHandSize>{0, 1, 2, 3, 4}, kMaskCount - 1);
    if (chart.Lines.empty() || !chart.Lines.back().Matches(discardAll))
        throw ERangeError("strategy chart: the last line must discard everything");
    // The figures shown beside the chart: a deal count of the game's deck,
    // returns a bet can make, frequencies that are frequencies.
    const int64_t deck = kRankCount * kSuitCount + game->Jokers;
    const long double most =
        100.0L * *std::max_element(chart.Pays.begin(), chart.Pays.end()) / chart.Bet;
    const auto percent = [&](long double value) {
        return std::isfinite(value) && value >= 0 && value <= most;
    };
    if (chart.Deals != Binomial(kHandSize, static_cast<int>(deck)) || chart.Classes < 1 ||
        chart.Classes > chart.Deals || chart.DealsOffBest < 0 || chart.DealsOffBest > chart.Deals ||
        !percent(chart.ChartReturn) || !percent(chart.OptimalReturn) ||
        !percent(chart.NotedReturn) || chart.ChartReturn > chart.OptimalReturn * (1 + 1e-12L) ||
        chart.NotedReturn > chart.OptimalReturn * (1 + 1e-12L))
        throw ERangeError("strategy chart: damaged figures");
    for (const TChartLine& line : chart.Lines)
        if (!(line.Frequency >= 0 && line.Frequency <= 1) || !std::isfinite(line.AverageReturn) ||
            line.AverageReturn < 0)
            throw ERangeError("strategy chart: damaged figures");
    NameLines(chart, rules);
    return chart;
}

} // namespace drawmentor
