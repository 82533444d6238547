#pragma once

#include <array>
#include <cstdint>

namespace drawmentor {

inline constexpr int kLogRecordSize = 79;
inline constexpr uint8_t kNoLine = 255;

// One finished hand, stored as 79 bytes without padding; integers and reals
// little-endian, reals IEEE-754 binary64, date-times as days since
// 30 December 1899 (local time), fraction of a day included.
//
//  off size field         off size field          off size field
//    0  1  Reserved        20  4  Win               35  1  DrawMask
//    1  1  GameIndex       24  4  BestWin           36  1  BestMask
//    2  1  PayIndex        28  4  MaxWin            37  1  MaxMask
//    3  1  Mode            32  1  DealLine          38  8  Return
//    4  5  Dealt           33  1  Line              46  8  BestReturn
//    9  5  Drawn           34  1  BestLine          54  8  DealTime
//   14  1  CoinIndex                                62  8  CollectTime
//   15  1  Bet                                      70  1  DoubleUps
//   16  4  Collected                                71  8  HintReturn
//
// Reserved is 0 for a hand played alone. A deal of several hands from one
// hold logs one record per hand, one after the other, each with the number of
// hands of the deal here; older readers ignore the byte and count hands.
struct TLogRecord {
    uint8_t Reserved = 0;
    uint8_t GameIndex = 0;
    uint8_t PayIndex = 0;
    uint8_t Mode = 0;
    std::array<uint8_t, 5> Dealt{};
    std::array<uint8_t, 5> Drawn{};
    uint8_t CoinIndex = 0;
    uint8_t Bet = 0;
    int32_t Collected = 0;
    int32_t Win = 0;
    int32_t BestWin = 0;
    int32_t MaxWin = 0;
    uint8_t DealLine = kNoLine;
    uint8_t Line = kNoLine;
    uint8_t BestLine = kNoLine;
    uint8_t DrawMask = 0;
    uint8_t BestMask = 0;
    uint8_t MaxMask = 0;
    double Return = 0;
    double BestReturn = 0;
    double DealTime = 0;
    double CollectTime = 0;
    uint8_t DoubleUps = 0;
    double HintReturn = 0;

    using TBytes = std::array<uint8_t, kLogRecordSize>;
    TBytes ToBytes() const;
    static TLogRecord FromBytes(const uint8_t* bytes);
    friend bool operator==(const TLogRecord&, const TLogRecord&) = default;
};

// Whether a record read from the file can be a hand this program logged: a
// catalogue game, a play mode, a coin and a bet, lines of that game, holds and
// finite figures. Anything else is damage and is left out of every count.
bool IsValidRecord(const TLogRecord& record);

inline constexpr int kCoinValueCount = 12;
// Coins to money by CoinIndex 0..11. Records and settings store the index, so
// the first six ($0.25, $0.50, $1, $5, $25, $100) keep their places and the
// other denominations come after them: 1, 2, 5 and 10 cents, $2, $10.
double CoinValue(int coinIndex);
// Every coin index, from the smallest coin to the largest, for lists that
// show the coins in order.
const std::array<int, kCoinValueCount>& CoinIndicesByValue();

} // namespace drawmentor
