// The game log shared by several writers, and the log when the disk or the
// file lets it down.
#include "play/DateTime.h"
#include "play/LogRecord.h"
#include "play/Logger.h"

#include "core/Error.h"
#include "games/Catalogue.h"

#include "support/FileFaults.h"
#include "support/TempFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <initializer_list>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace drawmentor {
namespace {

using testing::ReadFile;
using testing::TFileFaultScope;
using testing::WriteFile;

TLogRecord Hand(int game, TDateTime dealt) {
    TLogRecord r;
    r.GameIndex = static_cast<uint8_t>(game);
    r.Mode = 1;
    r.CoinIndex = 2;
    r.Bet = 5;
    r.DealTime = dealt;
    r.CollectTime = dealt;
    return r;
}

int RecordsIn(const QString& path) {
    return static_cast<int>(ReadFile(path).size() / kLogRecordSize);
}

class LogSharingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path = folders.Data() + "DrawMentor.log";
        QDir().mkpath(folders.Data());
    }
    void FillFile(int records) {
        QByteArray bytes;
        for (int i = 0; i < records; ++i) {
            const auto one = Hand(0, 46000 + i * 0.001).ToBytes();
            bytes.append(reinterpret_cast<const char*>(one.data()), kLogRecordSize);
        }
        WriteFile(path, bytes);
    }
    testing::TTempFolders folders;
    QString path;
};

TEST_F(LogSharingTest, InterleavedWritersKeepEveryRecord) {
    TLogger first(path), second(path);
    for (int i = 0; i < 50; ++i) {
        first.Append(Hand(0, 46000 + i));
        second.Append(Hand(4, 46000 + i));
        if (i % 10 == 0) second.Append(Hand(6, 46000 + i));
    }
    EXPECT_EQ(RecordsIn(path), 105);
    // Each writer also reads what the other appended before its own record.
    EXPECT_EQ(second.Count(), 105);
    EXPECT_EQ(first.Count(), 104);
    EXPECT_EQ(TLogger(path).Count(), 105);
}

TEST_F(LogSharingTest, WritersOnTwoThreadsLoseNothing) {
    constexpr int kEach = 1500;
    const auto write = [&](int game) {
        TLogger logger(path);
        for (int i = 0; i < kEach; ++i) logger.Append(Hand(game, 46000 + i * 0.0001));
    };
    std::thread a(write, 0), b(write, 4);
    a.join();
    b.join();
    ASSERT_EQ(ReadFile(path).size(), 2 * kEach * kLogRecordSize);
    TLogger all(path);
    int games[2] = {0, 0};
    TLogRecord record;
    while (all.ReadNext(record)) ++games[record.GameIndex == 4];
    EXPECT_EQ(games[0], kEach);
    EXPECT_EQ(games[1], kEach);
}

TEST_F(LogSharingTest, ClearingKeepsWhatOthersAppendedMeanwhile) {
    TLogger trainer(path);
    trainer.Append(Hand(0, 46000.1));
    trainer.Append(Hand(0, 46000.2));
    TLogger tool(path);
    tool.Append(Hand(4, 46000.3));
    tool.Append(Hand(4, 46000.4));
    trainer.ClearAll(); // the player cleared the two hands the trainer showed
    EXPECT_EQ(RecordsIn(path), 2);
    EXPECT_EQ(trainer.Count(), 2);

    tool.Append(Hand(4, 46000.5)); // after the other's rewrite: appended to the new file
    EXPECT_EQ(RecordsIn(path), 3);
    TLogFilter& filter = trainer.Filter();
    filter.Game = 4;
    filter.PayIndex = 0;
    filter.Modes = 0xF;
    filter.DateFrom = 46001;
    trainer.ClearByFilter(); // the record the trainer had not seen stays
    EXPECT_EQ(RecordsIn(path), 1);
    TLogRecord left;
    TLogger reread(path);
    ASSERT_TRUE(reread.ReadNext(left));
    EXPECT_EQ(left.DealTime, 46000.5);
}

TEST_F(LogSharingTest, AFailedReadIsAnErrorAndTheFileStays) {
    FillFile(200);
    {
        TFileFaultScope failing(TFileStep::Read, "DrawMentor.log", EIO);
        EXPECT_THROW(TLogger{path}, EDrawMentor);
        EXPECT_GT(failing.Hits, 0);
    }
    EXPECT_EQ(RecordsIn(path), 200);
    TLogger logger(path);
    logger.Append(Hand(0, 46001));
    EXPECT_EQ(RecordsIn(path), 201);
}

