#include "StatisticsModel.h"

#include "play/StatisticTexts.h"
#include "play/Statistics.h"

#include <algorithm>

namespace drawmentor {

TStatisticsModel::TStatisticsModel(const TStatisticsList& list, const TTexts& texts,
                                   QObject* parent)
    : QAbstractTableModel(parent), FList(list), FTexts(texts) {
    // Every change of the figures, the texts or the selection redraws all of it.
    connect(&list, &TStatisticsList::Changed, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int TStatisticsModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return std::max(kVisibleRows, FList.Items(FList.Selected).RowCount());
}

int TStatisticsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant TStatisticsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole:
        // Row 0 of the list's cells is the caption row, shown as the header.
        return StatisticCell(FList, index.column(), index.row() + 1, FTexts);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight));
    default: return {};
    }
}

QVariant TStatisticsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns) return {};
    if (role == Qt::DisplayRole) return StatisticCell(FList, section, 0, FTexts);
    if (role == Qt::TextAlignmentRole) return static_cast<int>(HeaderAlignment());
    return {};
}

void TStatisticsModel::TextsChanged() {
    beginResetModel();
    endResetModel();
}

Qt::Alignment TStatisticsModel::HeaderAlignment() {
    return Qt::Alignment::fromInt(int{Qt::AlignCenter} | int{Qt::TextWordWrap});
}

QString TStatisticsModel::TableText() const {
    const int rows = FList.Items(FList.Selected).RowCount();
    QString text;
    for (int row = 0; row <= rows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            if (column > 0) text += QLatin1Char('\t');
            text += StatisticCell(FList, column, row, FTexts).trimmed();
        }
        text += QLatin1Char('\n');
    }
    return text;
}

} // namespace drawmentor
