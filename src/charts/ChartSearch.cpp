#include "ChartSearch.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <unordered_map>

namespace drawmentor {
namespace {

constexpr int kUnlisted = INT_MAX;
// What a hold worse than the best costs the search, beyond what it loses, in
// a deal dealt four of a kind or better (bets): no chart plays one so, however
// little the loss. Such holds are never played, so the search's sums never
// carry it but while a change is weighed.
constexpr double kKeptPenalty = 1e6;

} // namespace

TChartSearch::TChartSearch(const TChartDeals& deals) : D(deals) {
    const size_t dealCount = D.Deals.size();
    FWeight.resize(dealCount);
    for (size_t d = 0; d < dealCount; ++d) FWeight[d] = static_cast<double>(D.Deals[d].Weight);
    const double unit = static_cast<double>(D.Common) * D.Bet;
    FValue.resize(D.Pay.size());
    for (size_t e = 0; e < D.Pay.size(); ++e) FValue[e] = static_cast<double>(D.Pay[e]) / unit;
    for (size_t d = 0; d < D.Kept.size(); ++d)
        if (D.Kept[d])
            for (uint32_t e = D.First[d]; e < D.First[d + 1]; ++e)
                if (D.Pay[e] < D.Best[d]) FValue[e] -= kKeptPenalty;

    // Deals per atom, each deal once.
    const size_t atoms = D.Atoms.size();
    std::vector<uint32_t> count(atoms + 1, 0), last(atoms, UINT32_MAX);
    for (uint32_t d = 0; d < dealCount; ++d)
        for (uint32_t e = D.First[d]; e < D.First[d + 1]; ++e)
            if (last[D.Atom[e]] != d) last[D.Atom[e]] = d, ++count[D.Atom[e] + 1];
    for (size_t a = 0; a < atoms; ++a) count[a + 1] += count[a];
    FAtomDealsFirst = count;
    FAtomDeals.resize(count[atoms]);
    std::fill(last.begin(), last.end(), UINT32_MAX);
    for (uint32_t d = 0; d < dealCount; ++d)
        for (uint32_t e = D.First[d]; e < D.First[d + 1]; ++e)
            if (last[D.Atom[e]] != d) last[D.Atom[e]] = d, FAtomDeals[count[D.Atom[e]]++] = d;

    FAtomStamp.assign(atoms, 0);
    FDealStamp.assign(dealCount, 0);
    FAtomLine.assign(atoms, -1);
    FAtomRank.assign(atoms, kUnlisted);
    FChosen.assign(dealCount, 0);
}

// One line per class, ordered by what the class returns where it is the best
// play; the moves that follow put each line where it belongs.
void TChartSearch::BuildInitialLines() {
    std::unordered_map<uint32_t, int> lineOfClass;
    std::vector<double> score, weight;
    for (size_t a = 0; a < D.Atoms.size(); ++a) {
        const THoldClass hold{D.Atoms[a]};
        if (!std::binary_search(D.BestClasses.begin(), D.BestClasses.end(), hold.Class())) continue;
        auto [it, added] = lineOfClass.emplace(hold.Class(), static_cast<int>(FLines.size()));
        if (added) {
            TLine line;
            line.Definition.Family = hold.Family();
            line.Definition.Variants = 1u << hold.Variant();
            line.Definition.Universe = D.Universe.at(hold.Family());
            FLines.push_back(line);
            score.push_back(0);
            weight.push_back(0);
        }
        FLines[it->second].Atoms.push_back(static_cast<int>(a));
        FAtomLine[a] = it->second;
        if (hold.Kind() == THoldKind::Discard) FDiscardLine = it->second;
    }
    for (size_t d = 0; d < D.Deals.size(); ++d)
        for (uint32_t e = D.First[d]; e < D.First[d + 1]; ++e)
            if (D.Pay[e] == D.Best[d] && FAtomLine[D.Atom[e]] >= 0) {
                const int line = FAtomLine[D.Atom[e]];
                score[line] += FWeight[d] * FValue[e];
                weight[line] += FWeight[d];
            }
    for (int line = 0; line < static_cast<int>(FLines.size()); ++line)
        if (line != FDiscardLine) FOrder.push_back(line);
    const auto mean = [&](int line) { return weight[line] > 0 ? score[line] / weight[line] : 0; };
    std::stable_sort(FOrder.begin(), FOrder.end(), [&](int a, int b) {
        if (mean(a) != mean(b)) return mean(a) > mean(b);
        return std::make_pair(FLines[a].Definition.Family, FLines[a].Definition.Variants) <
               std::make_pair(FLines[b].Definition.Family, FLines[b].Definition.Variants);
    });
    FOrder.push_back(FDiscardLine);
    Rank();
    RefreshAll();
}

void TChartSearch::Rank() {
    FLineRank.assign(FLines.size(), kUnlisted);
    for (size_t pos = 0; pos < FOrder.size(); ++pos) FLineRank[FOrder[pos]] = static_cast<int>(pos);
    for (size_t a = 0; a < FAtomRank.size(); ++a)
        FAtomRank[a] = FAtomLine[a] >= 0 ? FLineRank[FAtomLine[a]] : kUnlisted;
}

int TChartSearch::Position(int line) const {
    return FLineRank[line];
}

void TChartSearch::Refresh(const std::vector<int>& atoms) {
    ++FStamp;
    for (int a : atoms)
        for (uint32_t i = FAtomDealsFirst[a]; i < FAtomDealsFirst[a + 1]; ++i) {
            const uint32_t d = FAtomDeals[i];
            if (FDealStamp[d] == FStamp) continue;
            FDealStamp[d] = FStamp;
            int best = kUnlisted;
            for (uint32_t e = D.First[d]; e < D.First[d + 1]; ++e)
                if (FAtomRank[D.Atom[e]] < best) best = FAtomRank[D.Atom[e]], FChosen[d] = e;
        }
}

void TChartSearch::RefreshAll() {
    for (size_t d = 0; d < D.Deals.size(); ++d) {
        int best = kUnlisted;
        for (uint32_t e = D.First[d]; e < D.First[d + 1]; ++e)
            if (FAtomRank[D.Atom[e]] < best) best = FAtomRank[D.Atom[e]], FChosen[d] = e;
    }
}

// The chart's gain from the atoms as one line at each position, against the
// chart as it stands. `removed` are the lines whose atoms are all among
// `atoms` and that leave the order. For a deal holding the line, let q be the
// position (without the line) of what the chart plays otherwise: the line is
// played when placed at q or above, so its gain there is added to positions
// 0..q with one difference-array entry.
TChartSearch::TPlacement TChartSearch::Evaluate(const std::vector<int>& atoms,
                                                const std::vector<int>& removed, int preferred) {
    const uint32_t stamp = ++FStamp;
    for (int a : atoms) FAtomStamp[a] = stamp;
    FRankWithout.assign(FLines.size(), kUnlisted);
    int positions = 0;
    for (int line : FOrder)
        if (std::find(removed.begin(), removed.end(), line) == removed.end())
            FRankWithout[line] = positions++;
    FDiff.assign(positions + 1, 0);
    double current = 0, without = 0;
    for (int a : atoms)
        for (uint32_t i = FAtomDealsFirst[a]; i < FAtomDealsFirst[a + 1]; ++i) {
            const uint32_t d = FAtomDeals[i];
            if (FDealStamp[d] == stamp) continue;
            FDealStamp[d] = stamp;
            const uint32_t chosen = FChosen[d];
            const bool chosenInside = FAtomStamp[D.Atom[chosen]] == stamp;
            double inside = 0;
            bool found = false; // the line's first entry in the deal, which it plays
            uint32_t other = chosen;
            int q = chosenInside ? kUnlisted : FRankWithout[FAtomLine[D.Atom[chosen]]];
            for (uint32_t e = D.First[d]; e < D.First[d + 1]; ++e) {
                const int atom = D.Atom[e];
                if (FAtomStamp[atom] == stamp) {
                    if (!found) inside = FValue[e], found = true;
                    if (!chosenInside) break;
                    continue;
                }
                if (chosenInside && FAtomLine[atom] >= 0 && FRankWithout[FAtomLine[atom]] < q)
                    q = FRankWithout[FAtomLine[atom]], other = e;
            }
            const double w = FWeight[d];
            current += w * FValue[chosen];
            without += w * FValue[other];
            const double gain = w * (inside - FValue[other]);
            FDiff[0] += gain;
            FDiff[std::min(q, positions - 1) + 1] -= gain;
        }
    TPlacement best;
    best.AbsentGain = without - current;
    best.PreferredGain = best.AbsentGain;
    // The discard line stays last: the line goes at most just above it.
    double running = 0;
    for (int pos = 0; pos < positions; ++pos) {
        running += FDiff[pos];
        const double gain = without + running - current;
        if (pos == preferred) best.PreferredGain = gain;
        const bool better = gain > best.Gain + FEps;
        const bool tie = std::abs(gain - best.Gain) <= FEps &&
                         std::abs(pos - preferred) < std::abs(best.Position - preferred);
        if (best.Position < 0 || better || tie) best.Gain = gain, best.Position = pos;
    }
    return best;
}

void TChartSearch::Apply(const TChange& change) {
    std::vector<int> touched = change.Atoms;
    const auto erase = [&](int line) {
        FOrder.erase(std::find(FOrder.begin(), FOrder.end(), line));
    };
    switch (change.Kind) {
    case TChange::None: return;
    case TChange::Move:
        erase(change.Line);
        FOrder.insert(FOrder.begin() + change.Place.Position, change.Line);
        break;
    case TChange::Split: {
        TLine& rest = FLines[change.Line];
        rest.Definition = change.Rest;
        std::erase_if(rest.Atoms, [&](int a) {
            return std::find(change.Atoms.begin(), change.Atoms.end(), a) != change.Atoms.end();
        });
        FLines.push_back({change.Definition, {}, change.Atoms, true});
        for (int a : change.Atoms) FAtomLine[a] = static_cast<int>(FLines.size()) - 1;
        FOrder.insert(FOrder.begin() + change.Place.Position, static_cast<int>(FLines.size()) - 1);
        break;
    }
    case TChange::Merge:
    case TChange::Join:
        erase(change.Line);
        erase(change.Other);
        FLines[change.Line].Alive = FLines[change.Other].Alive = false;
        FLines.push_back({change.Definition, change.Also, change.Atoms, true});
        for (int a : change.Atoms) FAtomLine[a] = static_cast<int>(FLines.size()) - 1;
        FOrder.insert(FOrder.begin() + change.Place.Position, static_cast<int>(FLines.size()) - 1);
        break;
    case TChange::Remove:
        erase(change.Line);
        FLines[change.Line].Alive = false;
        for (int a : change.Atoms) FAtomLine[a] = -1;
        break;
    }
    Rank();
    Refresh(touched);
}

// Moves a line to its best place; true when it moved.
bool TChartSearch::Settle(int line) {
    if (line == FDiscardLine || !FLines[line].Alive) return false;
    TChange change;
    change.Kind = TChange::Move;
    change.Line = line;
    change.Atoms = FLines[line].Atoms;
    change.Place = Evaluate(change.Atoms, {line}, Position(line));
    if (change.Place.Gain <= FEps || change.Place.Position == Position(line)) return false;
    Apply(change);
    return true;
}

bool TChartSearch::Sweep() {
    bool moved = false;
    for (int round = 0; round < 50 && !Stopped(); ++round) {
        bool any = false;
        for (int line : std::vector<int>(FOrder)) any = Settle(line) || any;
        if (!any) break;
        moved = true;
    }
    return moved;
}

} // namespace drawmentor
