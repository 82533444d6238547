#include "PaytableModel.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

#include <algorithm>

namespace drawmentor {
namespace {

int Proportional(int coins, int onePay) {
    return static_cast<int>(std::min<int64_t>(int64_t{coins} * onePay, kMaxPay));
}

} // namespace

TPaytableModel::TPaytableModel(const QStringList& lines, const TPayTable& pays, QObject* parent)
    : QAbstractTableModel(parent), FLines(lines), FPays(pays) {}

int TPaytableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(FLines.size());
}

int TPaytableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kMaxCoins + 1;
}

QVariant TPaytableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row(), column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        if (column == 0) return QStringLiteral("  ") + FLines[row].toUpper();
        const int pay = FPays.At(column, row);
        return pay < 0 ? QString() : QString::number(pay);
    }
    case Qt::TextAlignmentRole:
        return column == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter) : QVariant(Qt::AlignCenter);
    default: return {};
    }
}

Qt::ItemFlags TPaytableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    if (index.column() == 0) return Qt::ItemIsEnabled; // the names cannot be selected
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool TPaytableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() == 0 || role != Qt::EditRole) return false;
    const int row = index.row(), column = index.column();
    bool number = false;
    const QString text = value.toString().trimmed();
    int pay = text.toInt(&number);
    // A pasted pay beyond five digits is cut to the largest one, as typing is.
    const bool digits = !text.isEmpty() &&
                        std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    if (digits && (!number || pay > kMaxPay)) {
        pay = kMaxPay;
        number = true;
    }
    if (!number || pay < 0) pay = -1;
    const int before = FPays.At(1, row);
    FPays.At(column, row) = pay;
    if (column == 1 && pay >= 0) {
        for (int coins = 2; coins <= kMaxCoins; ++coins) {
            int32_t& cell = FPays.At(coins, row);
            if (cell >= 0 && cell != Proportional(coins, before)) continue;
            // A product beyond five digits could be neither typed nor stored:
            // the column gets the largest pay it can hold, never a blank.
            cell = Proportional(coins, pay);
        }
        emit dataChanged(this->index(row, 1), this->index(row, kMaxCoins));
    } else {
        emit dataChanged(index, index);
    }
    emit Changed();
    return true;
}

bool TPaytableModel::Complete() const {
    for (int row = 0; row < rowCount(); ++row)
        for (int coins = 1; coins <= kMaxCoins; ++coins)
            if (FPays.At(coins, row) < 0) return false;
    return true;
}

QWidget* TPayDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("PayEditor"));
    editor->setMaxLength(5);
    editor->setAlignment(Qt::AlignCenter);
    editor->setFrame(false);
    editor->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), editor));
    return editor;
}

void TPayDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
}

} // namespace drawmentor
