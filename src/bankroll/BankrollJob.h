#pragma once

#include "HandDistribution.h"
#include "RiskOfRuin.h"
#include "SessionDistribution.h"
#include "core/BackgroundJob.h"

#include <cstdint>
#include <vector>

namespace drawmentor {

// What a bankroll is asked about: its coins, the hands of the session and
// the bankrolls (coins) of the curve of risk against bankroll.
struct TBankrollQuestion {
    int64_t BankrollCoins = 0;
    int64_t Hands = 0;
    std::vector<int64_t> CurveBankrolls;
    friend bool operator==(const TBankrollQuestion&, const TBankrollQuestion&) = default;
};

// The figures `drawmentor-cli risk` prints, from the same calls.
struct TBankrollFigures {
    TSessionDistribution Session;
    TRuin Ruin;
    TLongRunRuin LongRun;
    TTopLineWait Wait;
};

// The figures and the curve of one question, each a background job of its
// own so that the window stays responsive and the figures need not wait for
// the curve. Poll the Done flags from the user-interface thread; Figures and
// Curve wait for their part and rethrow what it raised (ERangeError for what
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
    }
    bool FiguresDone() const { return FFigures.Finished(); }
    bool CurveDone() const { return FCurve.Finished(); }
    bool Finished() const { return FiguresDone() && CurveDone(); }

    const TBankrollQuestion& Question() const { return FQuestion; }
    const TBankrollFigures& Figures() const { return FFigures.Result(); }
    // The risk of ruin of each of the question's curve bankrolls.
    const TRuinCurve& Curve() const { return FCurve.Result(); }

  private:
    const THandDistribution FHand;
    const TBankrollQuestion FQuestion;
    // Last: their work reads the hand and the question.
    TBackgroundJob<TBankrollFigures> FFigures;
    TBackgroundJob<TRuinCurve> FCurve;
};

} // namespace drawmentor
