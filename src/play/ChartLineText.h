#pragma once

#include "charts/ChartLine.h"
#include "charts/StrategyChart.h"

#include <QString>
#include <QStringList>

#include <string>

namespace drawmentor {

class TTexts;

// The sections of the language files that hold the words of chart lines and
// the translations of the catalogue's paytable line names.
inline const QString kChartLineTexts = QStringLiteral("ChartLines");
inline const QString kPaytableLineTexts = QStringLiteral("PaytableLines");
inline const QString kChartLegendTexts = QStringLiteral("ChartLegend");

// A chart line's or a hold class's name in the language of `texts`.
QString ChartNameText(const TNamePart& name, const TTexts& texts);
// A paytable line's name as the game's catalogue gives it, for a sentence in
// the language of `texts`; a name the language leaves alone keeps the
// catalogue's spelling.
QString PaytableLineText(const std::string& name, const TTexts& texts);
// What the words of a chart's line names mean, each once, for the legend
// under the chart: how to read the chart, then the terms its names use.
QStringList ChartLegend(const TStrategyChart& chart, const TTexts& texts);
// A line's exception notes, one sentence each.
QStringList ChartExceptionTexts(const TChartLine& line, const TTexts& texts);
// "Dealt AS KS QS JS 2D: hold AS KS QS JS"; empty for a line without one.
QString ChartExampleText(const TChartLine& line, const TTexts& texts);
// The paytable's pays for the chart's bet, line by line: "Royal Flush 4000,
// Straight Flush 250, ...".
QString ChartPaysText(const TStrategyChart& chart, const TTexts& texts);
// The line's name with its exception notes on the lines below it.
QString ChartLineWithNotes(const TChartLine& line, const TTexts& texts);

} // namespace drawmentor
