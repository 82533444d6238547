#include "BankrollWindow.h"

#include "BankrollFiguresPanel.h"
#include "BankrollPlots.h"

#include "play/GameText.h"
#include "ui/common/GradientLabel.h"
#include "ui/common/HelpKey.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/LineText.h"
#include "ui/common/NumberField.h"
#include "ui/common/TextSections.h"

#include "bankroll/BankrollForRisk.h"
#include "bankroll/DealDistribution.h"
#include "games/Catalogue.h"
#include "games/HandsPerDeal.h"
#include "play/LogRecord.h"
#include "prefs/Preferences.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <exception>
#include <string_view>

namespace drawmentor {

namespace {

constexpr int kDefaultBets = 800;
constexpr int kDefaultHands = 10000;
// The bankroll library's own limit, as the command line's.
constexpr int kMaxBets = static_cast<int>(kMaxBankrollBets);

// Why a finished part of a bankroll job has no result, empty when it has
// one. Mostly paytables with huge pays on a fine grid, whose exact figures
// would take beyond reason: fewer hands may change that.
template <typename TRead> QString Failure(const TRead& read) {
    try {
        read();
        return {};
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    }
}

} // namespace

TBankrollWindow::TBankrollWindow(QWidget* parent, int gameIndex, const std::vector<int>& pays,
                                 int betCoins, const TPaytableReturn& analysis, int coinIndex,
                                 TPreferences& preferences, int cashback)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FPreferences(preferences), FGameIndex(gameIndex), FPays(pays), FBetCoins(betCoins),
      FOneHand(HandDistributionOf(analysis, pays, betCoins)), FDealHand(FOneHand), FHand(FOneHand),
      FCashback(std::clamp(cashback, 0, kMaxCashback)), FReturnPercent(analysis.ReturnPercent),
      FCoinIndex(std::clamp(coinIndex, 0, kCoinValueCount - 1)) {
    setObjectName(QStringLiteral("fmBankroll"));
    FGame = new QLabel(this);
    FGame->setObjectName(QStringLiteral("lGame"));
    FGame->setMinimumHeight(23);
    auto* inputs = new QGridLayout;
    AddInputs(*inputs);
    Rebate();
    FFigures = new TBankrollFiguresPanel(preferences, this);
    auto* left = new QVBoxLayout;
    left->addLayout(inputs);
    left->addWidget(FFigures);
    left->addStretch(1);
    FCharts = new TBankrollPlots(this);
    auto* middle = new QHBoxLayout;
    middle->addLayout(left, 0);
    middle->addWidget(FCharts, 1);

    FProgress = new QProgressBar(this);
    FProgress->setObjectName(QStringLiteral("pbBankroll"));
    FProgress->setRange(0, 0); // the walks do not count their way: a busy bar
    FProgress->setMaximumSize(120, 12);
    FProgress->setTextVisible(false);
    FStatus = new QLabel(this);
    FStatus->setObjectName(QStringLiteral("lStatus"));
    FStatus->setWordWrap(true);
    FClose = new QPushButton(this);
    FClose->setObjectName(QStringLiteral("btnClose"));
    FClose->setAutoDefault(false);
    connect(FClose, &QPushButton::clicked, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(FProgress);
    bottom->addWidget(FStatus, 1);
    bottom->addWidget(FClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FGame);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);
    resize(1000, 800);

    FPoll.setInterval(40);
    connect(&FPoll, &QTimer::timeout, this, &TBankrollWindow::Poll);
    FDelay.setSingleShot(true);
    FDelay.setInterval(kInputDelayMs);
    connect(&FDelay, &QTimer::timeout, this, &TBankrollWindow::Start);
    InstallHelpKey(*this, hcBankroll, FPreferences);
    connect(&FPreferences, &TPreferences::PreferencesChanged, this, &TBankrollWindow::Retranslate);
    Retranslate();
    Start();
}

TBankrollWindow::~TBankrollWindow() = default; // the jobs cancel and wait as they go

void TBankrollWindow::AddInputs(QGridLayout& grid) {
    const auto caption = [&](int row, const char* key, QWidget* buddy) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("l%1Label").arg(QLatin1String(key)));
        label->setBuddy(buddy);
        grid.addWidget(label, row, 0);
        FInputCaptions.emplace_back(label, key);
    };
    FBankroll = new QDoubleSpinBox(this);
    FBankroll->setObjectName(QStringLiteral("edBankroll"));
    FBankroll->setDecimals(0);
    FBankroll->setRange(1, kMaxBets);
    FBankroll->setSingleStep(100);
    FBankroll->setValue(kDefaultBets);
    FUnitBox = new QComboBox(this);
    FUnitBox->setObjectName(QStringLiteral("cbBankrollUnit"));
    FUnitBox->addItems({QString(), QString()});
    FCoinBox = new QComboBox(this);
    FCoinBox->setObjectName(QStringLiteral("cbCoinValue"));
    // Smallest coin first; each item keeps its stored index.
    for (int coin : CoinIndicesByValue())
        FCoinBox->addItem(QString::asprintf("$%.2f", CoinValue(coin)), coin);
    FCoinBox->setCurrentIndex(FCoinBox->findData(FCoinIndex));
    FHands = new QSpinBox(this);
    FHands->setObjectName(QStringLiteral("seHands"));
    FHands->setRange(1, static_cast<int>(kMaxRuinHands));
    FHands->setSingleStep(1000);
    FHands->setValue(kDefaultHands);
    caption(0, "Bankroll", FBankroll);
    grid.addWidget(FBankroll, 0, 1);
    grid.addWidget(FUnitBox, 0, 2);
    caption(1, "CoinValue", FCoinBox);
    grid.addWidget(FCoinBox, 1, 1);
    caption(2, "Hands", FHands);
    grid.addWidget(FHands, 2, 1);
    // Only the counts the table offers: no other can be chosen.
    FDealBox = new QComboBox(this);
    FDealBox->setObjectName(QStringLiteral("cbHandsPerDeal"));
    for (int hands : kHandsPerDealChoices) FDealBox->addItem(QString::number(hands));
    caption(3, "HandsPerDeal", FDealBox);
    grid.addWidget(FDealBox, 3, 1);
    connect(FDealBox, &QComboBox::currentIndexChanged, this, &TBankrollWindow::DealChosen);
    // Typed values: a value out of range is refused by its field, which says why below.
    const auto field = [&](int row, const char* key, const char* name, int decimals,
                           TNumberField::TRule rule, double value) {
        auto* edit = new TNumberField(decimals, std::move(rule), this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->SetValue(value);
        caption(row, key, edit);
        grid.addWidget(edit, row, 1);
        connect(edit, &TNumberField::Refused, this, [this](const QString& why) {
            FInputNote->setText(why);
            FInputNote->show();
        });
        return edit;
    };
    FInputNote = new QLabel(this);
    FInputNote->setObjectName(QStringLiteral("lInputNote"));
    FInputNote->setWordWrap(true);
    FInputNote->hide(); // until a field refuses a value
    FCashbackField = field(
        4, "Cashback", "edCashback", 2,
        [](double percent) { return percent >= 0 && percent <= kMaxCashback / 100.0; },
        FCashback / 100.0);
    FGoal = field(
        5, "Goal", "edGoal", 0,
        [](double bets) { return bets >= 1 && bets <= static_cast<double>(kMaxBankrollBets); },
        kDefaultGoalBets);
    FTarget = field(
        6, "TargetRisk", "edTargetRisk", 10,
        [](double percent) {
            return percent >= static_cast<double>(100 * kLeastTargetRisk) && percent < 100;
        },
        kDefaultTargetPercent);
    grid.addWidget(FInputNote, 7, 0, 1, 3);
    connect(FCashbackField, &TNumberField::ValueChanged, this, &TBankrollWindow::CashbackChosen);
    for (TNumberField* edit : {FGoal, FTarget})
        connect(edit, &TNumberField::ValueChanged, this, &TBankrollWindow::InputsChanged);
    connect(FBankroll, &QDoubleSpinBox::valueChanged, this, &TBankrollWindow::InputsChanged);
    connect(FHands, &QSpinBox::valueChanged, this, &TBankrollWindow::InputsChanged);
    connect(FUnitBox, &QComboBox::currentIndexChanged, this, &TBankrollWindow::UnitChosen);
    connect(FCoinBox, &QComboBox::currentIndexChanged, this, &TBankrollWindow::CoinChosen);
}