TEST_F(LogSharingTest, AFullDiskLosesNoRecordAndLeavesNoFragment) {
    FillFile(200);
    TLogger logger(path);
    for (int hand = 0; hand < 100; ++hand) {
        const TFileFaultScope full(TFileStep::Write, "DrawMentor.log");
        try {
            logger.Append(Hand(0, 46001));
            FAIL() << "an append to a full disk must report it";
        } catch (const EDrawMentor& error) {
            EXPECT_NE(std::string(error.what()).find("No space left on device"), std::string::npos)
                << error.what();
        }
    }
    EXPECT_EQ(ReadFile(path).size(), 200 * kLogRecordSize);
    EXPECT_EQ(logger.Count(), 200);
    {
        const TFileFaultScope full(TFileStep::Sync, "DrawMentor.log");
        EXPECT_THROW(logger.ClearAll(), EDrawMentor);
    }
    EXPECT_EQ(RecordsIn(path), 200);
    EXPECT_EQ(logger.Count(), 200);
    logger.Append(Hand(0, 46001)); // space again: play goes on
    EXPECT_EQ(RecordsIn(path), 201);
}

// A deal is one unit: a disk that fills in the middle of it, or the size
// limit, leaves none of its hands, and the next deal follows the last whole one.
TEST_F(LogSharingTest, ADealIsWrittenWholeOrNotAtAll) {
    FillFile(2);
    TLogger logger(path);
    std::vector<TLogRecord> deal(5, Hand(0, 46001));
    for (TLogRecord& hand : deal) hand.Reserved = 5;
    {
        // The file may grow by two and a half records: the write stops inside the deal.
        rlimit old{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
        const rlimit small{7 * kLogRecordSize / 2 + 2 * kLogRecordSize, old.rlim_max};
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        EXPECT_THROW(logger.AppendDeal(deal), EDrawMentor);
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
    }
    EXPECT_EQ(ReadFile(path).size(), 2 * kLogRecordSize);
    EXPECT_EQ(logger.Count(), 2);
    logger.AppendDeal(deal);
    EXPECT_EQ(RecordsIn(path), 7);

    // Three records short of the limit (sparse): a deal of five is refused
    // whole, where one record at a time would have taken three of its hands.
    const auto full = static_cast<off_t>(kMaxLogBytes - kMaxLogBytes % kLogRecordSize);
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), full - 3 * kLogRecordSize), 0);
    EXPECT_THROW(logger.AppendDeal(deal), EDrawMentor);
    EXPECT_EQ(QFileInfo(path).size(), full - 3 * kLogRecordSize);
}

// The start of a deal that a killed writer left at the end is cut by the next
// writer before its own deal.
TEST_F(LogSharingTest, TheStartOfACutDealIsCutByTheNextWriter) {
    QByteArray bytes;
    for (int hand = 0; hand < 5; ++hand) {
        TLogRecord r = Hand(0, 46001 + (hand < 3 ? 0 : 1));
        r.Reserved = 3;
        const auto one = r.ToBytes();
        bytes.append(reinterpret_cast<const char*>(one.data()), kLogRecordSize);
    }
    WriteFile(path, bytes); // a deal of three, then two hands of the next
    TLogger logger(path);
    EXPECT_EQ(logger.Count(), 5);
    logger.Append(Hand(0, 46002));
    EXPECT_EQ(logger.Count(), 4);
    EXPECT_EQ(RecordsIn(path), 4);
    EXPECT_EQ(TLogger(path).Count(), 4);
}

TEST_F(LogSharingTest, OnlyARegularFileIsALog) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_THROW(TLogger{path}, EDrawMentor); // would wait for a writer
    QFile::remove(path);
    ASSERT_EQ(::symlink("/dev/zero", QFile::encodeName(path).constData()), 0);
    EXPECT_THROW(TLogger{path}, EDrawMentor); // would never end
    TLogger none(folders.Data() + "missing.log");
    EXPECT_EQ(none.Count(), 0);
}

