#include "games/PayoutStorage.h"
#include "games/Catalogue.h"

#include "core/Error.h"

#include "support/FileFaults.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace drawmentor {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class PayoutStorageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("dm-store-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    fs::path folder;
};

TPayTable Filled(int value) {
    TPayTable table;
    for (auto& coins : table.Pays) coins.fill(value);
    return table;
}

TEST_F(PayoutStorageTest, FormatIsEightyFieldsOfSix) {
    const std::string text = TPayoutStorage::FormatPaytable(Filled(1));
    ASSERT_EQ(text.size(), 480u);
    for (size_t i = 0; i < 480; i += 6) EXPECT_EQ(text.substr(i, 6), "     1");
    EXPECT_EQ(TPayoutStorage::ParsePaytable(text), Filled(1));
}

TEST_F(PayoutStorageTest, ReadingKeepsWhatTheFormatAllows) {
    const std::string good = TPayoutStorage::FormatPaytable(Filled(7));
    std::string hundred(100, ' ');
    hundred.replace(0, 12, "     9    x8"); // a field that is no number damages the line
    WriteText(folder / "in.dat", "junk before any section\r\n[Jacks or better]\r\n" + good +
                                     "\r\n; comment\r\n\r\n" + std::string(99, '5') + "\r\n" +
                                     hundred + "\r\n[Not a game]\r\n" + good +
                                     "\r\n[Deuces Wild]\r\n" + good + "\r\n");
    TPayoutStorage store((folder / "in.dat").string(), (folder / "out.dat").string());
    EXPECT_EQ(store.PaytableCount(0), 2); // the 99-character line is dropped
    EXPECT_EQ(store.ReadPaytable(0, 0), Filled(7));
    try {
        store.ReadPaytable(0, 1);
        ADD_FAILURE() << "a damaged line must be refused";
    } catch (const EDrawMentor& error) {
        EXPECT_NE(std::string(error.what())
                      .find("paytable 2 of Jacks or better (line 7): 'x8' is no number for 1 "
                            "coins on line 2"),
                  std::string::npos)
            << error.what();
    }
    EXPECT_EQ(store.PaytableCount(4), 1);
    EXPECT_EQ(store.PaytableCount(12), 0); // not offered
    EXPECT_THROW(store.ReadPaytable(0, 2), ERangeError);
    EXPECT_THROW(store.ReadPaytable(0, -1), ERangeError);
}

TEST_F(PayoutStorageTest, DamagedValuesAreRefusedAndTheFileStays) {
    TPayTable royal = Filled(7);
    royal.At(1, 0) = -5;
    TPayTable unused = Filled(7);
    unused.At(3, 4) = -1; // "unused", on a line Jacks or better pays
    TPayTable past = Filled(7);
    past.At(2, 12) = -1; // beyond the game's lines: allowed, as the installed tables have it
    std::string words;
    for (int i = 0; i < 80; ++i) words += " seven";
    const std::string text = "[Jacks or better]\r\n" + TPayoutStorage::FormatPaytable(royal) +
                             "\r\n" + TPayoutStorage::FormatPaytable(unused) + "\r\n" + words +
                             "\r\n" + TPayoutStorage::FormatPaytable(past) + "\r\n";
    WriteText(folder / "in.dat", text);
    TPayoutStorage store((folder / "in.dat").string(), (folder / "in.dat").string());
    const std::vector<std::string> expected = {
        "paytable 1 of Jacks or better (line 2): the pay -5 for 1 coins on line 1 is outside",
        "paytable 2 of Jacks or better (line 3): the pay -1 for 3 coins on line 5 is outside",
        "paytable 3 of Jacks or better (line 4): 'seven' is no number for 1 coins on line 1"};
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(index);
        try {
            store.ReadPaytable(0, index);
            ADD_FAILURE() << "a damaged paytable must be refused";
        } catch (const EDrawMentor& error) {
            EXPECT_NE(std::string(error.what()).find(expected[index]), std::string::npos)
                << error.what();
        }
    }
    EXPECT_EQ(store.ReadPaytable(0, 3), past);
    store.WritePaytable(0, 1, Filled(8)); // a good one in its place is read again
    EXPECT_EQ(store.ReadPaytable(0, 1), Filled(8));
    EXPECT_THROW(store.ReadPaytable(0, 0), EDrawMentor);
    EXPECT_EQ(ReadText(folder / "in.dat"), text);
}

