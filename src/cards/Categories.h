#pragma once

#include <array>
#include <string_view>

// Final-hand categories. A hand without wild cards has at most one natural
// category; a hand with at least one wild card has exactly one wild category.
// The indices are fixed: every count table, line set and key list uses them.
namespace drawmentor {

inline constexpr int kNaturalCategoryCount = 48;
inline constexpr int kWildCategoryCount = 42;
inline constexpr int kNoCategory = -1;

// Straight kinds share one order everywhere (wheel, middle, ace-high), so a
// kind is an offset from the first category of each straight group.
using TStraightKind = int;
inline constexpr TStraightKind skNone = -1;
inline constexpr TStraightKind skWheel = 0;
inline constexpr TStraightKind skMiddle = 1;
inline constexpr TStraightKind skAceHigh = 2;

inline constexpr int ncFlushStraightA5 = 0;
inline constexpr int ncFlushStraight = 1;
inline constexpr int ncFlushStraightTA = 2;
inline constexpr int ncFourOfKind2 = 3; // + rank
inline constexpr int ncFullHouse = 16;
inline constexpr int ncFlush = 17;
inline constexpr int ncStraightA5 = 18;
inline constexpr int ncStraight = 19;
inline constexpr int ncStraightTA = 20;
inline constexpr int ncThreeOfKind2 = 21; // + rank
inline constexpr int ncTwoPairs = 34;
inline constexpr int ncPairs2 = 35; // + rank

inline constexpr int wcWild5 = 0;
inline constexpr int wcWild4A = 1;
inline constexpr int wcWild4WA = 2;
inline constexpr int wcWildFive2 = 3; // + rank
inline constexpr int wcWild3 = 16;
inline constexpr int wcWild3Flush = 17;
inline constexpr int wcWild3FlushStrA5 = 18; // + straight kind
inline constexpr int wcWild2 = 21;
inline constexpr int wcWild2And21 = 22;
inline constexpr int wcWild2Flush = 23;
inline constexpr int wcWild2FlushStrA5 = 24; // + straight kind
inline constexpr int wcWild2StraightA5 = 27; // + straight kind
inline constexpr int wcWild1 = 30;
inline constexpr int wcWild1And31 = 31;
inline constexpr int wcWild1And22 = 32;
inline constexpr int wcWild1And211 = 33;
inline constexpr int wcWild1Flush = 34;
inline constexpr int wcWild1FlushStrA5 = 35; // + straight kind
inline constexpr int wcWild1StraightA5 = 38; // + straight kind
inline constexpr int wcWild1Kings = 41;

extern const std::array<std::string_view, kNaturalCategoryCount> NaturalCategoryKeys;
extern const std::array<std::string_view, kWildCategoryCount> WildCategoryKeys;

} // namespace drawmentor
