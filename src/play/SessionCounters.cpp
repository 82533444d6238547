#include "SessionCounters.h"

#include "core/Checked.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace drawmentor {

void TSessionCounters::Clear() {
    *this = TSessionCounters{};
}

void TSessionCounters::TakeBet(int32_t coins) {
    FCredits = CheckedSub(FCredits, coins);
    FBestCredits = CheckedSub(FBestCredits, coins);
}

void TSessionCounters::ReturnBet(int32_t coins) {
    FCredits = CheckedAdd(FCredits, coins);
    FBestCredits = CheckedAdd(FBestCredits, coins);
}

void TSessionCounters::CollectHand(int32_t win, int32_t bestWin, int32_t bet, double coinValue) {
    FCredits = CheckedAdd(FCredits, win);
    FBestCredits = CheckedAdd(FBestCredits, bestWin);
    FBalance += (win - bet) * coinValue;
    FHands = CheckedAdd(FHands, int32_t{1});
}

void TSessionCounters::AddReturns(double held, double best) {
    FReturnSum += held;
    FBestReturnSum += best;
}

void TSessionCounters::AddHint() {
    FHints = CheckedAdd(FHints, int32_t{1});
}

void TSessionCounters::StartClock() {
    if (FClockStart == 0) FClockStart = Now() - FPlayTime;
}

double TSessionCounters::Accuracy() const {
    return FBestReturnSum <= 0 ? 100 : FReturnSum / FBestReturnSum * 100;
}

TDateTime TSessionCounters::ElapsedTime() const {
    return FClockStart == 0 ? FPlayTime : Now() - FClockStart;
}

// Both counters start equal: best play is compared from the same credits.
void TSessionCounters::RestoreCredits(int32_t credits) {
    FCredits = FBestCredits = credits;
}

void TSessionCounters::RestoreReturns(double held, double best) {
    FReturnSum = held;
    FBestReturnSum = best;
}

QString PlayTimeText(TDateTime days) {
    const auto seconds = static_cast<long long>(std::llround(std::max(0.0, days) * 86400));
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

std::optional<TDateTime> ParsePlayTime(const QString& text) {
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    // Ten thousand years of play is more than anyone has; a larger stored
    // value is damaged and must not overflow the sum.
    constexpr long long kMaxSeconds = 10'000LL * 366 * 86400;
    long long seconds = 0;
    for (const QString& part : parts) {
        bool ok = false;
        const long long value = part.toLongLong(&ok);
        if (!ok || value < 0 || value > kMaxSeconds) return std::nullopt;
        seconds = seconds * 60 + value;
        if (seconds > kMaxSeconds) return std::nullopt;
    }
    if (parts.size() == 2) seconds *= 60;
    return static_cast<double>(seconds) / 86400.0;
}

} // namespace drawmentor
