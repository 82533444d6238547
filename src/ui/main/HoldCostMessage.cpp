#include "HoldCostMessage.h"

#include "ui/chart/ChartWhyText.h"
#include "ui/log/WarningWindow.h"

#include "play/ErrorList.h"
#include "play/GameEngine.h"
#include "prefs/Preferences.h"

namespace drawmentor {

QString HoldCostMessage(const TGameEngine& engine, const TPreferences& preferences) {
    const auto cost = DrawnHoldCost(engine, preferences.Severity);
    if (!cost) return {};
    const QString messages = QStringLiteral("Main.Messages");
    const char* severities[] = {"", "SeriousError", "MediumError", "MinorError"};
    QString text = FormatText(
        preferences.Texts().Translate(messages, QStringLiteral("HoldCost")),
        {QString::asprintf("%.2f", cost->Return), QString::asprintf("%.2f", cost->BestReturn),
         preferences.Texts().Translate(messages, QString::fromLatin1(severities[cost->Severity]))});
    const auto advice = engine.HoldAdvice();
    const TStrategyChart* chart = engine.Chart().Chart();
    const QString why = advice && chart ? HoldWhyText(*advice, *chart, preferences) : QString();
    return why.isEmpty() ? text : text + QStringLiteral(". ") + why;
}

QString WithHoldCost(const QString& message, const TGameEngine& engine,
                     const TPreferences& preferences) {
    const QString cost = HoldCostMessage(engine, preferences);
    if (cost.isEmpty()) return message;
    return message + (message.endsWith(u'!') ? QStringLiteral(" ") : QStringLiteral(". ")) + cost;
}

} // namespace drawmentor
