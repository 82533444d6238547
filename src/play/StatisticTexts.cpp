#include "StatisticTexts.h"

#include "ChartLineText.h"
#include "Statistics.h"

#include "prefs/Texts.h"

namespace drawmentor {

QString StatisticCaption(const TStatistic& statistic, const TTexts& texts) {
    return texts.Translate(QStringLiteral("Statistics"), statistic.CaptionKey);
}

QString ColumnCaption(const TStatistic& statistic, int column, const TTexts& texts) {
    if (column < 0 || column > 3) return {};
    return texts.Translate(statistic.Section, statistic.ColumnKey(column));
}

QString RowCaption(const TStatRow& row, const TTexts& texts) {
    if (!row.LineName.isEmpty()) return PaytableLineText(row.LineName.toStdString(), texts);
    const QString text = texts.Translate(row.Section, row.Key);
    return row.Indented ? QStringLiteral("   ") + text : text;
}

QString StatisticCell(const TStatisticsList& list, int column, int row, const TTexts& texts) {
    const TStatistic& item = list.Items(list.Selected);
    if (row == 0) return ColumnCaption(item, column, texts);
    if (column == 0)
        return row <= item.RowCount() ? RowCaption(item.Rows[row - 1], texts) : QString();
    return list.CellText(column, row);
}

} // namespace drawmentor
