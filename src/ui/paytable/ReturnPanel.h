#pragma once

#include "engine/ReturnJob.h"
#include "play/ReturnCache.h"

#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QProgressBar;

namespace drawmentor {

class TPreferences;

// The return of a paytable with perfect play, its standard deviation and how
// often the top line comes, under a paytable grid. Figures the user's cache
// knows show at once; others are computed by a background job while a
// progress bar runs, so the window never waits. A new paytable cancels the
// job of the one before, whose figures are then never shown.
class TReturnPanel : public QWidget {
    Q_OBJECT

  public:
    // Returns are those of a full bet, the usual way to compare paytables.
    static constexpr int kBetCoins = 5;

    explicit TReturnPanel(const TPreferences& preferences, QWidget* parent = nullptr);
    ~TReturnPanel() override;

    // `pays` are the whole-bet pays of the game's lines for kBetCoins. With a
    // delay the job starts only when no other paytable came meanwhile (the
    // editor's typing).
    void Show(int gameIndex, const std::vector<int>& pays, int delayMs = 0);
    // No figures; `noteKey` names a text of the panel's section, or none.
    void Clear(const QString& noteKey = {});
    void Retranslate();
    // Hands dealt from one hold: above one the deviation of a whole deal
    // shows beside that of a hand.
    void SetHandsPerDeal(int hands);
    int HandsPerDeal() const { return FHands; }

    bool Running() const { return FJob != nullptr || FDelay.isActive(); }
    // The figures on show and the paytable they belong to.
    const std::optional<TPaytableReturn>& Shown() const { return FShown; }
    const std::vector<int>& ShownPays() const { return FPays; }
    int ShownGame() const { return FGame; }

  signals:
    void Computed();

  private:
    void Start();
    void Poll();
    void Display();
    void StopJob();

    const TPreferences& FPreferences;
    std::shared_ptr<TReturnCache> FCache;
    std::unique_ptr<TReturnJob> FJob;
    // Cancelled jobs finish in the background and are dropped once done, so
    // that a change of selection never waits for one.
    std::vector<std::unique_ptr<TReturnJob>> FRetired;
    QTimer FPoll;
    QTimer FDelay;
    int FGame = -1;
    int FHands = 1;
    std::vector<int> FPays;
    std::optional<TPaytableReturn> FShown;
    QString FNoteKey;
    QString FError;
    QLabel* FReturn = nullptr;
    QLabel* FDeviation = nullptr;
    QLabel* FTopLine = nullptr;
    QProgressBar* FProgress = nullptr;
};

} // namespace drawmentor
