#pragma once

#include "DateTime.h"
#include "LogRecord.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

namespace drawmentor {

class TLogger;

// The choice of records that every window reading the log shares: one game
// and paytable (or all), a set of play modes, and a first deal date.
class TLogFilter : public QObject {
    Q_OBJECT

  public:
    // Rebuilds the lists and the defaults from the log; says nothing to listeners.
    void Init(TLogger& logger);
    // Dealt at or after DateFrom, and MatchesKey.
    bool Matches(const TLogRecord& record) const;
    // The game, paytable and mode test.
    bool MatchesKey(const TLogRecord& record) const;

    int GameItemIndex() const;
    void SetGameItem(int index);
    int DateItemIndex() const;
    void SetDateItem(int index);
    void SetModes(unsigned modes);

    // " " + the date in the user's short date format.
    static QString DateText(TDateTime value);

    QStringList Games;           // game keys; entry 0 is all games
    QStringList Dates;           // entry 0 (empty) is the current session; then days, newest first
    std::vector<QDate> DateDays; // the day of each entry of Dates (entry 0 invalid)
    unsigned Modes = 0xF;        // bit m: play mode m
    TDateTime SessionStart = 0;
    TDateTime DateFrom = 0;
    int Game = -1;     // -1: all games
    int PayIndex = -1; // -1: all paytables

  signals:
    // The player changed the game, the date or the modes; every window that
    // shows the log connects to it.
    void Changed();
};

} // namespace drawmentor
