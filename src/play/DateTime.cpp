#include "DateTime.h"

#include <cmath>

namespace drawmentor {
namespace {

const QDate kEpoch(1899, 12, 30);
constexpr double kMillisecondsPerDay = 86400000.0;

std::function<TDateTime()>& Clock() {
    static std::function<TDateTime()> clock;
    return clock;
}

} // namespace

TDateTime ToDateTime(const QDateTime& moment) {
    const QDateTime local = moment.toLocalTime();
    const auto days = static_cast<double>(kEpoch.daysTo(local.date()));
    return days + local.time().msecsSinceStartOfDay() / kMillisecondsPerDay;
}

QDateTime FromDateTime(TDateTime value) {
    const double days = std::floor(value);
    const auto msecs = static_cast<int>(std::llround((value - days) * kMillisecondsPerDay));
    return QDateTime(kEpoch.addDays(static_cast<qint64>(days)), QTime(0, 0)).addMSecs(msecs);
}

TDateTime StartOfDay(TDateTime value) {
    return std::floor(value);
}

TDateTime StartOfDay(const QDate& date) {
    return static_cast<double>(kEpoch.daysTo(date));
}

QDate DateOf(TDateTime value) {
    return kEpoch.addDays(static_cast<qint64>(std::floor(value)));
}

TDateTime Now() {
    return Clock() ? Clock()() : ToDateTime(QDateTime::currentDateTime());
}

void SetClock(std::function<TDateTime()> clock) {
    Clock() = std::move(clock);
}

} // namespace drawmentor
