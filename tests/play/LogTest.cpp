#include "play/DateTime.h"
#include "play/LogRecord.h"
#include "play/Logger.h"
#include "play/ReturnCacheFile.h"

#include "core/Error.h"

#include "support/FileFaults.h"
#include "support/TempFolders.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace drawmentor {
namespace {

using testing::ReadFile;
using testing::WriteFile;

TLogRecord Sample() {
    TLogRecord r;
    r.GameIndex = 3;
    r.PayIndex = 1;
    r.Mode = 2;
    r.Dealt = {52, 0, 13, 26, 51};
    r.Drawn = {1, 2, 3, 4, 5};
    r.CoinIndex = 4;
    r.Bet = 5;
    r.Collected = -2; // sign survives
    r.Win = 0x01020304;
    r.BestWin = 125;
    r.MaxWin = 4000;
    r.DealLine = 255;
    r.Line = 7;
    r.BestLine = 255;
    r.DrawMask = 31;
    r.BestMask = 16;
    r.MaxMask = 3;
    r.Return = 1.5;
    r.BestReturn = -2.0;
    r.DealTime = 46000.25;
    r.CollectTime = 46000.5;
    r.DoubleUps = 9;
    r.HintReturn = 0.125;
    return r;
}

TEST(LogRecord, BytesAtTheirOffsets) {
    const auto b = Sample().ToBytes();
    EXPECT_EQ(b[0], 0);
    EXPECT_EQ(b[1], 3);
    EXPECT_EQ(b[3], 2);
    EXPECT_EQ(b[4], 52);
    EXPECT_EQ(b[13], 5);
    EXPECT_EQ(b[14], 4);
    EXPECT_EQ(b[15], 5);
    EXPECT_EQ(b[16], 0xFE); // -2 little-endian
    EXPECT_EQ(b[19], 0xFF);
    EXPECT_EQ(b[20], 0x04);
    EXPECT_EQ(b[23], 0x01);
    EXPECT_EQ(b[32], 255);
    EXPECT_EQ(b[33], 7);
    EXPECT_EQ(b[35], 31);
    EXPECT_EQ(b[37], 3);
    // 1.5 = 0x3FF8000000000000, least significant byte first
    EXPECT_EQ(b[38], 0x00);
    EXPECT_EQ(b[44], 0xF8);
    EXPECT_EQ(b[45], 0x3F);
    EXPECT_EQ(b[53], 0xC0); // -2.0 = 0xC000000000000000
    EXPECT_EQ(b[70], 9);
    EXPECT_EQ(b[78], 0x3F); // 0.125 = 0x3FC0000000000000
    EXPECT_EQ(b[77], 0xC0);
    EXPECT_EQ(TLogRecord::FromBytes(b.data()), Sample());
}

TEST(DateTimes, DaysSinceTheEndOf1899) {
    EXPECT_EQ(ToDateTime(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_EQ(ToDateTime(QDateTime(QDate(1900, 1, 1), QTime(18, 0))), 2.75);
    const QDateTime moment(QDate(2026, 12, 7), QTime(8, 30, 15, 250));
    EXPECT_EQ(FromDateTime(ToDateTime(moment)), moment);
    EXPECT_EQ(DateOf(ToDateTime(moment)), QDate(2026, 12, 7));
    EXPECT_EQ(StartOfDay(ToDateTime(moment)), StartOfDay(QDate(2026, 12, 7)));
    // A damaged record's time still gives a valid date, never an undefined cast.
    for (const double damaged :
         {std::nan(""), 1e300, -1e300, std::numeric_limits<double>::infinity()}) {
        EXPECT_TRUE(DateOf(damaged).isValid()) << damaged;
        EXPECT_TRUE(FromDateTime(damaged).isValid()) << damaged;
    }
    EXPECT_EQ(DateOf(1e300), QDate(9999, 12, 31));
}

class LoggerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetClock([this] { return now; });
        path = folders.Data() + "DrawMentor.log";
    }
    void TearDown() override { SetClock({}); }
    TLogRecord Hand(int game, int pay, int mode, TDateTime dealt) {
        TLogRecord r = Sample();
        r.GameIndex = static_cast<uint8_t>(game);
        r.PayIndex = static_cast<uint8_t>(pay);
        r.Mode = static_cast<uint8_t>(mode);
        r.DealTime = dealt;
        return r;
    }
    testing::TTempFolders folders;
    QString path;
    TDateTime now = 46000.5; // noon
};

TEST_F(LoggerTest, EveryAppendReachesTheFileAtOnce) {
    TLogger logger(path);
    logger.Append(Hand(0, 0, 1, now));
    EXPECT_EQ(ReadFile(path).size(), 79);
    logger.Append(Hand(0, 0, 1, now));
    const QByteArray bytes = ReadFile(path);
    ASSERT_EQ(bytes.size(), 158);
    EXPECT_EQ(TLogRecord::FromBytes(reinterpret_cast<const uint8_t*>(bytes.constData()) + 79),
              Hand(0, 0, 1, now));
    TLogger again(path);
    EXPECT_EQ(again.Count(), 2);
}

TEST_F(LoggerTest, ATrailingFragmentIsDroppedAndNeverMisalignsAppends) {
    const auto whole = Hand(2, 0, 1, now).ToBytes();
    QByteArray bytes(reinterpret_cast<const char*>(whole.data()), 79);
    WriteFile(path, bytes + bytes + bytes.left(30));
    TLogger logger(path);
    EXPECT_EQ(logger.Count(), 2);
    logger.Append(Hand(4, 0, 1, now));
    const QByteArray after = ReadFile(path);
    ASSERT_EQ(after.size(), 3 * 79);
    EXPECT_EQ(
        TLogRecord::FromBytes(reinterpret_cast<const uint8_t*>(after.constData()) + 158).GameIndex,
        4);
    TLogRecord record;
    logger.Rewind();
    int read = 0;
    while (logger.ReadNext(record)) ++read;
    EXPECT_EQ(read, 3);
}

TEST_F(LoggerTest, ClearAllLeavesAnEmptyFile) {
    TLogger logger(path);
    logger.Append(Hand(0, 0, 1, now));
    logger.ClearAll();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(ReadFile(path).size(), 0);
    EXPECT_EQ(logger.Count(), 0);
}

TEST_F(LoggerTest, ClearByFilterRemovesOnlyMatchingRecordsUpToTheDate) {
    TLogger logger(path);
    const TDateTime day1 = 45998.4, day2 = 45999.4, day3 = 46000.4;
    logger.Append(Hand(0, 0, 1, day1)); // matches, before: removed
    logger.Append(
        Hand(4, 0, 1, day1)); // other game, before: kept, although it is older than the date
    logger.Append(Hand(0, 0, 1, day2)); // matches, exactly at DateFrom: removed
    logger.Append(Hand(0, 0, 2, day2)); // other mode: kept
    logger.Append(Hand(0, 0, 1, day3)); // matches, after: kept
    TLogFilter& filter = logger.Filter();
    filter.Game = 0;
    filter.PayIndex = 0;
    filter.Modes = 1u << 1;
    filter.DateFrom = day2;
    logger.ClearByFilter();
    EXPECT_EQ(logger.Count(), 3);
    TLogger reread(path); // the file holds exactly what memory holds
    EXPECT_EQ(reread.Count(), 3);
    TLogRecord record;
    std::vector<int> games;
    reread.Rewind();
    while (reread.ReadNext(record)) games.push_back(record.GameIndex * 10 + record.Mode);
    EXPECT_EQ(games, (std::vector<int>{41, 2, 1}));
    // All games, all modes, up to now: everything goes.
    TLogFilter& all = reread.Filter();
    all.Game = all.PayIndex = -1;
    all.Modes = 0xF;
    all.DateFrom = now;
    reread.ClearByFilter();
    EXPECT_EQ(reread.Count(), 0);
}

// A return cache file that cannot be used, or entries whose figures do not
// hold together, are absent with a notice and healed by the next store; two
// programs storing different paytables keep both; a full disk keeps the file.
TEST_F(LoggerTest, TheReturnCacheHealsAndMerges) {
    TPaytableReturn result;
    result.Deals = 2598960;
    result.Classes = 134459;
    result.LineProbability = {0.25l, 0.25l, 0.25l};
    result.NothingProbability = 0.25l;
    result.ReturnPercent = 100 * (0.25l * 1 + 0.25l * 2 + 0.25l * 3) / 5;
    result.Variance = 1;
    OpenUserReturnCache()->Store(0, 5, {1, 2, 3}, result);
    const QString cache = folders.Data() + "DrawMentor.returns";
    const QByteArray old = ReadFile(cache);
    {
        const testing::TFileFaultScope full(TFileStep::Sync, "DrawMentor.returns");
        EXPECT_THROW(OpenUserReturnCache()->Store(0, 5, {4, 5, 6}, result), EDrawMentor);
    }
    EXPECT_EQ(ReadFile(cache), old);

    const auto first = OpenUserReturnCache(), second = OpenUserReturnCache();
    first->Store(1, 5, {1, 2, 3}, result);
    second->Store(2, 5, {1, 2, 3}, result);
    const auto both = OpenUserReturnCache();
    EXPECT_TRUE(both->Find(1, 5, {1, 2, 3}) && both->Find(2, 5, {1, 2, 3}));
    EXPECT_EQ(both->Find(0, 5, {1, 2, 3})->ReturnPercent, result.ReturnPercent);
    EXPECT_TRUE(both->Notice().empty());

    QByteArray damaged = ReadFile(cache);
    damaged.replace(" 3 0.25 0.25 0.25 ", " 3 0.65 0.25 0.25 "); // they add up to 1.4
    WriteFile(cache, damaged);
    const auto healed = OpenUserReturnCache();
    EXPECT_FALSE(healed->Find(0, 5, {1, 2, 3}));
    EXPECT_NE(healed->Notice().find("damaged"), std::string::npos) << healed->Notice();

    for (const bool fifo : {true, false}) {
        QFile::remove(cache);
        if (fifo)
            ASSERT_EQ(::mkfifo(QFile::encodeName(cache).constData(), 0600), 0);
        else
            ASSERT_EQ(::symlink("/dev/zero", QFile::encodeName(cache).constData()), 0);
        const auto odd = OpenUserReturnCache();
        EXPECT_FALSE(odd->Notice().empty());
        EXPECT_FALSE(odd->Find(0, 5, {1, 2, 3}));
        odd->Store(0, 5, {1, 2, 3}, result);
        EXPECT_TRUE(OpenUserReturnCache()->Find(0, 5, {1, 2, 3}));
        EXPECT_TRUE(QFileInfo(cache).isFile() && !QFileInfo(cache).isSymLink());
    }
}

TEST_F(LoggerTest, FilterOfAnEmptyLog) {
    TLogger logger(path);
    const TLogFilter& filter = logger.Filter();
    EXPECT_EQ(filter.Games, QStringList{" -1 -1"});
    EXPECT_EQ(filter.Dates, QStringList{QString()});
    EXPECT_EQ(filter.Game, -1);
    EXPECT_EQ(filter.PayIndex, -1);
    EXPECT_EQ(filter.Modes, 0xFu);
    EXPECT_EQ(filter.DateFrom, logger.SessionStart);
    EXPECT_EQ(filter.DateItemIndex(), 0);
}

TEST_F(LoggerTest, FilterDaysOfAShuffledLogAreDistinctAndNewestFirst) {
    // A merged or hand-edited log: days in no order, revisited again and again.
    constexpr int kDays = 20000, kRecords = 200000;
    std::mt19937 random(7);
    QByteArray bytes;
    bytes.reserve(kRecords * kLogRecordSize);
    for (int i = 0; i < kRecords; ++i) {
        const auto one = Hand(0, 0, 1, 40000 + static_cast<int>(random() % kDays) + 0.5).ToBytes();
        bytes.append(reinterpret_cast<const char*>(one.data()), kLogRecordSize);
    }
    WriteFile(path, bytes);
    TLogger logger(path);
    QElapsedTimer timer;
    timer.start();
    const TLogFilter& filter = logger.Filter();
    // Searching a list per record took minutes here; a set takes a fraction of a second.
    EXPECT_LT(timer.elapsed(), 10000);
    ASSERT_EQ(filter.DateDays.size(), size_t{kDays} + 1);
    for (size_t i = 2; i < filter.DateDays.size(); ++i)
        ASSERT_LT(filter.DateDays[i], filter.DateDays[i - 1]) << i;
    EXPECT_EQ(filter.Dates[1], TLogFilter::DateText(40000 + kDays - 1));
}

TEST_F(LoggerTest, FilterFollowsTheNewestHand) {
    {
        TLogger earlier(path);
        earlier.Append(Hand(0, 0, 1, 45997.3));
        earlier.Append(Hand(0, 0, 1, 45997.6)); // same game, same day: one key, one date
        earlier.Append(Hand(6, 1, 1, 45998.2));
        earlier.Append(Hand(0, 0, 1, 45999.9));
        earlier.Append(Hand(4, 2, 3, 45999.95));
    }
    TLogger logger(path);
    TLogFilter& filter = logger.Filter();
    EXPECT_EQ(filter.Games, (QStringList{" -1 -1", "  0  0", "  6  1", "  4  2"}));
    ASSERT_EQ(filter.Dates.size(), 4); // session, then three days newest first
    EXPECT_EQ(filter.Dates[1], TLogFilter::DateText(45999.0));
    EXPECT_EQ(filter.Dates[3], TLogFilter::DateText(45997.0));
    // No hand of this session yet: from the start of the newest logged day.
    EXPECT_EQ(filter.DateFrom, 45999.0);
    EXPECT_EQ(filter.DateItemIndex(), 1);
    EXPECT_EQ(filter.Game, 4);
    EXPECT_EQ(filter.PayIndex, 2);
    EXPECT_EQ(filter.Modes, 1u << 3);
    EXPECT_EQ(filter.GameItemIndex(), 3);

    int changes = 0, secondListener = 0;
    QObject::connect(&filter, &TLogFilter::Changed, [&] { ++changes; });
    {
        QObject gone;
        QObject::connect(&filter, &TLogFilter::Changed, &gone, [&] { ++secondListener; });
        filter.SetModes(1u << 2);
    } // a listener that is destroyed hears nothing more
    EXPECT_EQ(secondListener, 1);
    EXPECT_EQ(changes, 1);
    changes = 0;
    filter.SetGameItem(1);
    filter.SetGameItem(1); // no change, no notice
    filter.SetDateItem(3);
    filter.SetModes(0xF);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(filter.Game, 0);
    EXPECT_EQ(filter.DateFrom, 45997.0);
    EXPECT_TRUE(filter.Matches(Hand(0, 0, 2, 45997.0)));
    EXPECT_FALSE(filter.Matches(Hand(0, 0, 2, 45996.9)));
    EXPECT_FALSE(filter.MatchesKey(Hand(0, 1, 2, now)));
    EXPECT_FALSE(filter.MatchesKey(Hand(0, 0, 8, now))); // modes above 7 never match

    logger.Append(
        Hand(0, 0, 1, now)); // a hand of this session: the rebuilt filter starts at the session
    EXPECT_EQ(&logger.Filter(), &filter) << "windows may hold the filter across appends";
    EXPECT_EQ(logger.Filter().DateItemIndex(), 0);
    EXPECT_EQ(secondListener, 1);
    EXPECT_EQ(logger.Filter().Modes, 1u << 1);
}

} // namespace
} // namespace drawmentor