TEST_F(LogSharingTest, ALinkIsNeverWrittenThrough) {
    const QString target = folders.Data() + "notes.txt";
    WriteFile(target, "a text of the player, 37 bytes long.\n");
    TLogger logger(path); // no file yet
    ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()),
              0);
    for (const auto& write : std::initializer_list<std::function<void()>>{
             [&] { logger.Append(Hand(0, 46001)); }, [&] { logger.ClearAll(); },
             [&] { TLogger{path}; }}) {
        try {
            write();
            ADD_FAILURE() << "a log that is a link must be refused";
        } catch (const EDrawMentor& error) {
            EXPECT_NE(std::string(error.what()).find("symbolic link"), std::string::npos)
                << error.what();
        }
        EXPECT_EQ(ReadFile(target), "a text of the player, 37 bytes long.\n");
        EXPECT_TRUE(QFileInfo(path).isSymLink());
    }
}

TEST_F(LogSharingTest, TheSizeLimitHoldsForWritersAndIsCheckedBeforeReading) {
    const auto full = static_cast<off_t>(kMaxLogBytes - kMaxLogBytes % kLogRecordSize);
    const QByteArray name = QFile::encodeName(path);
    TLogger logger(path);
    logger.Append(Hand(0, 46001));
    // Sparse: the test writes nothing of the size it claims.
    ASSERT_EQ(::truncate(name.constData(), full), 0);
    {
        const TFileFaultScope reads(TFileStep::Read, "DrawMentor.log", EIO);
        try {
            logger.Append(Hand(0, 46002));
            FAIL() << "an append past the limit must be refused";
        } catch (const EDrawMentor& error) {
            EXPECT_NE(std::string(error.what()).find("clear old hands"), std::string::npos)
                << error.what();
        }
        EXPECT_EQ(reads.Hits, 0);
        EXPECT_EQ(QFileInfo(path).size(), full);
        EXPECT_EQ(logger.Count(), 1);

        ASSERT_EQ(::truncate(name.constData(), static_cast<off_t>(kMaxLogBytes) + 1), 0);
        try {
            TLogger{path};
            FAIL() << "a log past the limit must be refused";
        } catch (const EDrawMentor& error) {
            EXPECT_NE(std::string(error.what()).find("larger than"), std::string::npos)
                << error.what();
        }
        EXPECT_EQ(reads.Hits, 0); // refused from its size, not after reading it
    }
}

TEST_F(LogSharingTest, TheTemporaryFileOfAKilledClearingGoesAtTheNextStart) {
    FillFile(3);
    WriteFile(path + ".Ab12Cd.new", "half a new log");
    WriteFile(path + ".backup", "the player's own");
    WriteFile(folders.Data() + "DrawMentor.ini.Ab12Cd.new", "not the log's");
    const TLogger logger(path);
    EXPECT_EQ(logger.Count(), 3);
    EXPECT_FALSE(QFile::exists(path + ".Ab12Cd.new"));
    EXPECT_TRUE(QFile::exists(path + ".backup"));
    EXPECT_TRUE(QFile::exists(folders.Data() + "DrawMentor.ini.Ab12Cd.new"));
}

TEST_F(LogSharingTest, RecordsThatAreNoHandsAreSkippedAndCounted) {
    TLogRecord badCoin = Hand(0, 46000), badGame = Hand(kCatalogueSize, 46000),
               badTime = Hand(0, 46000);
    badCoin.CoinIndex = kCoinValueCount;
    badTime.DealTime = std::numeric_limits<double>::quiet_NaN();
    TLogRecord badLine = Hand(0, 46000);
    badLine.Line = 40;
    {
        TLogger writer(path);
        for (const TLogRecord& r :
             {Hand(0, 46000.1), badCoin, badGame, Hand(4, 46000.2), badTime, badLine})
            writer.Append(r);
    }
    TLogger logger(path);
    EXPECT_EQ(logger.Count(), 2);
    EXPECT_EQ(logger.InvalidCount(), 4);
    TLogRecord record;
    int read = 0;
    while (logger.ReadNext(record)) ++read;
    EXPECT_EQ(read, 2);
    EXPECT_EQ(logger.Filter().Dates.size(), 2); // the session and the one valid day
    logger.ClearAll();                          // all means all: the damaged ones go too
    EXPECT_EQ(ReadFile(path).size(), 0);
}

} // namespace
} // namespace drawmentor
