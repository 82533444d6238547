#include "Arguments.h"
#include "ChartLevel.h"
#include "Commands.h"
#include "DealtCards.h"
#include "PaytableSource.h"

#include "charts/StrategyChart.h"
#include "core/Error.h"
#include "core/FileIo.h"
#include "engine/RoyalMeter.h"
#include "games/Catalogue.h"
#include "play/ChartLineText.h"
#include "prefs/Texts.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <istream>
#include <ostream>
#include <sstream>
#include <unistd.h>

namespace drawmentor::cli {
namespace {

// Characters as a terminal shows them: UTF-8 continuation bytes take no room.
size_t DisplayWidth(const std::string& text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The tool speaks English; its JSON names every line in Russian as well.
struct TLineWords {
    TTexts English, Russian;
    TLineWords() {
        English.Load(QStringLiteral("ENG"));
        Russian.Load(QStringLiteral("RUS"));
    }
    std::string Name(const TChartLine& line, const TTexts& texts) const {
        return ChartNameText(line.Name, texts).toStdString();
    }
};

std::vector<std::string> Strings(const QStringList& texts) {
    std::vector<std::string> out;
    for (const QString& text : texts) out.push_back(text.toStdString());
    return out;
}

std::vector<std::string> Legend(const TStrategyChart& chart, const TTexts& texts) {
    return Strings(ChartLegend(chart, texts));
}

void PrintChart(const TPokerDescription& game, const TStrategyChart& chart, double seconds,
                std::ostream& out) {
    const TLineWords words;
    std::vector<std::string> names;
    for (const auto& line : chart.Lines) names.push_back(words.Name(line, words.English));
    char text[256];
    out << game.Name << ", " << chart.Bet << (chart.Bet == 1 ? " coin" : " coins") << ": "
        << ChartLevelWord(chart.Level) << " strategy chart\n"
        << ChartPaysText(chart, words.English).toStdString() << '\n'
        << (chart.KeepsWilds ? "Count the wild cards dealt; among the lines that hold that many, "
                               "hold what the highest one present names.\n\n"
                             : "Hold what the highest line present in the dealt hand names.\n\n");
    size_t width = 4;
    for (const auto& name : names) width = std::max(width, DisplayWidth(name));
    const auto padded = [&](const std::string& name) {
        return name + std::string(width - DisplayWidth(name), ' ');
    };
    std::snprintf(text, sizeof text, "  %3s  %s %10s %11s\n", "#", padded("Line").c_str(),
                  "Frequency", "Avg return");
    out << text;
    int group = -1;
    for (const int index : ReadingOrder(chart)) {
        const size_t i = static_cast<size_t>(index);
        const TChartLine& line = chart.Lines[i];
        const int wilds = THoldClass{line.Definition.Family}.Wilds();
        if (chart.KeepsWilds && wilds != group) {
            if (group >= 0) out << '\n';
            group = wilds;
        }
        out << "  "
            << std::string(i + 1 < 10    ? 2
                           : i + 1 < 100 ? 1
                                         : 0,
                           ' ')
            << i + 1 << "  " << padded(names[i]);
        std::snprintf(text, sizeof text, " %9.4f%% %11.4f\n", 100 * line.Frequency,
                      line.AverageReturn);
        out << text;
        for (const QString& note : ChartExceptionTexts(line, words.English))
            out << "       " << note.toStdString() << '\n';
        const QString example = ChartExampleText(line, words.English);
        if (!example.isEmpty()) out << "       " << example.toStdString() << '\n';
    }
    out << "\n  Frequency: share of all deals on which the line is the play; average return in "
           "bets.\n";
    for (const std::string& item : Legend(chart, words.English)) out << "  " << item << '\n';
    out << '\n';
    std::snprintf(text, sizeof text, "  Chart return     %12.6Lf %%\n", chart.ChartReturn);
    out << text;
    std::snprintf(text, sizeof text, "  Optimal return   %12.6Lf %%\n", chart.OptimalReturn);
    out << text;
    std::snprintf(text, sizeof text, "  Difference       %12.6Lf %% of the bet\n",
                  chart.OptimalReturn - chart.ChartReturn);
    out << text;
    if (chart.NotedReturn != chart.ChartReturn) {
        std::snprintf(text, sizeof text,
                      "  With the exceptions %10.6Lf %% (%.6Lf %% of the bet below best play)\n",
                      chart.NotedReturn, chart.OptimalReturn - chart.NotedReturn);
        out << text;
    }
    std::snprintf(text, sizeof text,
                  "  Deals the chart plays worse than the best hold: %lld of %lld\n"
                  "  %lld deal classes, %.2f s\n",
                  static_cast<long long>(chart.DealsOffBest), static_cast<long long>(chart.Deals),
                  static_cast<long long>(chart.Classes), seconds);
    out << text;
}

void PrintChartJson(const TStrategyChart& chart, double seconds, std::ostream& out) {
    const TLineWords words;
    nlohmann::ordered_json lines = nlohmann::ordered_json::array();
    for (size_t i = 0; i < chart.Lines.size(); ++i) {
        const TChartLine& line = chart.Lines[i];
        lines.push_back({{"line", i + 1},
                         {"key", line.Key},
                         {"name", words.Name(line, words.English)},
                         {"name_ru", words.Name(line, words.Russian)},
                         {"frequency", line.Frequency},
                         {"average_return", line.AverageReturn},
                         {"exceptions", Strings(ChartExceptionTexts(line, words.English))},
                         {"example", ChartExampleText(line, words.English).toStdString()},
                         {"exceptions_ru", Strings(ChartExceptionTexts(line, words.Russian))}});
    }
    const nlohmann::ordered_json document = {
        {"game", chart.GameIndex},
        {"bet", chart.Bet},
        {"level", ChartLevelWord(chart.Level)},
        {"reading_order", ReadingOrder(chart)},
        {"pays", chart.Pays},
        {"lines", lines},
        {"legend", Legend(chart, words.English)},
        {"legend_ru", Legend(chart, words.Russian)},
        {"chart_return_percent", static_cast<double>(chart.ChartReturn)},
        {"optimal_return_percent", static_cast<double>(chart.OptimalReturn)},
        {"difference_percent", static_cast<double>(chart.OptimalReturn - chart.ChartReturn)},
        {"with_exceptions_percent", static_cast<double>(chart.NotedReturn)},
        {"deals", chart.Deals},
        {"classes", chart.Classes},
        {"deals_off_best", chart.DealsOffBest},
        {"seconds", seconds}};
    out << document.dump() << '\n';
}

// A hand is a few words: a longer line is no hand, and keeping all of it
// would let a stream without line ends take all memory.
constexpr size_t kMaxClassifyLine = 1024;

// The next line of `in` without its end. A line longer than
// kMaxClassifyLine is told at once (`cut`, with its start), and its rest is
// passed over by the next call (`skipping`). False at the end of the input.
bool ReadLine(std::istream& in, std::string& line, bool& cut, bool& skipping) {
    line.clear();
    cut = false;
    int c = 0;
    if (skipping) {
        while ((c = in.get()) != std::char_traits<char>::eof() && c != '\n') {
        }
        skipping = false;
        if (c != '\n') return false;
    }
    while ((c = in.get()) != std::char_traits<char>::eof()) {
        if (c == '\n') return true;
        if (line.size() == kMaxClassifyLine) {
            cut = skipping = true;
            return true;
        }
        line += static_cast<char>(c);
    }
    return !line.empty();
}

// One JSON object per line of input; a line that is no hand, or a hand the
// chart cannot place, gets an error object and the reading goes on. Output
// that cannot be written ends it: nobody reads the answers.
void Classify(const TPokerDescription& game, const TStrategyChart& chart, std::istream& in,
              std::ostream& out) {
    const TChartPlayer player(game, chart);
    const TLineWords lineWords;
    std::string text;
    for (bool cut = false, skipping = false; ReadLine(in, text, cut, skipping);) {
        nlohmann::ordered_json answer;
        if (cut) {
            answer = {{"input", text.substr(0, 80)},
                      {"error", "the line is longer than " + std::to_string(kMaxClassifyLine) +
                                    " characters"}};
        } else {
            std::istringstream words(text);
            std::vector<std::string> cards;
            for (std::string word; words >> word;) cards.push_back(word);
            if (cards.empty()) continue;
            try {
                const std::vector<int> codes = ParseDealtCards(cards, game.Jokers);
                std::array<int, kHandSize> dealt{};
                std::copy(codes.begin(), codes.end(), dealt.begin());
                const TChartPlay play = player.Play(dealt);
                nlohmann::ordered_json shown = nlohmann::ordered_json::array();
                for (int code : codes) shown.push_back(CardCodeText(code));
                answer = {{"cards", shown},
                          {"line", play.Line + 1},
                          {"class", lineWords.Name(chart.Lines[play.Line], lineWords.English)},
                          {"mask", play.Mask},
                          {"held", HeldCards(codes, play.Mask)}};
            } catch (const std::exception& error) {
                answer = {{"input", text}, {"error", error.what()}};
            }
        }
        out << answer.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n'
            << std::flush;
        if (!out) throw EDrawMentor("cannot write the output");
    }
}

// A chart saved by --save; its game and pays come with it.
TStrategyChart ReadChart(const TArguments& args) {
    for (const char* name : {"pays", "paytable", "bet", "threads", "max-lines", "level", "royal"})
        if (args.Has(name))
            throw EUsage(std::string("--chart takes the paytable from the file, not --") + name);
    const std::string path = *args.Value("chart");
    TStrategyChart chart;
    try {
        chart = LoadChart(ReadWholeFile(path, kMaxTextFileBytes));
    } catch (...) {
        AddErrorContext("Error reading the strategy chart " + path);
    }
    if (args.Has("game") && args.Int("game", 0, 0, kCatalogueSize - 1) != chart.GameIndex)
        throw EUsage("the chart in " + path + " is for game " + std::to_string(chart.GameIndex));
    return chart;
}

TStrategyChart MakeChart(const TArguments& args) {
    const int gameIndex = args.Int("game", 0, 0, kCatalogueSize - 1);
    if (GameName(gameIndex).empty())
        throw EUsage("game " + std::to_string(gameIndex) + " is not offered");
    const auto game = CreateDescription(gameIndex);
    const int bet = args.Int("bet", kMaxCoins, 1, kMaxCoins);
    std::vector<int> pays = PaysFromArguments(args, *game, bet);
    if (args.Has("royal"))
        pays = PaysAtMeter(
            pays, args.Int("royal", 0, pays[kRoyalLine], static_cast<int>(kMaxRoyalMeter)));
    if (std::any_of(pays.begin(), pays.end(), [](int pay) { return pay < 0; }))
        throw EUsage("the paytable has a negative pay");
    if (std::all_of(pays.begin(), pays.end(), [](int pay) { return pay == 0; }))
        throw EUsage("the paytable pays nothing: there is no strategy to chart");
    TChartOptions options;
    options.Threads = args.Int("threads", 0, 1, 64);
    options.MaxLines = args.Int("max-lines", 0, 2, 200);
    options.Level = ChartLevelOf(args);
    if (isatty(STDERR_FILENO)) {
        options.Progress = [](int64_t done, int64_t total) {
            std::fprintf(stderr, "\r  %3d %%", static_cast<int>(100 * done / total));
            std::fflush(stderr);
        };
    }
    TStrategyChart chart = GenerateChart(*game, pays, bet, options);
    if (options.Progress) std::fprintf(stderr, "\r       \r");
    return chart;
}

} // namespace

int RunStrategy(const std::vector<std::string>& words, std::istream& in, std::ostream& out) {
    const auto start = std::chrono::steady_clock::now();
    const TArguments args(words,
                          {"game", "pays", "paytable", "bet", "threads", "max-lines", "level",
                           "royal", "chart", "save", "data-dir"},
                          {"json", "classify"});
    ApplyDataDir(args);
    if (!args.Positional().empty()) throw EUsage("strategy takes no cards or words");
    if (!args.Has("game") && !args.Has("chart")) throw EUsage("strategy needs --game G");
    if (args.Has("save") && args.Value("save")->empty()) throw EUsage("--save needs a file");
    const TStrategyChart chart = args.Has("chart") ? ReadChart(args) : MakeChart(args);
    const auto game = CreateDescription(chart.GameIndex);
    if (args.Has("save")) WriteFileAtomically(*args.Value("save"), SaveChart(chart));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (args.Flag("classify"))
        Classify(*game, chart, in, out);
    else if (args.Flag("json"))
        PrintChartJson(chart, seconds, out);
    else
        PrintChart(*game, chart, seconds, out);
    return 0;
}

} // namespace drawmentor::cli
