#include "Catalogue.h"

#include "cards/Cards.h"
#include "cards/Categories.h"

#include <functional>
#include <string_view>

namespace drawmentor {
namespace {

// --- Set shorthands of the line tables -------------------------------------

constexpr TCategorySet Bit(int category) {
    return TCategorySet{1} << category;
}

TCategorySet ByRank(int first, std::string_view ranks) {
    TCategorySet set = 0;
    for (char letter : ranks) set |= Bit(first + static_cast<int>(kRankLetters.find(letter)));
    return set;
}

constexpr std::string_view kAll = "23456789TJQKA";

const TCategorySet RF = Bit(ncFlushStraightTA);
const TCategorySet SF = Bit(ncFlushStraightA5) | Bit(ncFlushStraight);
TCategorySet FourK(std::string_view ranks) {
    return ByRank(ncFourOfKind2, ranks);
}
const TCategorySet FH = Bit(ncFullHouse);
const TCategorySet FL = Bit(ncFlush);
const TCategorySet ST = Bit(ncStraightA5) | Bit(ncStraight) | Bit(ncStraightTA);
TCategorySet ThreeK(std::string_view ranks) {
    return ByRank(ncThreeOfKind2, ranks);
}
const TCategorySet TwoP = Bit(ncTwoPairs);
TCategorySet Pairs(std::string_view ranks) {
    return ByRank(ncPairs2, ranks);
}

const TCategorySet w5W = Bit(wcWild5);
const TCategorySet w4W = Bit(wcWild4A) | Bit(wcWild4WA);
const TCategorySet wRF = Bit(wcWild3FlushStrA5 + skAceHigh) | Bit(wcWild2FlushStrA5 + skAceHigh) |
                         Bit(wcWild1FlushStrA5 + skAceHigh);
TCategorySet w5K(std::string_view ranks) {
    return ByRank(wcWildFive2, ranks);
}
const TCategorySet wSF = Bit(wcWild3FlushStrA5) | Bit(wcWild3FlushStrA5 + skMiddle) |
                         Bit(wcWild2FlushStrA5) | Bit(wcWild2FlushStrA5 + skMiddle) |
                         Bit(wcWild1FlushStrA5) | Bit(wcWild1FlushStrA5 + skMiddle);
const TCategorySet w4K = Bit(wcWild3) | Bit(wcWild2And21) | Bit(wcWild1And31);
const TCategorySet w4KPlus = w4K | Bit(wcWild3Flush);
const TCategorySet wFH = Bit(wcWild3) | Bit(wcWild2And21) | Bit(wcWild1And31) | Bit(wcWild1And22);
const TCategorySet wFL = Bit(wcWild3Flush) | Bit(wcWild2Flush) | Bit(wcWild1Flush);
const TCategorySet wST = Bit(wcWild2StraightA5) | Bit(wcWild2StraightA5 + skMiddle) |
                         Bit(wcWild2StraightA5 + skAceHigh) | Bit(wcWild1StraightA5) |
                         Bit(wcWild1StraightA5 + skMiddle) | Bit(wcWild1StraightA5 + skAceHigh);
const TCategorySet w3K = Bit(wcWild2) | Bit(wcWild1And211);
const TCategorySet w2P = Bit(wcWild1And211);
const TCategorySet wKA = Bit(wcWild1Kings);

// --- Natural games -----------------------------------------------------------

class TJacksOrBetter : public TPokerDescription {
  public:
    TJacksOrBetter() {
        Name = "Jacks or better";
        SetLine(0, "Royal Flush", RF);
        SetLine(1, "Straight Flush", SF);
        SetLine(2, "Four of Kind", FourK(kAll));
        SetLine(3, "Full House", FH);
        SetLine(4, "Flush", FL);
        SetLine(5, "Straight", ST);
        SetLine(6, "Three of Kind", ThreeK(kAll));
        SetLine(7, "Two Pairs", TwoP);
        SetLine(8, "Jacks or Better", Pairs("JQKA"));
    }
};

// Eleven- and twelve-line natural games share their two last lines.
class TBonusFamily : public TPokerDescription {
  protected:
    void EndWithPairs(int twoPairsLine) {
        SetLine(twoPairsLine, "Two Pairs", TwoP);
        SetLine(twoPairsLine + 1, "Jacks or Better", Pairs("JQKA"));
    }
};

class THighFives : public TBonusFamily {
  public:
    THighFives() {
        Name = "High Fives";
        SetLine(0, "Royal Flush", RF);
        SetLine(1, "Four Fives", FourK("5"));
        SetLine(2, "Straight Flush", SF);
        SetLine(3, "Four of Kind", FourK("2346789TJQKA"));
        SetLine(4, "Full House", FH);
        SetLine(5, "Flush", FL);
        SetLine(6, "Three Fives", ThreeK("5"));
        SetLine(7, "Straight", ST);
        SetLine(8, "Three of Kind", ThreeK("2346789TJQKA"));
        EndWithPairs(9);
    }
};

class TDoubleBonus : public TBonusFamily {
  public:
    TDoubleBonus() {
        Name = "Double Bonus";
        SetLine(0, "Royal Flush", RF);
        SetLine(1, "Straight Flush", SF);
        SetLine(2, "Four Aces", FourK("A"));
        SetLine(3, "Four 2-4", FourK("234"));
        SetLine(4, "Four 5-K", FourK("56789TJQK"));
        SetLine(5, "Full House", FH);
        SetLine(6, "Flush", FL);
        SetLine(7, "Straight", ST);
        SetLine(8, "Three of Kind", ThreeK(kAll));
        EndWithPairs(9);
    }
};

class TAcesAndEights : public TBonusFamily {
  public:
    TAcesAndEights() {
        Name = "Aces and Eights";
        SetLine(0, "Royal Flush", RF);
        SetLine(1, "Four Aces or 8", FourK("8A"));
        SetLine(2, "Four  7", FourK("7"));
        SetLine(3, "Straight Flush", SF);
        SetLine(4, "Four of Kind", FourK("234569TJQK"));
        SetLine(5, "Full House", FH);
        SetLine(6, "Flush", FL);
        SetLine(7, "Straight", ST);
        SetLine(8, "Three of Kind", ThreeK(kAll));
        EndWithPairs(9);
    }
};

class TAcesAndFaces : public TBonusFamily {
  public:
    TAcesAndFaces() {
        Name = "Aces and Faces";
        SetLine(0, "Royal Flush", RF);
        SetLine(1, "Four Aces", FourK("A"));
        SetLine(2, "Straight Flush", SF);
        SetLine(3, "Four Faces", FourK("JQK"));
        SetLine(4, "Four 2-10", FourK("23456789T"));
        SetLine(5, "Full House", FH);
        SetLine(6, "Flush", FL);
        SetLine(7, "Straight", ST);
        SetLine(8, "Three of Kind", ThreeK(kAll));
        EndWithPairs(9);
    }
};

class TBonusPoker : public TBonusFamily {
  public:
    TBonusPoker() {
        Name = "Bonus Poker";
        SetLine(0, "Royal Flush", RF);
        SetLine(1, "Four Aces", FourK("A"));
        SetLine(2, "Straight Flush", SF);
        SetLine(3, "Four 2-4", FourK("234"));
        SetLine(4, "Four 5-K", FourK("56789TJQK"));
        SetLine(5, "Full House", FH);
        SetLine(6, "Flush", FL);
        SetLine(7, "Straight", ST);
        SetLine(8, "Three of Kind", ThreeK(kAll));
        EndWithPairs(9);
    }
};

class TAcesAndJacks : public TBonusFamily {
  public:
    TAcesAndJacks() {
        Name = "Aces and Jacks";
        SetLine(0, "Royal Flush", RF);
        SetLine(1, "Four Aces", FourK("A"));
        SetLine(2, "Straight Flush", SF);
        SetLine(3, "Four Jacks", FourK("J"));
        SetLine(4, "Four of Kind", FourK("23456789TQK"));
        SetLine(5, "Full House", FH);
        SetLine(6, "Flush", FL);
        SetLine(7, "Straight", ST);
        SetLine(8, "Three of Kind", ThreeK(kAll));
        EndWithPairs(9);
    }
};

class TNevadaBonusPoker : public TBonusFamily {
  public:
    TNevadaBonusPoker() {
        Name = "Nevada Bonus Poker";
        SetLine(0, "Royal Flush", RF);
        SetLine(1, "Four Aces", FourK("A"));
        SetLine(2, "Straight Flush", SF);
        SetLine(3, "Four of Kind", FourK("23456789TJQK"));
        SetLine(4, "Full House", FH);
        SetLine(5, "Flush", FL);
        SetLine(6, "Three Aces", ThreeK("A"));
        SetLine(7, "Straight", ST);
        SetLine(8, "Three of Kind", ThreeK("23456789TJQK"));
        EndWithPairs(9);
    }
};

class TSuperDoubleBonus : public TBonusFamily {
  public:
    TSuperDoubleBonus() {
        Name = "Super Double Bonus";
        SetLine(0, "Royal Flush", RF);
        SetLine(1, "Straight Flush", SF);
        SetLine(2, "Four Aces", FourK("A"));
        SetLine(3, "Four J-K", FourK("JQK"));
        SetLine(4, "Four 2-4", FourK("234"));
        SetLine(5, "Four 5-10", FourK("56789T"));
        SetLine(6, "Full House", FH);
        SetLine(7, "Flush", FL);
        SetLine(8, "Straight", ST);
        SetLine(9, "Three of Kind", ThreeK(kAll));
        EndWithPairs(10);
    }
};

class TRoyalCourt : public TBonusFamily {
  public:
    TRoyalCourt() {
        Name = "Royal Court";
        SetLine(0, "Royal Flush", RF);
        SetLine(1, "Straight Flush", SF);
        SetLine(2, "Four  Kings", FourK("K"));
        SetLine(3, "Four  Queens", FourK("Q"));
        SetLine(4, "Four  Jacks", FourK("J"));
        SetLine(5, "Four of Kind", FourK("23456789TA"));
        SetLine(6, "Full House", FH);
        SetLine(7, "Flush", FL);
        SetLine(8, "Straight", ST);
        SetLine(9, "Three of Kind", ThreeK(kAll));
        EndWithPairs(10);
    }
};

class TLuckyNugget : public TPokerDescription {
  public:
    TLuckyNugget() {
        Name = "Lucky Nugget";
        SetLine(0, "Royal Flush", RF);
        SetLine(1, "Straight Flush", SF);
        SetLine(2, "Four of Kind", FourK(kAll));
        SetLine(3, "Full House", FH);
        SetLine(4, "Flush", FL);
        SetLine(5, "Straight", ST);
        SetLine(6, "Three of Kind", ThreeK(kAll));
        SetLine(7, "Two Pairs", TwoP);
    }
};

class TTensOrBetter : public TJacksOrBetter {
  public:
    TTensOrBetter() {
        Name = "Tens or better";
        SetLine(8, "Tens or Better", Pairs("TJQKA"));
    }
};

class TKingsOrBetter : public TJacksOrBetter {
  public:
    TKingsOrBetter() {
        Name = "Kings or better";
        SetLine(8, "Kings or Better", Pairs("KA"));
    }
};

// Variants that differ from their parent only by the paytables stored for them.
template <class TParent> class TRenamed : public TParent {
  public:
    explicit TRenamed(const char* name) { this->Name = name; }
};

// --- Wild games --------------------------------------------------------------

class TJokerWildKings : public TWildPokerDescription {
  public:
    TJokerWildKings() {
        Name = "Joker Wild (KINGS+)";
        WildRank = kJokerRank;
        Jokers = 1;
        SetLine(0, "Natural Royal Flush", RF, 0);
        SetLine(1, "Five of Kind", 0, w5K(kAll));
        SetLine(2, "Wild Royal Flush", 0, wRF);
        SetJokerTail();
        SetLine(10, "Kings or Better", Pairs("KA"), wKA);
    }

