#include "MessageLine.h"

#include "HoldCostMessage.h"

#include "ui/chart/ChartWhyText.h"

#include "prefs/Texts.h"

#include "play/Session.h"
#include "prefs/Preferences.h"

namespace drawmentor {

QString MessageText(const QString& key, const QStringList& arguments, const TSession& session,
                    const TPreferences& preferences) {
    QString text = preferences.Texts().Translate(QStringLiteral("Main.Messages"), key);
    if (key == QLatin1String("Win"))
        text.replace(QLatin1String("%d"), arguments.value(0));
    else if (!arguments.isEmpty())
        text = FormatText(text, arguments);
    if (key == QLatin1String("Win") || key == QLatin1String("Finish"))
        text = WithHoldCost(text, session, preferences);
    return text;
}

QString StateMessage(const TSession& session, const TPreferences& preferences) {
    const auto text = [&](const char* key, const QStringList& arguments = {}) {
        return MessageText(QString::fromLatin1(key), arguments, session, preferences);
    };
    const TTableHand& hand = session.Hand();
    switch (hand.State()) {
    case TGameState::gsIdle: return text("Start");
    case TGameState::gsDealt:
        // A replayed hand says which it is, so a long list does not look stuck.
        if (hand.ErrorHandNumber() > 0)
            return text("ErrorHand", {QString::number(hand.ErrorHandNumber()),
                                      QString::number(hand.ErrorHandCount())});
        // While the hint's hold is on the cards the line says which chart line
        // it is, through every redraw, once the chart is there.
        if (hand.Record().HintReturn > 0 && hand.DrawMask() == hand.Record().BestMask) {
            const auto advice = session.Coach().BestAdvice();
            if (const TStrategyChart* chart = session.Coach().Chart().Chart(); advice && chart)
                return HintWhyText(*advice, *chart, preferences);
        }
        return text("Hold");
    case TGameState::gsDrawn:
        if (const QString doubled = DoubleUpMessage(session, preferences); !doubled.isEmpty())
            return doubled;
        if (session.DealWin() != 0) return text("Win", {QString::number(session.DealWin())});
        return text("Finish");
    default: return {};
    }
}

} // namespace drawmentor
