#pragma once

#include "games/PayTable.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QStyledItemDelegate>

namespace drawmentor {

// The paytable being edited: a row per line, the line name in column 0 and
// the pays for 1..5 coins in columns 1..5; -1 is an empty cell.
class TPaytableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    TPaytableModel(const QStringList& lines, const TPayTable& pays, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A text that is not a number empties the cell. A one-coin pay also fills
    // each higher column that is empty or still proportional to the old
    // one-coin pay, so pays the player set by hand are kept.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    const TPayTable& Pays() const { return FPays; }
    // Every pay of every line holds a value.
    bool Complete() const;

  signals:
    void Changed();

  private:
    QStringList FLines;
    TPayTable FPays;
};

// The in-place editor of a pay: digits only, at most five, centred.
class TPayDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
};

} // namespace drawmentor
