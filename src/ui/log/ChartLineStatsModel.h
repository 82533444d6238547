#pragma once

#include "play/ChartLineStats.h"
#include "play/RecordAdvice.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace drawmentor {

class TLogger;
class TTexts;

// The statistics by chart line as a table: a row per line of the chart of the
// played paytable and the total, the captions of the interface language. It
// counts only when asked to: placing every hand on the chart takes a pass
// over the log that the other statistics do not need.
class TChartLineStatsModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    TChartLineStatsModel(const TTexts& texts, QObject* parent = nullptr);

    // The hands the log's filter selects; charts made since the last count
    // are looked up again.
    void Recalculate(TLogger& logger, bool countDeals);
    const TChartLineStats& Stats() const { return FStats; }
    // What the table is of and what it leaves out.
    QStringList Notes() const;
    void TextsChanged();
    // The table tab-separated, captions first.
    QString TableText() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    const TTexts& FTexts;
    TChartLineStats FStats;
    TRecordAdvice FAdvice;
};

} // namespace drawmentor
