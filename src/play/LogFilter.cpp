#include "LogFilter.h"

#include "Logger.h"

#include "games/GameKey.h"

#include <QLocale>

#include <set>
#include <utility>

namespace drawmentor {

QString TLogFilter::DateText(TDateTime value) {
    return QLatin1Char(' ') + QLocale().toString(DateOf(value), QLocale::ShortFormat);
}

void TLogFilter::Init(TLogger& logger) {
    SessionStart = logger.SessionStart;
    Games = {QString::fromStdString(GameKey(-1, -1))};
    // Logs merged, damaged or edited by hand are not in day order: the lists
    // are sets, so that building them stays linear in the records whatever
    // their order, and the date text is made once per day, not per record.
    std::set<std::pair<int, int>> games;
    std::set<int64_t> days;
    TLogRecord record, last;
    bool any = false;
    logger.Rewind();
    while (logger.ReadNext(record)) {
        if (games.insert({record.GameIndex, record.PayIndex}).second)
            Games << QString::fromStdString(GameKey(record.GameIndex, record.PayIndex));
        days.insert(static_cast<int64_t>(StartOfDay(record.DealTime)));
        last = record;
        any = true;
    }
    Dates = {QString()};
    DateDays = {QDate()};
    for (auto day = days.rbegin(); day != days.rend(); ++day) {
        const auto start = static_cast<TDateTime>(*day);
        Dates << DateText(start);
        DateDays.push_back(DateOf(start));
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