QString TBankrollWindow::Text(const char* key, const QStringList& values) const {
    return BankrollText(FPreferences, key, values);
}

double TBankrollWindow::MoneyPerCoin() const {
    return CoinValue(FCoinIndex);
}

int64_t TBankrollWindow::BankrollCoins() const {
    const double value = FBankroll->value();
    // Money buys whole coins; what is left over cannot be bet.
    return FUnit == buBets ? std::llround(value) * BetCoins()
                           : static_cast<int64_t>(std::floor(value / MoneyPerCoin() + 1e-9));
}

TBankrollQuestion TBankrollWindow::Question() const {
    TBankrollQuestion question;
    // The figures count in the units of the cash-back's grid.
    question.BankrollCoins = BankrollCoins() * FScale;
    question.Hands = FHands->value();
    question.UnitCoins = BetCoins() * FScale;
    question.GoalCoins = std::llround(FGoal->Value()) * question.UnitCoins;
    question.TargetRisk = FTarget->Value() / 100;
    for (int tenths = 1; tenths <= kCurvePoints; ++tenths)
        question.CurveBankrolls.push_back(question.BankrollCoins * tenths / 10);
    return question;
}

void TBankrollWindow::UnitChosen() {
    const int64_t coins = BankrollCoins();
    FUnit = FUnitBox->currentIndex() == buMoney ? buMoney : buBets;
    const QSignalBlocker quiet(FBankroll);
    const double bet = BetCoins() * MoneyPerCoin();
    if (FUnit == buMoney) {
        FBankroll->setDecimals(2);
        FBankroll->setRange(bet, bet * kMaxBets);
        FBankroll->setSingleStep(100 * bet);
        FBankroll->setPrefix(QStringLiteral("$"));
        FBankroll->setValue(static_cast<double>(coins) * MoneyPerCoin());
    } else {
        FBankroll->setDecimals(0);
        FBankroll->setRange(1, kMaxBets);
        FBankroll->setSingleStep(100);
        FBankroll->setPrefix(QString());
        FBankroll->setValue(std::round(static_cast<double>(coins) / BetCoins()));
    }
    InputsChanged();
}

