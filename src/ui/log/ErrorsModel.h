#pragma once

#include "play/ErrorList.h"
#include "play/RecordAdvice.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace drawmentor {

class TLogger;
class TPreferences;

// The rows of the errors window: one logged error hand each, with the hand,
// the player's hold, the best hold and their difference. The display text of
// a value column is its percent line and its money line; WinRole gives the
// money the final hand won, the bottom line of the cell.
class TErrorsModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum TRole { RecordRole = Qt::UserRole + 1, WinRole };
    enum TColumn { cHand, cYourReturn, cBestReturn, cDifference, kColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void SetCaptions(const QStringList& captions);
    void Refresh(TLogger& logger, const TPreferences& preferences, unsigned severities);
    // A click on a column header: descending first, then the other way round.
    void ClickColumn(int column);
    int SortKey() const { return FList.SortKey(); }
    const TLogRecord& Record(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // "%10.5f" of the percent of the bet, trimmed, with "%".
    static QString PercentText(double coins, int bet);
    // Money of a return ("%.5f") or a win ("%.2f"): empty for exactly 0,
    // "$" and the amount, "-" in front when negative.
    static QString MoneyText(double coins, double coinValue, int decimals);

  private:
    TErrorList FList;
    QStringList FCaptions;
    // A row's tooltip names the chart lines of both holds, from the cached
    // chart of the hand's paytable.
    mutable TRecordAdvice FAdvice;
    const TPreferences* FPreferences = nullptr;
};

} // namespace drawmentor
