#pragma once

#include "BankrollForRisk.h"
#include "HandDistribution.h"
#include "RiskOfRuin.h"
#include "SessionDistribution.h"
#include "StopWin.h"
#include "core/BackgroundJob.h"

#include <cstdint>
#include <string>
#include <vector>

namespace drawmentor {

// What a bankroll is asked about: its coins, the hands of the session and
// the bankrolls (coins) of the curve of risk against bankroll; a win goal
// (coins) and a target risk, each none when 0, and the unit (coins) the
// least bankroll for the target is counted in.
struct TBankrollQuestion {
    int64_t BankrollCoins = 0;
    int64_t Hands = 0;
    std::vector<int64_t> CurveBankrolls;
    int64_t GoalCoins = 0;
    long double TargetRisk = 0;
    int64_t UnitCoins = 1;
    friend bool operator==(const TBankrollQuestion&, const TBankrollQuestion&) = default;
};

// The figures `drawmentor-cli risk` prints, from the same calls. The risk
// without end, and with a target risk its least bankroll, share the
// equations of the falls; when those would take beyond reason both are left
// out, with why.
struct TBankrollFigures {
    TSessionDistribution Session;
    TRuin Ruin;
    TLongRunRuin LongRun;
    TBankrollForRisk LongRunLeast;
    std::string LongRunLeftOut;
    TTopLineWait Wait;
};

// The answers to the win goal and, within the session, the target risk.
struct TGoalFigures {
    TStopWin Goal;
    TStopWin LongRunGoal;
    std::string LongRunGoalLeftOut;
    TBankrollForRisk Least;
};

// The figures, the curve and the goals of one question, each a background
// job of its own so that the window stays responsive and the figures need not
// wait for the others. Poll the Done flags from the user-interface thread;
// Figures, Curve and Goals wait for their part and rethrow what it raised (ERangeError for what
// the maths refuses). Destroying the job cancels both parts and waits for
// them, which takes a few milliseconds: the walks look at the cancel flag
// every 64 hands.
class TBankrollJob {
  public:
    TBankrollJob(const THandDistribution& hand, TBankrollQuestion question);
    TBankrollJob(const TBankrollJob&) = delete;
    TBankrollJob& operator=(const TBankrollJob&) = delete;
    ~TBankrollJob() { Cancel(); }

    void Cancel() {
        FFigures.Cancel();
        FCurve.Cancel();
        FGoals.Cancel();
    }
    bool FiguresDone() const { return FFigures.Finished(); }
    bool CurveDone() const { return FCurve.Finished(); }
    bool GoalsDone() const { return FGoals.Finished(); }
    bool Finished() const { return FiguresDone() && CurveDone() && GoalsDone(); }

    const TBankrollQuestion& Question() const { return FQuestion; }
    const TBankrollFigures& Figures() const { return FFigures.Result(); }
    // The risk of ruin of each of the question's curve bankrolls.
    const TRuinCurve& Curve() const { return FCurve.Result(); }
    // Nothing asked for, nothing in them.
    const TGoalFigures& Goals() const { return FGoals.Result(); }

  private:
    const THandDistribution FHand;
    const TBankrollQuestion FQuestion;
    // Last: their work reads the hand and the question.
    TBackgroundJob<TBankrollFigures> FFigures;
    TBackgroundJob<TRuinCurve> FCurve;
    TBackgroundJob<TGoalFigures> FGoals;
};

} // namespace drawmentor
