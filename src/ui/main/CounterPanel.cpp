#include "CounterPanel.h"

#include "play/Session.h"
#include "prefs/Preferences.h"
#include "ui/common/TextSections.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QVBoxLayout>

#include <cmath>

namespace drawmentor {

namespace {

QString Trimmed(const char* format, double value) {
    return QString::asprintf(format, value).trimmed();
}

} // namespace

TCounterPanel::TCounterPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("LabelPanel"));
    auto* counters = new QVBoxLayout(this);
    counters->setContentsMargins(3, 0, 3, 0);
    counters->setSpacing(0);
    FChart = new QLabel(this);
    FChart->setObjectName(QStringLiteral("ChartImage"));
    FChart->setFixedSize(130, 60);
    counters->addWidget(FChart, 0, Qt::AlignHCenter);
    const char* names[kRowCount][4] = {{"CreditsPanel", "CreditLabel", "lCredit", "Credits"},
                                       {"WinPanel", "WinLabel", "lWin", "Win"},
                                       {"BetPanel", "BetLabel", "lBet", "Bet"},
                                       {"ValuePanel", "ValueLabel", "lCoinCost", "Value"},
                                       {"BalancePanel", "BalanceLabel", "lBalance", "Balance"},
                                       {"AccuracyPanel", "AccuracyLabel", "lAccuracy", "Accuracy"},
                                       {"HintsPanel", "HintsLabel", "lHints", "Hints"},
                                       {"HandsPanel", "HandsLabel", "lHands", "Hands"},
                                       {"TimePanel", "TimeLabel", "lTime", "Time"}};
    for (int i = 0; i < kRowCount; ++i) {
        auto* panel = new QWidget(this);
        panel->setObjectName(QString::fromLatin1(names[i][0]));
        auto* line = new QHBoxLayout(panel);
        line->setContentsMargins(0, 0, 0, 0);
        auto* caption = new QLabel(panel);
        caption->setObjectName(QString::fromLatin1(names[i][1]));
        auto* value = new QLabel(panel);
        value->setObjectName(QString::fromLatin1(names[i][2]));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
        line->addWidget(caption, 1);
        line->addWidget(value);
        counters->addWidget(panel);
        FRows[i] = {panel, caption, value, names[i][3]};
    }
    FRows[rValue].Value->setCursor(Qt::PointingHandCursor);
    FRows[rValue].Value->installEventFilter(this);
    counters->addStretch();
}

void TCounterPanel::Retranslate(const TPreferences& preferences) {
    FChart->setToolTip(preferences.Texts().TranslateHint(kMainLabelsTexts, QStringLiteral("Info")));
    for (auto& row : FRows) {
        const QString key = QString::fromLatin1(row.Key);
        row.Caption->setText(preferences.Texts().Translate(kMainLabelsTexts, key));
        row.Caption->setToolTip(preferences.Texts().TranslateHint(kMainLabelsTexts, key));
        row.Value->setToolTip(row.Caption->toolTip());
    }
}

void TCounterPanel::Update(const TSession& session, const QImage& chart) {
    FRows[rCredits].Value->setText(QString::number(session.Counters().Credits()));
    FRows[rWin].Value->setText(QString::number(session.DealWin()));
    FRows[rBet].Value->setText(QString::number(session.Game().Bet()));
    FRows[rValue].Value->setText(MoneyText(CoinValue(session.CoinIndex())));
    FRows[rBalance].Value->setText(MoneyText(session.Counters().Balance()));
    FRows[rAccuracy].Value->setText(AccuracyText(session.Counters().Accuracy()));
    FRows[rHints].Value->setText(QString::number(session.Counters().Hints()));
    FRows[rHands].Value->setText(QString::number(session.Counters().Hands()));
    FChart->setPixmap(QPixmap::fromImage(chart));
}

void TCounterPanel::SetTime(TDateTime elapsed) {
    FRows[rTime].Value->setText(PlayTimeText(elapsed));
}

QString TCounterPanel::MoneyText(double amount) {
    return (amount < 0 ? QStringLiteral("-$") : QStringLiteral("$")) +
           Trimmed("%5.2f", std::fabs(amount));
}

QString TCounterPanel::AccuracyText(double percent) {
    return Trimmed("%10.2f%%", percent);
}

// Hours are not wrapped at a day: a long session shows as e.g. 27:03:15.
QString TCounterPanel::PlayTimeText(TDateTime elapsed) {
    return drawmentor::PlayTimeText(elapsed);
}

bool TCounterPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FRows[rValue].Value && event->type() == QEvent::MouseButtonPress) {
        emit CoinValueClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TCounterPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int available = height() - FChart->height() - 5;
    const int least = static_cast<int>(std::lround(14 * FScale));
    const int rowHeight =
        std::clamp(available / kRowCount, least, static_cast<int>(std::lround(24 * FScale)));
    for (auto& row : FRows) row.Panel->setFixedHeight(rowHeight);
}

QSize TCounterPanel::minimumSizeHint() const {
    const int least = static_cast<int>(std::lround(14 * FScale));
    return {QWidget::minimumSizeHint().width(), FChart->height() + 5 + kRowCount * least};
}

void TCounterPanel::SetScale(double scale) {
    FScale = scale;
    FChart->setFixedSize(static_cast<int>(std::lround(130 * scale)),
                         static_cast<int>(std::lround(60 * scale)));
    FChart->setScaledContents(scale != 1);
    QResizeEvent event(size(), size());
    resizeEvent(&event);
}

} // namespace drawmentor
