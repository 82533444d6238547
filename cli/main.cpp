#include "Arguments.h"
#include "Commands.h"
#include "Usage.h"

#include "core/Error.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

int Run(const std::string& command, const std::vector<std::string>& words) {
    using namespace drawmentor;
    if (command == "games") return cli::RunGames(words, std::cout);
    if (command == "analyze") return cli::RunAnalyze(words, std::cout);
    if (command == "paytables") return cli::RunPaytables(words, std::cout);
    if (command == "return") return cli::RunReturn(words, std::cout);
    if (command == "risk") return cli::RunRisk(words, std::cout);
    if (command == "strategy") return cli::RunStrategy(words, std::cin, std::cout);
    if (command == "simulate") return cli::RunSimulate(words, std::cout);
    if (command == "stats") return cli::RunStats(words, std::cout);
    if (command == "chart") return cli::RunChart(words, std::cout);
    if (command == "render") return cli::RunRender(words, std::cout);
    throw cli::EUsage("unknown command '" + command + "' (try --help)");
}

// Output that did not arrive (a full disk, a closed pipe) is a failure: a
// script must not take a cut table for the whole one.
int CheckOutput(int status) {
    errno = 0;
    std::cout.flush();
    if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int error = errno;
        std::cerr << "drawmentor-cli: cannot write the output"
                  << (error ? std::string(": ") + std::strerror(error) : std::string()) << '\n';
        return status == 0 ? 1 : status;
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        std::cout << drawmentor::cli::ProgramUsage();
        return CheckOutput(words.empty() ? 2 : 0);
    }
    const std::string command = words[0];
    words.erase(words.begin());
    // Help wins over every other word, so that a half-typed command line
    // can be completed from its own usage.
    const std::string usage = drawmentor::cli::CommandUsage(command);
    if (!usage.empty() && std::any_of(words.begin(), words.end(), [](const std::string& word) {
            return word == "--help" || word == "-h";
        })) {
        std::cout << usage;
        return CheckOutput(0);
    }
    try {
        return CheckOutput(Run(command, words));
    } catch (const drawmentor::cli::EUsage& error) {
        std::cerr << "drawmentor-cli: " << error.what() << '\n';
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "drawmentor-cli: " << error.what() << '\n';
        return 1;
    }
}