TEST_F(PayoutStorageTest, WriteFindAndSave) {
    const fs::path out = folder / "sub" / "DrawMentor.dat";
    {
        TPayoutStorage store((folder / "missing.dat").string(), out.string());
        EXPECT_EQ(store.PaytableCount(0), 0);
        store.WritePaytable(0, -1, Filled(3));
        store.WritePaytable(0, 1, Filled(4)); // index == count appends
        store.WritePaytable(0, 0, Filled(5)); // replaces
        EXPECT_EQ(store.PaytableCount(0), 2);
        TPayTable almost = Filled(4);
        almost.At(5, 15) = -1;
        EXPECT_EQ(store.FindPaytable(0, Filled(4)), 1);
        EXPECT_EQ(store.FindPaytable(0, almost), -1); // unused lines count too
        EXPECT_THROW(store.WritePaytable(0, -1, Filled(100000)), ERangeError);
        EXPECT_TRUE(store.Modified());
        store.Save();
        EXPECT_FALSE(store.Modified());
        EXPECT_FALSE(fs::exists(out.string() + ".tmp"));
    }
    const std::string text = ReadText(out);
    EXPECT_EQ(
        text.rfind("[Jacks or better]\r\n" + TPayoutStorage::FormatPaytable(Filled(5)) + "\r\n", 0),
        0u);
    EXPECT_NE(text.find("\r\n\r\n[High Fives]\r\n\r\n"), std::string::npos);
    TPayoutStorage reread(out.string(), out.string());
    EXPECT_EQ(reread.ReadPaytable(0, 1), Filled(4));
}

TEST_F(PayoutStorageTest, AGameHoldsNoMorePaytablesThanTheLogCanTellApart) {
    TPayoutStorage store("", (folder / "out.dat").string());
    for (int index = 0; index < kMaxPaytablesPerGame; ++index)
        store.WritePaytable(0, -1, Filled(index));
    try {
        store.WritePaytable(0, -1, Filled(7));
        FAIL() << "a paytable beyond the limit must be refused";
    } catch (const EDrawMentor& error) {
        EXPECT_NE(std::string(error.what()).find("Jacks or better already has 256 paytables"),
                  std::string::npos)
            << error.what();
    }
    EXPECT_EQ(store.PaytableCount(0), kMaxPaytablesPerGame);
    store.WritePaytable(0, kMaxPaytablesPerGame - 1, Filled(7)); // changing one still works
    EXPECT_EQ(store.ReadPaytable(0, kMaxPaytablesPerGame - 1), Filled(7));
    store.WritePaytable(1, -1, Filled(7)); // and so does another game
}

TEST_F(PayoutStorageTest, AnUnchangedStoreNeverTouchesTheFile) {
    const fs::path file = folder / "DrawMentor.dat";
    WriteText(file, "[Jacks or better]\r\n" + TPayoutStorage::FormatPaytable(Filled(2)) + "\r\n");
    const auto before = fs::last_write_time(file);
    { TPayoutStorage store(file.string(), (folder / "other.dat").string()); }
    EXPECT_FALSE(fs::exists(folder / "other.dat"));
    EXPECT_EQ(fs::last_write_time(file), before);
}

// A copy saved before a game was offered takes that game's installed
// paytables; every game it has a section for stays as the user left it.
TEST_F(PayoutStorageTest, GamesMissingFromTheUsersCopyComeFromTheInstalledFile) {
    const fs::path own = folder / "own.dat", installed = folder / "installed.dat";
    WriteText(own, "[Jacks or better]\r\n" + TPayoutStorage::FormatPaytable(Filled(2)) +
                       "\r\n[Bonus Poker]\r\n");
    WriteText(installed, "[Jacks or better]\r\n" + TPayoutStorage::FormatPaytable(Filled(9)) +
                             "\r\n[Bonus Poker]\r\n" + TPayoutStorage::FormatPaytable(Filled(8)) +
                             "\r\n[Double Double Bonus]\r\n" +
                             TPayoutStorage::FormatPaytable(Filled(3)) + "\r\n");
    TPayoutStorage store(own.string(), own.string());
    store.AddMissingGames(installed.string());
    EXPECT_EQ(store.ReadPaytable(0, 0), Filled(2));
    EXPECT_EQ(store.PaytableCount(11), 0); // emptied by the user, not missing
    ASSERT_EQ(store.PaytableCount(35), 1);
    EXPECT_EQ(store.ReadPaytable(35, 0), Filled(3));
    EXPECT_FALSE(store.Modified());
}

