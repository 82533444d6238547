#pragma once

#include <QAbstractTableModel>

namespace drawmentor {

class TStatisticsList;
class TTexts;

// The selected statistic as a table: the column captions are the header,
// the value cells the texts the statistics list formats, the captions those
// of the interface language. The table keeps at
// least kVisibleRows rows so that the grid looks the same for every statistic.
class TStatisticsModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    static constexpr int kVisibleRows = 15;
    static constexpr int kColumns = 4;

    TStatisticsModel(const TStatisticsList& list, const TTexts& texts, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The interface language changed: every caption is looked up again.
    void TextsChanged();
    // The shown table for a spreadsheet: the captions, then every row of the
    // statistic, cells separated by tabs, without their padding blanks.
    QString TableText() const;
    // Captions centred, wrapped onto two lines when the column is too narrow.
    static Qt::Alignment HeaderAlignment();

  private:
    const TStatisticsList& FList;
    const TTexts& FTexts;
};

} // namespace drawmentor