  protected:
    void SetJokerTail() {
        SetLine(3, "Straight Flush", SF, wSF);
        SetLine(4, "Four of Kind", FourK(kAll), w4K);
        SetLine(5, "Full House", FH, wFH);
        SetLine(6, "Flush", FL, wFL);
        SetLine(7, "Straight", ST, wST);
        SetLine(8, "Three of Kind", ThreeK(kAll), w3K);
        SetLine(9, "Two Pairs", TwoP, w2P);
    }
};

class TJokerWild2Pairs : public TJokerWildKings {
  public:
    TJokerWild2Pairs() {
        Name = "Joker Wild (2P+)";
        // The parent's "Kings or Better" line does not exist here.
        FLineNames[10].clear();
        FLineCategories[10] = 0;
        FWildLineCategories[10] = 0;
        LastLine = 9;
    }
};

class TDoubleJokerPoker : public TJokerWildKings {
  public:
    TDoubleJokerPoker() {
        Name = "Double Joker Poker";
        Jokers = 2;
        FLineNames[10].clear();
        FLineCategories[10] = 0;
        FWildLineCategories[10] = 0;
        LastLine = 9;
        SetLine(1, "Wild Royal Flush", 0, wRF);
        SetLine(2, "Five of Kind", 0, w5K(kAll));
        SetLine(9, "Two Pairs", TwoP, Bit(wcWild2) | Bit(wcWild1And211));
    }
};

class TDeucesWild : public TWildPokerDescription {
  public:
    TDeucesWild() {
        Name = "Deuces Wild";
        WildRank = 0;
        SetLine(0, "Natural Royal Flush", RF, 0);
        SetLine(1, "Four Deuces", 0, w4W);
        SetLine(2, "Wild Royal Flush", 0, wRF);
        SetLine(3, "Five of Kind", 0, w5K(kAll));
        SetLine(4, "Straight Flush", SF, wSF);
        SetLine(5, "Four of Kind", FourK(kAll), w4KPlus);
        SetLine(6, "Full House", FH, wFH);
        SetLine(7, "Flush", FL, wFL);
        SetLine(8, "Straight", ST, wST);
        SetLine(9, "Three of Kind", ThreeK(kAll), w3K);
    }
};

class TSevensWild : public TDeucesWild {
  public:
    TSevensWild() {
        Name = "Sevens Wild";
        WildRank = 5;
        SetLine(1, "Four 7s", 0, w4W);
    }
};

class TBonusDeucesWild : public TWildPokerDescription {
  public:
    TBonusDeucesWild() {
        Name = "Bonus Deuces Wild";
        WildRank = 0;
        SetLine(0, "Natural Royal Flush", RF, 0);
        SetLine(1, "Four Deuces + Ace", 0, Bit(wcWild4A));
        SetLine(2, "Four Deuces", 0, Bit(wcWild4WA));
        SetLine(3, "Wild Royal Flush", 0, wRF);
        SetLine(4, "Five Aces", 0, w5K("A"));
        SetLine(5, "Five 3-5", 0, w5K("345"));
        SetLine(6, "Five 6-K", 0, w5K("6789TJQK"));
        SetLine(7, "Straight Flush", SF, wSF);
        SetLine(8, "Four of Kind", FourK(kAll), w4KPlus);
        SetLine(9, "Full House", FH, wFH);
        SetLine(10, "Flush", FL, wFL);
        SetLine(11, "Straight", ST, wST);
        SetLine(12, "Three of Kind", ThreeK(kAll), w3K);
    }
};

class TDeucesDeluxe : public TWildPokerDescription {
  public:
    TDeucesDeluxe() {
        Name = "Deuces Deluxe";
        WildRank = 0;
        SetLine(0, "Natural Royal Flush", RF, 0);
        SetLine(1, "Four Deuces", 0, w4W);
        SetLine(2, "Natural Straight Flush", SF, 0);
        SetLine(3, "Wild Royal Flush", 0, wRF);
        SetLine(4, "Five of Kind", 0, w5K(kAll));
        SetLine(5, "Natural Four of Kind", FourK(kAll), 0);
        SetLine(6, "Wild Straight Flush", 0, wSF);
        SetLine(7, "Wild Four of Kind", 0, w4KPlus);
        SetLine(8, "Full House", FH, wFH);
        SetLine(9, "Flush", FL, wFL);
        SetLine(10, "Straight", ST, wST);
        SetLine(11, "Three of Kind", ThreeK(kAll), w3K);
    }
};

class TOdysseyDeuces : public TWildPokerDescription {
  public:
    TOdysseyDeuces() {
        Name = "Odyssey Deuces";
        WildRank = 0;
        SetLine(0, "Natural Royal Flush", RF, 0);
        SetLine(1, "Four Deuces", 0, w4W);
        SetLine(2, "Natural Four of Kind", FourK(kAll), 0);
        SetLine(3, "Wild Royal Flush", 0, wRF);
        SetLine(4, "Five of Kind", 0, w5K(kAll));
        SetLine(5, "Straight Flush", SF, wSF);
        SetLine(6, "Wild Four of Kind", 0, w4KPlus);
        SetLine(7, "Full House", FH, wFH);
        SetLine(8, "Flush", FL, wFL);
        SetLine(9, "Straight", ST, wST);
        SetLine(10, "Three of Kind", ThreeK(kAll), w3K);
    }
};

class TJokerAndDeucesWild : public TWildPokerDescription {
  public:
    TJokerAndDeucesWild() {
        Name = "Deuces and Joker Wild";
        WildRank = 0;
        Jokers = 1;
        SetLine(0, "Five  WILDS", 0, w5W);
        SetLine(1, "Natural Royal Flush", RF, 0);
        SetLine(2, "Four Deuces", 0, w4W);
        SetLine(3, "Wild Royal Flush", 0, wRF);
        SetLine(4, "Five of Kind", 0, w5K(kAll));
        SetLine(5, "Straight Flush", SF, wSF);
        SetLine(6, "Four of Kind", FourK(kAll), w4KPlus);
        SetLine(7, "Full House", FH, wFH);
        SetLine(8, "Flush", FL, wFL);
        SetLine(9, "Straight", ST, wST);
        SetLine(10, "Three of Kind", ThreeK(kAll), w3K);
    }
};

template <class T> std::unique_ptr<TPokerDescription> Make() {
    return std::make_unique<T>();
}

template <class T> std::function<std::unique_ptr<TPokerDescription>()> Renamed(const char* name) {
    return [name] { return std::make_unique<TRenamed<T>>(name); };
}

const std::vector<std::function<std::unique_ptr<TPokerDescription>()>>& Constructors() {
    static const std::vector<std::function<std::unique_ptr<TPokerDescription>()>> table = {
        Make<TJacksOrBetter>,                              // 0
        Make<THighFives>,                                  // 1
        Make<TDoubleBonus>,                                // 2
        Make<TJokerWildKings>,                             // 3
        Make<TDeucesWild>,                                 // 4
        Make<TAcesAndEights>,                              // 5
        Make<TTensOrBetter>,                               // 6
        Make<TBonusDeucesWild>,                            // 7
        Make<TDoubleJokerPoker>,                           // 8
        Renamed<TDeucesWild>("Loose Deuces"),              // 9
        Make<TAcesAndFaces>,                               // 10
        Make<TBonusPoker>,                                 // 11
        Make<TJokerAndDeucesWild>,                         // 12
        Make<TKingsOrBetter>,                              // 13
        Make<TAcesAndJacks>,                               // 14
        Make<TNevadaBonusPoker>,                           // 15
        Make<TJokerWild2Pairs>,                            // 16
        Make<TDeucesDeluxe>,                               // 17
        Make<TOdysseyDeuces>,                              // 18
        Make<TLuckyNugget>,                                // 19
        Make<TSevensWild>,                                 // 20
        Renamed<TJacksOrBetter>("Bonus Poker Deluxe"),     // 21
        Renamed<TDoubleBonus>("Triple Bonus"),             // 22
        Make<TSuperDoubleBonus>,                           // 23
        Renamed<TJacksOrBetter>("All American Poker"),     // 24
        Renamed<TJacksOrBetter>("Flushorama"),             // 25
        Renamed<TJacksOrBetter>("King of the House"),      // 26
        Renamed<TJacksOrBetter>("Mistery Bonus"),          // 27
        Renamed<TJacksOrBetter>("Straight Flush Bonus"),   // 28
        Renamed<TDeucesWild>("Double Deuces"),             // 29
        Renamed<TDeucesWild>("Triple Pay"),                // 30
        Renamed<TDoubleBonus>("Double Bonus Plus"),        // 31
        Renamed<TDoubleBonus>("Power House / Full House"), // 32
        Renamed<TDoubleBonus>("Super Aces"),               // 33
        Make<TRoyalCourt>,                                 // 34
    };
    return table;
}

} // namespace

std::unique_ptr<TPokerDescription> CreateDescription(int gameIndex) {
    if (gameIndex < 0 || gameIndex >= kCatalogueSize) return nullptr;
    auto description = Constructors()[gameIndex]();
    description->GameIndex = gameIndex;
    return description;
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
        for (const auto& description : BuildCatalogue())
            list.push_back({description->Name, description->GameIndex});
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
