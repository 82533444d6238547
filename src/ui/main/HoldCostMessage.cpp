#include "HoldCostMessage.h"

#include "prefs/Texts.h"
#include "ui/chart/ChartWhyText.h"

#include "play/ErrorList.h"
#include "play/Session.h"
#include "prefs/Preferences.h"

#include "cards/Cards.h"

namespace drawmentor {

QString HoldCostMessage(const TSession& session, const TPreferences& preferences) {
    const auto cost = DrawnHoldCost(session, preferences.Severity);
    if (!cost) return {};
    const QString messages = QStringLiteral("Main.Messages");
    const char* severities[] = {"", "SeriousError", "MediumError", "MinorError"};
    QString text = FormatText(
        preferences.Texts().Translate(messages, QStringLiteral("HoldCost")),
        {QString::asprintf("%.2f", cost->Return), QString::asprintf("%.2f", cost->BestReturn),
         preferences.Texts().Translate(messages, QString::fromLatin1(severities[cost->Severity]))});
    const auto advice = session.Coach().HoldAdvice();
    const TStrategyChart* chart = session.Coach().Chart().Chart();
    const QString why = advice && chart ? HoldWhyText(*advice, *chart, preferences) : QString();
    return why.isEmpty() ? text : text + QStringLiteral(". ") + why;
}

QString WithHoldCost(const QString& message, const TSession& session,
                     const TPreferences& preferences) {
    const QString cost = HoldCostMessage(session, preferences);
    if (cost.isEmpty()) return message;
    return message + (message.endsWith(u'!') ? QStringLiteral(" ") : QStringLiteral(". ")) + cost;
}

QString CardSymbolText(int code) {
    const TCard card = DecodeCard(code);
    if (card.Rank < 0) return QStringLiteral("JK");
    static const char16_t suits[] = {u'\u2660', u'\u2663', u'\u2666', u'\u2665'}; // S C D H
    const QString rank =
        card.Rank == 8 ? QStringLiteral("10") : QString::fromStdString(CardText(card)).left(1);
    return rank + QChar(suits[card.Suit & 3]);
}

QString DoubleUpMessage(const TSession& session, const TPreferences& preferences) {
    const TTableHand& hand = session.Hand();
    if (hand.DoubleUpPick() < 1 || hand.State() != TGameState::gsDrawn) return {};
    const char* keys[] = {"DoubleLost", "DoublePush", "DoubleWon"};
    return FormatText(
        preferences.Texts().Translate(QStringLiteral("Main.Messages"),
                                      QString::fromLatin1(keys[hand.DoubleUpResult() + 1])),
        {CardSymbolText(hand.CardAt(hand.DoubleUpPick())), CardSymbolText(hand.CardAt(0)),
         QString::number(hand.CurrentWin())});
}

} // namespace drawmentor
