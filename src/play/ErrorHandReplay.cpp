#include "ErrorHandReplay.h"

#include "DealCounter.h"
#include "Logger.h"

namespace drawmentor {

bool TErrorHandReplay::Build(TLogger& logger, int gameIndex, int payIndex) {
    Clear();
    FLogRemovals = logger.RemovalCount();
    TLogRecord record;
    TDealCounter deals;
    logger.Rewind();
    while (logger.ReadNext(record)) {
        // The hands of one deal are one error to replay.
        if (!deals.Add(record)) continue;
        if (record.GameIndex != gameIndex || record.PayIndex != payIndex) continue;
        if (!(record.Return < record.BestReturn || record.HintReturn > 0)) continue;
        std::array<int, kHandSize> codes{};
        for (int i = 0; i < kHandSize; ++i) codes[i] = record.Dealt[i];
        FHands.push_back(PackHand(codes));
    }
    return !FHands.empty();
}

void TErrorHandReplay::Clear() {
    FHands.clear();
    FNext = 0;
}

std::array<int, kHandSize> TErrorHandReplay::Next() {
    if (FNext >= Count()) FNext = 0;
    return UnpackHand(FHands.at(FNext++));
}

bool TErrorHandReplay::IsStale(const TLogger& logger) const {
    return logger.RemovalCount() != FLogRemovals;
}

} // namespace drawmentor
