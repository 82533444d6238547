#pragma once

#include "cards/Cards.h"
#include "games/PokerDescription.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The classes of holds a strategy chart speaks of: what a player sees in the
// cards he keeps ("4 to a Royal Flush", "Low Pair", "KQJ unsuited").
//
// A hold's class is packed into 32 bits:
//
//   bits  0..3   kind (THoldKind)
//   bits  4..6   cards held, wild cards included (0..5)
//   bits  7..9   wild cards held (0..4)
//   bits 10..15  A: the paying line (Made), the size of the group with its
//                wild cards (Kind; 6 = two pairs); for StraightFlush and
//                Straight the shape of the natural cards (StraightShape), or,
//                for four cards held with a wild card, the natural ranks that
//                complete them
//   bits 16..21  B: the kickers held beside a Kind's group, plus kKickerPays
//                when the one kicker is of a rank a kicker line pays for with
//                four of the group's rank; 1 for a Made hand that a part of it
//                would pay as well (held whole all the same)
//   bits 22..26  variant: high cards held (StraightFlush, Flush, Straight),
//                the natural ranks among T..A as a subset index (Royal,
//                HighCards), the rank (LowCard), the rank group of a Kind's
//                group (THoldRules::KindGroup)
//   bits 27..28  penalties: a discarded card of the held suit (bit 0), a
//                discarded card that fits a straight with the held cards (bit 1)
//
// Bits 0..21 are the family: classes that differ only by their variant are the
// same kind of draw and may share a chart line. Bits 0..26 are the class.
namespace drawmentor {

enum class THoldKind : uint8_t {
    Discard,       // nothing held
    Wilds,         // wild cards only
    Made,          // five cards that pay as a whole: straight, flush, full house, ...
    Kind,          // pairs, trips, quads, two pairs, with the wild cards and kickers held
    Royal,         // suited naturals of T..A, with wild cards
    StraightFlush, // suited naturals that fit a straight, not all of T..A
    Flush,         // suited naturals that fit no straight
    Straight,      // unsuited naturals that fit a straight
    HighCards,     // one to three unsuited high cards, no wild card
    LowCard,       // one low card, no wild card
    Junk,          // anything else
};
inline constexpr int kHoldKindCount = 11;

inline constexpr uint32_t kFlushPenalty = 1;
inline constexpr uint32_t kStraightPenalty = 2;
inline constexpr int kPenaltyShift = 27;
inline constexpr int kVariantShift = 22;
inline constexpr uint32_t kFamilyBits = (1u << kVariantShift) - 1;
inline constexpr uint32_t kClassBits = (1u << kPenaltyShift) - 1;
inline constexpr int kTwoPairsGroup = 6;
inline constexpr int kKickerPays = 8;

struct THoldClass {
    uint32_t Packed = 0;

    static THoldClass Make(THoldKind kind, int held, int wilds, int a = 0, int b = 0,
                           int variant = 0, int penalties = 0);
    THoldKind Kind() const { return static_cast<THoldKind>(Packed & 15); }
    int Held() const { return (Packed >> 4) & 7; }
    int Wilds() const { return (Packed >> 7) & 7; }
    int A() const { return (Packed >> 10) & 63; }
    int B() const { return (Packed >> 16) & 63; }
    int Variant() const { return (Packed >> kVariantShift) & 31; }
    int Penalties() const { return (Packed >> kPenaltyShift) & 3; }
    uint32_t Family() const { return Packed & kFamilyBits; }
    uint32_t Class() const { return Packed & kClassBits; }
    friend bool operator==(THoldClass, THoldClass) = default;
};

// The facts of one game and paytable that classes depend on.
struct THoldRules {
    int WildRank = kNoWildRank; // natural rank that is wild, or kNoWildRank
    int Jokers = 0;
    bool WildGame = false;
    uint32_t HighRanks = 0; // bit r: a pair of rank r pays
    // KindGroup[n - 2][r]: the group of rank r for a group of n cards. Ranks
    // whose n of a kind and every larger group pay alike share a group;
    // groups are numbered from the lowest rank up.
    std::array<std::array<int, kRankCount>, 3> KindGroup{};
    // KickerRanks[q]: the fifth cards beside four of rank q that a kicker
    // line pays more for; 0 in games without kicker lines.
    std::array<uint32_t, kRankCount> KickerRanks{};
    // The line a final category pays, or -1 (a line that pays nothing counts as none).
    std::array<int, 48> NaturalLine{};
    std::array<int, 42> WildLine{};
    std::vector<std::string> LineNames; // as the game names them
    std::vector<int> Pays;
};

// Raises a range error when `pays` does not fit the game's lines.
THoldRules MakeHoldRules(const TPokerDescription& game, const std::vector<int>& pays);

// Names the class of every hold of a dealt hand. Cheap and thread-safe: the
// rules are read only.
class THoldClassifier {
  public:
    explicit THoldClassifier(THoldRules rules);

