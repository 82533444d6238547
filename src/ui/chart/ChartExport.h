#pragma once

#include "charts/StrategyChart.h"

#include <QString>
#include <QStringList>

namespace drawmentor {

class TTexts;

// The words around a chart in the interface language, as the chart window
// shows them.
struct TChartExportTexts {
    QString Title;
    QString Rule;        // how a chart is read
    QString Pays;        // the paytable's pays for the chart's bet
    QStringList Columns; // number, line, frequency, average return, example hand
    QStringList Summary; // the chart's return against perfect play, one figure a line
    QStringList Legend;  // what the words of the line names mean
};

// A page to print or to open in a browser.
QString ChartHtml(const TStrategyChart& chart, const TTexts& language,
                  const TChartExportTexts& texts);
// A table for a spreadsheet: a header row, then one row per line; numbers
// with a decimal point and full precision, names quoted.
QString ChartCsv(const TStrategyChart& chart, const TTexts& language,
                 const TChartExportTexts& texts);

} // namespace drawmentor
