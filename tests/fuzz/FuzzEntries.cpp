#include "FuzzEntries.h"

#include "charts/StrategyChart.h"
#include "core/Error.h"
#include "games/Catalogue.h"
#include "games/PayoutStorage.h"
#include "play/ErrorHandReplay.h"
#include "play/ErrorList.h"
#include "play/LogCurves.h"
#include "play/Logger.h"
#include "play/QuizFile.h"
#include "play/ReturnCache.h"
#include "play/StatisticTexts.h"
#include "play/Statistics.h"
#include "prefs/DataFolder.h"
#include "prefs/IniFile.h"
#include "prefs/Preferences.h"
#include "render/ImageCodec.h"
#include "render/PaintEngine.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

namespace drawmentor::fuzz {
namespace {

// The readers that take a path get the bytes as a file in a folder of this
// process, which also serves as its program and data folder.
const QString& Folder() {
    static QTemporaryDir folder;
    static const QString path = [] {
        SetProgramFolder(folder.path());
        SetDataFolder(folder.path());
        return folder.path();
    }();
    return path;
}

QString WriteInput(const QString& name, const uint8_t* data, size_t size) {
    const QString path = Folder() + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
            static_cast<qint64>(size))
        std::abort(); // the harness itself failed, not the reader
    return path;
}

QByteArray Bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

TPreferences& FuzzPreferences() {
    Folder();
    static const std::unique_ptr<TPreferences> preferences = [] {
        auto made = std::make_unique<TPreferences>();
        made->WriteOnExit = false;
        return made;
    }();
    return *preferences;
}

void ReadEveryValue(const TIniFile& ini) {
    for (const QString& section : ini.Sections())
        for (const QString& key : ini.Keys(section)) {
            ini.ReadInteger(section, key, 0);
            ini.ReadFloat(section, key, 0);
            ini.ReadBool(section, key, false);
            WrapHint(ini.ReadString(section, key));
        }
}

} // namespace

int Ini(const uint8_t* data, size_t size) {
    TIniFile ini;
    ini.LoadData(Bytes(data, size));
    ReadEveryValue(ini);
    ini.WriteString(QStringLiteral("Params"), QStringLiteral("Credits"), QStringLiteral("100"));
    TIniFile again;
    again.LoadData(ini.Data());
    if (again.ReadString(QStringLiteral("Params"), QStringLiteral("Credits")) !=
        QStringLiteral("100"))
        std::abort();
    return 0;
}

int Language(const uint8_t* data, size_t size) {
    // A language file is read the way the preferences read it, from its file.
    const QString path = WriteInput(QStringLiteral("language.ini"), data, size);
    TIniFile ini;
    try {
        ini.LoadFile(path);
    } catch (const EDrawMentor&) {
        return 0;
    }
    ReadEveryValue(ini);
    return 0;
}

int GameLog(const uint8_t* data, size_t size) {
    TPreferences& preferences = FuzzPreferences();
    const QString path = WriteInput(QStringLiteral("DrawMentor.log"), data, size);
    try {
        TLogger logger(path);
        TLogFilter& filter = logger.Filter();
        TStatisticsList list;
        list.Attach(logger);
        list.SetActive(true);
        for (int item = 0; item < filter.Games.size() && item < 8; ++item) filter.SetGameItem(item);
        filter.SetDateItem(static_cast<int>(filter.Dates.size()) - 1);
        for (int index = 0; index < list.Count(); ++index) {
            list.SetSelected(index);
            for (int row = 0; row <= list.Items(index).RowCount(); ++row)
                for (int column = 0; column <= 3; ++column)
                    StatisticCell(list, column, row, preferences.Texts());
        }
        // The plots read the same records as the statistics, with sums of their own.
        for (int kind = 0; kind < kPlotCount; ++kind)
            for (const bool money : {false, true})
                ComputeLogCurves(logger, filter, static_cast<TPlotKind>(kind), money);
        // The errors list and the replayed error hands group the hands of a deal.
        TErrorList errors;
        errors.Refresh(logger, preferences.Severity, ~0u);
        TErrorHandReplay replay;
        replay.Build(logger, filter.Game, filter.PayIndex);
    } catch (const EDrawMentor&) {
    }
    return 0;
}

int Paytable(const uint8_t* data, size_t size) {
    const std::string path = WriteInput(QStringLiteral("DrawMentor.dat"), data, size).toStdString();
    try {
        const TPayoutStorage store(path, path + ".unused");
        for (const auto& game : GameNames())
            for (int index = 0; index < store.PaytableCount(game.GameIndex); ++index) {
                const TPayTable table = store.ReadPaytable(game.GameIndex, index);
                // A table the program could have written reads back the same.
                bool storable = true;
                for (const auto& coins : table.Pays)
                    for (int32_t pay : coins) storable = storable && pay >= -1 && pay <= kMaxPay;
                if (storable &&
                    TPayoutStorage::ParsePaytable(TPayoutStorage::FormatPaytable(table)).Pays !=
                        table.Pays)
                    std::abort();
            }
    } catch (const EDrawMentor&) {
    }
    return 0;
}

