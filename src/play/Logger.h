#pragma once

#include "DateTime.h"
#include "LogFilter.h"
#include "LogRecord.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace drawmentor {

// The game log "DrawMentor.log": one 79-byte record per finished hand, in the
// order the hands were closed, no header. Several programs may share it (the
// trainer and command-line runs on one data folder), so every writer holds an
// advisory lock (flock) on the file while it changes it: an append adds its
// record after whatever the others appended, and a rewrite (clearing) reads the
// file again under the lock and keeps every record it did not mean to remove.
// Nothing is ever cut but an incomplete trailing record left by a crash. The
// log is kept in memory too; records that are not valid hands stay in the file
// but are skipped by every reader.
class TLogger {
  public:
    // A missing file gives an empty log. One that cannot be read (an I/O
    // error, not a regular file, larger than kMaxLogBytes) is an error: taken
    // for empty, it would be overwritten.
    explicit TLogger(QString fileName);
    ~TLogger();
    TLogger(const TLogger&) = delete;
    TLogger& operator=(const TLogger&) = delete;

    // The record reaches the file before this returns, or an error is thrown
    // and neither the file nor the memory holds it. A record that would take
    // the file past kMaxLogBytes is refused, and so is a log that is a link.
    void Append(const TLogRecord& record) { AppendDeal({&record, 1}); }
    // The hands of one deal as one unit: one write under one lock, so that no
    // other program's records come between them; a failure (a full disk, the
    // size limit) leaves none of them. A deal cut short at the end of the log
    // (a writer killed in the middle of its write) is cut before the new one.
    void AppendDeal(std::span<const TLogRecord> records);
    void Rewind() { FPosition = 0; }
    // The next valid record.
    bool ReadNext(TLogRecord& record);
    // Valid records, and records skipped as not valid.
    int Count() const { return static_cast<int>(FData.size() / kLogRecordSize) - FInvalid; }
    int InvalidCount() const { return FInvalid; }

    // Removes the records this log has read or written; those another program
    // appended meanwhile stay.
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
    // Grows with every clearing, so that lists built from the log know when
    // to build themselves again.
    uint64_t RemovalCount() const { return FRemovals; }

    TDateTime SessionStart = 0;

  private:
    const uint8_t* RecordAt(size_t offset) const;
    void TakeFileData(std::string bytes);
    void Rewrite(const std::function<bool(const TLogRecord&)>& remove);

    QString FFileName;
    std::string FPath;
    std::string FData; // whole records, as in the file
    size_t FPosition = 0;
    int FInvalid = 0;
    // The file FData mirrors (device and inode): while it is the same, the
    // file is FData followed by whatever others appended.
    uint64_t FDevice = 0;
    uint64_t FInode = 0;
    std::unique_ptr<TLogFilter> FFilter;
    bool FFilterStale = true;
    uint64_t FRemovals = 0;
};

// More than ten million hands: a larger file is not a log this program wrote.
inline constexpr size_t kMaxLogBytes = size_t{1} << 30;

} // namespace drawmentor
