#include "DateTime.h"

#include <algorithm>
#include <cmath>

namespace drawmentor {
namespace {

const QDate kEpoch(1899, 12, 30);
constexpr double kMillisecondsPerDay = 86400000.0;

std::function<TDateTime()>& Clock() {
    static std::function<TDateTime()> clock;
    return clock;
}

// Whole days of a stored value, kept within the years 1..9999: a damaged
// record's NaN or huge time must give some date, never an undefined cast.
qint64 SaneDays(TDateTime value) {
    constexpr double kFirst = -693593, kLast = 2958465; // 0001-01-01, 9999-12-31
    if (!std::isfinite(value)) return 0;
    return static_cast<qint64>(std::clamp(std::floor(value), kFirst, kLast));
}

} // namespace

TDateTime ToDateTime(const QDateTime& moment) {
    const QDateTime local = moment.toLocalTime();
    const auto days = static_cast<double>(kEpoch.daysTo(local.date()));
    return days + local.time().msecsSinceStartOfDay() / kMillisecondsPerDay;
}

QDateTime FromDateTime(TDateTime value) {
    const qint64 days = SaneDays(value);
    const double fraction =
        std::isfinite(value) ? std::clamp(value - std::floor(value), 0.0, 1.0) : 0;
    const auto msecs = static_cast<int>(std::llround(fraction * kMillisecondsPerDay));
    return QDateTime(kEpoch.addDays(days), QTime(0, 0)).addMSecs(msecs);
}

TDateTime StartOfDay(TDateTime value) {
    return std::floor(value);
}

TDateTime StartOfDay(const QDate& date) {
    return static_cast<double>(kEpoch.daysTo(date));
}

QDate DateOf(TDateTime value) {
    return kEpoch.addDays(SaneDays(value));
}

TDateTime Now() {
    return Clock() ? Clock()() : ToDateTime(QDateTime::currentDateTime());
}

void SetClock(std::function<TDateTime()> clock) {
    Clock() = std::move(clock);
}

} // namespace drawmentor
