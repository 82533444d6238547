#include "play/Quiz.h"

#include "core/Checked.h"
#include "core/Error.h"
#include "games/Catalogue.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace drawmentor {
namespace {

std::function<QDate()>& Today() {
    static std::function<QDate()> today;
    return today;
}

// Two holds of equal value are both right: the engine's returns differ only
// in the last bits of a long double sum then.
constexpr long double kValueTolerance = 1e-9L;

std::vector<std::string> LineKeys(const TStrategyChart& chart) {
    std::vector<std::string> keys;
    for (const TChartLine& line : chart.Lines) keys.push_back(line.Key);
    return keys;
}

} // namespace

void TQuiz::SetToday(std::function<QDate()> today) {
    Today() = std::move(today);
}

TQuiz::TQuiz(const TStrategyChart& chart, std::string folder)
    : FAdvisor(chart), FPaytable{chart.GameIndex, chart.Bet, chart.Pays},
      FPath(QuizFilePath(folder, FPaytable)), FSchedule(LineKeys(chart)) {
    FNotice = LoadQuizFile(FPath, FPaytable, FSchedule);
    const size_t lines = chart.Lines.size();
    FAskable.resize(lines);
    for (size_t line = 0; line < lines; ++line)
        FAskable[line] = chart.Lines[line].Frequency >= kMinAskedShare;
    FNewOrder.resize(lines);
    std::iota(FNewOrder.begin(), FNewOrder.end(), 0);
    std::stable_sort(FNewOrder.begin(), FNewOrder.end(), [&](int a, int b) {
        return chart.Lines[static_cast<size_t>(a)].Frequency >
               chart.Lines[static_cast<size_t>(b)].Frequency;
    });
    const auto game = CreateDescription(chart.GameIndex);
    if (!game) throw EDrawMentor("the quiz's game is not offered");
    FDealer.NewGame(kFirstJokerCode + game->Jokers);
    FWildRank = game->WildRank;
}

bool TQuiz::IsWild(int code) const {
    const int rank = DecodeCard(code).Rank;
    return rank == kJokerRank || rank == FWildRank;
}

void TQuiz::NextDeal() {
    const std::vector<int> order = FSchedule.Priorities(FAskable, FNewOrder);
    // The place of each line in the order; lines not in it rank last.
    std::vector<int> rank(Chart().Lines.size(), std::numeric_limits<int>::max());
    for (size_t i = 0; i < order.size(); ++i)
        rank[static_cast<size_t>(order[i])] = static_cast<int>(i);
    int bestRank = std::numeric_limits<int>::max();
    std::array<int, kHandSize> best{};
    int bestLine = -1;
    FDealer.Shuffle(); // each deal from the full deck: the last one's cards stay taken
    FDealer.DealAccepted(
        [&](const std::array<int, kHandSize>& codes) {
            const int line = FAdvisor.Play(codes).Line;
            const int place =
                line >= 0 ? rank[static_cast<size_t>(line)] : std::numeric_limits<int>::max();
            if (bestLine < 0 || place < bestRank) {
                bestRank = place;
                best = codes;
                bestLine = line;
            }
            return place == 0;
        },
        kQuizDealTries);
    FDealt = best;
    FDealLine = bestLine;
    FDrawMask = kMaskCount - 1;
    FHasDeal = true;
    FVerdict.reset();
}

void TQuiz::ToggleHold(int position) {
    CheckIndex(position, 0, kHandSize - 1, "card position");
    if (FHasDeal && !FVerdict) FDrawMask ^= 1 << position;
}

void TQuiz::SetDrawMask(int mask) {
    CheckIndex(mask, 0, kMaskCount - 1, "draw mask");
    if (FHasDeal && !FVerdict) FDrawMask = mask;
}

const TQuizVerdict& TQuiz::Answer() {
    if (!FHasDeal) throw EDrawMentor("the quiz has no deal to answer");
    if (FVerdict) return *FVerdict;
    TQuizVerdict verdict;
    const int bestMask = FAdvisor.BestMask(FDealt);
    verdict.PlayerReturn = FAdvisor.ReturnOf(FDrawMask);
    verdict.BestReturn = FAdvisor.ReturnOf(bestMask);
    verdict.Right = verdict.PlayerReturn >= verdict.BestReturn - kValueTolerance;
    verdict.Advice = FAdvisor.Advise(FDealt, FDrawMask, bestMask);
    verdict.Line = FDealLine;
    if (verdict.Advice.ChartLine >= 0) {
        std::array<THoldClass, kMaskCount> classes;
        FAdvisor.Classifier().ClassifyDeal(FDealt, classes);
        const auto& notes =
            FAdvisor.Chart().Lines[static_cast<size_t>(verdict.Advice.ChartLine)].Exceptions;
        for (size_t note = 0; note < notes.size(); ++note)
            if (std::any_of(classes.begin(), classes.end(),
                            [&](THoldClass hold) { return hold.Class() == notes[note].Class; }))
                verdict.Notes.push_back(static_cast<int>(note));
    }
    FVerdict = verdict;
    if (FDealLine >= 0) {
        FSchedule.Record(FDealLine, verdict.Right, Today() ? Today()() : QDate::currentDate());
        try {
            SaveQuizFile(FPath, FPaytable, FSchedule);
        } catch (const std::exception&) {
            // The quiz goes on from memory; the player hears once that it was not kept.
            if (FNotice.Kind == TQuizFileNotice::None && !FToldNotSaved)
                FNotice = {TQuizFileNotice::NotSaved, FPath, {}};
            FToldNotSaved = true;
        }
    }
    return *FVerdict;
}

} // namespace drawmentor
