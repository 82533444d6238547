#include "Catalogue.h"

#include "cards/Cards.h"
#include "cards/Categories.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <type_traits>

namespace drawmentor {
namespace {

// --- Set shorthands of the line tables -------------------------------------

constexpr TCategorySet Bit(int category) {
    return TCategorySet{1} << category;
}

// One category per rank letter, counted from `first` (the category of deuces).
constexpr TCategorySet ByRank(int first, std::string_view ranks) {
    TCategorySet set = 0;
    for (char letter : ranks) {
        const auto rank = kRankLetters.find(letter);
        // A misspelt rank stops the build instead of paying the wrong hand.
        if (rank == std::string_view::npos) throw "unknown rank letter in the catalogue";
        set |= Bit(first + static_cast<int>(rank));
    }
    return set;
}

constexpr std::string_view kAll = "23456789TJQKA";

constexpr TCategorySet RF = Bit(ncFlushStraightTA);
constexpr TCategorySet SF = Bit(ncFlushStraightA5) | Bit(ncFlushStraight);
constexpr TCategorySet FourK(std::string_view ranks) {
    return ByRank(ncFourOfKind2, ranks);
}
constexpr TCategorySet FH = Bit(ncFullHouse);
constexpr TCategorySet FL = Bit(ncFlush);
constexpr TCategorySet ST = Bit(ncStraightA5) | Bit(ncStraight) | Bit(ncStraightTA);
constexpr TCategorySet ThreeK(std::string_view ranks) {
    return ByRank(ncThreeOfKind2, ranks);
}
constexpr TCategorySet TwoP = Bit(ncTwoPairs);
constexpr TCategorySet Pairs(std::string_view ranks) {
    return ByRank(ncPairs2, ranks);
}

// Wild categories are listed under every line whose hand they can make; the
// engine pays each at the best-paying of its lines.
constexpr TCategorySet w5W = Bit(wcWild5);
constexpr TCategorySet w4W = Bit(wcWild4A) | Bit(wcWild4WA);
constexpr TCategorySet wRF = Bit(wcWild3FlushStrA5 + skAceHigh) |
                             Bit(wcWild2FlushStrA5 + skAceHigh) |
                             Bit(wcWild1FlushStrA5 + skAceHigh);
constexpr TCategorySet w5K(std::string_view ranks) {
    return ByRank(wcWildFive2, ranks);
}
constexpr TCategorySet wSF = Bit(wcWild3FlushStrA5) | Bit(wcWild3FlushStrA5 + skMiddle) |
                             Bit(wcWild2FlushStrA5) | Bit(wcWild2FlushStrA5 + skMiddle) |
                             Bit(wcWild1FlushStrA5) | Bit(wcWild1FlushStrA5 + skMiddle);
constexpr TCategorySet w4K = Bit(wcWild3) | Bit(wcWild2And21) | Bit(wcWild1And31);
constexpr TCategorySet w4KPlus = w4K | Bit(wcWild3Flush);
constexpr TCategorySet wFH =
    Bit(wcWild3) | Bit(wcWild2And21) | Bit(wcWild1And31) | Bit(wcWild1And22);
constexpr TCategorySet wFL = Bit(wcWild3Flush) | Bit(wcWild2Flush) | Bit(wcWild1Flush);
constexpr TCategorySet wST = Bit(wcWild2StraightA5) | Bit(wcWild2StraightA5 + skMiddle) |
                             Bit(wcWild2StraightA5 + skAceHigh) | Bit(wcWild1StraightA5) |
                             Bit(wcWild1StraightA5 + skMiddle) | Bit(wcWild1StraightA5 + skAceHigh);
constexpr TCategorySet w3K = Bit(wcWild2) | Bit(wcWild1And211);
constexpr TCategorySet w2P = Bit(wcWild1And211);
constexpr TCategorySet wKA = Bit(wcWild1Kings);

// --- The lines of each game, best hand first ---------------------------------

struct TLine {
    std::string_view Name;
    TCategorySet Natural = 0;
    TCategorySet Wild = 0; // only in wild games
    TRankSet Kickers = 0;  // only in natural games, see LineKickers
};

constexpr TRankSet Kick(std::string_view ranks) {
    TRankSet set = 0;
    for (char letter : ranks) {
        const auto rank = kRankLetters.find(letter);
        if (rank == std::string_view::npos) throw "unknown rank letter in the catalogue";
        set = static_cast<TRankSet>(set | 1u << rank);
    }
    return set;
}

constexpr TLine kJacksOrBetter[] = {
    {"Royal Flush", RF},
    {"Straight Flush", SF},
    {"Four of Kind", FourK(kAll)},
    {"Full House", FH},
    {"Flush", FL},
    {"Straight", ST},
    {"Three of Kind", ThreeK(kAll)},
    {"Two Pairs", TwoP},
    {"Jacks or Better", Pairs("JQKA")},
};
constexpr TLine kTensOrBetter[] = {
    {"Royal Flush", RF},
    {"Straight Flush", SF},
    {"Four of Kind", FourK(kAll)},
    {"Full House", FH},
    {"Flush", FL},
    {"Straight", ST},
    {"Three of Kind", ThreeK(kAll)},
    {"Two Pairs", TwoP},
    {"Tens or Better", Pairs("TJQKA")},
};
constexpr TLine kKingsOrBetter[] = {
    {"Royal Flush", RF},
    {"Straight Flush", SF},
    {"Four of Kind", FourK(kAll)},
    {"Full House", FH},
    {"Flush", FL},
    {"Straight", ST},
    {"Three of Kind", ThreeK(kAll)},
    {"Two Pairs", TwoP},
    {"Kings or Better", Pairs("KA")},
};
constexpr TLine kLuckyNugget[] = {
    {"Royal Flush", RF},
    {"Straight Flush", SF},
    {"Four of Kind", FourK(kAll)},
    {"Full House", FH},
    {"Flush", FL},
    {"Straight", ST},
    {"Three of Kind", ThreeK(kAll)},
    {"Two Pairs", TwoP},
};
constexpr TLine kHighFives[] = {
    {"Royal Flush", RF},
    {"Four Fives", FourK("5")},
    {"Straight Flush", SF},
    {"Four of Kind", FourK("2346789TJQKA")},
    {"Full House", FH},
    {"Flush", FL},
    {"Three Fives", ThreeK("5")},
    {"Straight", ST},
    {"Three of Kind", ThreeK("2346789TJQKA")},
    {"Two Pairs", TwoP},
    {"Jacks or Better", Pairs("JQKA")},
};
constexpr TLine kDoubleBonus[] = {
    {"Royal Flush", RF},
    {"Straight Flush", SF},
    {"Four Aces", FourK("A")},
    {"Four 2-4", FourK("234")},
    {"Four 5-K", FourK("56789TJQK")},
    {"Full House", FH},
    {"Flush", FL},
    {"Straight", ST},
    {"Three of Kind", ThreeK(kAll)},
    {"Two Pairs", TwoP},
    {"Jacks or Better", Pairs("JQKA")},
};
// Four aces or four 2-4 pay more beside a low fifth card. A line with
// kickers comes before the plain line of the same quads, which pays the rest.
constexpr TLine kDoubleDoubleBonus[] = {
    {"Royal Flush", RF},
    {"Straight Flush", SF},
    {"Four Aces with 2-4", FourK("A"), 0, Kick("234")},
    {"Four Aces", FourK("A")},
    {"Four 2-4 with A-4", FourK("234"), 0, Kick("A234")},
    {"Four 2-4", FourK("234")},
    {"Four 5-K", FourK("56789TJQK")},
    {"Full House", FH},
    {"Flush", FL},
    {"Straight", ST},
    {"Three of Kind", ThreeK(kAll)},
    {"Two Pairs", TwoP},
    {"Jacks or Better", Pairs("JQKA")},
};
constexpr TLine kTripleDoubleBonus[] = {
    {"Royal Flush", RF},
    {"Straight Flush", SF},
    {"Four Aces with 2-4", FourK("A"), 0, Kick("234")},
    {"Four 2-4 with A-4", FourK("234"), 0, Kick("A234")},
    {"Four Aces", FourK("A")},
    {"Four 2-4", FourK("234")},
    {"Four 5-K", FourK("56789TJQK")},
    {"Full House", FH},
    {"Flush", FL},
    {"Straight", ST},
    {"Three of Kind", ThreeK(kAll)},
    {"Two Pairs", TwoP},
    {"Jacks or Better", Pairs("JQKA")},
};
constexpr TLine kAcesAndEights[] = {
    {"Royal Flush", RF},
    {"Four Aces or 8", FourK("8A")},
    {"Four  7", FourK("7")},
    {"Straight Flush", SF},
    {"Four of Kind", FourK("234569TJQK")},
    {"Full House", FH},
    {"Flush", FL},
    {"Straight", ST},
    {"Three of Kind", ThreeK(kAll)},
    {"Two Pairs", TwoP},
    {"Jacks or Better", Pairs("JQKA")},
};
constexpr TLine kAcesAndFaces[] = {
    {"Royal Flush", RF},
    {"Four Aces", FourK("A")},
    {"Straight Flush", SF},
    {"Four Faces", FourK("JQK")},
    {"Four 2-10", FourK("23456789T")},
    {"Full House", FH},
    {"Flush", FL},
    {"Straight", ST},
    {"Three of Kind", ThreeK(kAll)},
    {"Two Pairs", TwoP},
    {"Jacks or Better", Pairs("JQKA")},
};
constexpr TLine kBonusPoker[] = {
    {"Royal Flush", RF},
    {"Four Aces", FourK("A")},
    {"Straight Flush", SF},
    {"Four 2-4", FourK("234")},
    {"Four 5-K", FourK("56789TJQK")},
    {"Full House", FH},
    {"Flush", FL},
    {"Straight", ST},
    {"Three of Kind", ThreeK(kAll)},
    {"Two Pairs", TwoP},
    {"Jacks or Better", Pairs("JQKA")},
};
constexpr TLine kAcesAndJacks[] = {
    {"Royal Flush", RF},
    {"Four Aces", FourK("A")},
    {"Straight Flush", SF},
    {"Four Jacks", FourK("J")},
    {"Four of Kind", FourK("23456789TQK")},
    {"Full House", FH},
    {"Flush", FL},
    {"Straight", ST},
    {"Three of Kind", ThreeK(kAll)},
    {"Two Pairs", TwoP},
    {"Jacks or Better", Pairs("JQKA")},
};
constexpr TLine kNevadaBonusPoker[] = {
    {"Royal Flush", RF},
    {"Four Aces", FourK("A")},
    {"Straight Flush", SF},
    {"Four of Kind", FourK("23456789TJQK")},
    {"Full House", FH},
    {"Flush", FL},
    {"Three Aces", ThreeK("A")},
    {"Straight", ST},
    {"Three of Kind", ThreeK("23456789TJQK")},
    {"Two Pairs", TwoP},
    {"Jacks or Better", Pairs("JQKA")},
};
constexpr TLine kSuperDoubleBonus[] = {
    {"Royal Flush", RF},        {"Straight Flush", SF},
    {"Four Aces", FourK("A")},  {"Four J-K", FourK("JQK")},
    {"Four 2-4", FourK("234")}, {"Four 5-10", FourK("56789T")},
    {"Full House", FH},         {"Flush", FL},
    {"Straight", ST},           {"Three of Kind", ThreeK(kAll)},
    {"Two Pairs", TwoP},        {"Jacks or Better", Pairs("JQKA")},
};
constexpr TLine kRoyalCourt[] = {
    {"Royal Flush", RF},
    {"Straight Flush", SF},
    {"Four  Kings", FourK("K")},
    {"Four  Queens", FourK("Q")},
    {"Four  Jacks", FourK("J")},
    {"Four of Kind", FourK("23456789TA")},
    {"Full House", FH},
    {"Flush", FL},
    {"Straight", ST},
    {"Three of Kind", ThreeK(kAll)},
    {"Two Pairs", TwoP},
    {"Jacks or Better", Pairs("JQKA")},
};

constexpr TLine kJokerWildKings[] = {
    {"Natural Royal Flush", RF, 0},
    {"Five of Kind", 0, w5K(kAll)},
    {"Wild Royal Flush", 0, wRF},
    {"Straight Flush", SF, wSF},
    {"Four of Kind", FourK(kAll), w4K},
    {"Full House", FH, wFH},
    {"Flush", FL, wFL},
    {"Straight", ST, wST},
    {"Three of Kind", ThreeK(kAll), w3K},
    {"Two Pairs", TwoP, w2P},
    {"Kings or Better", Pairs("KA"), wKA},
};
constexpr TLine kJokerWildTwoPairs[] = {
    {"Natural Royal Flush", RF, 0},
    {"Five of Kind", 0, w5K(kAll)},
    {"Wild Royal Flush", 0, wRF},
    {"Straight Flush", SF, wSF},
    {"Four of Kind", FourK(kAll), w4K},
    {"Full House", FH, wFH},
    {"Flush", FL, wFL},
    {"Straight", ST, wST},
    {"Three of Kind", ThreeK(kAll), w3K},
    {"Two Pairs", TwoP, w2P},
};
constexpr TLine kDoubleJokerPoker[] = {
    {"Natural Royal Flush", RF, 0},
    {"Wild Royal Flush", 0, wRF},
    {"Five of Kind", 0, w5K(kAll)},
    {"Straight Flush", SF, wSF},
    {"Four of Kind", FourK(kAll), w4K},
    {"Full House", FH, wFH},
    {"Flush", FL, wFL},
    {"Straight", ST, wST},
    {"Three of Kind", ThreeK(kAll), w3K},
    {"Two Pairs", TwoP, Bit(wcWild2) | Bit(wcWild1And211)},
};
constexpr TLine kDeucesWild[] = {
    {"Natural Royal Flush", RF, 0}, {"Four Deuces", 0, w4W},
    {"Wild Royal Flush", 0, wRF},   {"Five of Kind", 0, w5K(kAll)},
    {"Straight Flush", SF, wSF},    {"Four of Kind", FourK(kAll), w4KPlus},
    {"Full House", FH, wFH},        {"Flush", FL, wFL},
    {"Straight", ST, wST},          {"Three of Kind", ThreeK(kAll), w3K},
};
constexpr TLine kSevensWild[] = {
    {"Natural Royal Flush", RF, 0}, {"Four 7s", 0, w4W},
    {"Wild Royal Flush", 0, wRF},   {"Five of Kind", 0, w5K(kAll)},
    {"Straight Flush", SF, wSF},    {"Four of Kind", FourK(kAll), w4KPlus},
    {"Full House", FH, wFH},        {"Flush", FL, wFL},
    {"Straight", ST, wST},          {"Three of Kind", ThreeK(kAll), w3K},
};
constexpr TLine kBonusDeucesWild[] = {
    {"Natural Royal Flush", RF, 0},
    {"Four Deuces + Ace", 0, Bit(wcWild4A)},
    {"Four Deuces", 0, Bit(wcWild4WA)},
    {"Wild Royal Flush", 0, wRF},
    {"Five Aces", 0, w5K("A")},
    {"Five 3-5", 0, w5K("345")},
    {"Five 6-K", 0, w5K("6789TJQK")},
    {"Straight Flush", SF, wSF},
    {"Four of Kind", FourK(kAll), w4KPlus},
    {"Full House", FH, wFH},
    {"Flush", FL, wFL},
    {"Straight", ST, wST},
    {"Three of Kind", ThreeK(kAll), w3K},
};
constexpr TLine kDeucesDeluxe[] = {
    {"Natural Royal Flush", RF, 0},
    {"Four Deuces", 0, w4W},
    {"Natural Straight Flush", SF, 0},
    {"Wild Royal Flush", 0, wRF},
    {"Five of Kind", 0, w5K(kAll)},
    {"Natural Four of Kind", FourK(kAll), 0},
    {"Wild Straight Flush", 0, wSF},
    {"Wild Four of Kind", 0, w4KPlus},
    {"Full House", FH, wFH},
    {"Flush", FL, wFL},
    {"Straight", ST, wST},
    {"Three of Kind", ThreeK(kAll), w3K},
};
constexpr TLine kOdysseyDeuces[] = {
    {"Natural Royal Flush", RF, 0},
    {"Four Deuces", 0, w4W},
    {"Natural Four of Kind", FourK(kAll), 0},
    {"Wild Royal Flush", 0, wRF},
    {"Five of Kind", 0, w5K(kAll)},
    {"Straight Flush", SF, wSF},
    {"Wild Four of Kind", 0, w4KPlus},
    {"Full House", FH, wFH},
    {"Flush", FL, wFL},
    {"Straight", ST, wST},
    {"Three of Kind", ThreeK(kAll), w3K},
};
constexpr TLine kDeucesAndJokerWild[] = {
    {"Five  WILDS", 0, w5W},
    {"Natural Royal Flush", RF, 0},
    {"Four Deuces", 0, w4W},
    {"Wild Royal Flush", 0, wRF},
    {"Five of Kind", 0, w5K(kAll)},
    {"Straight Flush", SF, wSF},
    {"Four of Kind", FourK(kAll), w4KPlus},
    {"Full House", FH, wFH},
    {"Flush", FL, wFL},
    {"Straight", ST, wST},
    {"Three of Kind", ThreeK(kAll), w3K},
};

// --- The catalogue -------------------------------------------------------------

struct TGame {
    std::string_view Name;
    std::span<const TLine> Lines;
    int WildRank = kNoWildRankInGame; // a rank index, or kJokerRank when only jokers are wild
    int Jokers = 0;