void TBankrollWindow::CoinChosen() {
    FCoinIndex = std::clamp(FCoinBox->currentData().toInt(), 0, kCoinValueCount - 1);
    if (FUnit == buMoney) {
        // The money stays: it buys more or fewer coins.
        const QSignalBlocker quiet(FBankroll);
        const double value = FBankroll->value();
        const double bet = BetCoins() * MoneyPerCoin();
        FBankroll->setRange(bet, bet * kMaxBets);
        FBankroll->setSingleStep(100 * bet);
        FBankroll->setValue(value);
    }
    InputsChanged();
}

void TBankrollWindow::DealChosen() {
    const int index =
        std::clamp(FDealBox->currentIndex(), 0, static_cast<int>(kHandsPerDealChoices.size()) - 1);
    FHandsPerDeal = kHandsPerDealChoices[index];
    StopJob();
    FShown.reset(); // the figures of another deal answer another question
    FDeal.reset();  // cancels and waits: the sums look at the flag deal by deal
    FDealHand = FOneHand;
    Rebate();
    Retranslate(); // the session's length is counted in deals or in hands
    if (FHandsPerDeal > 1) {
        FDeal = std::make_unique<TBackgroundJob<THandDistribution>>(
            [game = FGameIndex, pays = FPays, bet = FBetCoins,
             hands = FHandsPerDeal](TJobControl& control) {
                TAnalysisOptions options;
                options.Cancel = control.CancelFlag();
                const TDealOutcomes deals =
                    BestHoldOutcomes(*CreateDescription(game), pays, bet, options);
                if (deals.Cancelled) return THandDistribution(bet, {}, {}, 1);
                const auto deal = DealDistributionOf(deals, pays, bet, hands, 0, options.Cancel);
                return deal ? *deal : THandDistribution(bet, {}, {}, 1);
            });
        FPoll.start();
        Display();
        return;
    }
    Start();
}

