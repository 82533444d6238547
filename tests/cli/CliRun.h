#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

struct TRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// Runs drawmentor-cli with `args` (already shell-quoted where needed).
inline TRun Cli(const std::string& args, const std::string& environment = {}) {
    // ctest runs test processes side by side: each needs a file of its own.
    static int calls = 0;
    const std::string errFile = ::testing::TempDir() + "cli_stderr_" + std::to_string(getpid()) +
                                "_" + std::to_string(++calls) + ".txt";
    const std::string command =
        environment + std::string(DRAWMENTOR_CLI) + " " + args + " 2>" + errFile;
    TRun run;
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer;
    while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        run.Out.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (FILE* err = fopen(errFile.c_str(), "r")) {
        while (size_t n = fread(buffer.data(), 1, buffer.size(), err))
            run.Err.append(buffer.data(), n);
        fclose(err);
    }
    std::remove(errFile.c_str());
    return run;
}
