#include "Logger.h"

#include "cards/Error.h"
#include "games/GameKey.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
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
    ReleaseFilter();
    // The record goes to the file now, so a crash loses nothing collected.
    QDir().mkpath(QFileInfo(FFileName).path());
    QFile file(FFileName);
    if (!file.open(QIODevice::ReadWrite)) RaiseFileError("Cannot write the game log", FFileName, file.errorString());
    if (file.size() < before) {
        // The file lost records behind our back: write it whole again.
        file.close();
        RewriteFile();
        return;
    }
    // A longer file ends in a fragment left by a crash: cut it off first.
    if ((file.size() != before && !file.resize(before)) || !file.seek(before) ||
        file.write(reinterpret_cast<const char*>(bytes.data()), kLogRecordSize) != kLogRecordSize || !file.flush())
        RaiseFileError("Cannot write the game log", FFileName, file.errorString());
}

void TLogger::RewriteFile() {
    QSaveFile file(FFileName);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(FData.data()), static_cast<qint64>(FData.size())) !=
            static_cast<qint64>(FData.size()) ||
        !file.commit())
        RaiseFileError("Cannot write the game log", FFileName, file.errorString());
}

void TLogger::ClearAll() {
    FData.clear();
    FPosition = 0;
    ReleaseFilter();
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
        if (!remove) kept.insert(kept.end(), FData.begin() + i * kLogRecordSize, FData.begin() + (i + 1) * kLogRecordSize);
    }
    FData.swap(kept);
    FPosition = 0;
    ReleaseFilter();
    RewriteFile();
}

TLogFilter& TLogger::Filter() {
    if (!FFilter) {
        FFilter = std::make_unique<TLogFilter>();
        FFilter->Init(*this);
    }
    return *FFilter;
}

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
    Changed();
}

int TLogFilter::DateItemIndex() const {
    if (DateFrom == SessionStart) return 0;
    return static_cast<int>(Dates.indexOf(DateText(DateFrom)));
}

void TLogFilter::SetDateItem(int index) {
    if (index < 0 || index >= Dates.size()) return;
    const TDateTime from = index == 0 ? SessionStart : StartOfDay(DateDays[static_cast<size_t>(index)]);
    if (from == DateFrom) return;
    DateFrom = from;
    Changed();
}

void TLogFilter::SetModes(unsigned modes) {
    if (modes == Modes) return;
    Modes = modes;
    Changed();
}

} // namespace drawmentor