int ReturnCache(const uint8_t* data, size_t size) {
    const std::string path =
        WriteInput(QStringLiteral("DrawMentor.returns"), data, size).toStdString();
    try {
        const TReturnCache cache(path);
        cache.Find(0, 5, {800, 50, 25, 9, 6, 4, 3, 2, 1});
    } catch (const EDrawMentor&) {
    }
    return 0;
}

// A chart file the cache or `strategy --chart` reads: accepted, it must place
// every hand, so every hold of a spread of deals is played by it.
int Chart(const uint8_t* data, size_t size) {
    try {
        const TStrategyChart chart =
            LoadChart(std::string(reinterpret_cast<const char*>(data), size));
        const auto game = CreateDescription(chart.GameIndex);
        const TChartPlayer player(*game, chart);
        for (int first = 0; first + kHandSize <= 52; first += 3) {
            std::array<int, kHandSize> dealt{};
            for (int i = 0; i < kHandSize; ++i) dealt[i] = (first + 11 * i) % 52;
            player.Play(dealt);
        }
    } catch (const EDrawMentor&) {
    }
    return 0;
}

// A quiz schedule file: whatever it holds, the quiz opens, with a schedule
// that holds together.
int Quiz(const uint8_t* data, size_t size) {
    const std::string path =
        WriteInput(QStringLiteral("g00-b5-seed.quiz"), data, size).toStdString();
    TQuizSchedule schedule({"royal5", "kind2[g0]", "kind2[g1]"});
    const TQuizFileNotice notice =
        LoadQuizFile(path, {0, 5, {4000, 250, 125, 45, 30, 20, 15, 10, 5}}, schedule);
    for (const TQuizLine& line : schedule.Lines())
        if (line.Box < 0 || line.Box > kQuizBoxes || line.Right > line.Asked || line.Due < 0)
            std::abort();
    for (const TQuizDay& day : schedule.Days())
        if (!day.Day.isValid() || day.Right > day.Asked) std::abort();
    if (notice.Kind == TQuizFileNotice::None) schedule.Record(0, true, QDate(2026, 1, 1));
    return 0;
}

namespace {

// Deck and back files are zlib streams, whose checksum stops almost every
// mutation at the inflate step: each input is also tried compressed, so that
// the fuzzer reaches the header and pictures behind it.
QByteArray Compressed(const QByteArray& bytes) {
    return qCompress(bytes).mid(4);
}

} // namespace

int Deck(const uint8_t* data, size_t size) {
    Folder();
    static TPaintEngine engine;
    const QByteArray bytes = Bytes(data, size);
    for (const QByteArray& file : {bytes, Compressed(bytes)}) {
        try {
            engine.LoadDeckData(file, QStringLiteral("fuzzed deck"));
        } catch (const EDrawMentor&) {
            continue;
        }
        QImage canvas(engine.CardWidth, engine.CardHeight, QImage::Format_RGB32);
        QPainter painter(&canvas);
        const QRect card(0, 0, engine.CardWidth, engine.CardHeight);
        for (int rank = -1; rank <= 12; ++rank)
            for (int suit = 0; suit < 4; ++suit)
                engine.DrawCard(painter, card, rank == 4, rank == -1, rank < 0 ? -1 : suit, rank);
    }
    return 0;
}

int Back(const uint8_t* data, size_t size) {
    const QByteArray bytes = Bytes(data, size);
    for (const QByteArray& file : {bytes, Compressed(bytes)}) {
        try {
            const QImage strip = DecodeBackStrip(file);
            if (strip.isNull()) std::abort(); // a decoded strip is a picture
        } catch (const EDrawMentor&) {
        }
    }
    return 0;
}

int PackedImage(const uint8_t* data, size_t size) {
    const QByteArray bytes = Bytes(data, size);
    try {
        qsizetype offset = 0;
        while (offset < bytes.size()) {
            const qsizetype before = offset;
            ReadPackedImage(bytes, offset);
            if (offset <= before || offset > bytes.size())
                std::abort(); // every image moves on, within the data
        }
    } catch (const EDrawMentor&) {
    }
    try {
        DecodeBmpWithoutSignature(bytes);
    } catch (const EDrawMentor&) {
    }
    return 0;
}

const std::vector<TTarget>& Targets() {
    static const std::vector<TTarget> targets = {
        {"ini", &Ini},
        {"language", &Language},
        {"game_log", &GameLog},
        {"paytable", &Paytable},
        {"return_cache", &ReturnCache},
        {"chart", &Chart},
        {"quiz", &Quiz},
        {"deck", &Deck},
        {"back", &Back},
        {"packed_image", &PackedImage},
    };
    return targets;
}

} // namespace drawmentor::fuzz
