#include "BankrollJob.h"

#include <utility>

namespace drawmentor {

TBankrollJob::TBankrollJob(const THandDistribution& hand, TBankrollQuestion question)
    : FHand(hand), FQuestion(std::move(question)), FFigures([this](TJobControl& control) {
          const std::atomic<bool>* cancel = control.CancelFlag();
          CheckRuinHands(FQuestion.Hands);
          CheckBankroll(FHand, FQuestion.BankrollCoins);
          TBankrollFigures figures;
          figures.Session = SessionDistribution(FHand, FQuestion.Hands, cancel);
          if (!figures.Session.Cancelled)
              figures.Ruin = RiskOfRuin(FHand, FQuestion.BankrollCoins, FQuestion.Hands, cancel);
          figures.LongRun = LongRunRiskOfRuin(FHand, FQuestion.BankrollCoins, cancel);
          figures.Wait = TopLineWait(FHand, FQuestion.Hands);
          return figures;
      }),
      FCurve([this](TJobControl& control) {
          return RiskOfRuinCurve(FHand, FQuestion.CurveBankrolls, FQuestion.Hands,
                                 control.CancelFlag());
      }) {}

} // namespace drawmentor
