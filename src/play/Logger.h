#pragma once

#include "DateTime.h"
#include "LogFilter.h"
#include "LogRecord.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace drawmentor {

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

    // The shared filter, rebuilt from the log on first use after the log
    // changed. The object itself lives as long as the logger, so listeners
    // and windows may keep it.
    TLogFilter& Filter();
    // The next Filter() rebuilds the game and date lists and the defaults.
    void InvalidateFilter() { FFilterStale = true; }
    const QString& LogFileName() const { return FFileName; }

    TDateTime SessionStart = 0;

  private:
    void RewriteFile();

    QString FFileName;
    std::vector<uint8_t> FData;
    size_t FPosition = 0;
    std::unique_ptr<TLogFilter> FFilter;
    bool FFilterStale = true;
};

} // namespace drawmentor
