#pragma once

#include "LogRecord.h"
#include "PaytableHands.h"

#include "prefs/ErrorSeverity.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace drawmentor {

class TLogger;
class TPokerDescription;

inline constexpr int kStatisticRows = 21;

// A row of a statistic: a line of the paytable by the game's own name for it,
// or a text of the language files by section and key. The statistics hold no
// text of the interface; whoever shows them looks the captions up.
struct TStatRow {
    static TStatRow Line(QString name) { return {std::move(name), {}, {}, false}; }
    static TStatRow Text(QString section, QString key, bool indented = false) {
        return {{}, std::move(section), std::move(key), indented};
    }

    QString LineName; // empty for a row with a key
    QString Section;
    QString Key;
    bool Indented = false;
};

// One table of the statistics: 3 value columns by up to 21 rows, comparing
// what the player did with what best play would have done on the same cards.
class TStatistic {
  public:
    TStatistic(QString captionKey, QString section, std::array<const char*, 3> formats,
               int totalRow);
    virtual ~TStatistic() = default;

    virtual void Clear();
    virtual void SetGame(const TPokerDescription* description);
    virtual void AddRecord(const TLogRecord& record) = 0;
    // The hands of one deal in log order; each is a record of its own unless
    // the statistic counts deals.
    virtual void AddDeal(std::span<const TLogRecord> hands);
    // Once after the last record: the number of hands (or of deals, when
    // they are counted) and the coins they bet.
    virtual void Compute(int64_t hands, int64_t coinsBet);
    // Counting deals changes only the figures that count hands, and their captions.
    virtual void SetCountDeals(bool deals) { CountDeals = deals; }
    // The key of a column caption (0..3) in Section.
    virtual QString ColumnKey(int column) const;

    int RowCount() const { return static_cast<int>(Rows.size()); }
    // The row of a record's line: line 255 (nothing) is the row before the
    // totals; with all games every winning line is row 0.
    int RowOf(int line) const;

    // The statistic's name is CaptionKey in "Statistics"; its column captions
    // are "Column1".."Column4" in Section.
    QString Section;
    QString CaptionKey;
    std::vector<TStatRow> Rows;
    double Values[3][kStatisticRows] = {};
    std::array<const char*, 3> ColumnFormats;
    int TotalRow = -1;
    bool AllGames = true;
    bool CountDeals = false;
};

// Base of the three per-line statistics: rows are the game's lines (or one row
// for all winning hands), then Nothing and Total.
class THandStatistic : public TStatistic {
  public:
    using TStatistic::TStatistic;
    void SetGame(const TPokerDescription* description) override;

  protected:
    QString FAllWinKey = QStringLiteral("AllWinHands");
};

// How often each line came, for the player and for best play. Counting
// deals, a deal stands once, in the row of the top line (the paytable's
// first) that any of its hands made, so that the rows still add up to the
// number of deals.
class TLineCountStat : public THandStatistic {
  public:
    TLineCountStat(QString handsKey, QString dealsKey, const char* format);
    void AddRecord(const TLogRecord& record) override;
    void AddDeal(std::span<const TLogRecord> hands) override;
    void SetCountDeals(bool deals) override;

  private:
    QString FHandsKey;
    QString FDealsKey;
};

class THandsCountStat : public TLineCountStat {
  public:
    THandsCountStat();
    void Compute(int64_t hands, int64_t coinsBet) override;
};

class THandsFreqStat : public TLineCountStat {
  public:
    THandsFreqStat();
    void Compute(int64_t hands, int64_t coinsBet) override;
};

class THandsPaybackStat : public THandStatistic {
  public:
    THandsPaybackStat();
    void AddRecord(const TLogRecord& record) override;
    void Compute(int64_t hands, int64_t coinsBet) override;
};

class TBalanceStat : public TStatistic {
  public:
    TBalanceStat();
    void AddRecord(const TLogRecord& record) override;
    void Compute(int64_t hands, int64_t coinsBet) override;
};

class TErrorEffectStat : public TStatistic {
  public:
    explicit TErrorEffectStat(TSeverityThresholds thresholds);
    void AddRecord(const TLogRecord& record) override;
    void AddDeal(std::span<const TLogRecord> hands) override;
    void Compute(int64_t hands, int64_t coinsBet) override;
    void SetCountDeals(bool deals) override;
    QString ColumnKey(int column) const override;

    // Below the three grades: the hands played with the hint.
    static constexpr int kHintedRow = 4;

  private:
    // `count` is 1 for a hand that counts, 0 for the further hands of a deal
    // counted once: their losses still add up.
    void AddHand(const TLogRecord& record, double count);

    TSeverityThresholds FThresholds;
};

// The six statistics of the filtered log, recomputed in one pass whenever
// the shared filter changes while the list is active.
class TStatisticsList : public QObject {
    Q_OBJECT

  public:
    // Errors are graded by `thresholds`; the luck of the hands is measured on
    // the hands of best play that `hands` gives for their paytables.
    explicit TStatisticsList(TSeverityThresholds thresholds = {},
                             THandSource hands = StoredPaytableHands());
    ~TStatisticsList() override;
    TStatisticsList(const TStatisticsList&) = delete;
    TStatisticsList& operator=(const TStatisticsList&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    TStatistic& Items(int index) const;

    void Attach(TLogger& logger);
    void SetActive(bool active);
    void SetGame(int gameIndex);
    void Recalculate();
    void SetSelected(int index);
    // Each deal of several hands once in the counts of hands, lines and
    // errors; its money stays that of all its hands.
    void SetCountDeals(bool deals);
    // A value cell (column 1..3, row 1..RowCount) of the selected statistic
    // as the statistics window shows it; empty elsewhere.
    QString CellText(int column, int row) const;

    bool Active = false;
    int Selected = 0;
    // Records of the log left out as not valid; the figures are those of the rest.
    int Skipped = 0;
    int CurrentGame = -2;
    bool CountDeals = false;

  signals:
    // The figures or the selection changed: the statistics window redraws.
    void Changed();

  private:
    std::vector<std::unique_ptr<TStatistic>> FItems;
    TLogger* FLogger = nullptr;
    std::vector<TLogRecord> FDeal; // kept between computations: no allocation per deal
};

} // namespace drawmentor