TEST_F(PayoutStorageTest, AFailedSaveLeavesTheOldFile) {
    WriteText(folder / "blocker", "a file where a folder must go");
    TPayoutStorage store("", (folder / "blocker" / "DrawMentor.dat").string());
    store.WritePaytable(0, -1, Filled(1));
    EXPECT_THROW(store.Save(), EDrawMentor);
    EXPECT_TRUE(store.Modified());
}

TEST_F(PayoutStorageTest, ADamagedOrUnreadableFileIsReportedAsSuch) {
    const fs::path file = folder / "DrawMentor.dat";
    const auto error = [&] {
        try {
            TPayoutStorage store(file.string(), file.string());
        } catch (const EDrawMentor& raised) {
            return std::string(raised.what());
        }
        return std::string("no error");
    };
    WriteText(file, std::string("[Jacks or better]\r\n\0\x01\x02 binary", 26));
    EXPECT_NE(error().find("is damaged: it holds binary data"), std::string::npos) << error();
    WriteText(file, "these lines are no paytables\r\nnor is this one\r\n");
    EXPECT_NE(error().find("is damaged: it names no game"), std::string::npos) << error();
    WriteText(file, "[Jacks or better]\r\n" + TPayoutStorage::FormatPaytable(Filled(2)) + "\r\n");
    {
        const testing::TFileFaultScope failing(TFileStep::Read, "DrawMentor.dat", EIO);
        EXPECT_NE(error().find("The paytable file cannot be read"), std::string::npos) << error();
        EXPECT_NE(error().find("Input/output error"), std::string::npos) << error();
    }
    fs::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_NE(error().find("is not a regular file"), std::string::npos) << error();
    fs::remove(file);
    fs::create_symlink("/dev/zero", file);
    EXPECT_NE(error().find("is not a regular file"), std::string::npos) << error();
}

TEST_F(PayoutStorageTest, ASaveOnAFullDiskKeepsTheOldFile) {
    const fs::path file = folder / "DrawMentor.dat";
    const std::string old =
        "[Jacks or better]\r\n" + TPayoutStorage::FormatPaytable(Filled(2)) + "\r\n";
    WriteText(file, old);
    TPayoutStorage store(file.string(), file.string());
    store.WritePaytable(0, -1, Filled(3));
    for (const TFileStep step : {TFileStep::Write, TFileStep::Sync}) {
        const testing::TFileFaultScope full(step, "DrawMentor.dat");
        EXPECT_THROW(store.Save(), EDrawMentor);
        EXPECT_EQ(ReadText(file), old);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
              1); // no temporary left
    store.Save();
    EXPECT_EQ(TPayoutStorage(file.string(), file.string()).PaytableCount(0), 2);
}

// The paytable file installed with the program.
TEST(InstalledPaytables, EveryOfferedGameHasWellFormedTables) {
    TPayoutStorage store(DRAWMENTOR_PAYTABLE_FILE, "");
    for (const auto& entry : GameNames()) {
        SCOPED_TRACE(entry.Name);
        const auto game = CreateDescription(entry.GameIndex);
        ASSERT_GE(store.PaytableCount(entry.GameIndex), 1);
        for (int index = 0; index < store.PaytableCount(entry.GameIndex); ++index) {
            const TPayTable table = store.ReadPaytable(entry.GameIndex, index);
            for (int coins = 1; coins <= kMaxCoins; ++coins)
                for (int line = 0; line < kMaxLines; ++line) {
                    const int pay = table.At(coins, line);
                    if (line > game->LastLine) {
                        EXPECT_EQ(pay, -1);
                        continue;
                    }
                    EXPECT_GT(pay, 0);
                    // Pays grow with the bet, the royal's five-coin bonus on top.
                    if (coins > 1) {
                        EXPECT_GE(pay * (coins - 1), table.At(coins - 1, line) * coins) << line;
                    }
                }
            EXPECT_EQ(store.FindPaytable(entry.GameIndex, table), index); // no duplicates
        }
    }
    const TPayTable jacks = store.ReadPaytable(0, 0);
    EXPECT_EQ(jacks.At(5, 0), 4000);
    EXPECT_EQ(jacks.At(1, 0), 250);
    EXPECT_EQ(jacks.At(5, 3), 45); // 9/6
    EXPECT_EQ(jacks.At(5, 4), 30);
}

} // namespace
} // namespace drawmentor