    constexpr bool Wild() const { return WildRank != kNoWildRankInGame || Jokers > 0; }
};

constexpr int kDeuces = 0;
constexpr int kSevens = 5;

// Indexed by game index, which stored logs, paytables and settings refer to:
// never reorder. Games that share their lines differ only by their paytables.
constexpr std::array<TGame, kCatalogueSize> kGames = {{
    {"Jacks or better", kJacksOrBetter},                        // 0
    {"High Fives", kHighFives},                                 // 1
    {"Double Bonus", kDoubleBonus},                             // 2
    {"Joker Wild (KINGS+)", kJokerWildKings, kJokerRank, 1},    // 3
    {"Deuces Wild", kDeucesWild, kDeuces},                      // 4
    {"Aces and Eights", kAcesAndEights},                        // 5
    {"Tens or better", kTensOrBetter},                          // 6
    {"Bonus Deuces Wild", kBonusDeucesWild, kDeuces},           // 7
    {"Double Joker Poker", kDoubleJokerPoker, kJokerRank, 2},   // 8
    {"Loose Deuces", kDeucesWild, kDeuces},                     // 9
    {"Aces and Faces", kAcesAndFaces},                          // 10
    {"Bonus Poker", kBonusPoker},                               // 11
    {"Deuces and Joker Wild", kDeucesAndJokerWild, kDeuces, 1}, // 12
    {"Kings or better", kKingsOrBetter},                        // 13
    {"Aces and Jacks", kAcesAndJacks},                          // 14
    {"Nevada Bonus Poker", kNevadaBonusPoker},                  // 15
    {"Joker Wild (2P+)", kJokerWildTwoPairs, kJokerRank, 1},    // 16
    {"Deuces Deluxe", kDeucesDeluxe, kDeuces},                  // 17
    {"Odyssey Deuces", kOdysseyDeuces, kDeuces},                // 18
    {"Lucky Nugget", kLuckyNugget},                             // 19
    {"Sevens Wild", kSevensWild, kSevens},                      // 20
    {"Bonus Poker Deluxe", kJacksOrBetter},                     // 21
    {"Triple Bonus", kDoubleBonus},                             // 22
    {"Super Double Bonus", kSuperDoubleBonus},                  // 23
    {"All American Poker", kJacksOrBetter},                     // 24
    {"Flushorama", kJacksOrBetter},                             // 25
    {"King of the House", kJacksOrBetter},                      // 26
    {"Mistery Bonus", kJacksOrBetter},                          // 27
    {"Straight Flush Bonus", kJacksOrBetter},                   // 28
    {"Double Deuces", kDeucesWild, kDeuces},                    // 29
    {"Triple Pay", kDeucesWild, kDeuces},                       // 30
    {"Double Bonus Plus", kDoubleBonus},                        // 31
    {"Power House / Full House", kDoubleBonus},                 // 32
    {"Super Aces", kDoubleBonus},                               // 33
    {"Royal Court", kRoyalCourt},                               // 34
    {"Double Double Bonus", kDoubleDoubleBonus},                // 35
    {"Triple Double Bonus", kTripleDoubleBonus},                // 36
}};

// What the descriptions rely on, checked when the table compiles.
constexpr bool WellFormed(const TGame& game) {
    if (game.Name.empty() || game.Lines.empty() || game.Lines.size() > kMaxLines) return false;
    constexpr TCategorySet quads = FourK(kAll);
    for (const TLine& line : game.Lines) {
        if (line.Name.empty() || (line.Natural == 0 && line.Wild == 0)) return false;
        if (line.Wild != 0 && !game.Wild()) return false;
        if (line.Kickers == 0) continue;
        // Only the natural engine counts kickers, and only of quads, whose
        // hands without the kicker a plain line pays.
        if (game.Wild() || (line.Natural & ~quads) != 0) return false;
        TCategorySet plain = 0;
        for (const TLine& other : game.Lines)
            if (other.Kickers == 0) plain |= other.Natural;
        if ((line.Natural & ~plain) != 0) return false;
    }
    return true;
}
static_assert(std::all_of(kGames.begin(), kGames.end(), WellFormed));

// The only writer of a description's lines: fills one from its row of the table.
template <class TBase> class TTableDescription final : public TBase {
  public:
    TTableDescription(const TGame& game, int gameIndex) {
        this->GameIndex = gameIndex;
        this->Name = game.Name;
        this->WildRank = game.WildRank;
        this->Jokers = game.Jokers;
        int index = 0;
        for (const TLine& line : game.Lines) {
            if constexpr (std::is_same_v<TBase, TWildPokerDescription>)
                this->SetLine(index, std::string(line.Name), line.Natural, line.Wild);
            else
                this->SetLine(index, std::string(line.Name), line.Natural);
            this->SetKickers(index++, line.Kickers);
        }
    }
};

} // namespace

std::unique_ptr<TPokerDescription> CreateDescription(int gameIndex) {
    if (gameIndex < 0 || gameIndex >= kCatalogueSize) return nullptr;
    const TGame& game = kGames[static_cast<size_t>(gameIndex)];
    // The wild engine reads the wild lines from a TWildPokerDescription.
    if (game.Wild())
        return std::make_unique<TTableDescription<TWildPokerDescription>>(game, gameIndex);
    return std::make_unique<TTableDescription<TPokerDescription>>(game, gameIndex);
}

std::vector<std::unique_ptr<TPokerDescription>> BuildCatalogue() {
    std::vector<std::unique_ptr<TPokerDescription>> list;
    for (int index = 0; index < kCatalogueSize; ++index)
        if (index != kHiddenGameIndex) list.push_back(CreateDescription(index));
    return list;
}

const std::vector<TGameName>& GameNames() {
    static const std::vector<TGameName> names = [] {
        std::vector<TGameName> list;
        for (int index = 0; index < kCatalogueSize; ++index)
            if (index != kHiddenGameIndex)
                list.push_back({std::string(kGames[static_cast<size_t>(index)].Name), index});
        return list;
    }();
    return names;
}

std::string GameName(int gameIndex) {
    for (const auto& entry : GameNames())
        if (entry.GameIndex == gameIndex) return entry.Name;
    return {};
}

} // namespace drawmentor
