#pragma once

#include <QString>
#include <QStringList>

namespace drawmentor {

class TChartLineStats;
class TTexts;

inline const QString kChartLineStatsTexts = QStringLiteral("Statistics.ByLine");
inline constexpr int kChartLineStatsColumns = 5;

// The table of the statistics by chart line as the window and the tool show
// it: row 0 holds the column captions, then one row per chart line and the
// total; column 0 names the line, the others are hands (or deals), errors,
// their cost in coins and the accuracy in percent. "-" where there is nothing.
int ChartLineStatsRows(const TChartLineStats& stats);
QString ChartLineStatsCell(const TChartLineStats& stats, int column, int row, const TTexts& texts);
// What the table is of and what it leaves out, a sentence each.
QStringList ChartLineStatsNotes(const TChartLineStats& stats, const TTexts& texts);

} // namespace drawmentor