    const THoldRules& Rules() const { return FRules; }
    bool IsWild(int code) const;
    // `codes`: the five dealt cards (0..53) in position order; bit i of `mask`
    // set = the card at position i is replaced.
    THoldClass Classify(const std::array<int, kHandSize>& codes, int mask) const;
    void ClassifyDeal(const std::array<int, kHandSize>& codes,
                      std::array<THoldClass, kMaskCount>& out) const;

  private:
    // A dealt hand read once for its 32 holds; a wild card has rank -1.
    struct TDealt {
        std::array<int, kHandSize> Rank{}, Suit{};
        int MadeLine = -1; // the line all five pay, or -1
        bool Whole = false;
    };
    void Prepare(const std::array<int, kHandSize>& codes, TDealt& dealt) const;
    THoldClass Classify(const TDealt& dealt, int mask) const;
    // The line five held cards pay, or -1; `whole`: no part of them pays it.
    int MadeLine(const std::array<int, kHandSize>& codes, bool& whole) const;

    THoldRules FRules;
    std::array<int8_t, 1 << kRankCount> FShape{}; // StraightShape(mask, wild rank)
};

// Which of several holds of one class a chart keeps: the one with the higher
// cards (sorted from the highest, a wild card above an Ace; more cards above
// fewer when one is the start of the other), then the lower mask. A larger
// value is preferred.
uint32_t HoldPrecedence(const THoldClassifier& classifier, const std::array<int, kHandSize>& codes,
                        int mask);
// The same for all 32 masks of a deal at once.
void HoldPrecedences(const THoldClassifier& classifier, const std::array<int, kHandSize>& codes,
                     std::array<uint32_t, kMaskCount>& out);

// The ranks of T..A a variant index stands for (bit 0 = T ... bit 4 = A).
uint32_t HighSubsetMask(int size, int index);
int HighSubsetIndex(uint32_t ranksTenToAce);
// Straight windows (A-5 ... T-A) that contain every rank of `rankMask` and,
// unless it is kNoWildRank, not `wildRank`.
int StraightWindows(uint32_t rankMask, int wildRank = kNoWildRank);
// How a player sees a straight draw, packed gaps | cut << kShapeCutShift:
// the gaps are the ranks missing between the lowest and the highest card held
// (an Ace is low when held with cards of 2-5 only); the cut is how many of the
// windows a run of that span has elsewhere this one lacks, at the edge of the
// ranks or through the wild rank (JQK: 1, A23: 2). Two draws of one shape
// have the same windows. -1 for ranks that fit no straight.
inline constexpr int kShapeCutShift = 3;
int StraightShape(uint32_t rankMask, int wildRank = kNoWildRank);

// A stable key: "royal2.w1:QJ+flush" (family, variant, penalties).
std::string HoldFamilyKey(uint32_t family);
std::string HoldClassKey(THoldClass hold);

} // namespace drawmentor
