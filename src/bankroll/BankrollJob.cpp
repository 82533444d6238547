#include "BankrollJob.h"

#include <exception>
#include <utility>

namespace drawmentor {

TBankrollJob::TBankrollJob(const THandDistribution& hand, TBankrollQuestion question)
    : FHand(hand), FQuestion(std::move(question)) {
    FFiguresThread = std::thread([this] { ComputeFigures(); });
    FCurveThread = std::thread([this] { ComputeCurve(); });
}

TBankrollJob::~TBankrollJob() {
    FCancel = true;
    if (FFiguresThread.joinable()) FFiguresThread.join();
    if (FCurveThread.joinable()) FCurveThread.join();
}

void TBankrollJob::ComputeFigures() {
    try {
        FFigures.Session = SessionDistribution(FHand, FQuestion.Hands, &FCancel);
        if (!FFigures.Session.Cancelled)
            FFigures.Ruin = RiskOfRuin(FHand, FQuestion.BankrollCoins, FQuestion.Hands, &FCancel);
        FFigures.LongRun = LongRunRiskOfRuin(FHand, FQuestion.BankrollCoins);
        FFigures.Wait = TopLineWait(FHand, FQuestion.Hands);
    } catch (const std::exception& error) {
        // Only paytables with huge pays on a fine grid get here: the exact
        // figures would take beyond reason, which fewer hands may change.
        FFiguresError = error.what();
    }
    FFiguresDone = true;
}

void TBankrollJob::ComputeCurve() {
    try {
        FCurve = RiskOfRuinCurve(FHand, FQuestion.CurveBankrolls, FQuestion.Hands, &FCancel);
    } catch (const std::exception& error) {
        FCurveError = error.what();
    }
    FCurveDone = true;
}

} // namespace drawmentor
