#include "ConditionsPanel.h"

#include "ui/common/NumberField.h"
#include "ui/common/TextSections.h"

#include "bankroll/HandDistribution.h"
#include "engine/RoyalMeter.h"
#include "games/Catalogue.h"
#include "play/ReturnCacheFile.h"
#include "prefs/Preferences.h"

#include <QGridLayout>
#include <QLabel>

#include <cmath>
#include <exception>

namespace drawmentor {

TConditionsPanel::TConditionsPanel(const TPreferences& preferences, QWidget* parent)
    : QWidget(parent), FPreferences(preferences), FCache(SharedUserReturnCache()) {
    setObjectName(QStringLiteral("ConditionsPanel"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setVerticalSpacing(1);
    const auto field = [&](int column, const char* key, const char* name, int decimals,
                           TNumberField::TRule rule) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("l%1Label").arg(QLatin1String(key)));
        auto* edit = new TNumberField(decimals, std::move(rule), this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMaximumWidth(90);
        label->setBuddy(edit);
        grid->addWidget(label, 0, column);
        grid->addWidget(edit, 0, column + 1);
        FCaptions.emplace_back(label, key);
        connect(edit, &TNumberField::Refused, this, [this](const QString& why) {
            FNote->setText(why);
            FNote->show();
        });
        return edit;
    };
    FCashbackField = field(0, "Cashback", "edCashback", 2, [](double percent) {
        return percent >= 0 && percent <= kMaxCashback / 100.0;
    });
    // Below the paytable's own royal a meter would lower the pay, not raise it.
    FMeterField = field(2, "RoyalMeter", "edRoyalMeter", 0, [this](double meter) {
        return !FPays.empty() && meter >= FPays[kRoyalLine] &&
               meter <= static_cast<double>(kMaxRoyalMeter);
    });
    grid->setColumnStretch(4, 1);
    const auto line = [&](int row, const char* name) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        grid->addWidget(label, row, 0, 1, 5);
        return label;
    };
    FReturnWith = line(1, "lReturnWith");
    FBreakEvenLabel = line(2, "lBreakEven");
    FNote = line(3, "lConditionsNote");
    FNote->setWordWrap(true);
    FNote->hide();
    FCashbackField->SetValue(0);
    connect(FCashbackField, &TNumberField::ValueChanged, this, &TConditionsPanel::CashbackTyped);
    connect(FMeterField, &TNumberField::ValueChanged, this, &TConditionsPanel::MeterTyped);
    FPoll.setInterval(40);
    connect(&FPoll, &QTimer::timeout, this, &TConditionsPanel::Poll);
    Retranslate();
    Clear();
}

TConditionsPanel::~TConditionsPanel() = default; // the jobs cancel and wait as they go

QString TConditionsPanel::Text(const char* key) const {
    return FPreferences.Texts().Translate(kSelectPokerTexts, QString::fromLatin1(key));
}

int64_t TConditionsPanel::Meter() const {
    return FMeter > 0 ? FMeter : FPays.empty() ? 0 : FPays[kRoyalLine];
}

std::vector<int> TConditionsPanel::MeterPays() const {
    return FMeter > 0 ? PaysAtMeter(FPays, FMeter) : FPays;
}

void TConditionsPanel::Show(int gameIndex, const std::vector<int>& pays,
                            const TPaytableReturn& analysis) {
    if (gameIndex == FGame && pays == FPays && FOwn) return;
    StopJobs();
    FGame = gameIndex;
    FPays = pays;
    FOwn = analysis;
    FAtMeter.reset();
    FError.clear();
    // A meter typed for another paytable stays while it still raises the royal.
    if (pays.empty() || FMeter <= pays[kRoyalLine]) FMeter = 0;
    FMeterField->SetValue(static_cast<double>(Meter()));
    FMeterField->SetRefusal(Text("MeterRefused").arg(FPays.empty() ? 0 : FPays[kRoyalLine]));
    for (TNumberField* edit : {FCashbackField, FMeterField}) edit->setEnabled(true);
    StartMeter();
    StartBreakEven();
    Display();
}

void TConditionsPanel::Clear() {
    StopJobs();
    FGame = -1;
    FPays.clear();
    FOwn.reset();
    FAtMeter.reset();
    FError.clear();
    FMeterField->clear();
    for (TNumberField* edit : {FCashbackField, FMeterField}) edit->setEnabled(false);
    Display();
    emit Changed();
}

void TConditionsPanel::CashbackTyped(double percent) {
    FNote->hide();
    FCashback = static_cast<int>(std::lround(percent * 100));
    if (!FOwn) return;
    if (FBreakEvenJob) {
        FBreakEvenJob->Cancel();
        FRetiredBreakEvens.push_back(std::move(FBreakEvenJob));
    }
    StartBreakEven();
    Display();
}

void TConditionsPanel::MeterTyped(double meter) {
    FNote->hide();
    FMeter = std::llround(meter) > FPays[kRoyalLine] ? std::llround(meter) : 0;
    if (FMeterJob) {
        FMeterJob->Cancel();
        FRetiredMeters.push_back(std::move(FMeterJob));
    }
    FAtMeter.reset();
    FError.clear();
    StartMeter();
    Display();
}

void TConditionsPanel::StartMeter() {
    if (FMeter == 0)
        FAtMeter = FOwn;
    else
        FAtMeter = FCache->Find(FGame, kBetCoins, MeterPays());
    if (!FAtMeter) {
        FMeterJob = std::make_unique<TReturnJob>(FGame, MeterPays(), kBetCoins);
        FPoll.start();
    }
    emit Changed();
}

void TConditionsPanel::StartBreakEven() {
    FBreakEven.reset();
    FBreakEvenKnown = false;
    const long double target = 100 - FCashback / 100.0L;
    FBreakEvenJob = std::make_unique<TBackgroundJob<std::optional<int64_t>>>(
        [game = FGame, pays = FPays, target](TJobControl& control) {
            TAnalysisOptions options;
            options.Cancel = control.CancelFlag();
            return BreakEvenMeter(*CreateDescription(game), pays, kBetCoins, target, options);
        });
    FPoll.start();
}

void TConditionsPanel::StopJobs() {
    if (FMeterJob) {
        FMeterJob->Cancel();
        FRetiredMeters.push_back(std::move(FMeterJob));
    }
    if (FBreakEvenJob) {
        FBreakEvenJob->Cancel();
        FRetiredBreakEvens.push_back(std::move(FBreakEvenJob));
    }
}

void TConditionsPanel::Poll() {
    std::erase_if(FRetiredMeters, [](const auto& job) { return job->Finished(); });
    std::erase_if(FRetiredBreakEvens, [](const auto& job) { return job->Finished(); });
    if (FMeterJob && FMeterJob->Finished()) {
        try {
            FAtMeter = FMeterJob->Result();
            try {
                FCache->Store(FGame, kBetCoins, MeterPays(), *FAtMeter);
            } catch (const std::exception&) {
                // A cache that cannot be written only costs the next wait.
            }
        } catch (const std::exception& error) {
            FError = QString::fromUtf8(error.what());
        }
        FMeterJob.reset();
        Display();
        emit Changed();
    }
    if (FBreakEvenJob && FBreakEvenJob->Finished()) {
        try {
            FBreakEven = FBreakEvenJob->Result();
            FBreakEvenKnown = true;
        } catch (const std::exception& error) {
            FError = QString::fromUtf8(error.what());
        }
        FBreakEvenJob.reset();
        Display();
    }
    if (!Running() && FRetiredMeters.empty() && FRetiredBreakEvens.empty()) FPoll.stop();
}

void TConditionsPanel::Retranslate() {
    for (const auto& [label, key] : FCaptions) label->setText(Text(key));
    FCashbackField->SetRefusal(Text("CashbackRefused"));
    FMeterField->SetRefusal(Text("MeterRefused").arg(FPays.empty() ? 0 : FPays[kRoyalLine]));
    FNote->hide(); // it spoke the language before
    Display();
}

void TConditionsPanel::Display() {
    FReturnWith->clear();
    FBreakEvenLabel->clear();
    if (!FOwn) return;
    if (!FError.isEmpty())
        FReturnWith->setText(Text("ConditionsFailed").arg(FError));
    else if (FCashback > 0 || FMeter > 0)
        FReturnWith->setText(
            FAtMeter ? Text("ReturnWith")
                           .arg(QString::number(
                               static_cast<double>(FAtMeter->ReturnPercent + FCashback / 100.0L),
                               'f', 4))
                     : Text("ReturnWithComputing"));
    if (FBreakEvenJob)
        FBreakEvenLabel->setText(Text("BreakEvenComputing"));
    else if (FBreakEvenKnown)
        FBreakEvenLabel->setText(
            FBreakEven ? Text("BreakEven")
                             .arg(FPreferences.Texts().Counted(QStringLiteral("Coins"),
                                                               static_cast<long long>(*FBreakEven)))
                       : Text("BreakEvenNone"));
}

} // namespace drawmentor
