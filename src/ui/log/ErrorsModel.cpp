#include "ErrorsModel.h"

#include "ui/chart/ChartWhyText.h"

#include "cards/Cards.h"
#include "play/Logger.h"
#include "prefs/Preferences.h"

#include <cmath>

namespace drawmentor {

void TErrorsModel::SetCaptions(const QStringList& captions) {
    FCaptions = captions;
    emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

void TErrorsModel::Refresh(TLogger& logger, const TPreferences& preferences, unsigned severities) {
    beginResetModel();
    FPreferences = &preferences;
    FAdvice.Clear(); // the cache may hold more charts now
    FList.Refresh(logger, preferences.Severity, severities);
    endResetModel();
}

void TErrorsModel::ClickColumn(int column) {
    if (column < 0 || column >= kColumnCount) return;
    beginResetModel();
    FList.ClickColumn(column);
    endResetModel();
}

const TLogRecord& TErrorsModel::Record(int row) const {
    return FList.Deals().at(static_cast<size_t>(row)).Record;
}

int TErrorsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(FList.Deals().size());
}

int TErrorsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QString TErrorsModel::PercentText(double coins, int bet) {
    return QString::asprintf("%10.5f%%", coins * 100 / (bet == 0 ? 1 : bet)).trimmed();
}

QString TErrorsModel::MoneyText(double coins, double coinValue, int decimals) {
    const double money = coins * coinValue;
    if (money == 0 || !std::isfinite(money)) return {};
    const QString amount = QString::asprintf("%10.*f", decimals, std::fabs(money)).trimmed();
    return (money < 0 ? QStringLiteral("-$") : QStringLiteral("$")) + amount;
}

QVariant TErrorsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const TErrorDeal& deal = FList.Deals()[static_cast<size_t>(index.row())];
    const TLogRecord& r = deal.Record;
    if (role == RecordRole) return QVariant::fromValue(static_cast<const void*>(&r));
    if (role == Qt::ToolTipRole) {
        const auto advice = FPreferences ? FAdvice.Explain(r) : std::nullopt;
        const TChartAdvisor* advisor = FAdvice.AdvisorFor(r.GameIndex, r.PayIndex, r.Bet);
        return advice && advisor ? HoldWhyText(*advice, advisor->Chart(), *FPreferences)
                                 : QVariant();
    }
    // A damaged coin index leaves the money lines empty rather than guessing.
    const double coin = r.CoinIndex < kCoinValueCount ? CoinValue(r.CoinIndex) : 0;
    double win = 0, ret = 0;
    switch (index.column()) {
    case cHand: {
        if (role != Qt::DisplayRole) return {};
        QStringList cards;
        for (const uint8_t code : r.Dealt)
            cards << (code <= kMaxCardCode ? QString::fromStdString(CardCodeText(code))
                                           : QStringLiteral("?"));
        return cards.join(QLatin1Char(' '));
    }
    case cYourReturn:
        win = static_cast<double>(deal.Win);
        ret = r.Return;
        break;
    case cBestReturn:
        win = static_cast<double>(deal.BestWin);
        ret = r.BestReturn;
        break;
    default:
        win = static_cast<double>(deal.Win - deal.BestWin);
        ret = r.Return - r.BestReturn;
        break;
    }
    // The returns and wins are the whole deal's: so is the bet they are a share of.
    if (role == Qt::DisplayRole)
        return PercentText(ret, r.Bet * deal.Hands) + QLatin1Char('\n') + MoneyText(ret, coin, 5);
    if (role == WinRole) return MoneyText(win, coin, 2);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignTop);
    return {};
}

QVariant TErrorsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section >= 0 && section < FCaptions.size() ? FCaptions[section] : QVariant();
}

} // namespace drawmentor
