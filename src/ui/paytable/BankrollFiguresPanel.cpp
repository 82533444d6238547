#include "BankrollFiguresPanel.h"

#include "bankroll/BankrollJob.h"
#include "prefs/Preferences.h"
#include "prefs/Texts.h"
#include "ui/common/TextSections.h"

#include <QGridLayout>
#include <QLabel>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <tuple>

namespace drawmentor {

QString BankrollText(const TPreferences& preferences, const char* key, const QStringList& values) {
    QString text = preferences.Texts().Translate(kBankrollTexts, QString::fromLatin1(key));
    for (qsizetype i = 0; i < values.size(); ++i)
        text.replace(QLatin1Char('%') + QString::number(i + 1), values[i]);
    return text;
}

TBankrollFiguresPanel::TBankrollFiguresPanel(const TPreferences& preferences, QWidget* parent)
    : QWidget(parent), FPreferences(preferences) {
    setObjectName(QStringLiteral("FiguresPanel"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 6, 0, 0);
    int row = 0;
    AddCaption(*grid, row, "Ruin");
    AddValue(*grid, row++, 1, QStringLiteral("lRuin"), 2);
    AddCaption(*grid, row, "LongRun");
    AddValue(*grid, row++, 1, QStringLiteral("lLongRun"), 2);
    QLabel* note = AddValue(*grid, row++, 0, QStringLiteral("lLongRunNote"), 3);
    note->setAlignment(Qt::AlignLeft);
    note->setWordWrap(true);
    AddQuestions(*grid, row);
    QLabel* result = AddCaption(*grid, row, "Result");
    QFont bold = result->font();
    bold.setBold(true);
    result->setFont(bold);
    AddCaption(*grid, row, "ColumnBets")->setFont(bold);
    AddCaption(*grid, row++, "ColumnMoney")->setFont(bold);
    for (const char* key : {"Mean", "Deviation", "Quantile5", "Median", "Quantile95"}) {
        AddCaption(*grid, row, key);
        AddValue(*grid, row, 1, QStringLiteral("l%1Bets").arg(QLatin1String(key)));
        AddValue(*grid, row++, 2, QStringLiteral("l%1Money").arg(QLatin1String(key)));
    }
    AddCaption(*grid, row++, "EveryHand", 3)->setWordWrap(true);
    QLabel* top = AddValue(*grid, row++, 0, QStringLiteral("lTopLine"), 3);
    top->setAlignment(Qt::AlignLeft);
    top->setFont(bold);
    AddCaption(*grid, row, "TopLineMedian");
    AddValue(*grid, row++, 1, QStringLiteral("lTopLineMedian"), 2);
    AddCaption(*grid, row, "NoTopLine");
    AddValue(*grid, row++, 1, QStringLiteral("lNoTopLine"), 2);
    AddCaption(*grid, row, "WithoutTopLine");
    AddValue(*grid, row, 1, QStringLiteral("lWithoutTopLineBets"));
    AddValue(*grid, row++, 2, QStringLiteral("lWithoutTopLineMoney"));
    grid->setColumnMinimumWidth(1, 90);
    grid->setColumnMinimumWidth(2, 100);
}

// The win goal's and the target risk's rows: a heading, then the figure
// within the session and without end.
void TBankrollFiguresPanel::AddQuestions(QGridLayout& grid, int& row) {
    for (const auto& [heading, within, withinValue, withoutEnd, withoutEndValue] :
         {std::tuple{"GoalHeader", "GoalWithin", "lGoal", "GoalWithoutEnd", "lLongRunGoal"},
          std::tuple{"LeastHeader", "LeastWithin", "lLeast", "LeastWithoutEnd", "lLongRunLeast"}}) {
        AddCaption(grid, row++, heading, 3)->setWordWrap(true);
        AddCaption(grid, row, "Within", 1, within)->setIndent(12);
        AddValue(grid, row++, 1, QString::fromLatin1(withinValue), 2);
        AddCaption(grid, row, "WithoutEnd", 1, withoutEnd)->setIndent(12);
        AddValue(grid, row++, 1, QString::fromLatin1(withoutEndValue), 2);
    }
    QLabel* note = AddValue(grid, row++, 0, QStringLiteral("lQuestionsNote"), 3);
    note->setAlignment(Qt::AlignLeft);
    note->setWordWrap(true);
}

// The column headers sit in the value columns of the result's row.
QLabel* TBankrollFiguresPanel::AddCaption(QGridLayout& grid, int row, const char* key, int span,
                                          const char* named) {
    auto* label = new QLabel(this);
    const std::string_view name(key);
    const int column = name == "ColumnBets" ? 1 : name == "ColumnMoney" ? 2 : 0;
    label->setObjectName(column == 0
                             ? QStringLiteral("l%1Label").arg(QLatin1String(named ? named : key))
                             : QStringLiteral("l") + QLatin1String(key));
    if (column > 0) label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid.addWidget(label, row, column, 1, span);
    FCaptions.emplace_back(label, key);
    return label;
}

QLabel* TBankrollFiguresPanel::AddValue(QGridLayout& grid, int row, int column, const QString& name,
                                        int span) {
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid.addWidget(label, row, column, 1, span);
    return label;
}

QString TBankrollFiguresPanel::Text(const char* key, const QStringList& values) const {
    return BankrollText(FPreferences, key, values);
}

void TBankrollFiguresPanel::SetCaptions(int64_t hands, const QString& topLine, bool deals,
                                        int64_t goalBets, const QString& targetPercent) {
    FDeals = deals;
    const QString count = QString::number(hands);
    const TTexts& texts = FPreferences.Texts();
    const QString within =
        texts.Counted(deals ? QStringLiteral("Deals") : QStringLiteral("Hands"), hands);
    for (const auto& [label, key] : FCaptions) {
        const std::string_view name(key);
        // Captions that count the session say deals when a deal has several hands.
        const char* shown = !deals                ? key
                            : name == "Ruin"      ? "RuinDeals"
                            : name == "Result"    ? "ResultDeals"
                            : name == "EveryHand" ? "EveryDeal"
                            : name == "NoTopLine" ? "NoTopLineDeals"
                                                  : key;
        QStringList values{count};
        if (name == "NoTopLine") values = {topLine, count};
        if (name == "GoalHeader") values = {texts.Counted(QStringLiteral("Bets"), goalBets)};
        if (name == "LeastHeader") values = {targetPercent};
        if (name == "Within") values = {within};
        label->setText(Text(shown, values));
    }
}

void TBankrollFiguresPanel::Clear() {
    const QList<QLabel*> labels = findChildren<QLabel*>();
    for (QLabel* label : labels)
        if (std::none_of(FCaptions.begin(), FCaptions.end(),
                         [&](const auto& caption) { return caption.first == label; }))
            SetValue(label->objectName(), QString());
}

QString TBankrollFiguresPanel::Percent(long double p) const {
    // Below what the computation can tell apart from zero, as the command line says.
    if (p < 1e-15L) return Text("NearZero");
    // Six digits, as the command line gives; short of certainty is never shown as it.
    if (p > 0.999999L && p < 1) return QStringLiteral("> 99.9999 %");
    // Six significant digits in plain decimals: a reader compares "0.00000364 %"
    // with "0.0172 %" at a glance, not an exponent with a decimal.
    const double percent = static_cast<double>(100 * p);
    const int decimals = std::max(0, 5 - static_cast<int>(std::floor(std::log10(percent))));
    QString text = QString::number(percent, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0'))) text.chop(1);
        if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    }
    return text + QStringLiteral(" %");
}

void TBankrollFiguresPanel::SetValue(const QString& name, const QString& text) {
    QLabel* label = findChild<QLabel*>(name);
    label->setText(text);
    // A note takes room only when it has something to say.
    if (label->wordWrap()) label->setVisible(!text.isEmpty());
}

// Mean figures get `decimals` places; results on the grid (decimals < 0) are
// exact and get no decimals they do not have.
void TBankrollFiguresPanel::SetBoth(const QString& name, long double coins, int decimals) {
    const double bets = static_cast<double>(coins / FBetCoins);
    SetValue(name + QLatin1String("Bets"),
             decimals < 0 ? QString::number(bets, 'g', 10) : QString::number(bets, 'f', decimals));
    const double money = static_cast<double>(coins) * FMoneyPerCoin;
    SetValue(name + QLatin1String("Money"),
             (money < 0 ? QStringLiteral("-$") : QStringLiteral("$")) +
                 QString::number(std::fabs(money), 'f', 2));
}

void TBankrollFiguresPanel::Show(const TBankrollFigures& f, const QString& topLine, int betCoins,
                                 double moneyPerCoin) {
    FBetCoins = betCoins;
    FMoneyPerCoin = moneyPerCoin;
    SetValue(QStringLiteral("lRuin"), Percent(f.Ruin.Probability));
    QString longRun = Percent(f.LongRun.Probability);
    QString note;
    if (f.LongRun.Kind == TLongRunRuin::TKind::Certain) {
        longRun = Text("Certain");
        note = Text("CertainNote");
    } else if (f.LongRun.Kind == TLongRunRuin::TKind::Impossible) {
        longRun = Text("Impossible");
    }
    QString least = LeastText(f.LongRunLeast);
    // The computation's own words on why are there for whoever points at the figure.
    const QString why = QString::fromStdString(f.LongRunLeftOut);
    if (!why.isEmpty()) {
        longRun = least = Text("NotComputed");
        note = Text("NotComputedNote");
    }
    for (const char* name : {"lLongRun", "lLongRunLeast"})
        findChild<QLabel*>(QString::fromLatin1(name))->setToolTip(why);
    SetValue(QStringLiteral("lLongRunLeast"), least);
    SetValue(QStringLiteral("lLongRun"), longRun);
    SetValue(QStringLiteral("lLongRunNote"), note);
    const TSessionDistribution& s = f.Session;
    SetBoth(QStringLiteral("lMean"), s.Mean, 2);
    SetBoth(QStringLiteral("lDeviation"), std::sqrt(s.Variance), 2);
    SetBoth(QStringLiteral("lQuantile5"), static_cast<long double>(s.Quantile(0.05L)), -1);
    SetBoth(QStringLiteral("lMedian"), static_cast<long double>(s.Quantile(0.5L)), -1);
    SetBoth(QStringLiteral("lQuantile95"), static_cast<long double>(s.Quantile(0.95L)), -1);
    const TTopLineWait& wait = f.Wait;
    if (wait.Line < 0) {
        SetValue(QStringLiteral("lTopLine"), Text("NoLinePays"));
        for (const char* name :
             {"lTopLineMedian", "lNoTopLine", "lWithoutTopLineBets", "lWithoutTopLineMoney"})
            SetValue(QString::fromLatin1(name), QString());
        return;
    }
    SetValue(QStringLiteral("lTopLine"),
             Text(FDeals ? "TopLineDeals" : "TopLine",
                  {topLine, QString::number(static_cast<double>(wait.MeanHands), 'f', 2)}));
    SetValue(QStringLiteral("lTopLineMedian"),
             Text(FDeals ? "DealsValue" : "HandsValue", {QString::number(wait.MedianHands)}));
    SetValue(QStringLiteral("lNoTopLine"), Percent(wait.NoneWithin));
    SetBoth(QStringLiteral("lWithoutTopLine"), wait.MeanResultWithout, 2);
}

QString TBankrollFiguresPanel::LeastText(const TBankrollForRisk& least) const {
    const TTexts& texts = FPreferences.Texts();
    switch (least.Kind) {
    case TBankrollForRisk::TKind::Never: return Text("NoBankroll");
    case TBankrollForRisk::TKind::Beyond:
        return Text("MoreThan", {texts.Counted(QStringLiteral("Bets"), kMaxBankrollBets)});
    case TBankrollForRisk::TKind::Found: break;
    }
    const double money = static_cast<double>(least.Units) * FBetCoins * FMoneyPerCoin;
    return Text("LeastValue", {texts.Counted(QStringLiteral("Bets"), least.Units),
                               QStringLiteral("$") + QString::number(money, 'f', 2)});
}

void TBankrollFiguresPanel::ShowGoals(const TGoalFigures& goals, int betCoins,
                                      double moneyPerCoin) {
    FBetCoins = betCoins;
    FMoneyPerCoin = moneyPerCoin;
    SetValue(QStringLiteral("lGoal"), Percent(goals.Goal.Goal));
    const bool computed = goals.LongRunGoalLeftOut.empty();
    SetValue(QStringLiteral("lLongRunGoal"),
             computed ? Percent(goals.LongRunGoal.Goal) : Text("NotComputed"));
    findChild<QLabel*>(QStringLiteral("lLongRunGoal"))
        ->setToolTip(QString::fromStdString(goals.LongRunGoalLeftOut));
    SetValue(QStringLiteral("lQuestionsNote"), computed ? QString() : Text("GoalNotComputedNote"));
    SetValue(QStringLiteral("lLeast"), LeastText(goals.Least));
}

void TBankrollFiguresPanel::ClearGoals() {
    for (const char* name : {"lGoal", "lLongRunGoal", "lLeast", "lQuestionsNote"})
        SetValue(QString::fromLatin1(name), QString());
}

} // namespace drawmentor