void TBankrollWindow::CashbackChosen(double percent) {
    FInputNote->hide();
    FCashback = static_cast<int>(std::lround(percent * 100));
    Rebate();
    StopJob();
    FShown.reset(); // the figures of another hand answer another question
    Start();
}

void TBankrollWindow::Rebate() {
    const TRebatedHand rebated = WithCashback(FDealHand, FCashback);
    FHand = rebated.Hand;
    FScale = rebated.Scale;
}

void TBankrollWindow::InputsChanged() {
    FInputNote->hide();
    const TBankrollQuestion question = Question();
    const TBankrollJob* current = FJob ? FJob.get() : FShown.get();
    if (current && current->Question() == question) {
        // Back to what is computed or on the way, or only the coin changed.
        FDelay.stop();
    } else {
        StopJob();
        FDelay.start();
    }
    Display();
}

void TBankrollWindow::StopJob() {
    if (!FJob) return;
    FJob->Cancel();
    FRetired.push_back(std::move(FJob));
}

void TBankrollWindow::Start() {
    if (FDeal) return; // Poll starts once the deal is summed
    StopJob();
    FJob = std::make_unique<TBankrollJob>(FHand, Question());
    FPartsShown = 0;
    FPoll.start();
    Display();
}

void TBankrollWindow::Poll() {
    std::erase_if(FRetired, [](const auto& job) { return job->Finished(); });
    if (FDeal && FDeal->Finished()) {
        const QString failure = Failure([&] { FDealHand = FDeal->Result(); });
        FDeal.reset();
        if (!failure.isEmpty()) {
            FStatus->setText(Text("Failed", {failure}));
            return;
        }
        Rebate();
        Start();
    }
    if (FJob) {
        // Redrawn only when a part is new: the figures and the curve come apart.
        const int done = (FJob->FiguresDone() ? 1 : 0) | (FJob->CurveDone() ? 2 : 0) |
                         (FJob->GoalsDone() ? 4 : 0);
        if (FJob->Finished()) FShown = std::move(FJob);
        if (done != FPartsShown) {
            FPartsShown = done;
            Display();
        }
    }
    if (!FJob && !FDeal && FRetired.empty()) FPoll.stop();
}

void TBankrollWindow::done(int result) {
    // Closing gives the cores back at once, not when the window goes.
    FDelay.stop();
    StopJob();
    FDeal.reset();
    QDialog::done(result);
}

void TBankrollWindow::Retranslate() {
    setWindowTitle(FPreferences.Texts().WindowCaption(kBankrollTexts));
    const auto game = CreateDescription(FGameIndex);
    FGame->setText(
        Text("Header", {game ? GameNameText(game->Name, FPreferences.Texts()) : QString(),
                        QString::number(BetCoins()),
                        QString::number(static_cast<double>(FReturnPercent), 'f', 4)}));
    FGame = MakeHeaderLabel(FGame, FPreferences);
    FUnitBox->setItemText(buBets, Text("UnitBets"));
    FUnitBox->setItemText(buMoney, Text("UnitMoney"));
    // The session's length counts deals when a deal has several hands.
    for (const auto& [label, key] : FInputCaptions)
        label->setText(Text(FHandsPerDeal > 1 && std::string_view(key) == "Hands" ? "Deals" : key));
    FCashbackField->SetRefusal(Text("CashbackRefused"));
    FGoal->SetRefusal(Text("GoalRefused"));
    FTarget->SetRefusal(Text("TargetRefused"));
    FInputNote->hide(); // it spoke the language before
    FClose->setText(Text("Close"));
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
    Display();
}

