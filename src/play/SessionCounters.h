#pragma once

#include "DateTime.h"
#include "PlayState.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace drawmentor {

// The counters of a play session: the player's credits beside best play's on
// the same cards, the balance in money, the expected returns behind Accuracy,
// the hands played and the time spent playing. The session changes them; the
// windows read them.
class TSessionCounters {
  public:
    void Clear();

    // A deal takes the bet from both credit counters; a hand given back
    // before its draw returns it.
    void TakeBet(int32_t coins);
    void ReturnBet(int32_t coins);
    // A collected hand: the player's and best play's wins, and the balance in
    // the coin value the hand was dealt at.
    void CollectHand(int32_t win, int32_t bestWin, int32_t bet, double coinValue);
    // The expected returns of a drawn hand's hold and of the best hold.
    void AddReturns(double held, double best);
    // A drawn hand whose hold came from the hint: Accuracy takes it as best
    // play, and this count says how much of Accuracy that is.
    void AddHint();
    // Play time runs from the first deal after a start or a reset.
    void StartClock();

    int32_t Credits() const { return FCredits; }
    int32_t BestCredits() const { return FBestCredits; }
    double Balance() const { return FBalance; }
    int32_t Hands() const { return FHands; }
    int32_t Hints() const { return FHints; }
    double ReturnSum() const { return FReturnSum; }
    double BestReturnSum() const { return FBestReturnSum; }
    // The player's expected return as a share of best play's, in percent.
    double Accuracy() const;
    TDateTime ElapsedTime() const;

    // Values kept from an earlier run (the settings file).
    void RestoreCredits(int32_t credits);
    void RestoreBalance(double balance) { FBalance = balance; }
    void RestoreReturns(double held, double best);
    void RestoreHands(int32_t hands) { FHands = hands; }
    void RestoreHints(int32_t hints) { FHints = hints; }
    void RestorePlayTime(TDateTime time) { FPlayTime = time; }

  private:
    int32_t FCredits = kStartCredits;
    int32_t FBestCredits = kStartCredits;
    double FBalance = 0;
    double FReturnSum = 0;
    double FBestReturnSum = 0;
    int32_t FHands = 0;
    int32_t FHints = 0;
    TDateTime FPlayTime = 0;
    TDateTime FClockStart = 0;
};

// "h:mm:ss" with as many hours as it takes; "hh:mm:ss" and "mm:ss" read too.
QString PlayTimeText(TDateTime days);
std::optional<TDateTime> ParsePlayTime(const QString& text);

} // namespace drawmentor
