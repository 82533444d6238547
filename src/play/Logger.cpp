#include "Logger.h"

#include "DealCounter.h"

#include "core/Error.h"
#include "core/FileIo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace drawmentor {
namespace {

const std::string kWriteError = "Cannot write the game log";

size_t Whole(size_t bytes) {
    return bytes - bytes % kLogRecordSize;
}

// Where a deal cut short at the end of `data` (whole records) starts, or its
// size: a write of a whole deal killed part way leaves the first of its hands
// and no more. The records alike at the end are whole deals from the first of
// them on, each as long as its hands byte says, so what is left over is the
// cut one.
size_t WholeDeals(const std::string& data) {
    if (data.size() < kLogRecordSize) return data.size();
    const auto at = [&](size_t offset) {
        return TLogRecord::FromBytes(reinterpret_cast<const uint8_t*>(data.data() + offset));
    };
    const TLogRecord last = at(data.size() - kLogRecordSize);
    if (last.Reserved <= 1) return data.size();
    size_t alike = 1;
    while (alike * kLogRecordSize < data.size() &&
           IsSameDeal(at(data.size() - (alike + 1) * kLogRecordSize), last))
        ++alike;
    return data.size() - (alike % last.Reserved) * kLogRecordSize;
}

// Opens the log and takes its lock. A rewrite renames a new file over the log
// while it holds the lock of the old one; whoever waited for that lock then
// holds the lock of a file no longer in the folder, so it opens the new one
// and waits again. A link is never followed: the log is a file of ours, and
// its writers cut and replace it.
TFileHandle OpenLocked(const std::string& path, int flags, int lock, struct stat& info) {
    while (true) {
        TFileHandle file = OpenRegularFile(path, flags | O_NOFOLLOW, (flags & O_CREAT) == 0);
        if (!file.IsOpen()) return file;
        while (::flock(file.Fd(), lock) != 0)
            if (errno != EINTR) RaiseFileError("Cannot lock", path, errno);
        struct stat named {};
        if (::fstat(file.Fd(), &info) != 0) RaiseFileError("Cannot examine", path, errno);
        if (::stat(path.c_str(), &named) == 0 && named.st_dev == info.st_dev &&
            named.st_ino == info.st_ino)
            return file;
    }
}

// A clearing writes the new log to "<log>.XXXXXX.new" while it holds the lock;
// one that is there while we hold the lock was left by a clearing that was
// killed, and would stay for ever.
void RemoveStaleTemporaries(const QString& logFile) {
    const QFileInfo log(logFile);
    QDir folder = log.dir();
    const QStringList names = folder.entryList(
        {log.fileName() + QStringLiteral(".??????") + QLatin1String(kTemporarySuffix)},
        QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) folder.remove(name);
}

std::string ReadFrom(int fd, const std::string& path, off_t offset) {
    if (::lseek(fd, offset, SEEK_SET) < 0) RaiseFileError("Cannot read", path, errno);
    return ReadToEnd(fd, path, kMaxLogBytes);
}

} // namespace

TLogger::TLogger(QString fileName)
    : FFileName(std::move(fileName)), FPath(QFile::encodeName(FFileName).toStdString()) {
    try {
        struct stat info {};
        const TFileHandle file = OpenLocked(FPath, O_RDONLY, LOCK_SH, info);
        if (file.IsOpen()) {
            RemoveStaleTemporaries(FFileName);
            TakeFileData(ReadFrom(file.Fd(), FPath, 0));
            FDevice = info.st_dev;
            FInode = info.st_ino;
        }
    } catch (...) {
        AddErrorContext("Cannot read the game log " + FPath);
    }
    SessionStart = Now();
}

TLogger::~TLogger() = default;

const uint8_t* TLogger::RecordAt(size_t offset) const {
    return reinterpret_cast<const uint8_t*>(FData.data() + offset);
}

void TLogger::TakeFileData(std::string bytes) {
    // A trailing fragment is a record cut short by a crash: not a hand.
    bytes.resize(Whole(bytes.size()));
    FData = std::move(bytes); // a log near its limit is a gigabyte: never copied
    FPosition = 0;
    FInvalid = 0;
    for (size_t at = 0; at < FData.size(); at += kLogRecordSize)
        if (!IsValidRecord(TLogRecord::FromBytes(RecordAt(at)))) ++FInvalid;
    InvalidateFilter();
}

bool TLogger::ReadNext(TLogRecord& record) {
    while (FPosition + kLogRecordSize <= FData.size()) {
        record = TLogRecord::FromBytes(RecordAt(FPosition));
        FPosition += kLogRecordSize;
        if (IsValidRecord(record)) return true;
    }
    return false;
}

