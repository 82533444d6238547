#include "LogRecord.h"

#include "cards/Cards.h"
#include "core/Checked.h"
#include "games/Catalogue.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>

namespace drawmentor {
namespace {

// Explicit little-endian byte order, whatever the machine's.
void PutU32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetU32(const uint8_t* at) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= uint32_t{at[i]} << (8 * i);
    return value;
}

void PutF64(uint8_t* at, double value) {
    const auto bits = std::bit_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i) at[i] = static_cast<uint8_t>(bits >> (8 * i));
}

double GetF64(const uint8_t* at) {
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= uint64_t{at[i]} << (8 * i);
    return std::bit_cast<double>(bits);
}

} // namespace

TLogRecord::TBytes TLogRecord::ToBytes() const {
    TBytes b{};
    b[0] = Reserved;
    b[1] = GameIndex;
    b[2] = PayIndex;
    b[3] = Mode;
    std::memcpy(&b[4], Dealt.data(), 5);
    std::memcpy(&b[9], Drawn.data(), 5);
    b[14] = CoinIndex;
    b[15] = Bet;
    PutU32(&b[16], static_cast<uint32_t>(Collected));
    PutU32(&b[20], static_cast<uint32_t>(Win));
    PutU32(&b[24], static_cast<uint32_t>(BestWin));
    PutU32(&b[28], static_cast<uint32_t>(MaxWin));
    b[32] = DealLine;
    b[33] = Line;
    b[34] = BestLine;
    b[35] = DrawMask;
    b[36] = BestMask;
    b[37] = MaxMask;
    PutF64(&b[38], Return);
    PutF64(&b[46], BestReturn);
    PutF64(&b[54], DealTime);
    PutF64(&b[62], CollectTime);
    b[70] = DoubleUps;
    PutF64(&b[71], HintReturn);
    return b;
}

TLogRecord TLogRecord::FromBytes(const uint8_t* b) {
    TLogRecord r;
    r.Reserved = b[0];
    r.GameIndex = b[1];
    r.PayIndex = b[2];
    r.Mode = b[3];
    std::memcpy(r.Dealt.data(), &b[4], 5);
    std::memcpy(r.Drawn.data(), &b[9], 5);
    r.CoinIndex = b[14];
    r.Bet = b[15];
    r.Collected = static_cast<int32_t>(GetU32(&b[16]));
    r.Win = static_cast<int32_t>(GetU32(&b[20]));
    r.BestWin = static_cast<int32_t>(GetU32(&b[24]));
    r.MaxWin = static_cast<int32_t>(GetU32(&b[28]));
    r.DealLine = b[32];
    r.Line = b[33];
    r.BestLine = b[34];
    r.DrawMask = b[35];
    r.BestMask = b[36];
    r.MaxMask = b[37];
    r.Return = GetF64(&b[38]);
    r.BestReturn = GetF64(&b[46]);
    r.DealTime = GetF64(&b[54]);
    r.CollectTime = GetF64(&b[62]);
    r.DoubleUps = b[70];
    r.HintReturn = GetF64(&b[71]);
    return r;
}

bool IsValidRecord(const TLogRecord& r) {
    // The last line of each catalogue game, -1 past the catalogue.
    static const std::array<int, 256> lastLines = [] {
        std::array<int, 256> lines;
        lines.fill(-1);
        for (int game = 0; game < kCatalogueSize; ++game)
            if (const auto description = CreateDescription(game))
                lines[static_cast<size_t>(game)] = description->LastLine;
        return lines;
    }();
    const int lastLine = lastLines[r.GameIndex];
    const auto line = [&](uint8_t value) { return value == kNoLine || value <= lastLine; };
    const auto cards = [](const std::array<uint8_t, 5>& codes) {
        for (uint8_t code : codes)
            if (code > kMaxCardCode) return false;
        return true;
    };
    // Day 0 is 30 December 1899; 2958465 is 31 December 9999, the last day a date can show.
    const auto moment = [](double value) {
        return std::isfinite(value) && value >= 0 && value < 2958466;
    };
    return lastLine >= 0 && r.Mode <= 3 && r.CoinIndex < kCoinValueCount && r.Bet >= 1 &&
           r.Bet <= 5 && line(r.DealLine) && line(r.Line) && line(r.BestLine) &&
           r.DrawMask < kMaskCount && r.BestMask < kMaskCount && r.MaxMask < kMaskCount &&
           cards(r.Dealt) && cards(r.Drawn) && std::isfinite(r.Return) &&
           std::isfinite(r.BestReturn) && std::isfinite(r.HintReturn) && moment(r.DealTime) &&
           moment(r.CollectTime);
}

double CoinValue(int coinIndex) {
    static constexpr double kValues[kCoinValueCount] = {0.25, 0.5,  1,    5,   25, 100,
                                                        0.01, 0.02, 0.05, 0.1, 2,  10};
    return kValues[CheckIndex(coinIndex, 0, kCoinValueCount - 1, "coin index")];
}

const std::array<int, kCoinValueCount>& CoinIndicesByValue() {
    static const std::array<int, kCoinValueCount> order = [] {
        std::array<int, kCoinValueCount> indices{};
        for (int i = 0; i < kCoinValueCount; ++i) indices[i] = i;
        std::ranges::sort(indices, {}, [](int i) { return CoinValue(i); });
        return indices;
    }();
    return order;
}

} // namespace drawmentor
