#pragma once

#include <QDate>
#include <QDateTime>

#include <functional>

// Date-times as the log stores them: days since 30 December 1899 with the
// fraction of the day, local time.
namespace drawmentor {

using TDateTime = double;

TDateTime ToDateTime(const QDateTime& moment);
QDateTime FromDateTime(TDateTime value);
// The start (00:00) of the day of a date-time.
TDateTime StartOfDay(TDateTime value);
TDateTime StartOfDay(const QDate& date);
QDate DateOf(TDateTime value);

// The clock of the play session; tests replace it.
TDateTime Now();
void SetClock(std::function<TDateTime()> clock);

} // namespace drawmentor
