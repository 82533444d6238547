// The errors window must open on a log of a million hands in well under a
// second: the list is rebuilt from the whole log, and the window itself is
// made and filled without being shown (only visible rows are ever painted).
#include "play/DateTime.h"
#include "play/Logger.h"
#include "play/Session.h"
#include "prefs/DataFolder.h"
#include "prefs/Preferences.h"
#include "ui/log/ErrorsModel.h"
#include "ui/log/ErrorsWindow.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <random>

namespace {

using namespace drawmentor;

constexpr int kRecords = 1000000;

// A log of a million Jacks or Better hands of this morning, a third of them
// errors of every severity, written in one go.
void WriteLog(const QString& path) {
    std::mt19937 random(1);
    TLogRecord record;
    record.Bet = 5;
    record.Mode = ModeNumber(TPlayMode::pmTraining);
    record.DealTime = Now() - 0.001;
    QByteArray bytes;
    bytes.reserve(kRecords * kLogRecordSize);
    for (int i = 0; i < kRecords; ++i) {
        for (auto& card : record.Dealt) card = static_cast<uint8_t>(random() % 52);
        record.Return = static_cast<double>(random() % 100) / 20.0;
        record.BestReturn =
            record.Return + (random() % 3 == 0 ? static_cast<double>(random() % 300) / 100.0 : 0);
        record.DrawMask = static_cast<uint8_t>(random() % 32);
        const auto raw = record.ToBytes();
        bytes.append(reinterpret_cast<const char*>(raw.data()), kLogRecordSize);
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

class TMillionHands {
  public:
    TMillionHands() {
        SetDataFolder(FFolder.path());
        WriteLog(FFolder.path() + "/DrawMentor.log");
        Preferences.WriteOnExit = false;
        Engine = std::make_unique<TSession>(Preferences);
    }
    ~TMillionHands() {
        Engine.reset();
        SetDataFolder({});
    }
    QTemporaryDir FFolder;
    TPreferences Preferences;
    std::unique_ptr<TSession> Engine;
};

TMillionHands& Hands() {
    static TMillionHands hands;
    return hands;
}

void BM_ErrorsListOfAMillionHands(benchmark::State& state) {
    TMillionHands& hands = Hands();
    TErrorsModel model;
    for (auto _ : state) {
        model.Refresh(hands.Engine->Logger(), hands.Preferences, 14);
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["rows"] = model.rowCount();
}
BENCHMARK(BM_ErrorsListOfAMillionHands)->Unit(benchmark::kMillisecond);

void BM_ErrorsWindowOfAMillionHands(benchmark::State& state) {
    TMillionHands& hands = Hands();
    for (auto _ : state) {
        TErrorsWindow window(hands.Engine->Logger(), hands.Preferences);
        window.Retranslate();
        window.ReadPanel();
        benchmark::DoNotOptimize(window.Model().rowCount());
    }
}
BENCHMARK(BM_ErrorsWindowOfAMillionHands)->Unit(benchmark::kMillisecond);

} // namespace
