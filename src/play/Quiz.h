#pragma once

#include "Dealer.h"
#include "play/QuizFile.h"
#include "play/QuizSchedule.h"

#include "charts/ChartAdvisor.h"
#include "games/PokerDescription.h"

#include <QDate>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace drawmentor {

// The quiz's word on one answer. Returns are expected coins for the chart's bet.
struct TQuizVerdict {
    bool Right = false;
    int Line = -1; // the chart line the deal was asked for: the line of the chart's play
    long double PlayerReturn = 0;
    long double BestReturn = 0;
    // The chart lines of the player's hold and of the best one, and whether
    // the chart's own play is the best: when not, the hand is an exception.
    TChartAdvice Advice;
    // The exception notes of the chart's line that this deal meets (indexes
    // into that line's Exceptions): the deal has the class a note names.
    std::vector<int> Notes;
};

// A quiz on one paytable's strategy chart: a deal chosen for practice, the
// player's hold, at once the verdict; nothing is drawn, paid or logged. Deals
// come by a spaced-repetition schedule of the chart's lines, kept in a file
// of its own in the quiz folder after every answer. Not thread-safe.
class TQuiz {
  public:
    // The file of the chart's paytable in `folder` is read now; a damaged one
    // is moved aside (Notice). Deals come from the generator the dealer seeds.
    TQuiz(const TStrategyChart& chart, std::string folder);

    // A new deal, nothing held. The line most due on the schedule, among
    // kQuizDealTries deals; failing that (a rare line), the deal of the most
    // pressing line among them.
    void NextDeal();
    // Hold or release card `position` (0..4) until the answer.
    void ToggleHold(int position);
    void SetDrawMask(int mask);
    // Judges the hold, moves the deal's line on the schedule and saves it.
    // Once per deal; a second call returns the same verdict.
    const TQuizVerdict& Answer();

    const TStrategyChart& Chart() const { return FAdvisor.Chart(); }
    const THoldRules& Rules() const { return FAdvisor.Rules(); }
    bool HasDeal() const { return FHasDeal; }
    const std::array<int, kHandSize>& Dealt() const { return FDealt; }
    // Whether a card of the deal is wild in the chart's game.
    bool IsWild(int code) const;
    int DealLine() const { return FDealLine; }
    // Bit i set: card i is replaced, as in play.
    int DrawMask() const { return FDrawMask; }
    const std::optional<TQuizVerdict>& Verdict() const { return FVerdict; }
    const TQuizSchedule& Schedule() const { return FSchedule; }
    // A file set aside when the quiz opened, or an answer that could not be
    // saved; the window tells it once and calls TakeNotice.
    const TQuizFileNotice& Notice() const { return FNotice; }
    void TakeNotice() { FNotice = {}; }
    const std::string& FilePath() const { return FPath; }

    // Lines rarer than this share of deals are asked only when they come:
    // looking for them would hold the quiz up.
    static constexpr double kMinAskedShare = 1.0 / 4000;
    static constexpr int kQuizDealTries = 3000;
    // Test seam: the day answers count for.
    static void SetToday(std::function<QDate()> today);

  private:
    TChartAdvisor FAdvisor;
    TQuizPaytable FPaytable;
    std::string FPath;
    TQuizSchedule FSchedule;
    TQuizFileNotice FNotice;
    std::vector<bool> FAskable;
    std::vector<int> FNewOrder; // lines never asked are introduced most frequent first
    TDealer FDealer;
    int FWildRank = kNoWildRankInGame;
    std::array<int, kHandSize> FDealt{};
    int FDealLine = -1;
    int FDrawMask = 31;
    bool FHasDeal = false;
    std::optional<TQuizVerdict> FVerdict;
    bool FToldNotSaved = false;
};

} // namespace drawmentor
