#include "ReturnPanel.h"

#include "ui/common/LineText.h"
#include "ui/common/TextSections.h"

#include "games/Catalogue.h"
#include "play/ReturnCacheFile.h"
#include "prefs/Preferences.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace drawmentor {

TReturnPanel::TReturnPanel(const TPreferences& preferences, QWidget* parent)
    : QWidget(parent), FPreferences(preferences), FCache(SharedUserReturnCache()) {
    setObjectName(QStringLiteral("ReturnPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    const auto label = [&](const char* name) {
        auto* result = new QLabel(this);
        result->setObjectName(QString::fromLatin1(name));
        layout->addWidget(result);
        return result;
    };
    FReturn = label("lReturn");
    // Why the stored returns were set aside (they are computed again), for
    // whoever wonders why a return takes time that it did not before.
    FReturn->setToolTip(QString::fromStdString(FCache->Notice()));
    FDeviation = label("lDeviation");
    FTopLine = label("lTopLine");
    FProgress = new QProgressBar(this);
    FProgress->setObjectName(QStringLiteral("pbReturn"));
    FProgress->setRange(0, 100);
    FProgress->setMaximumHeight(12);
    FProgress->setTextVisible(false);
    layout->addWidget(FProgress);
    FPoll.setInterval(40);
    connect(&FPoll, &QTimer::timeout, this, &TReturnPanel::Poll);
    FDelay.setSingleShot(true);
    connect(&FDelay, &QTimer::timeout, this, &TReturnPanel::Start);
    Display();
}

TReturnPanel::~TReturnPanel() = default; // the jobs cancel and wait as they go

void TReturnPanel::StopJob() {
    FDelay.stop();
    if (!FJob) return;
    FJob->Cancel();
    FRetired.push_back(std::move(FJob));
}

void TReturnPanel::Show(int gameIndex, const std::vector<int>& pays, int delayMs) {
    if (gameIndex == FGame && pays == FPays && (FShown || Running())) return;
    StopJob();
    FGame = gameIndex;
    FPays = pays;
    FShown.reset();
    FNoteKey.clear();
    FError.clear();
    FShown = FCache->Find(gameIndex, kBetCoins, pays);
    if (!FShown) {
        if (delayMs > 0)
            FDelay.start(delayMs);
        else
            Start();
    }
    Display();
    if (FShown) emit Computed();
}

void TReturnPanel::Clear(const QString& noteKey) {
    StopJob();
    FGame = -1;
    FPays.clear();
    FShown.reset();
    FError.clear();
    FNoteKey = noteKey;
    Display();
}

void TReturnPanel::Start() {
    FJob = std::make_unique<TReturnJob>(FGame, FPays, kBetCoins);
    FPoll.start();
    Display();
}

void TReturnPanel::Poll() {
    std::erase_if(FRetired, [](const auto& job) { return job->Finished(); });
    if (FJob && FJob->Finished()) {
        try {
            FShown = FJob->Result();
            try {
                FCache->Store(FGame, kBetCoins, FPays, *FShown);
            } catch (const std::exception&) {
                // A cache that cannot be written only costs the next wait.
            }
        } catch (const std::exception& error) {
            FError = QString::fromUtf8(error.what());
        }
        FJob.reset();
        Display();
        if (FShown) emit Computed();
    } else if (FJob) {
        FProgress->setValue(static_cast<int>(100 * FJob->Progress()));
    }
    if (!FJob && FRetired.empty()) FPoll.stop();
}

void TReturnPanel::SetHandsPerDeal(int hands) {
    FHands = std::max(hands, 1);
    Display();
}

void TReturnPanel::Retranslate() {
    Display();
}

void TReturnPanel::Display() {
    const auto text = [&](const char* key) {
        return FPreferences.Texts().Translate(kPaytableReturnTexts, QString::fromLatin1(key));
    };
    FProgress->setVisible(Running());
    if (Running()) FProgress->setValue(FJob ? static_cast<int>(100 * FJob->Progress()) : 0);
    FDeviation->clear();
    FTopLine->clear();
    if (!FShown) {
        if (!FError.isEmpty())
            FReturn->setText(text("Failed").arg(FError));
        else if (Running())
            FReturn->setText(text("Computing"));
        else
            FReturn->setText(FNoteKey.isEmpty()
                                 ? QString()
                                 : FPreferences.Texts().Translate(kPaytableReturnTexts, FNoteKey));
        return;
    }
    const TPaytableReturn& r = *FShown;
    FReturn->setText(
        text("Return").arg(QString::number(static_cast<double>(r.ReturnPercent), 'f', 4)));
    const QString hand = QString::number(std::sqrt(static_cast<double>(r.Variance)), 'f', 2);
    if (FHands > 1)
        FDeviation->setText(
            text("DealDeviation")
                .arg(hand, QString::number(static_cast<double>(DealDeviation(r, FHands)), 'f', 2),
                     QString::number(FHands)));
    else
        FDeviation->setText(text("Deviation").arg(hand));
    const auto game = CreateDescription(FGame);
    const QString line = game ? LineText(*game, 0, FPreferences.Texts()) : QString();
    const double top = r.LineProbability.empty() ? 0 : static_cast<double>(r.LineProbability[0]);
    if (top > 0)
        FTopLine->setText(text("TopLine").arg(line, QString::number(std::llround(1 / top))));
    else
        FTopLine->setText(text("Never").arg(line));
}

} // namespace drawmentor
