#include "Arguments.h"
#include "Commands.h"
#include "PaytableSource.h"

#include "core/Error.h"

#include "games/Catalogue.h"
#include "games/HandsPerDeal.h"
#include "games/PayoutStorage.h"
#include "play/ChartLineStats.h"
#include "play/ChartLineStatsText.h"
#include "play/DealCounter.h"
#include "play/LogCurves.h"
#include "play/PaytableStore.h"
#include "play/RecordAdvice.h"
#include "play/ReturnCacheFile.h"
#include "play/Session.h"
#include "play/StatisticTexts.h"
#include "play/Statistics.h"
#include "prefs/DataFolder.h"
#include "prefs/Preferences.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>
#include <ostream>
#include <random>
#include <stdexcept>

namespace drawmentor::cli {
namespace {

// The simulation answers for the player: no warning is taken, and with no
// error hand to replay it goes on in Training.
class TSimulatedPlayer : public IGameWindows {
  public:
    int AskModeForNoErrors() override { return ModeNumber(TPlayMode::pmTraining); }
    void RefuseBet(int betCoins, int credits) override {
        Refused = "the bet of " + std::to_string(betCoins) + " coins is more than the " +
                  std::to_string(credits) + " credits";
    }
    std::string Refused;
};

void PrintStatistics(TStatisticsList& list, const TTexts& texts, std::ostream& out) {
    char text[256];
    for (int index = 0; index < list.Count(); ++index) {
        list.SetSelected(index);
        out << '\n' << StatisticCaption(list.Items(index), texts).toStdString() << '\n';
        for (int row = 0; row <= list.Items(index).RowCount(); ++row) {
            std::snprintf(text, sizeof text, "  %-30s",
                          StatisticCell(list, 0, row, texts).toUtf8().constData());
            out << text;
            for (int column = 1; column <= 3; ++column) {
                std::snprintf(text, sizeof text, " %22s",
                              StatisticCell(list, column, row, texts).toUtf8().constData());
                out << text;
            }
            out << '\n';
        }
    }
}

void PrintFilteredStatistics(TLogger& logger, const TPreferences& preferences, std::ostream& out,
                             bool deals = false) {
    TStatisticsList list(preferences.Severity);
    list.Attach(logger);
    list.SetCountDeals(deals);
    list.SetActive(true);
    if (list.Skipped > 0)
        std::cerr << "drawmentor-cli: " << list.Skipped
                  << " records of the game log are not valid hands and are left out\n";
    PrintStatistics(list, preferences.Texts(), out);
    if (const auto cache = SharedUserReturnCache(); !cache->Notice().empty())
        std::cerr << "drawmentor-cli: " << cache->Notice() << '\n';
}

// The same table as the statistics window's, captions in the settings' language.
void PrintChartLineStats(TLogger& logger, const TTexts& texts, bool deals, std::ostream& out) {
    TChartLineStats stats;
    TRecordAdvice advice;
    stats.ComputeFiltered(logger, advice, deals);
    out << '\n'
        << texts.Translate(QStringLiteral("Statistics"), QStringLiteral("ByChartLine"))
               .toStdString()
        << '\n';
    for (const QString& note : ChartLineStatsNotes(stats, texts))
        out << "  " << note.toStdString() << '\n';
    char text[512];
    for (int row = 0; row < ChartLineStatsRows(stats) && stats.Chart(); ++row) {
        std::snprintf(text, sizeof text, "  %-52s",
                      ChartLineStatsCell(stats, 0, row, texts).toUtf8().constData());
        out << text;
        for (int column = 1; column < kChartLineStatsColumns; ++column) {
            std::snprintf(text, sizeof text, " %13s",
                          ChartLineStatsCell(stats, column, row, texts).toUtf8().constData());
            out << text;
        }
        out << '\n';
    }
}

struct TLogCount {
    int64_t All = 0;
    int64_t Selected = 0;
};

// Hands, or deals counted once each however many hands they had.
TLogCount CountRecords(TLogger& logger, bool deals) {
    const TLogFilter& filter = logger.Filter();
    TLogRecord record;
    TLogCount count;
    TDealCounter dealCounter;
    logger.Rewind();
    while (logger.ReadNext(record)) {
        const bool starts = !deals || dealCounter.Add(record);
        if (starts && filter.Matches(record)) ++count.Selected;
    }
    logger.Rewind();
    count.All = deals ? dealCounter.Deals : static_cast<int64_t>(logger.Count());
    return count;
}

unsigned ParseModes(const std::string& text) {
    unsigned modes = 0;
    for (char c : text) {
        if (c < '0' || c > '3') throw EUsage("--modes takes digits 0 to 3, e.g. 0123");
        modes |= 1u << (c - '0');
    }
    if (modes == 0) throw EUsage("--modes needs at least one mode");
    return modes;
}

} // namespace

int RunSimulate(const std::vector<std::string>& words, std::ostream& out) {
    const TArguments args(words,
                          {"game", "paytable", "hands", "hands-per-deal", "seed", "policy", "mode",
                           "double", "data-dir"},
                          {"trace"});
    // Without a folder of its own a simulation would fill the player's game
    // log and change the player's settings: it gets a fresh one (so the
    // installed paytables), kept once the arguments are good so that its log
    // can be read afterwards.
    std::optional<QTemporaryDir> temporary;
    if (!args.Has("data-dir")) {
        temporary.emplace(QDir::tempPath() + QStringLiteral("/drawmentor-simulate-XXXXXX"));
        if (!temporary->isValid())
            throw std::runtime_error("cannot create a temporary data folder");
        SetDataFolder(temporary->path());
    }
    ApplyDataDir(args);
    if (!args.Positional().empty()) throw EUsage("simulate takes no cards or words");
    if (!args.Has("game") || !args.Has("paytable") || !args.Has("hands"))
        throw EUsage("simulate needs --game G --paytable P --hands N");
    const int game = args.Int("game", 0, 0, kCatalogueSize - 1);
    if (GameName(game).empty()) throw EUsage("game " + std::to_string(game) + " is not offered");
    const int paytable = args.Int("paytable", 0, 0, 9999);
    if (paytable >= OpenPaytableStore()->PaytableCount(game))
        throw EUsage("--paytable: game " + std::to_string(game) + " has no stored paytable " +
                     std::to_string(paytable));
    const int hands = args.Int("hands", 0, 0, 100000000);
    const int handsPerDeal = args.Int("hands-per-deal", 1, 1, kMaxHandsPerDeal);
    if (!IsHandsPerDealChoice(handsPerDeal))
        throw EUsage("--hands-per-deal is 1, 3, 5, 10, 50 or 100");
    const int mode = args.Int("mode", ModeNumber(TPlayMode::pmTraining), 0, kPlayModeCount - 1);
    const std::string policy = args.Value("policy").value_or("best");
    int fixedMask = -1;
    if (policy.rfind("mask:", 0) == 0)
        fixedMask = ParseInt(policy.substr(5), 0, 31, "--policy mask");
    else if (policy != "best" && policy != "hint" && policy != "random")
        throw EUsage("--policy is best, hint, mask:M or random");
    const std::string doubling = args.Value("double").value_or("never");
    if (doubling != "never" && doubling != "always") throw EUsage("--double is never or always");
    const bool trace = args.Flag("trace");
    std::mt19937 player(12345);
    if (args.Has("seed")) {
        const auto seed =
            static_cast<uint32_t>(ParseInt(*args.Value("seed"), 0, INT32_MAX, "--seed"));
        TRandom::SetSeedSource([seed] { return seed; });
        player.seed(seed);
    }

    if (temporary) {
        temporary->setAutoRemove(false);
        out << "Data folder (temporary): " << temporary->path().toStdString() << std::endl;
    }
    TPreferences preferences;
    {
        TSimulatedPlayer windows;
        TSession session(preferences, &windows);
        session.SelectGame(game, paytable);
        session.SetMode(static_cast<TPlayMode>(mode));
        session.SetHandsPerDeal(handsPerDeal);
        for (int hand = 0; hand < hands; ++hand) {
            session.Deal();
            if (trace && hand > 0) out << "collected " << hand << std::endl;
            if (session.Hand().State() != TGameState::gsDealt) break;
            if (policy == "hint")
                session.ShowHint();
            else if (policy == "random")
                session.SetDrawMask(static_cast<int>(player() % kMaskCount));
            else
                session.SetDrawMask(fixedMask >= 0 ? fixedMask : session.Hand().Record().BestMask);
            session.CheckWarning();
            session.Draw();
            if (doubling == "always" && session.Hand().CurrentWin() > 0) {
                session.StartDoubleUp();
                session.DoubleUpPick(1 + static_cast<int>(player() % 4));
            }
        }
        session.Collect();
        if (trace) out << "collected " << hands << std::endl;
        if (!windows.Refused.empty())
            std::cerr << "drawmentor-cli: stopped after " << session.Counters().Hands()
                      << " hands: " << windows.Refused << '\n';

        char text[160];
        out << session.Game().Caption().toStdString() << ", " << session.Counters().Hands()
            << " hands\n";
        std::snprintf(text, sizeof text,
                      "  Credits        %d\n  Best credits   %d\n  Balance        %s$%.2f\n"
                      "  Accuracy       %.2f%%\n  Hands          %d\n",
                      session.Counters().Credits(), session.Counters().BestCredits(),
                      session.Counters().Balance() < 0 ? "-" : "",
                      std::abs(session.Counters().Balance()), session.Counters().Accuracy(),
                      session.Counters().Hands());
        out << text;
        TLogFilter& filter = session.Logger().Filter();
        filter.Game = game;
        filter.PayIndex = paytable;
        filter.Modes = 0xF;
        filter.DateFrom = session.Logger().SessionStart;
        PrintFilteredStatistics(session.Logger(), preferences, out);
        session.Logger().InvalidateFilter();
    }
    // The session has put its sections into the settings image; saved here
    // rather than by the destructors, which cannot report a failure.
    preferences.SaveSettings();
    preferences.WriteSettingsFile();
    preferences.WriteOnExit = false;
    return 0;
}

namespace {

// The filter options that stats and chart share. Without --from every day counts.
void ApplyFilterOptions(const TArguments& args, TLogFilter& filter) {
    if (args.Has("game") != args.Has("paytable"))
        throw EUsage("give --game and --paytable together");
    filter.Game = args.Int("game", -1, 0, kCatalogueSize - 1);
    filter.PayIndex = args.Int("paytable", -1, 0, 9999);
    filter.Modes = ParseModes(args.Value("modes").value_or("0123"));
    filter.DateFrom = 0;
    if (const auto from = args.Value("from")) {
        const QDate date = QDate::fromString(QString::fromStdString(*from), Qt::ISODate);
        if (!date.isValid()) throw EUsage("--from takes a date as YYYY-MM-DD");
        filter.DateFrom = StartOfDay(date);
    }
}

// Reading a log that is not there would print an empty log's figures as if
// they were the player's.
void RequireDataFolder() {
    if (!QFileInfo(DataFolder()).isDir())
        throw EDrawMentor("the data folder " + DataFolder().toStdString() + " does not exist");
}

} // namespace

int RunStats(const std::vector<std::string>& words, std::ostream& out) {
    const TArguments args(words, {"game", "paytable", "modes", "from", "data-dir"},
                          {"deals", "by-line"});
    ApplyDataDir(args);
    if (!args.Positional().empty()) throw EUsage("stats takes no cards or words");
    const bool deals = args.Flag("deals");
    RequireDataFolder();
    TPreferences preferences;
    preferences.WriteOnExit = false;
    TLogger logger(DataFileReadPath(QStringLiteral("DrawMentor.log")));
    ApplyFilterOptions(args, logger.Filter());
    const TLogCount count = CountRecords(logger, deals);
    out << count.All << (deals ? " deals" : " hands") << " in the log, " << count.Selected
        << " selected by the filter\n";
    PrintFilteredStatistics(logger, preferences, out, deals);
    if (args.Flag("by-line")) PrintChartLineStats(logger, preferences.Texts(), deals, out);
    return 0;
}

int RunChart(const std::vector<std::string>& words, std::ostream& out) {
    const TArguments args(words, {"kind", "game", "paytable", "modes", "from", "data-dir"},
                          {"money", "csv"});
    ApplyDataDir(args);
    if (!args.Positional().empty()) throw EUsage("chart takes no cards or words");
    const int kind = PlotKindByName(QString::fromStdString(args.Value("kind").value_or("")));
    if (kind < 0)
        throw EUsage("chart needs --kind balance|accuracy|hand-rate|loss-on-errors|double-up");
    RequireDataFolder();
    TLogger logger(DataFileReadPath(QStringLiteral("DrawMentor.log")));
    TLogFilter& filter = logger.Filter();
    ApplyFilterOptions(args, filter);
    const TLogCurves series =
        ComputeLogCurves(logger, filter, static_cast<TPlotKind>(kind), args.Flag("money"));
    if (args.Flag("csv")) {
        QString text;
        QTextStream stream(&text);
        WriteCurvesCsv(series, stream);
        stream.flush();
        out << text.toStdString();
        return 0;
    }
    const TPlotInfo& info = PlotInfo(series.Kind);
    out << info.Name << ": " << series.PointCount() << " points\n";
    char text[160];
    for (int curve = 0; curve < info.CurveCount && series.PointCount() > 0; ++curve) {
        const QList<QPointF>& points = series.Curves[static_cast<size_t>(curve)];
        const auto [low, high] =
            std::minmax_element(points.begin(), points.end(),
                                [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
        std::snprintf(text, sizeof text, "  %-16s last %.2f, lowest %.2f, highest %.2f\n",
                      info.Columns[curve + 1], points.back().y(), low->y(), high->y());
        out << text;
    }
    return 0;
}

} // namespace drawmentor::cli
