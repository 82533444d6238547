#include "Logger.h"

#include "cards/Error.h"
#include "games/GameKey.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace drawmentor {
namespace {

[[noreturn]] void RaiseFileError(const QString& what, const QString& name, const QString& reason) {
    throw EDrawMentor(QStringLiteral("%1 %2: %3").arg(what, name, reason).toStdString());
}

} // namespace

TLogger::TLogger(QString fileName) : FFileName(std::move(fileName)) {
    QFile file(FFileName);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        const qsizetype whole = bytes.size() - bytes.size() % kLogRecordSize;
        FData.assign(bytes.begin(), bytes.begin() + whole);
    }
    SessionStart = Now();
}

TLogger::~TLogger() = default;

bool TLogger::ReadNext(TLogRecord& record) {
    if (FPosition + kLogRecordSize > FData.size()) return false;
    record = TLogRecord::FromBytes(&FData[FPosition]);
    FPosition += kLogRecordSize;
    return true;
}

void TLogger::Append(const TLogRecord& record) {
    const auto bytes = record.ToBytes();
    const qint64 before = static_cast<qint64>(FData.size());
    FData.insert(FData.end(), bytes.begin(), bytes.end());
    InvalidateFilter();
    // The record goes to the file now, so a crash loses nothing collected.
    QDir().mkpath(QFileInfo(FFileName).path());
    QFile file(FFileName);
    if (!file.open(QIODevice::ReadWrite))
        RaiseFileError("Cannot write the game log", FFileName, file.errorString());
    if (file.size() < before) {
        // The file lost records behind our back: write it whole again.
        file.close();
        RewriteFile();
        return;
    }
    // A longer file ends in a fragment left by a crash: cut it off first.
    if ((file.size() != before && !file.resize(before)) || !file.seek(before) ||
        file.write(reinterpret_cast<const char*>(bytes.data()), kLogRecordSize) != kLogRecordSize ||
        !file.flush())
        RaiseFileError("Cannot write the game log", FFileName, file.errorString());
}

void TLogger::RewriteFile() {
    QSaveFile file(FFileName);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(FData.data()),
                   static_cast<qint64>(FData.size())) != static_cast<qint64>(FData.size()) ||
        !file.commit())
        RaiseFileError("Cannot write the game log", FFileName, file.errorString());
}

void TLogger::ClearAll() {
    FData.clear();
    FPosition = 0;
    InvalidateFilter();
    RewriteFile();
}

void TLogger::ClearByFilter() {
    if (!FFilter) return;
    std::vector<uint8_t> kept;
    Rewind();
    TLogRecord record;
    const size_t count = FData.size() / kLogRecordSize;
    for (size_t i = 0; i < count; ++i) {
        ReadNext(record);
        const bool remove = FFilter->MatchesKey(record) && record.DealTime <= FFilter->DateFrom;
        if (!remove)
            kept.insert(kept.end(), FData.begin() + i * kLogRecordSize,
                        FData.begin() + (i + 1) * kLogRecordSize);
    }
    FData.swap(kept);
    FPosition = 0;
    InvalidateFilter();
    RewriteFile();
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