void TBankrollWindow::Display() {
    const TBankrollJob* current = FJob.get();
    const TBankrollJob* figures = current && current->FiguresDone() ? current : FShown.get();
    const TBankrollJob* curve = current && current->CurveDone() ? current : FShown.get();
    const TBankrollJob* goals = current && current->GoalsDone() ? current : FShown.get();
    const TBankrollQuestion question = Question();
    const QString figuresError = figures ? Failure([&] { figures->Figures(); }) : QString();
    const QString curveError = curve ? Failure([&] { curve->Curve(); }) : QString();
    const QString goalsError = goals ? Failure([&] { goals->Goals(); }) : QString();
    const bool failed = !figuresError.isEmpty();
    const int64_t hands = figures && !failed ? figures->Question().Hands : question.Hands;
    // The goal and the target the figures on show answer.
    const TBankrollQuestion& asked = goals ? goals->Question() : question;
    const int unit = BetCoins() * static_cast<int>(FScale);
    FFigures->SetCaptions(hands, TopLineName(), FHandsPerDeal > 1, asked.GoalCoins / unit,
                          QString::number(static_cast<double>(100 * asked.TargetRisk), 'g', 10));
    if (figures && !failed) {
        FFigures->Show(figures->Figures(), TopLineName(), unit,
                       MoneyPerCoin() / static_cast<double>(FScale));
        FCharts->ShowDistribution(figures->Figures().Session, ChartUnit());
    } else {
        FFigures->Clear();
        FCharts->ShowDistribution(TSessionDistribution{}, 1);
    }
    if (goals && goalsError.isEmpty())
        FFigures->ShowGoals(goals->Goals(), unit, MoneyPerCoin() / static_cast<double>(FScale));
    else
        FFigures->ClearGoals();
    if (curve && curveError.isEmpty() && !curve->Curve().Cancelled)
        FCharts->ShowCurve(curve->Question().CurveBankrolls, curve->Curve().Probability,
                           curve->Question().BankrollCoins, ChartUnit());
    else
        FCharts->ClearCurve();
    SetChartTexts(hands);
    // Figures of other inputs stay in grey until the new ones come.
    FFigures->setEnabled(figures && figures->Question() == question && goals &&
                         goals->Question() == question);
    FCharts->setEnabled(curve && curve->Question() == question);
    FProgress->setVisible(Running());
    if (failed)
        FStatus->setText(Text("Failed", {figuresError}));
    else if (!curveError.isEmpty())
        FStatus->setText(Text("CurveFailed", {curveError}));
    else if (!goalsError.isEmpty())
        FStatus->setText(Text("GoalsFailed", {goalsError}));
    else
        FStatus->setText(Running() ? Text("Computing") : QString());
}

QString TBankrollWindow::TopLineName() const {
    const auto game = CreateDescription(FGameIndex);
    return game && FHand.TopLine() >= 0 ? LineText(*game, FHand.TopLine(), FPreferences.Texts())
                                        : QString();
}

double TBankrollWindow::ChartUnit() const {
    const auto units = static_cast<double>(FScale);
    return FUnit == buBets ? 1.0 / (BetCoins() * units) : MoneyPerCoin() / units;
}

void TBankrollWindow::SetChartTexts(int64_t hands) {
    const bool bets = FUnit == buBets;
    TBankrollPlots::TTexts texts;
    const bool deals = FHandsPerDeal > 1;
    texts.DistributionTitle =
        Text(deals ? "DistributionTitleDeals" : "DistributionTitle", {QString::number(hands)});
    texts.DistributionBottom = Text(bets ? "DistributionBottomBets" : "DistributionBottomMoney");
    texts.DistributionLeft = Text("DistributionLeft");
    texts.CurveTitle = Text(deals ? "CurveTitleDeals" : "CurveTitle", {QString::number(hands)});
    texts.CurveBottom = Text(bets ? "CurveBottomBets" : "CurveBottomMoney");
    texts.CurveLeft = Text("CurveLeft");
    FCharts->SetTexts(texts, font());
}

void ShowBankroll(QWidget* parent, int gameIndex, const std::vector<int>& pays, int betCoins,
                  const TPaytableReturn& analysis, int coinIndex, TPreferences& preferences,
                  int cashback) {
    TBankrollWindow window(parent, gameIndex, pays, betCoins, analysis, coinIndex, preferences,
                           cashback);
    window.exec();
}

} // namespace drawmentor
