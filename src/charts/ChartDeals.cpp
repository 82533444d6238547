#include "ChartDeals.h"

#include "cards/Categories.h"
#include "core/Checked.h"
#include "core/ParallelFor.h"
#include "engine/EngineFactory.h"

#include <algorithm>
#include <numeric>
#include <thread>

namespace drawmentor {
namespace {

// One hold of one deal before the chart's classes are known.
struct TRawHold {
    uint32_t Class = 0; // THoldClass::Packed
    uint8_t Mask = 0;
    int64_t Pay = 0;
};

// A set of class keys by open addressing: a few hundred keys looked up
// millions of times. UINT32_MAX marks a free slot (no class has all bits set).
class TKeySet {
  public:
    TKeySet() : FKeys(1024, kFree) {}
    // The key's slot index, inserting it when new.
    size_t Insert(uint32_t key) {
        if (2 * (FSize + 1) > FKeys.size()) Grow();
        size_t slot = Slot(key);
        if (FKeys[slot] == kFree) FKeys[slot] = key, ++FSize;
        return slot;
    }
    bool Contains(uint32_t key) const { return FKeys[Slot(key)] == key; }
    // The slot of a key that is in the set.
    size_t Find(uint32_t key) const { return Slot(key); }
    std::vector<uint32_t> Keys() const {
        std::vector<uint32_t> keys;
        for (uint32_t key : FKeys)
            if (key != kFree) keys.push_back(key);
        return keys;
    }