void TLogger::AppendDeal(std::span<const TLogRecord> records) {
    std::string text;
    text.reserve(records.size() * kLogRecordSize);
    for (const TLogRecord& record : records) {
        const auto bytes = record.ToBytes();
        text.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    try {
        QDir().mkpath(QFileInfo(FFileName).path());
        struct stat info {};
        const TFileHandle file = OpenLocked(FPath, O_RDWR | O_CREAT, LOCK_EX, info);
        const auto size = static_cast<size_t>(info.st_size);
        const off_t end = static_cast<off_t>(Whole(size));
        // Every reader refuses a larger file, so the deal would make the
        // whole log unreadable; a deal is refused whole, never cut.
        if (static_cast<size_t>(end) + text.size() > kMaxLogBytes)
            throw EDrawMentor("The game log " + FPath + " has reached its limit of " +
                              std::to_string(kMaxLogBytes / kLogRecordSize) +
                              " hands; clear old hands to record new ones");
        // Under the lock nobody is writing, so a fragment is what a crash left.
        if (static_cast<size_t>(end) != size && ::ftruncate(file.Fd(), end) != 0)
            RaiseFileError("Cannot cut the incomplete last record of", FPath, errno);
        // Learn what others appended, or the whole file when it was replaced.
        if (info.st_dev == FDevice && info.st_ino == FInode &&
            static_cast<size_t>(end) >= FData.size()) {
            const std::string added = ReadFrom(file.Fd(), FPath, static_cast<off_t>(FData.size()));
            const size_t from = FData.size();
            FData.append(added, 0, Whole(added.size()));
            for (size_t at = from; at < FData.size(); at += kLogRecordSize)
                if (!IsValidRecord(TLogRecord::FromBytes(RecordAt(at)))) ++FInvalid;
            InvalidateFilter();
        } else {
            TakeFileData(ReadFrom(file.Fd(), FPath, 0));
        }
        FDevice = info.st_dev;
        FInode = info.st_ino;
        // Under the lock nobody is writing, so a deal cut short at the end is
        // a crash's, unless these are its next hands: the new deal takes its
        // place.
        if (const size_t whole = WholeDeals(FData);
            whole != FData.size() &&
            !IsSameDeal(TLogRecord::FromBytes(RecordAt(FData.size() - kLogRecordSize)),
                        records[0])) {
            if (::ftruncate(file.Fd(), static_cast<off_t>(whole)) != 0)
                RaiseFileError("Cannot cut the incomplete last deal of", FPath, errno);
            for (size_t at = whole; at < FData.size(); at += kLogRecordSize)
                if (!IsValidRecord(TLogRecord::FromBytes(RecordAt(at)))) --FInvalid;
            FData.resize(whole);
            InvalidateFilter();
        }
        const auto at = static_cast<off_t>(FData.size());
        try {
            WriteAllAt(file.Fd(), FPath, text, at);
        } catch (...) {
            // A part of the deal (a full disk) must not stay: whole records of
            // it would pass for a deal of fewer hands. Should the cut fail
            // too, what is left is a deal cut short, which the next writer cuts.
            [[maybe_unused]] const int cut = ::ftruncate(file.Fd(), at);
            throw;
        }
    } catch (...) {
        AddErrorContext(kWriteError);
    }
    FData += text;
    for (const TLogRecord& record : records)
        if (!IsValidRecord(record)) ++FInvalid;
    InvalidateFilter();
}

void TLogger::Rewrite(const std::function<bool(const TLogRecord&)>& remove) {
    try {
        struct stat info {};
        const TFileHandle file = OpenLocked(FPath, O_RDWR, LOCK_EX, info);
        if (!file.IsOpen()) {
            TakeFileData({});
            ++FRemovals;
            return;
        }
        std::string current = ReadFrom(file.Fd(), FPath, 0);
        current.resize(Whole(current.size()));
        // The records this log knows, by content: the file may have been
        // replaced by another program's rewrite, so positions prove nothing.
        std::unordered_map<std::string_view, int> known;
        for (size_t at = 0; at < FData.size(); at += kLogRecordSize)
            ++known[std::string_view(FData.data() + at, kLogRecordSize)];
        std::string kept;
        kept.reserve(current.size());
        for (size_t at = 0; at < current.size(); at += kLogRecordSize) {
            const std::string_view one(current.data() + at, kLogRecordSize);
            const auto found = known.find(one);
            const bool ours = found != known.end() && found->second > 0;
            if (ours) --found->second;
            if (ours && remove(TLogRecord::FromBytes(reinterpret_cast<const uint8_t*>(one.data()))))
                continue;
            kept += one;
        }
        // Still under the lock of the old file: nobody appends to it meanwhile.
        WriteFileAtomically(FPath, kept);
        struct stat written {};
        if (::stat(FPath.c_str(), &written) != 0) RaiseFileError("Cannot examine", FPath, errno);
        TakeFileData(std::move(kept));
        ++FRemovals;
        FDevice = written.st_dev;
        FInode = written.st_ino;
    } catch (...) {
        AddErrorContext(kWriteError);
    }
}

void TLogger::ClearAll() {
    Rewrite([](const TLogRecord&) { return true; });
}

void TLogger::ClearByFilter() {
    if (!FFilter) return;
    const TLogFilter& filter = *FFilter;
    Rewrite([&](const TLogRecord& record) {
        return filter.MatchesKey(record) && record.DealTime <= filter.DateFrom;
    });
}

TLogFilter& TLogger::Filter() {
    if (!FFilter) FFilter = std::make_unique<TLogFilter>();
    if (FFilterStale) {
        FFilterStale = false;
        FFilter->Init(*this);
    }
    return *FFilter;
}

} // namespace drawmentor
