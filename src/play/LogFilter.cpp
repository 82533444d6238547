#include "LogFilter.h"

#include "Logger.h"

#include "games/GameKey.h"

#include <QLocale>

namespace drawmentor {

QString TLogFilter::DateText(TDateTime value) {
    return QLatin1Char(' ') + QLocale().toString(DateOf(value), QLocale::ShortFormat);
}

void TLogFilter::Init(TLogger& logger) {
    SessionStart = logger.SessionStart;
    Games = {QString::fromStdString(GameKey(-1, -1))};
    QStringList days;
    std::vector<QDate> dayValues;
    int previousGame = -1, previousPay = -1;
    QString previousDate;
    TLogRecord record, last;
    bool any = false;
    logger.Rewind();
    while (logger.ReadNext(record)) {
        if (record.GameIndex != previousGame || record.PayIndex != previousPay) {
            const QString key = QString::fromStdString(GameKey(record.GameIndex, record.PayIndex));
            if (!Games.contains(key)) Games << key;
        }
        const QString date = DateText(record.DealTime);
        if (date != previousDate && !days.contains(date)) {
            days << date;
            dayValues.push_back(DateOf(record.DealTime));
        }
        previousGame = record.GameIndex;
        previousPay = record.PayIndex;
        previousDate = date;
        last = record;
        any = true;
    }
    Dates = {QString()};
    DateDays = {QDate()};
    for (qsizetype i = days.size() - 1; i >= 0; --i) {
        Dates << days[i];
        DateDays.push_back(dayValues[static_cast<size_t>(i)]);
    }
    DateFrom = SessionStart;
    if (!any) {
        Game = PayIndex = -1;
        Modes = 0xF;
        return;
    }
    if (last.DealTime < SessionStart && Dates.size() > 1) DateFrom = StartOfDay(DateDays[1]);
    Game = last.GameIndex;
    PayIndex = last.PayIndex;
    Modes = 1u << (last.Mode & 7);
}

bool TLogFilter::MatchesKey(const TLogRecord& record) const {
    if (Game != -1 && Game != record.GameIndex) return false;
    if (PayIndex != -1 && PayIndex != record.PayIndex) return false;
    return record.Mode <= 7 && ((Modes >> record.Mode) & 1);
}

bool TLogFilter::Matches(const TLogRecord& record) const {
    return record.DealTime >= DateFrom && MatchesKey(record);
}

int TLogFilter::GameItemIndex() const {
    return static_cast<int>(Games.indexOf(QString::fromStdString(GameKey(Game, PayIndex))));
}

void TLogFilter::SetGameItem(int index) {
    if (index < 0 || index >= Games.size()) return;
    const std::string key = Games[index].toStdString();
    const int game = KeyGameIndex(key);
    const int pay = KeyPayIndex(key);
    if (game == Game && pay == PayIndex) return;
    Game = game;
    PayIndex = pay;
    emit Changed();
}

int TLogFilter::DateItemIndex() const {
    if (DateFrom == SessionStart) return 0;
    return static_cast<int>(Dates.indexOf(DateText(DateFrom)));
}

void TLogFilter::SetDateItem(int index) {
    if (index < 0 || index >= Dates.size()) return;
    const TDateTime from =
        index == 0 ? SessionStart : StartOfDay(DateDays[static_cast<size_t>(index)]);
    if (from == DateFrom) return;
    DateFrom = from;
    emit Changed();
}

void TLogFilter::SetModes(unsigned modes) {
    if (modes == Modes) return;
    Modes = modes;
    emit Changed();
}

} // namespace drawmentor
