#include "BankrollJob.h"

#include "core/Error.h"

#include <utility>

namespace drawmentor {
namespace {

// A figure without end is left out, with why, when its work is beyond reason.
template <typename TFind> void LeftOutIfTooLong(std::string& why, const TFind& find) {
    try {
        find();
    } catch (const ERangeError& error) {
        why = error.what();
    }
}

} // namespace

TBankrollJob::TBankrollJob(const THandDistribution& hand, TBankrollQuestion question)
    : FHand(hand), FQuestion(std::move(question)), FFigures([this](TJobControl& control) {
          const std::atomic<bool>* cancel = control.CancelFlag();
          CheckRuinHands(FQuestion.Hands);
          CheckBankroll(FHand, FQuestion.BankrollCoins);
          TBankrollFigures figures;
          figures.Session = SessionDistribution(FHand, FQuestion.Hands, cancel);
          if (!figures.Session.Cancelled)
              figures.Ruin = RiskOfRuin(FHand, FQuestion.BankrollCoins, FQuestion.Hands, cancel);
          LeftOutIfTooLong(figures.LongRunLeftOut, [&] {
              const TLongRunLadder ladder(FHand, cancel);
              figures.LongRun = LongRunRiskOfRuin(FHand, ladder, FQuestion.BankrollCoins, cancel);
              if (FQuestion.TargetRisk > 0)
                  figures.LongRunLeast = LongRunBankrollForRisk(FHand, ladder, FQuestion.UnitCoins,
                                                                FQuestion.TargetRisk, cancel);
          });
          figures.Wait = TopLineWait(FHand, FQuestion.Hands);
          return figures;
      }),
      FCurve([this](TJobControl& control) {
          return RiskOfRuinCurve(FHand, FQuestion.CurveBankrolls, FQuestion.Hands,
                                 control.CancelFlag());
      }),
      FGoals([this](TJobControl& control) {
          const std::atomic<bool>* cancel = control.CancelFlag();
          const TBankrollQuestion& q = FQuestion;
          TGoalFigures goals;
          if (q.GoalCoins > 0) {
              goals.Goal = StopWin(FHand, q.BankrollCoins, q.GoalCoins, q.Hands, cancel);
              LeftOutIfTooLong(goals.LongRunGoalLeftOut, [&] {
                  goals.LongRunGoal = LongRunStopWin(FHand, q.BankrollCoins, q.GoalCoins, cancel);
              });
          }
          if (q.TargetRisk > 0)
              goals.Least = BankrollForRisk(FHand, q.UnitCoins, q.TargetRisk, q.Hands, cancel);
          return goals;
      }) {}

} // namespace drawmentor
