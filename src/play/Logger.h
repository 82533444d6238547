#pragma once

#include "DateTime.h"
#include "LogRecord.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace drawmentor {

class TLogger;

// The choice of records that every window reading the log shares: one game
// and paytable (or all), a set of play modes, and a first deal date.
class TLogFilter {
public:
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

    QStringList Games;            // game keys; entry 0 is all games
    QStringList Dates;            // entry 0 (empty) is the current session; then days, newest first
    std::vector<QDate> DateDays;  // the day of each entry of Dates (entry 0 invalid)
    unsigned Modes = 0xF;         // bit m: play mode m
    TDateTime SessionStart = 0;
    TDateTime DateFrom = 0;
    int Game = -1;                // -1: all games
    int PayIndex = -1;            // -1: all paytables
    std::function<void()> OnChange;

private:
    void Changed() const {
        if (OnChange) OnChange();
    }
};

// The game log "DrawMentor.log": one 79-byte record per finished hand, in the
// order the hands were closed, no header. The whole log is kept in memory;
// every appended record reaches the file at once, and a rewrite of the file
// goes to a temporary file that replaces it only when complete.
class TLogger {
public:
    // A missing or unreadable file gives an empty log; a trailing fragment
    // (a record cut short by a crash) is dropped.
    explicit TLogger(QString fileName);
    ~TLogger();
    TLogger(const TLogger&) = delete;
    TLogger& operator=(const TLogger&) = delete;

    void Append(const TLogRecord& record);
    void Rewind() { FPosition = 0; }
    bool ReadNext(TLogRecord& record);
    int Count() const { return static_cast<int>(FData.size() / kLogRecordSize); }

    void ClearAll();
    // Removes the records that match the filter's game, paytable and modes and
    // were dealt at or before its DateFrom; keeps every other record.
    void ClearByFilter();

    TLogFilter& Filter();
    bool HasFilter() const { return FFilter != nullptr; }
    void ReleaseFilter() { FFilter.reset(); }
    const QString& LogFileName() const { return FFileName; }

    TDateTime SessionStart = 0;

private:
    void RewriteFile();

    QString FFileName;
    std::vector<uint8_t> FData;
    size_t FPosition = 0;
    std::unique_ptr<TLogFilter> FFilter;
};

} // namespace drawmentor
