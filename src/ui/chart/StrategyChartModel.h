#pragma once

#include "charts/StrategyChart.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace drawmentor {

class TTexts;

// The lines of a strategy chart, best first: the number, the hold class in
// the interface language, how often the line is the play and its average
// return in bets. The number column carries a check box: the lines a drill
// is to train.
class TStrategyChartModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum TColumn { cNumber, cName, cFrequency, cReturn, kColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // The chart and the texts are the caller's and must outlive the model's
    // use of them; a null chart empties the table.
    void SetChart(const TStrategyChart* chart, const TTexts& texts);
    void SetTexts(const TTexts& texts);
    void SetCaptions(const QStringList& captions);
    const TStrategyChart* Chart() const { return FChart; }
    // The checked lines, in chart order (indexes into the chart's lines).
    std::vector<int> CheckedLines() const;
    void SetCheckedLines(const std::vector<int>& lines);
    // The chart line a row shows: a wild-card chart's rows are grouped by
    // the number of wild cards (ReadingOrder), and each keeps its line number.
    int LineOfRow(int row) const;

    // "12.3456 %" of a share, "1.2345" of a return in bets: as the table and
    // the saved chart show them.
    static QString FrequencyText(double share);
    static QString ReturnText(double bets);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    const TStrategyChart* FChart = nullptr;
    const TTexts* FTexts = nullptr;
    QStringList FCaptions;
    std::vector<bool> FChecked; // by chart line
    std::vector<int> FOrder;    // chart line of each row
};

} // namespace drawmentor
