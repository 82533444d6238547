#pragma once

// The sections of the language files the windows read their texts from.
#include <QString>

namespace drawmentor {

inline const QString kAllHandsTexts = QStringLiteral("AllHands");
inline const QString kAnalyseHandTexts = QStringLiteral("AnalyseHand");
inline const QString kBankrollTexts = QStringLiteral("Bankroll");
inline const QString kChartWhyTexts = QStringLiteral("ChartWhy");
inline const QString kChartsTexts = QStringLiteral("Charts");
inline const QString kClearByFilterTexts = QStringLiteral("ClearByFilter");
inline const QString kDeckDialogTexts = QStringLiteral("DeckDialog");
inline const QString kErrorsTexts = QStringLiteral("Errors");
inline const QString kMainButtonsTexts = QStringLiteral("Main.Buttons");
inline const QString kMainHandsTexts = QStringLiteral("Main.Hands");
inline const QString kMainLabelsTexts = QStringLiteral("Main.Labels");
inline const QString kMainMenuTexts = QStringLiteral("Main.Menu");
inline const QString kPaytableReturnTexts = QStringLiteral("PaytableReturn");
inline const QString kPreferencesTexts = QStringLiteral("Preferences");
inline const QString kSelectPokerTexts = QStringLiteral("SelectPoker");
inline const QString kStatisticsTexts = QStringLiteral("Statistics");
inline const QString kStrategyChartTexts = QStringLiteral("StrategyChart");
inline const QString kWarningTexts = QStringLiteral("Warning");

} // namespace drawmentor
