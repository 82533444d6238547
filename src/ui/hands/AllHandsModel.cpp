#include "AllHandsModel.h"

#include "core/Checked.h"
#include "engine/PokerEngine.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace drawmentor {
namespace {

const QString kNothingShown = QStringLiteral("- ");
// Probabilities and returns below this show as nothing.
constexpr long double kShownLimit = 1e-8L;

template <class T> int Sign(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

QString ReturnText(long double value) {
    if (value == 0) return kNothingShown;
    return QString::asprintf("%10.5f", static_cast<double>(value)).trimmed();
}

QString HandsText(int32_t count) {
    return count == 0 ? kNothingShown : QString::number(count);
}

QString FractionText(long double value) {
    if (value < kShownLimit) return kNothingShown;
    return QString::asprintf("%10.4f", static_cast<double>(value)).trimmed();
}

TAllHandsModel::TAllHandsModel(const TPokerEngine& engine,
                               const std::array<QImage, kHoldCount>& pictures, QObject* parent)
    : QAbstractTableModel(parent), FLines(engine.LastLine() + 1) {
    FRows.resize(kHoldCount);
    for (int mask = 0; mask < kHoldCount; ++mask) {
        THandStat& stat = FRows[mask];
        stat.Mask = mask;
        stat.Picture = pictures[mask];
        for (int i = 0; i < 5; ++i) {
            const bool drawn = mask & (1 << i);
            stat.HoldText += drawn ? QLatin1Char('1') : QLatin1Char('0');
            stat.DrawnCount += drawn;
        }
        stat.ER = engine.DrawReturn(mask);
        long double paid = 0;
        for (int line = 0; line <= FLines; ++line) {
            const int64_t count = engine.LineCount(line, mask);
            // The window shows counts as 32-bit values; a larger one is a fault.
            if (count > INT32_MAX) RaiseOverflow();
            stat.LineHands[line] = static_cast<int32_t>(count);
            if (line == FLines) break;
            const long double probability = engine.LineProbability(line, mask);
            stat.LineProbability[line] = probability;
            stat.LineReturn[line] = engine.Payout()->Pays[line] * probability;
            paid += probability;
        }
        stat.LineProbability[FLines] = 1 - paid;
    }
    FTitles << QStringLiteral("Hand") << QStringLiteral("ER");
    for (int line = 0; line < FLines; ++line)
        FLineNames << QString::fromStdString(engine.LineNames().at(line));
    FTitles << FLineNames;
    FTitles << QStringLiteral("Nothing");
    SortBy(2);
}

int TAllHandsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kHoldCount;
}

int TAllHandsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FLines + 3;
}

QVariant TAllHandsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == 0 ? QVariant() : QVariant(CellText(index.row(), index.column()));
    case Qt::DecorationRole:
        return index.column() == 0 ? QVariant(Row(index.row()).Picture) : QVariant();
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::UserRole: return Row(index.row()).Mask;
    default: return {};
    }
}

QVariant TAllHandsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return FTitles.value(section);
}

void TAllHandsModel::SetTitles(const QString& hand, const QString& expectedReturn,
                               const QString& nothing, const QStringList& lines) {
    FTitles[0] = hand;
    FTitles[1] = expectedReturn;
    for (int line = 0; line < FLines && line < lines.size(); ++line)
        FTitles[2 + line] = lines[line];
    FTitles[FTitles.size() - 1] = nothing;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void TAllHandsModel::SetMode(int mode) {
    FMode = CheckIndex(mode, amHands, amReturn, "display mode");
    // The order stays as it is: only the figures change.
    emit dataChanged(index(0, 2), index(kHoldCount - 1, columnCount() - 1), {Qt::DisplayRole});
}

long double TAllHandsModel::ShownValue(const THandStat& stat, int entry) const {
    switch (FMode) {
    case amHands: return stat.LineHands[entry];
    case amProbability: return stat.LineProbability[entry];
    default: return stat.LineReturn[entry];
    }
}

int TAllHandsModel::Compare(const THandStat& a, const THandStat& b, int column) const {
    int result = 0;
    if (column == 1)
        result = Sign(a.ER, b.ER);
    else if (column >= 2)
        result = Sign(ShownValue(a, column - 2), ShownValue(b, column - 2));
    if (result != 0) return result;
    result = Sign(a.DrawnCount, b.DrawnCount);
    return result != 0 ? result : Sign(a.HoldText.compare(b.HoldText), 0);
}

void TAllHandsModel::SortBy(int key) {
    const int column = std::abs(key) - 1;
    CheckIndex(column, 0, columnCount() - 1, "sort column");
    FSortKey = key;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> masks;
    for (const QModelIndex& index : before) masks.push_back(Row(index.row()).Mask);
    std::sort(FRows.begin(), FRows.end(), [&](const THandStat& a, const THandStat& b) {
        const int order = Compare(a, b, column);
        return key > 0 ? order > 0 : order < 0;
    });
    QModelIndexList after;
    for (int i = 0; i < before.size(); ++i) after << index(RowOfMask(masks[i]), before[i].column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TAllHandsModel::ClickTitle(int column) {
    const int key = column + 1;
    SortBy(FSortKey == key ? -key : key);
}

int TAllHandsModel::RowOfMask(int mask) const {
    for (int row = 0; row < kHoldCount; ++row)
        if (FRows[row].Mask == mask) return row;
    return -1;
}

QString TAllHandsModel::CellText(int row, int column) const {
    const THandStat& stat = Row(row);
    if (column == 0) return stat.HoldText;
    if (column == 1) return ReturnText(stat.ER);
    const int entry = column - 2;
    switch (FMode) {
    case amHands: return HandsText(stat.LineHands.at(entry));
    case amProbability: return FractionText(stat.LineProbability.at(entry));
    default: return FractionText(stat.LineReturn.at(entry));
    }
}

} // namespace drawmentor
