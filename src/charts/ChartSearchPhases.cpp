// The phases of the chart search: splits, reductions and the last touches.
// The evaluation they all use is in ChartSearch.cpp.
#include "ChartSearch.h"

#include "core/ParallelFor.h"

#include <algorithm>
#include <bit>
#include <map>
#include <tuple>

namespace drawmentor {
namespace {

// How far apart in the chart two lines joined into one may stand: the made
// hands a short chart reads as one line sit close together, with a draw or
// two between them.
constexpr size_t kJoinReach = 3;

bool NumericVariants(THoldKind kind) {
    return kind == THoldKind::StraightFlush || kind == THoldKind::Flush ||
           kind == THoldKind::Straight;
}

} // namespace

void TChartSearch::SplitsOf(int line, std::vector<TChange>& out) const {
    const TLine& source = FLines[line];
    if (!source.Also.empty()) return;
    const auto add = [&](TLineDefinition definition, TLineDefinition rest) {
        TChange change;
        change.Kind = TChange::Split;
        change.Line = line;
        for (int a : source.Atoms)
            if (definition.Matches(THoldClass{D.Atoms[a]})) change.Atoms.push_back(a);
        if (change.Atoms.empty() || change.Atoms.size() == source.Atoms.size()) return;
        change.Definition = definition;
        change.Rest = rest;
        out.push_back(std::move(change));
    };
    for (uint32_t bit : {kFlushPenalty, kStraightPenalty}) {
        if (source.Definition.PenaltyMask & bit) continue;
        TLineDefinition with = source.Definition, without = source.Definition;
        with.PenaltyMask |= bit;
        with.PenaltyValue |= bit;
        without.PenaltyMask |= bit;
        add(with, without);
        add(without, with);
    }
    const uint32_t variants = source.Definition.Variants;
    if (std::popcount(variants) < 2) return;
    const auto part = [&](uint32_t subset) {
        TLineDefinition definition = source.Definition, rest = source.Definition;
        definition.Variants = subset;
        rest.Variants = variants & ~subset;
        add(definition, rest);
    };
    for (int v = 0; v < 32; ++v)
        if ((variants >> v) & 1) part(1u << v);
    if (!NumericVariants(THoldClass{source.Definition.Family}.Kind())) return;
    for (int cut = 1; cut < 31; ++cut) {
        const uint32_t low = variants & ((1u << cut) - 1);
        if (std::popcount(low) >= 2 && low != variants) part(low);
        if (std::popcount(variants & ~low) >= 2 && low != 0) part(variants & ~low);
    }
}

// Draws that differ only by their shape ("4 to a Straight Flush", no gap or
// one): one line for a short chart.
bool TChartSearch::SameDraw(const TLine& a, const TLine& b) const {
    const auto shaped = [](uint32_t family) {
        const THoldKind kind = THoldClass{family}.Kind();
        return kind == THoldKind::StraightFlush || kind == THoldKind::Straight;
    };
    const auto shapeless = [](uint32_t family) { return family & ~(63u << 10); };
    if (!shaped(a.Definition.Family)) return false;
    const uint32_t family = shapeless(a.Definition.Family);
    const auto same = [&](const TLineDefinition& d) {
        const bool all = d.Variants == d.Universe && a.Definition.Variants == a.Definition.Universe;
        return shapeless(d.Family) == family && (all || d.Variants == a.Definition.Variants) &&
               d.PenaltyMask == a.Definition.PenaltyMask &&
               d.PenaltyValue == a.Definition.PenaltyValue;
    };
    if (!same(b.Definition)) return false;
    for (const auto* line : {&a, &b})
        for (const auto& also : line->Also)
            if (!same(also)) return false;
    return true;
}

// Lines a short chart may read as one, with one number of wild cards (a
// wild-card chart is read by the number of wild cards dealt).
bool TChartSearch::Joinable(const TLine& a, const TLine& b) const {
    const int wilds = THoldClass{a.Definition.Family}.Wilds();
    for (const auto* line : {&a, &b}) {
        if (!FOptions.Joinable(line->Definition.Family) ||
            THoldClass{line->Definition.Family}.Wilds() != wilds)
            return false;
        for (const auto& also : line->Also)
            if (!FOptions.Joinable(also.Family)) return false;
    }
    return true;
}

// Two lines of different families as one: "hold either".
TChartSearch::TChange TChartSearch::JoinOf(int first, int second) const {
    TChange change;
    change.Kind = TChange::Join;
    change.Line = first;
    change.Other = second;
    const TLine& a = FLines[first];
    const TLine& b = FLines[second];
    change.Definition = a.Definition;
    change.Also = a.Also;
    change.Also.push_back(b.Definition);
    change.Also.insert(change.Also.end(), b.Also.begin(), b.Also.end());
    change.Atoms = a.Atoms;
    change.Atoms.insert(change.Atoms.end(), b.Atoms.begin(), b.Atoms.end());
    return change;
}

// The split worth most.
TChartSearch::TChange TChartSearch::BestSplit() {
    std::vector<TChange> pool;
    for (int line : FOrder)
        if (line != FDiscardLine) SplitsOf(line, pool);
    return LazyBest(pool, FSplitCache);
}

// Removing a line, or merging two lines of one family into one.
std::vector<TChartSearch::TChange> TChartSearch::Reductions() const {
    std::vector<TChange> out;
    for (int line : FOrder) {
        if (line == FDiscardLine) continue;
        TChange change;
        change.Kind = TChange::Remove;
        change.Line = line;
        change.Definition = FLines[line].Definition; // keys the cached score
        change.Atoms = FLines[line].Atoms;
        out.push_back(std::move(change));
    }
    for (size_t i = 0; i < FOrder.size(); ++i)
        for (size_t j = i + 1; j < FOrder.size(); ++j) {
            const TLine& a = FLines[FOrder[i]];
            const TLine& b = FLines[FOrder[j]];
            if (FOrder[i] == FDiscardLine || FOrder[j] == FDiscardLine) continue;
            if (FOptions.Joinable && j - i <= kJoinReach &&
                a.Definition.Family != b.Definition.Family && (Joinable(a, b) || SameDraw(a, b)))
                out.push_back(JoinOf(FOrder[i], FOrder[j]));
            if (!a.Also.empty() || !b.Also.empty() || a.Definition.Family != b.Definition.Family ||
                a.Definition.PenaltyMask != b.Definition.PenaltyMask)
                continue;
            TLineDefinition definition = a.Definition;
            const uint32_t differ = a.Definition.PenaltyValue ^ b.Definition.PenaltyValue;
            if (differ == 0) {
                definition.Variants |= b.Definition.Variants;
            } else if (std::popcount(differ) == 1 &&
                       a.Definition.Variants == b.Definition.Variants) {
                definition.PenaltyMask &= ~differ;
                definition.PenaltyValue &= ~differ;
            } else {
                continue;
            }
            TChange change;
            change.Kind = TChange::Merge;
            change.Line = FOrder[i];
            change.Other = FOrder[j];
            change.Definition = definition;
            change.Atoms = a.Atoms;
            change.Atoms.insert(change.Atoms.end(), b.Atoms.begin(), b.Atoms.end());
            out.push_back(std::move(change));
        }
    return out;
}

void TChartSearch::Score(TChange& change) {
    if (change.Kind == TChange::Split) {
        change.Place = Evaluate(change.Atoms, {}, Position(change.Line));
    } else if (change.Kind == TChange::Remove) {
        change.Place = Evaluate(change.Atoms, {change.Line}, Position(change.Line));
        change.Place.Gain = change.Place.AbsentGain;
    } else { // a merge or a join
        change.Place = Evaluate(change.Atoms, {change.Line, change.Other}, Position(change.Line));
    }
}

// Between equal costs, drop the line that holds more cards (four of a kind
// and a kicker against four of a kind).
bool TChartSearch::Better(const TChange& a, const TChange& b) const {
    const auto held = [&](const TChange& change) {
        if (change.Kind != TChange::Remove) return -1;
        const THoldClass family{FLines[change.Line].Definition.Family};
        return family.Held() + family.B();
    };
    if (b.Kind == TChange::None) return a.Kind != TChange::None;
    return a.Place.Gain > b.Place.Gain + FEps ||
           (a.Place.Gain >= b.Place.Gain - FEps && held(a) > held(b));
}

TChartSearch::TChange TChartSearch::CheapestReduction() {
    return LazyBest(Reductions(), FReduceCache);
}

// The best change of `pool`. What was found for an earlier chart is taken as
// an estimate and found again only for the leader, until the leader is one
// found for this chart: the order moves little between steps.
TChartSearch::TChange TChartSearch::LazyBest(std::vector<TChange> pool, TScoreCache& cache) {
    if (pool.empty()) return {};
    std::vector<bool> fresh(pool.size(), false);
    for (size_t i = 0; i < pool.size(); ++i) {
        const auto found = cache.find(Key(pool[i]));
        if (found != cache.end()) {
            pool[i].Place.Gain = found->second;
        } else {
            Score(pool[i]);
            cache[Key(pool[i])] = pool[i].Place.Gain;
            fresh[i] = true;
        }
    }
    for (;;) {
        size_t best = 0;
        for (size_t i = 1; i < pool.size(); ++i)
            if (Better(pool[i], pool[best])) best = i;
        if (fresh[best]) return std::move(pool[best]);
        Score(pool[best]);
        cache[Key(pool[best])] = pool[best].Place.Gain;
        fresh[best] = true;
    }
}

TChartSearch::TChangeKey TChartSearch::Key(const TChange& change) {
    return {static_cast<int>(change.Kind),
            change.Line,
            change.Other,
            change.Definition.Family,
            change.Definition.Variants,
            change.Definition.PenaltyMask,
            change.Definition.PenaltyValue};
}

// Fewer lines: those that are worth nothing, then the cheapest until the
// chart is short enough.
void TChartSearch::Reduce() {
    while (!Stopped()) {
        const TChange change = CheapestReduction();
        if (change.Kind == TChange::None) break;
        if (LineCount() <= FReduceTo && change.Place.Gain < -FMinGain) break;
        Apply(change);
    }
    Sweep();
}

bool TChartSearch::Stopped() {
    if (FOptions.Cancel && FOptions.Cancel->load()) FCancelled = true;
    return FCancelled;
}

double TChartSearch::Value() const {
    double total = 0;
    for (size_t d = 0; d < D.Deals.size(); ++d) total += FWeight[d] * FValue[FChosen[d]];
    return total;
}

void TChartSearch::Restore(const TState& state) {
    FLines = state.Lines;
    FOrder = state.Order;
    FAtomLine = state.AtomLine;
    Rank();
    RefreshAll();
}

// Splits that recover the most while the chart has room; once it is full, a
// split that is worth more than the cheapest line it displaces.
void TChartSearch::SplitPhase(int maxLines) {
    // After a change only the lines it made are placed again; the whole
    // chart once at the end.
    const auto settleNew = [&](size_t before) {
        for (size_t line = before; line < FLines.size(); ++line) Settle(static_cast<int>(line));
    };
    for (int round = 0; round < 500 && !Stopped(); ++round) {
        const TChange split = BestSplit();
        if (split.Kind == TChange::None || split.Place.Gain < FMinGain) break;
        const size_t lines = FLines.size();
        if (LineCount() < maxLines) {
            Apply(split);
            Settle(split.Line);
            settleNew(lines);
            continue;
        }
        const TState saved{FLines, FOrder, FAtomLine};
        const double before = Value();
        Apply(split);
        Settle(split.Line);
        settleNew(lines);
        const TChange reduction = CheapestReduction();
        Apply(reduction);
        if (reduction.Kind == TChange::Merge) settleNew(lines);
        if (Value() - before >= FMinGain) continue;
        Restore(saved);
        break;
    }
    Sweep();
}

// From the initial chart: optionally every split worth a line first, then
// down to the line limit, then splits and trades at the limit.
void TChartSearch::Improve(bool splitFirst, double best) {
    if (splitFirst) SplitPhase(3 * FOptions.MaxLines);
    // A short chart comes down in steps, trading lines at each: the lines
    // worth keeping at 16 are not those the cheapest cuts leave.
    for (int step = 3 * FOptions.MaxLines / 2; step > FOptions.MaxLines && FOptions.Joinable;
         step = std::max(FOptions.MaxLines, step * 3 / 4)) {
        FReduceTo = step;
        Reduce();
        SplitPhase(step);
        if (step == FOptions.MaxLines) break;
    }
    FReduceTo = FOptions.MaxLines;
    Reduce();
    SplitPhase(FOptions.MaxLines);
    // A chart still further from perfect play than the target may grow a
    // few lines.
    const double allowed = FOptions.TargetLoss * static_cast<double>(D.DealCount);
    while (!Stopped() && best - Value() > allowed && LineCount() < FOptions.HardMaxLines) {
        const int lines = LineCount();
        SplitPhase(lines + 1);
        if (LineCount() == lines) break;
    }
    FReduceTo = std::max(FOptions.MaxLines, LineCount());
    Reduce();
}

void TChartSearch::Run(const TChartSearchOptions& options) {
    FOptions = options;
    const double total = static_cast<double>(D.DealCount);
    FEps = 1e-10 * total;
    FMinGain = options.MinLineGain * total;
    double best = 0;
    for (size_t d = 0; d < D.Deals.size(); ++d)
        best +=
            FWeight[d] * static_cast<double>(D.Best[d]) / (static_cast<double>(D.Common) * D.Bet);
    BuildInitialLines();
    Sweep();
    Improve(options.SplitFirst, best);
    if (Stopped()) return;
    Absorb();
    Tidy();
}

std::unique_ptr<TChartSearch> SearchChart(const TChartDeals& deals, TChartSearchOptions options,
                                          bool parallel) {
    // Two ways down to a short chart; neither is always the better one.
    auto first = std::make_unique<TChartSearch>(deals);
    auto second = std::make_unique<TChartSearch>(deals);
    options.SplitFirst = false;
    TChartSearchOptions other = options;
    other.SplitFirst = true;
    const auto run = [&](int which) {
        if (which == 0)
            first->Run(options);
        else
            second->Run(other);
    };
    if (parallel) {
        ParallelFor(2, run);
    } else {
        run(0);
        run(1);
    }
    const double eps = 1e-10 * static_cast<double>(deals.DealCount);
    const double a = first->Value(), b = second->Value();
    const bool firstWins =
        a > b + eps || (a >= b - eps && first->LineCount() <= second->LineCount());
    return firstWins ? std::move(first) : std::move(second);
}

// Variants of a line's family that no line covers join the line where that
// changes no deal's return, so that its name needs fewer words.
void TChartSearch::Absorb() {
    for (int line : std::vector<int>(FOrder)) {
        if (line == FDiscardLine || !FLines[line].Also.empty()) continue;
        const uint32_t universe = FLines[line].Definition.Universe;
        for (int v = 0; v < 32; ++v) {
            if (((universe >> v) & 1) == 0 || ((FLines[line].Definition.Variants >> v) & 1))
                continue;
            TLineDefinition wider = FLines[line].Definition;
            wider.Variants |= 1u << v;
            std::vector<int> added;
            bool free = true;
            for (size_t a = 0; a < D.Atoms.size() && free; ++a) {
                const THoldClass hold{D.Atoms[a]};
                if (hold.Variant() != v || !wider.Matches(hold)) continue;
                free = FAtomLine[a] < 0;
                added.push_back(static_cast<int>(a));
            }
            if (!free) continue;
            std::vector<int> atoms = FLines[line].Atoms;
            atoms.insert(atoms.end(), added.begin(), added.end());
            if (!added.empty() && Evaluate(atoms, {line}, Position(line)).PreferredGain < -FEps)
                continue;
            FLines[line].Definition = wider;
            FLines[line].Atoms = atoms;
            for (int a : added) FAtomLine[a] = line;
            Rank();
            Refresh(added);
        }
    }
}

bool TChartSearch::CoOccur(int a, int b) {
    const uint32_t stamp = ++FStamp;
    for (int atom : FLines[a].Atoms)
        for (uint32_t i = FAtomDealsFirst[atom]; i < FAtomDealsFirst[atom + 1]; ++i)
            FDealStamp[FAtomDeals[i]] = stamp;
    for (int atom : FLines[b].Atoms)
        for (uint32_t i = FAtomDealsFirst[atom]; i < FAtomDealsFirst[atom + 1]; ++i)
            if (FDealStamp[FAtomDeals[i]] == stamp) return true;
    return false;
}

// Lines that never meet in a deal may stand in either order; such neighbours
// are put in the order of what they return, which changes no play.
void TChartSearch::Tidy() {
    std::vector<double> sum(FLines.size(), 0), weight(FLines.size(), 0);
    for (size_t d = 0; d < D.Deals.size(); ++d) {
        const int line = FAtomLine[D.Atom[FChosen[d]]];
        sum[line] += FWeight[d] * FValue[FChosen[d]];
        weight[line] += FWeight[d];
    }
    const auto mean = [&](int line) { return weight[line] > 0 ? sum[line] / weight[line] : 0; };
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (size_t i = 0; i + 2 < FOrder.size(); ++i) {
            const int a = FOrder[i], b = FOrder[i + 1];
            if (mean(a) < mean(b) - 1e-9 && !CoOccur(a, b)) {
                std::swap(FOrder[i], FOrder[i + 1]);
                swapped = true;
            }
        }
    }
    Rank();
    RefreshAll();
}

std::vector<TLineDefinition> TChartSearch::Lines() const {
    std::vector<TLineDefinition> lines;
    for (int line : FOrder) lines.push_back(FLines[line].Definition);
    return lines;
}

std::vector<std::vector<TLineDefinition>> TChartSearch::Joined() const {
    std::vector<std::vector<TLineDefinition>> joined;
    for (int line : FOrder) joined.push_back(FLines[line].Also);
    return joined;
}

} // namespace drawmentor
