#include "ChartLineStatsModel.h"

#include "StatisticsModel.h"

#include "play/ChartLineStatsText.h"

namespace drawmentor {

TChartLineStatsModel::TChartLineStatsModel(const TTexts& texts, QObject* parent)
    : QAbstractTableModel(parent), FTexts(texts) {}

void TChartLineStatsModel::Recalculate(TLogger& logger, bool countDeals) {
    beginResetModel();
    FAdvice.Clear();
    FStats.ComputeFiltered(logger, FAdvice, countDeals);
    endResetModel();
}

QStringList TChartLineStatsModel::Notes() const {
    return ChartLineStatsNotes(FStats, FTexts);
}

void TChartLineStatsModel::TextsChanged() {
    beginResetModel();
    endResetModel();
}

int TChartLineStatsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ChartLineStatsRows(FStats) - 1;
}

int TChartLineStatsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kChartLineStatsColumns;
}

QVariant TChartLineStatsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole:
        return ChartLineStatsCell(FStats, index.column(), index.row() + 1, FTexts);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight));
    default: return {};
    }
}

QVariant TChartLineStatsModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kChartLineStatsColumns)
        return {};
    if (role == Qt::DisplayRole) return ChartLineStatsCell(FStats, section, 0, FTexts);
    if (role == Qt::TextAlignmentRole) return static_cast<int>(TStatisticsModel::HeaderAlignment());
    return {};
}

QString TChartLineStatsModel::TableText() const {
    QString text;
    for (int row = 0; row < ChartLineStatsRows(FStats); ++row) {
        for (int column = 0; column < kChartLineStatsColumns; ++column) {
            if (column > 0) text += QLatin1Char('\t');
            text += ChartLineStatsCell(FStats, column, row, FTexts);
        }
        text += QLatin1Char('\n');
    }
    return text;
}

} // namespace drawmentor