  private:
    static constexpr uint32_t kFree = UINT32_MAX;
    size_t Slot(uint32_t key) const {
        const size_t mask = FKeys.size() - 1;
        size_t slot = (key * 2654435761u) & mask;
        while (FKeys[slot] != kFree && FKeys[slot] != key) slot = (slot + 1) & mask;
        return slot;
    }
    void Grow() {
        const std::vector<uint32_t> old = Keys();
        FKeys.assign(FKeys.size() * 2, kFree);
        FSize = 0;
        for (uint32_t key : old) Insert(key);
    }
    std::vector<uint32_t> FKeys;
    size_t FSize = 0;
};

struct TWorkerSets {
    TKeySet Seen;      // every class (no penalties) met
    TKeySet Candidate; // classes that were a best play
};

// The lines of a dealt hand a chart must play as perfect play does: those
// that pay at least what the least four of a kind pays, but for five of a
// kind and four wild cards. Those two a chart reads by the number of wild
// cards alone, and perfect play keeps or breaks them by the other cards' rank
// (three deuces and a pair of sevens draw, of tens stand), which no line of a
// chart tells apart.
std::vector<bool> KeptLines(const THoldRules& rules) {
    const std::vector<int>& pays = rules.Pays;
    int leastQuads = 0; // 0: no line pays four of a kind
    for (int rank = 0; rank < kRankCount; ++rank) {
        const int line = rules.NaturalLine[ncFourOfKind2 + rank];
        if (line >= 0 && pays[line] > 0)
            leastQuads = leastQuads == 0 ? pays[line] : std::min(leastQuads, pays[line]);
    }
    std::vector<bool> kept(pays.size(), false);
    for (size_t line = 0; line < pays.size(); ++line)
        kept[line] = leastQuads > 0 && pays[line] >= leastQuads;
    const auto drop = [&](int line) {
        if (line >= 0) kept[static_cast<size_t>(line)] = false;
    };
    for (int rank = 0; rank < kRankCount; ++rank) drop(rules.WildLine[wcWildFive2 + rank]);
    for (int category : {wcWild5, wcWild4A, wcWild4WA}) drop(rules.WildLine[category]);
    // A natural four of a kind or straight flush paid on the same line stays.
    for (int category = ncFlushStraightA5; category < ncFullHouse; ++category) {
        const int line = rules.NaturalLine[category];
        if (line >= 0 && pays[line] >= leastQuads) kept[static_cast<size_t>(line)] = true;
    }
    return kept;
}

} // namespace

TChartDeals CollectChartDeals(const TPokerDescription& game, const THoldClassifier& classifier,
                              int betCoins, const TChartDealOptions& options) {
    const std::vector<int>& pays = classifier.Rules().Pays;
    if (static_cast<int>(pays.size()) != game.LineCount())
        RaiseRange("number of pays", static_cast<long long>(pays.size()));
    TChartDeals out;
    out.Bet = CheckIndex(betCoins, 1, 99999, "bet");
    out.Deals = DealClasses(game.Jokers);
    const int64_t deals = static_cast<int64_t>(out.Deals.size());
    const int deckLeft = kRankCount * kSuitCount + game.Jokers - kHandSize;
    out.DealCount = Binomial(kHandSize, deckLeft + kHandSize);
    out.Common = 1;
    for (int k = 0; k <= kHandSize; ++k)
        out.Common = std::lcm(out.Common, int64_t{Binomial(k, deckLeft)});
    int64_t scale[kHandSize + 1];
    for (int k = 0; k <= kHandSize; ++k) scale[k] = out.Common / Binomial(k, deckLeft);

    std::vector<TRawHold> raw(static_cast<size_t>(deals) * kMaskCount);
    out.Best.resize(deals);
    out.BestMask.resize(deals);
    out.Kept.resize(deals);
    const std::vector<bool> keptLine = KeptLines(classifier.Rules());
    const int threads = options.Threads > 0
                            ? options.Threads
                            : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<TWorkerSets> sets(threads);
    std::atomic<int64_t> next{0}, done{0};
    std::atomic<bool> failed{false};
    constexpr int64_t kChunk = 256;
    const auto work = [&](int worker) {
        TCalculator calculator;
        auto engine = CreateEngine(game, calculator);
        TPayout payout;
        std::copy(pays.begin(), pays.end(), payout.Pays.begin());
        engine->SetPayout(&payout);
        std::array<THoldClass, kMaskCount> classes;
        std::array<uint32_t, kMaskCount> order;
        std::array<uint32_t, kMaskCount> precedence;
        TWorkerSets& found = sets[worker];
        for (;;) {
            if ((options.Cancel && options.Cancel->load()) || failed.load()) return;
            const int64_t first = next.fetch_add(kChunk);
            if (first >= deals) return;
            const int64_t last = std::min(first + kChunk, deals);
            for (int64_t d = first; d < last; ++d) {
                const auto& codes = out.Deals[d].Codes;
                engine->DealCodes(codes);
                out.BestMask[d] = engine->GetTheBest();
                classifier.ClassifyDeal(codes, classes);
                // Sorted by precedence, the preferred hold first; the
                // low bits keep the mask.
                HoldPrecedences(classifier, codes, precedence);
                for (int mask = 0; mask < kMaskCount; ++mask)
                    order[mask] = precedence[mask] << 5 | static_cast<uint32_t>(mask);
                std::sort(order.begin(), order.end(), std::greater<uint32_t>());
                int64_t best = -1;
                TRawHold* holds = &raw[static_cast<size_t>(d) * kMaskCount];
                for (int i = 0; i < kMaskCount; ++i) {
                    const int mask = static_cast<int>(order[i] & 31);
                    int64_t paid = 0;
                    for (int line = 0; line <= engine->LastLine(); ++line)
                        paid = CheckedAdd(
                            paid, CheckedMul(engine->LineCounts(mask)[line], int64_t{pays[line]}));
                    holds[i] = {classes[mask].Packed, static_cast<uint8_t>(mask),
                                CheckedMul(paid, scale[kDrawCount[mask]])};
                    if (mask == 0)
                        for (int line = 0; line <= engine->LastLine(); ++line)
                            if (engine->LineCounts(0)[line] > 0) out.Kept[d] = keptLine[line];
                    best = std::max(best, holds[i].Pay);
                    found.Seen.Insert(classes[mask].Class());
                }
                out.Best[d] = best;
                for (int i = 0; i < kMaskCount; ++i)
                    if (holds[i].Pay == best) found.Candidate.Insert(holds[i].Class & kClassBits);
            }
            const int64_t total = done.fetch_add(last - first) + (last - first);
            if (options.Progress) options.Progress(total, deals);
        }
    };
    ParallelFor(threads, work, &failed);
    out.Cancelled = options.Cancel && options.Cancel->load();
    if (out.Cancelled) return out;

    // Families without a class that is somewhere the best play never make a
    // chart line, so their holds are dropped; discarding everything stays.
    TKeySet best, families;
    best.Insert(THoldClass::Make(THoldKind::Discard, 0, 0).Packed);
    for (const auto& found : sets) {
        for (uint32_t c : found.Candidate.Keys()) best.Insert(c);
        for (uint32_t seen : found.Seen.Keys())
            out.Universe[seen & kFamilyBits] |= 1u << THoldClass{seen}.Variant();
    }
    out.BestClasses = best.Keys();
    std::sort(out.BestClasses.begin(), out.BestClasses.end());
    for (uint32_t c : out.BestClasses) families.Insert(c & kFamilyBits);
    // Atoms numbered in key order, so that the same game gives the same ids.
    TKeySet atoms;
    for (const auto& hold : raw)
        if (families.Contains(hold.Class & kFamilyBits)) atoms.Insert(hold.Class);
    out.Atoms = atoms.Keys();
    std::sort(out.Atoms.begin(), out.Atoms.end());
    TKeySet index;
    std::vector<int32_t> atomOfSlot;
    for (size_t i = 0; i < out.Atoms.size(); ++i) {
        const size_t slot = index.Insert(out.Atoms[i]);
        if (slot >= atomOfSlot.size()) atomOfSlot.resize(slot + 1, -1);
        atomOfSlot[slot] = static_cast<int32_t>(i);
    }
    out.First.reserve(deals + 1);
    for (int64_t d = 0; d < deals; ++d) {
        out.First.push_back(static_cast<uint32_t>(out.Atom.size()));
        for (int i = 0; i < kMaskCount; ++i) {
            const TRawHold& hold = raw[static_cast<size_t>(d) * kMaskCount + i];
            if (!families.Contains(hold.Class & kFamilyBits)) continue;
            out.Atom.push_back(atomOfSlot[index.Find(hold.Class)]);
            out.Mask.push_back(hold.Mask);
            out.Pay.push_back(hold.Pay);
        }
    }
    out.First.push_back(static_cast<uint32_t>(out.Atom.size()));
    return out;
}

} // namespace drawmentor
