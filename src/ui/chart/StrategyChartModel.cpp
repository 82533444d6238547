#include "StrategyChartModel.h"

#include "play/ChartLineText.h"

namespace drawmentor {

void TStrategyChartModel::SetChart(const TStrategyChart* chart, const TTexts& texts) {
    beginResetModel();
    FChart = chart;
    FTexts = &texts;
    FChecked.assign(chart ? chart->Lines.size() : 0, false);
    FOrder = chart ? ReadingOrder(*chart) : std::vector<int>{};
    endResetModel();
}

void TStrategyChartModel::SetTexts(const TTexts& texts) {
    FTexts = &texts;
    if (rowCount() > 0) emit dataChanged(index(0, cName), index(rowCount() - 1, cName));
}

void TStrategyChartModel::SetCaptions(const QStringList& captions) {
    FCaptions = captions;
    emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

std::vector<int> TStrategyChartModel::CheckedLines() const {
    std::vector<int> lines;
    for (size_t line = 0; line < FChecked.size(); ++line)
        if (FChecked[line]) lines.push_back(static_cast<int>(line));
    return lines;
}

void TStrategyChartModel::SetCheckedLines(const std::vector<int>& lines) {
    std::fill(FChecked.begin(), FChecked.end(), false);
    for (int line : lines)
        if (line >= 0 && line < static_cast<int>(FChecked.size()))
            FChecked[static_cast<size_t>(line)] = true;
    if (rowCount() > 0) emit dataChanged(index(0, cNumber), index(rowCount() - 1, cNumber));
}

QString TStrategyChartModel::FrequencyText(double share) {
    return QString::number(100 * share, 'f', 4) + QStringLiteral(" %");
}

QString TStrategyChartModel::ReturnText(double bets) {
    return QString::number(bets, 'f', 4);
}

int TStrategyChartModel::LineOfRow(int row) const {
    return FOrder.at(static_cast<size_t>(row));
}

int TStrategyChartModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !FChart ? 0 : static_cast<int>(FChart->Lines.size());
}

int TStrategyChartModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant TStrategyChartModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const int number = LineOfRow(index.row());
    const TChartLine& line = FChart->Lines[static_cast<size_t>(number)];
    if (role == Qt::CheckStateRole && index.column() == cNumber)
        return FChecked[static_cast<size_t>(number)] ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::TextAlignmentRole)
        return int((index.column() == cName ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
    case cNumber: return QString::number(number + 1);
    case cName: {
        // The example under the name: a column of its own would take the
        // width the names need.
        const QString example = ChartExampleText(line, *FTexts);
        const QString name = ChartLineWithNotes(line, *FTexts);
        return example.isEmpty() ? name : name + QLatin1Char('\n') + example;
    }
    case cFrequency: return FrequencyText(line.Frequency);
    default: return ReturnText(line.AverageReturn);
    }
}

bool TStrategyChartModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= rowCount() || index.column() != cNumber ||
        role != Qt::CheckStateRole)
        return false;
    FChecked[static_cast<size_t>(LineOfRow(index.row()))] =
        static_cast<Qt::CheckState>(value.toInt()) == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags TStrategyChartModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == cNumber) flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant TStrategyChartModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section >= 0 && section < FCaptions.size() ? FCaptions[section] : QVariant();
}

} // namespace drawmentor
