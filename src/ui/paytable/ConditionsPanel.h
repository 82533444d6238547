#pragma once

#include "core/BackgroundJob.h"
#include "engine/ReturnJob.h"
#include "play/ReturnCache.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QLabel;

namespace drawmentor {

class TNumberField;
class TPreferences;

// What a casino adds to the paytable on show: a cash-back on the coins
// played and a progressive royal meter, the return with them and the royal
// at which the paytable breaks even (with the cash-back). A meter is a new
// paytable whose best holds are counted anew, found in the return cache or
// worked out in the background as any return; the break-even royal takes
// several such counts, in the background too. Values out of range are
// refused by their fields, which say why.
class TConditionsPanel : public QWidget {
    Q_OBJECT

  public:
    // The meter and the returns are those of a full bet, as the return panel's.
    static constexpr int kBetCoins = 5;

    explicit TConditionsPanel(const TPreferences& preferences, QWidget* parent = nullptr);
    ~TConditionsPanel() override;

    // The paytable on show, `pays` for kBetCoins, and its return with the
    // royal as the paytable pays it.
    void Show(int gameIndex, const std::vector<int>& pays, const TPaytableReturn& analysis);
    void Clear();
    void Retranslate();

    // Hundredths of a percent of the coins played.
    int Cashback() const { return FCashback; }
    // Coins for the whole bet: the paytable's own royal until one is typed.
    int64_t Meter() const;
    // The pays with the royal at the meter, and their return once known.
    std::vector<int> MeterPays() const;
    const std::optional<TPaytableReturn>& AtMeter() const { return FAtMeter; }
    bool Running() const { return FMeterJob != nullptr || FBreakEvenJob != nullptr; }

  signals:
    // The return at the meter has come, or gone with a new meter or paytable.
    void Changed();

  private:
    void CashbackTyped(double percent);
    void MeterTyped(double meter);
    void StartMeter();
    void StartBreakEven();
    void StopJobs();
    void Poll();
    void Display();
    QString Text(const char* key) const;

    const TPreferences& FPreferences;
    std::shared_ptr<TReturnCache> FCache;
    int FGame = -1;
    std::vector<int> FPays; // the paytable's own
    std::optional<TPaytableReturn> FOwn;
    int FCashback = 0;
    int64_t FMeter = 0; // 0: the paytable's own royal
    std::optional<TPaytableReturn> FAtMeter;
    std::optional<int64_t> FBreakEven; // none when no meter up to kMaxRoyalMeter will do
    bool FBreakEvenKnown = false;
    QString FError;
    std::unique_ptr<TReturnJob> FMeterJob;
    std::unique_ptr<TBackgroundJob<std::optional<int64_t>>> FBreakEvenJob;
    // Cancelled jobs finish in the background and are dropped once done, so
    // that a change never waits for one.
    std::vector<std::unique_ptr<TReturnJob>> FRetiredMeters;
    std::vector<std::unique_ptr<TBackgroundJob<std::optional<int64_t>>>> FRetiredBreakEvens;
    QTimer FPoll;

    std::vector<std::pair<QLabel*, const char*>> FCaptions; // and the key of their text
    TNumberField* FCashbackField = nullptr;
    TNumberField* FMeterField = nullptr;
    QLabel* FReturnWith = nullptr;
    QLabel* FBreakEvenLabel = nullptr;
    QLabel* FNote = nullptr;
};

} // namespace drawmentor
