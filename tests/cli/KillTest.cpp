// A session killed without warning keeps every hand it collected, and
// sessions sharing one data folder keep each other's hands.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

TEST(CrashSafety, AKilledSessionKeepsEveryCollectedHand) {
    const std::string folder = ::testing::TempDir() + "dm-kill-" + std::to_string(getpid());
    std::filesystem::remove_all(folder);
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        execl(DRAWMENTOR_CLI, DRAWMENTOR_CLI, "simulate", "--game", "4", "--paytable", "0",
              "--hands", "100000000", "--seed", "3", "--trace", "--data-dir", folder.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    FILE* lines = fdopen(out[0], "r");
    char line[128];
    long collected = 0;
    while (collected < 300 && fgets(line, sizeof line, lines))
        std::sscanf(line, "collected %ld", &collected);
    kill(child, SIGKILL); // no chance to write anything at exit
    int status = 0;
    waitpid(child, &status, 0);
    fclose(lines);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_GE(collected, 300);
    const auto size = std::filesystem::file_size(folder + "/DrawMentor.log");
    EXPECT_EQ(size % 79, 0u);
    EXPECT_GE(static_cast<long>(size / 79), collected);
    std::filesystem::remove_all(folder);
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A simulation in a child process whose files may not grow past `fileLimit`
// bytes (RLIMIT_FSIZE): to the program, a disk that is full at that size.
pid_t StartSimulation(const std::string& folder, const char* hands, const char* seed,
                      rlim_t fileLimit = RLIM_INFINITY, const std::string& errors = "/dev/null",
                      const char* handsPerDeal = "1") {
    const pid_t child = fork();
    if (child == 0) {
        if (!freopen("/dev/null", "w", stdout) || !freopen(errors.c_str(), "w", stderr)) _exit(126);
        const rlimit limit{fileLimit, fileLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
        signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead of killing
        execl(DRAWMENTOR_CLI, DRAWMENTOR_CLI, "simulate", "--game", "0", "--paytable", "0",
              "--hands", hands, "--seed", seed, "--hands-per-deal", handsPerDeal, "--data-dir",
              folder.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return child;
}

// The sizes of the deals in a log, read as the log's readers read it: a deal
// is the run of records with its hands byte, cards and deal time, at most as
// many as that byte says.
std::vector<int> DealSizes(const std::string& log, std::vector<int>* expected = nullptr) {
    const std::string bytes = ReadAll(log);
    std::vector<int> sizes;
    std::string last;
    for (size_t at = 0; at + 79 <= bytes.size(); at += 79) {
        const int hands = std::max<int>(1, static_cast<unsigned char>(bytes[at]));
        const std::string key =
            bytes.substr(at, 1) + bytes.substr(at + 4, 5) + bytes.substr(at + 54, 8);
        if (sizes.empty() || key != last || sizes.back() >= hands) {
            sizes.push_back(0);
            if (expected) expected->push_back(hands);
        }
        ++sizes.back();
        last = key;
    }
    return sizes;
}

int ExitStatus(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class DataFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = ::testing::TempDir() + "dm-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                 std::to_string(getpid());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string folder;
};

TEST_F(DataFolderTest, TwoSimulationsOnOneFolderLoseNoRecord) {
    const pid_t longer = StartSimulation(folder, "20000", "1");
    const pid_t shorter = StartSimulation(folder, "3000", "2");
    EXPECT_EQ(ExitStatus(longer), 0);
    EXPECT_EQ(ExitStatus(shorter), 0);
    EXPECT_EQ(std::filesystem::file_size(folder + "/DrawMentor.log"), 23000u * 79);
}

// Deals of five and of fifty hands written at once by two programs, and a
// disk that fills in the middle of a deal: every deal in the log is whole.
TEST_F(DataFolderTest, DealsStayWholeAndApart) {
    std::ofstream(folder + "/DrawMentor.ini") << "[Params]\nCredits=100000000\n";
    // Sanitized runs are slower: fewer deals overlap all the same.
    const std::string fiveDeals = DRAWMENTOR_SANITIZED ? "100" : "400";
    const std::string fiftyDeals = DRAWMENTOR_SANITIZED ? "10" : "40";
    const pid_t fives =
        StartSimulation(folder, fiveDeals.c_str(), "1", RLIM_INFINITY, "/dev/null", "5");
    const pid_t fifties =
        StartSimulation(folder, fiftyDeals.c_str(), "2", RLIM_INFINITY, "/dev/null", "50");
    EXPECT_EQ(ExitStatus(fives), 0);
    EXPECT_EQ(ExitStatus(fifties), 0);
    std::vector<int> expected;
    EXPECT_EQ(DealSizes(folder + "/DrawMentor.log", &expected), expected);
    EXPECT_EQ(expected.size(), std::stoul(fiveDeals) + std::stoul(fiftyDeals));

    std::filesystem::remove(folder + "/DrawMentor.log");
    EXPECT_EQ(ExitStatus(StartSimulation(folder, "100", "1", 79 * 12, "/dev/null", "5")), 1);
    EXPECT_EQ(std::filesystem::file_size(folder + "/DrawMentor.log"), 2u * 5 * 79);
}

// Killed at random moments while it plays deals of a hundred hands, a
// simulation may leave the start of a deal at the end of the log (a write of
// many pages is not one step); the next run cuts it, so every deal stays whole.
TEST_F(DataFolderTest, AKilledRunLeavesNoCutDeal) {
    std::ofstream(folder + "/DrawMentor.ini") << "[Params]\nCredits=100000000\n";
    std::mt19937 random(11);
    for (int kill = 0; kill < 5; ++kill) {
        const pid_t child = StartSimulation(folder, "100000", std::to_string(kill).c_str(),
                                            RLIM_INFINITY, "/dev/null", "100");
        std::this_thread::sleep_for(std::chrono::milliseconds(100 + random() % 400));
        ::kill(child, SIGKILL);
        ExitStatus(child);
    }
    EXPECT_EQ(ExitStatus(StartSimulation(folder, "1", "9", RLIM_INFINITY, "/dev/null", "100")), 0);
    std::vector<int> expected;
    EXPECT_EQ(DealSizes(folder + "/DrawMentor.log", &expected), expected);
    EXPECT_EQ(std::filesystem::file_size(folder + "/DrawMentor.log") % (79 * 100), 0u);
}

TEST_F(DataFolderTest, AFullDiskFailsTheRunAndKeepsTheSettingsFile) {
    const std::string settings = "[Preferences]\nDealSpeed=100\n";
    std::ofstream(folder + "/DrawMentor.ini") << settings;
    const std::string errors = folder + "/errors.txt";
    EXPECT_EQ(ExitStatus(StartSimulation(folder, "1", "1", 120, errors)),
              1); // one record fits, the settings do not
    EXPECT_EQ(ReadAll(folder + "/DrawMentor.ini"), settings);
    EXPECT_NE(ReadAll(errors).find("Cannot save " + folder + "/DrawMentor.ini"), std::string::npos)
        << ReadAll(errors);
    EXPECT_EQ(std::filesystem::file_size(folder + "/DrawMentor.log"), 79u);
}

TEST_F(DataFolderTest, AFullDiskStopsTheLogAtItsLastWholeRecord) {
    const std::string errors = folder + "/../dm-errors-" + std::to_string(getpid()) + ".txt";
    EXPECT_EQ(ExitStatus(StartSimulation(folder, "100", "1", 79 * 5 + 40, errors)), 1);
    EXPECT_NE(ReadAll(errors).find("Cannot write the game log"), std::string::npos)
        << ReadAll(errors);
    std::filesystem::remove(errors);
    // Five hands fit; the sixth is refused whole, not left as a fragment.
    EXPECT_EQ(std::filesystem::file_size(folder + "/DrawMentor.log"), 5u * 79);
}

} // namespace
