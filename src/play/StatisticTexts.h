#pragma once

#include <QString>

namespace drawmentor {

class TStatistic;
class TStatisticsList;
class TTexts;
struct TStatRow;

// The captions of the statistics in the interface language, looked up when
// they are shown: the figures never wait for texts.
QString StatisticCaption(const TStatistic& statistic, const TTexts& texts);
// Column 0 is the rows' own caption column.
QString ColumnCaption(const TStatistic& statistic, int column, const TTexts& texts);
QString RowCaption(const TStatRow& row, const TTexts& texts);
// A cell of the selected statistic as the table shows it: row 0 holds the
// column captions, column 0 the row captions, the rest the figures.
QString StatisticCell(const TStatisticsList& list, int column, int row, const TTexts& texts);

} // namespace drawmentor
