#include "Statistics.h"

#include "DealCounter.h"
#include "ExtraHands.h"
#include "Logger.h"
#include "LuckStat.h"

#include "core/Checked.h"
#include "games/Catalogue.h"

#include <algorithm>
#include <cstdio>

namespace drawmentor {
namespace {

const QString kHands = QStringLiteral("Statistics.Hands");
const char* const kCount = "%10.0f";
const char* const kPercent = "%10.5f";

} // namespace

TStatistic::TStatistic(QString captionKey, QString section, std::array<const char*, 3> formats,
                       int totalRow)
    : Section(std::move(section)), CaptionKey(std::move(captionKey)), ColumnFormats(formats),
      TotalRow(totalRow) {}

void TStatistic::Clear() {
    for (auto& column : Values)
        for (double& value : column) value = 0;
}

void TStatistic::SetGame(const TPokerDescription* description) {
    AllGames = description == nullptr;
}

void TStatistic::AddDeal(std::span<const TLogRecord> hands) {
    for (const TLogRecord& record : hands) AddRecord(record);
}

QString TStatistic::ColumnKey(int column) const {
    return QStringLiteral("Column%1").arg(column + 1);
}

void TStatistic::Compute(int64_t, int64_t) {
    if (TotalRow < 0) return;
    for (auto& column : Values)
        for (int row = 0; row < kStatisticRows; ++row)
            if (row != TotalRow) column[TotalRow] += column[row];
}

int TStatistic::RowOf(int line) const {
    if (line == kNoLine) return TotalRow - 1;
    return AllGames ? 0 : CheckIndex(line, 0, kStatisticRows - 1, "statistics row");
}

void THandStatistic::SetGame(const TPokerDescription* description) {
    AllGames = description == nullptr;
    Rows.clear();
    if (AllGames) {
        Rows.push_back(TStatRow::Text(kHands, FAllWinKey));
    } else {
        for (int line = 0; line <= description->LastLine; ++line)
            Rows.push_back(TStatRow::Line(QString::fromStdString(description->LineName(line))));
    }
    Rows.push_back(TStatRow::Text(kHands, QStringLiteral("Nothing")));
    Rows.push_back(TStatRow::Text(kHands, QStringLiteral("Total")));
    TotalRow = RowCount() - 1;
}

TLineCountStat::TLineCountStat(QString handsKey, QString dealsKey, const char* format)
    : THandStatistic(handsKey, kHands, {format, format, format}, -1),
      FHandsKey(std::move(handsKey)), FDealsKey(std::move(dealsKey)) {}

void TLineCountStat::AddRecord(const TLogRecord& record) {
    Values[0][RowOf(record.Line)] += 1;
    Values[1][RowOf(record.BestLine)] += 1;
}

void TLineCountStat::AddDeal(std::span<const TLogRecord> hands) {
    if (!CountDeals || hands.empty()) return TStatistic::AddDeal(hands);
    // Lines run from the top of the paytable down and kNoLine is above them
    // all: the smallest is the best the deal made.
    uint8_t line = kNoLine, bestLine = kNoLine;
    for (const TLogRecord& record : hands) {
        line = std::min(line, record.Line);
        bestLine = std::min(bestLine, record.BestLine);
    }
    Values[0][RowOf(line)] += 1;
    Values[1][RowOf(bestLine)] += 1;
}

void TLineCountStat::SetCountDeals(bool deals) {
    CountDeals = deals;
    CaptionKey = deals ? FDealsKey : FHandsKey;
    FAllWinKey = deals ? QStringLiteral("AllWinDeals") : QStringLiteral("AllWinHands");
    if (AllGames && !Rows.empty()) Rows.front().Key = FAllWinKey;
}

THandsCountStat::THandsCountStat()
    : TLineCountStat(QStringLiteral("HandsCount"), QStringLiteral("DealsCount"), kCount) {}

void THandsCountStat::Compute(int64_t hands, int64_t coinsBet) {
    TStatistic::Compute(hands, coinsBet);
    for (int row = 0; row <= TotalRow; ++row) Values[2][row] = Values[0][row] - Values[1][row];
}

THandsFreqStat::THandsFreqStat()
    : TLineCountStat(QStringLiteral("HandsFreq"), QStringLiteral("DealsFreq"), kPercent) {}

void THandsFreqStat::Compute(int64_t hands, int64_t coinsBet) {
    TStatistic::Compute(hands, coinsBet);
    if (hands == 0) return;
    for (int row = 0; row <= TotalRow; ++row) {
        Values[0][row] = 100 * Values[0][row] / static_cast<double>(hands);
        Values[1][row] = 100 * Values[1][row] / static_cast<double>(hands);
        Values[2][row] = Values[0][row] - Values[1][row];
    }
}

THandsPaybackStat::THandsPaybackStat()
    : THandStatistic(QStringLiteral("HandsPayback"), kHands, {kPercent, kPercent, kPercent}, -1) {}

void THandsPaybackStat::AddRecord(const TLogRecord& record) {
    Values[0][RowOf(record.Line)] += record.Win;
    Values[1][RowOf(record.BestLine)] += record.BestWin;
}

void THandsPaybackStat::Compute(int64_t hands, int64_t coinsBet) {
    TStatistic::Compute(hands, coinsBet);
    if (hands == 0 || coinsBet == 0) return;
    for (int row = 0; row <= TotalRow; ++row) {
        Values[0][row] = 100 * Values[0][row] / static_cast<double>(coinsBet);
        Values[1][row] = 100 * Values[1][row] / static_cast<double>(coinsBet);
        Values[2][row] = Values[0][row] - Values[1][row];
    }
}

TBalanceStat::TBalanceStat()
    : TStatistic(QStringLiteral("Balance"), QStringLiteral("Statistics.Balance"),
                 {kCount, kPercent, "%10.2f"}, 0) {
    Rows.push_back(TStatRow::Text(Section, QStringLiteral("Total")));
    for (const char* key : {"Played", "Win", "DoubleUp", "Errors"})
        Rows.push_back(TStatRow::Text(Section, QString::fromLatin1(key), true));
}

void TBalanceStat::AddRecord(const TLogRecord& record) {
    const double value = CoinValue(record.CoinIndex);
    Values[0][1] -= record.Bet;
    Values[2][1] -= record.Bet * value;
    Values[0][2] += record.BestWin;
    Values[2][2] += record.BestWin * value;
    // In 64 bits: a stored win may be anything a 32-bit field holds.
    const int64_t missed = int64_t{record.Win} - record.BestWin;
    Values[0][4] += static_cast<double>(missed);
    Values[2][4] += static_cast<double>(missed) * value;
    if (record.DoubleUps != 0) {
        const auto change = static_cast<double>(int64_t{record.Collected} - record.Win);
        Values[0][3] += change;
        Values[2][3] += change * value;
    }
}

void TBalanceStat::Compute(int64_t hands, int64_t coinsBet) {
    TStatistic::Compute(hands, coinsBet);
    if (Values[0][1] == 0) return;
    for (int row = 0; row <= 4; ++row) Values[1][row] = Values[0][row] * -100 / Values[0][1];
}

TErrorEffectStat::TErrorEffectStat(TSeverityThresholds thresholds)
    : TStatistic(QStringLiteral("ErrorsEffect"), QStringLiteral("Statistics.ErrorEffect"),
                 {kPercent, kPercent, kPercent}, 0),
      FThresholds(thresholds) {
    Rows.push_back(TStatRow::Text(Section, QStringLiteral("Total")));
    for (const char* key : {"Serious", "Medium", "Minor"})
        Rows.push_back(TStatRow::Text(QStringLiteral("Errors"), QString::fromLatin1(key), true));
    Rows.push_back(TStatRow::Text(Section, QStringLiteral("Hinted")));
}

void TErrorEffectStat::AddRecord(const TLogRecord& record) {
    AddHand(record, 1);
}

void TErrorEffectStat::AddDeal(std::span<const TLogRecord> hands) {
    if (!CountDeals) return TStatistic::AddDeal(hands);
    // The hands of a deal share one hold, so one grade and one hint.
    for (size_t hand = 0; hand < hands.size(); ++hand) AddHand(hands[hand], hand == 0 ? 1 : 0);
}

void TErrorEffectStat::SetCountDeals(bool deals) {
    CountDeals = deals;
    Rows[kHintedRow].Key = deals ? QStringLiteral("HintedDeals") : QStringLiteral("Hinted");
}

QString TErrorEffectStat::ColumnKey(int column) const {
    return CountDeals && column == 1 ? QStringLiteral("DealsColumn2")
                                     : TStatistic::ColumnKey(column);
}

void TErrorEffectStat::AddHand(const TLogRecord& record, double count) {
    if (record.Bet == 0) return;
    // Accuracy takes a hinted hand as best play; this row says how many there were.
    if (record.HintReturn > 0) Values[0][kHintedRow] += count;
    const int severity = FThresholds.Of((record.BestReturn - record.Return) / record.Bet);
    if (severity == esNone) return;
    Values[0][severity] += count;
    Values[1][severity] += record.Return - record.BestReturn;
    Values[2][severity] += static_cast<double>(int64_t{record.Win} - record.BestWin);
}

void TErrorEffectStat::Compute(int64_t hands, int64_t coinsBet) {
    // Hinted hands are no errors: kept out of the total.
    const double hinted = Values[0][kHintedRow];
    Values[0][kHintedRow] = 0;
    TStatistic::Compute(hands, coinsBet);
    Values[0][kHintedRow] = hinted;
    for (int row = 0; row <= kHintedRow; ++row) {
        if (hands != 0) Values[0][row] = 100 * Values[0][row] / static_cast<double>(hands);
        if (coinsBet != 0) {
            Values[1][row] = 100 * Values[1][row] / static_cast<double>(coinsBet);
            Values[2][row] = 100 * Values[2][row] / static_cast<double>(coinsBet);
        }
    }
}

TStatisticsList::TStatisticsList(TSeverityThresholds thresholds, THandSource hands) {
    FItems.push_back(std::make_unique<TBalanceStat>());
    FItems.push_back(std::make_unique<THandsCountStat>());
    FItems.push_back(std::make_unique<THandsFreqStat>());
    FItems.push_back(std::make_unique<THandsPaybackStat>());
    FItems.push_back(std::make_unique<TErrorEffectStat>(thresholds));
    FItems.push_back(std::make_unique<TLuckStat>(std::move(hands)));
}

TStatisticsList::~TStatisticsList() = default;

TStatistic& TStatisticsList::Items(int index) const {
    return *FItems[CheckIndex(index, 0, Count() - 1, "statistic")];
}

void TStatisticsList::Attach(TLogger& logger) {
    if (FLogger) disconnect(&FLogger->Filter(), nullptr, this, nullptr);
    FLogger = &logger;
    connect(&logger.Filter(), &TLogFilter::Changed, this, &TStatisticsList::Recalculate);
}

void TStatisticsList::SetActive(bool active) {
    if (active == Active) return;
    Active = active;
    if (Active) Recalculate();
}

void TStatisticsList::SetGame(int gameIndex) {
    if (gameIndex == CurrentGame) return;
    CurrentGame = gameIndex;
    const auto description = CreateDescription(gameIndex);
    for (auto& item : FItems) item->SetGame(description.get());
}

void TStatisticsList::Recalculate() {
    if (!Active || !FLogger) return;
    const TLogFilter& filter = FLogger->Filter();
    SetGame(filter.Game);
    for (auto& item : FItems) item->Clear();
    int64_t hands = 0, coinsBet = 0;
    TDealCounter deals;
    const auto addDeal = [this] {
        for (auto& item : FItems) item->AddDeal(FDeal);
        FDeal.clear();
    };
    TLogRecord record;
    FLogger->Rewind();
    while (FLogger->ReadNext(record)) {
        if (!filter.Matches(record)) continue;
        if (deals.Add(record) && !FDeal.empty()) addDeal();
        FDeal.push_back(record);
        ++hands;
        coinsBet += record.Bet;
    }
    addDeal();
    for (auto& item : FItems) item->Compute(CountDeals ? deals.Deals : hands, coinsBet);
    Skipped = FLogger->InvalidCount();
    emit Changed();
}

void TStatisticsList::SetCountDeals(bool deals) {
    if (deals == CountDeals) return;
    CountDeals = deals;
    for (auto& item : FItems) item->SetCountDeals(deals);
    if (Active && FLogger)
        Recalculate();
    else
        emit Changed(); // the captions
}

void TStatisticsList::SetSelected(int index) {
    Selected = CheckIndex(index, 0, Count() - 1, "statistic");
    emit Changed();
}

QString TStatisticsList::CellText(int column, int row) const {
    const TStatistic& item = Items(Selected);
    if (column < 1 || column > 3 || row < 1 || row > item.RowCount()) return {};
    const double value = item.Values[column - 1][row - 1];
    if (value == 0) return QStringLiteral("-");
    char text[64];
    std::snprintf(text, sizeof text, item.ColumnFormats[column - 1], value);
    return QString::fromLatin1(text);
}

} // namespace drawmentor
