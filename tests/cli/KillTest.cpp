// A session killed without warning keeps every hand it collected.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

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

} // namespace
