#include "ChartLineStatsText.h"

#include "ChartLineStats.h"
#include "ChartLineText.h"
#include "GameText.h"
#include "PaytableStore.h"

#include "games/GameKey.h"
#include "prefs/Texts.h"

namespace drawmentor {
namespace {

QString Text(const TTexts& texts, const char* key) {
    return texts.Translate(kChartLineStatsTexts, QString::fromLatin1(key));
}

QString Caption(const TChartLineStats& stats, int column, const TTexts& texts) {
    static const char* const kKeys[kChartLineStatsColumns] = {"Column1", "Column2", "Column3",
                                                              "Column4", "Column5"};
    if (column == 1 && stats.CountDeals()) return Text(texts, "DealsColumn2");
    return Text(texts, kKeys[column]);
}

QString Figures(const TChartLineTally& tally, int column) {
    if (tally.Hands == 0) return QStringLiteral("-");
    switch (column) {
    case 1: return QString::number(tally.Hands);
    case 2: return QString::number(tally.Errors);
    case 3: return tally.Errors == 0 ? QStringLiteral("-") : QString::number(tally.Cost, 'f', 2);
    default: return QString::number(tally.Accuracy(), 'f', 1);
    }
}

} // namespace

int ChartLineStatsRows(const TChartLineStats& stats) {
    const TStrategyChart* chart = stats.Chart();
    return chart ? static_cast<int>(chart->Lines.size()) + 2 : 1;
}

QString ChartLineStatsCell(const TChartLineStats& stats, int column, int row, const TTexts& texts) {
    if (column < 0 || column >= kChartLineStatsColumns || row < 0 ||
        row >= ChartLineStatsRows(stats))
        return {};
    if (row == 0) return Caption(stats, column, texts);
    const auto lines = static_cast<int>(stats.Lines().size());
    if (row > lines) return column == 0 ? Text(texts, "Total") : Figures(stats.Total(), column);
    if (column > 0) return Figures(stats.Lines()[static_cast<size_t>(row - 1)], column);
    const TChartLine& line = stats.Chart()->Lines[static_cast<size_t>(row - 1)];
    return QStringLiteral("%1. %2").arg(row).arg(ChartNameText(line.Name, texts));
}

QStringList ChartLineStatsNotes(const TChartLineStats& stats, const TTexts& texts) {
    const TPlayedPaytable& paytable = stats.Paytable();
    if (!paytable.Known()) return {Text(texts, "NoHands")};
    const std::string key = GameKey(paytable.GameIndex, paytable.PayIndex);
    QString caption;
    try {
        // The stored caption names the game in English; the note, in the
        // interface's language, keeps only its paytable's short name.
        caption = GameKeyText(key, texts) +
                  QString::fromStdString(PaytableCaption(*OpenPaytableStore(), key))
                      .mid(static_cast<int>(GameKeyCaption(key).size()));
    } catch (const std::exception&) {
        caption = QString::fromStdString(key);
    }
    QStringList notes{FormatText(Text(texts, "Chart"), {caption, QString::number(paytable.Bet)})};
    if (!stats.Chart()) notes << Text(texts, "NoChart");
    const auto hands = [&](int64_t count) {
        return texts.Counted(QStringLiteral("Hands"), static_cast<long long>(count));
    };
    if (stats.LeftOut() > 0) notes << FormatText(Text(texts, "LeftOut"), {hands(stats.LeftOut())});
    if (stats.OtherPaytables() > 0)
        notes << FormatText(Text(texts, "OtherPaytables"), {hands(stats.OtherPaytables())});
    return notes;
}

} // namespace drawmentor
