#pragma once

#include "HandDistribution.h"
#include "RiskOfRuin.h"
#include "SessionDistribution.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
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

// The figures and the curve of one question, each on a thread of its own so
// that the window stays responsive and the figures need not wait for the
// curve. Poll the Done flags from the user-interface thread; a part's
// result may be read once its flag is set. Destroying the job cancels both
// parts and waits for them, which takes a few milliseconds: the walks look
// at the cancel flag every 64 hands.
class TBankrollJob {
  public:
    TBankrollJob(const THandDistribution& hand, TBankrollQuestion question);
    TBankrollJob(const TBankrollJob&) = delete;
    TBankrollJob& operator=(const TBankrollJob&) = delete;
    ~TBankrollJob();

    void Cancel() { FCancel = true; }
    bool FiguresDone() const { return FFiguresDone.load(); }
    bool CurveDone() const { return FCurveDone.load(); }
    bool Finished() const { return FiguresDone() && CurveDone(); }

    const TBankrollQuestion& Question() const { return FQuestion; }
    // After FiguresDone: the figures, or the reason there are none.
    const TBankrollFigures& Figures() const { return FFigures; }
    const std::string& FiguresError() const { return FFiguresError; }
    // After CurveDone: the risk of ruin of each of the question's curve
    // bankrolls, or the reason there is none.
    const TRuinCurve& Curve() const { return FCurve; }
    const std::string& CurveError() const { return FCurveError; }

  private:
    void ComputeFigures();
    void ComputeCurve();

    const THandDistribution FHand;
    const TBankrollQuestion FQuestion;
    std::atomic<bool> FCancel{false};
    std::atomic<bool> FFiguresDone{false};
    std::atomic<bool> FCurveDone{false};
    TBankrollFigures FFigures;
    std::string FFiguresError;
    TRuinCurve FCurve;
    std::string FCurveError;
    std::thread FFiguresThread;
    std::thread FCurveThread;
};

} // namespace drawmentor
