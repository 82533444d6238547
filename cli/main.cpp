#include "Arguments.h"
#include "Commands.h"

#include "core/Error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = R"(drawmentor-cli: the DrawMentor engine on the command line

Usage:
  drawmentor-cli games [--json]
      The catalogue of offered games: index, name, wild cards, deck size, lines.
  drawmentor-cli analyze --game G (--pays p0,p1,... | --paytable P) [--bet B] [--json] C1 C2 C3 C4 C5
      Every hold of a dealt hand with its exact expected return and line chances.
      --pays: what each line of the game returns for the whole bet, in line order;
      --paytable: the game's stored paytable P (0 first) for the bet (default 5).
  drawmentor-cli paytables --game G [--json]
      The game's stored paytables: lines down, coins across.
  drawmentor-cli return --game G (--pays p0,p1,... | --paytable P) [--bet B] [--threads N]
                 [--hands-per-deal N] [--json]
      The paytable's return with perfect play, its variance and how often each line hits;
      with N hands per deal (1..100) also the standard deviation of one deal of N hands.
  drawmentor-cli risk --game G (--pays p0,p1,... | --paytable P) [--bet B] --bankroll R
                 [--hands N] [--threads T] [--json | --distribution]
      With perfect play and a bankroll of R bets: the chance of losing it within N hands
      (default 1000, at most 100000) and in play without end, the result after N hands
      (mean, spread, 5 %, median, 95 %) and the wait for the top line. --distribution
      prints every result after N hands as CSV (result in bets, probability, cumulative).
  drawmentor-cli strategy --game G (--pays p0,p1,... | --paytable P) [--bet B] [--threads N]
                 [--max-lines N] [--json]
      A strategy chart for the paytable, made from the exact engine over every deal: hold
      what the highest line present in the dealt hand names. Prints each line with how
      often it is the play and its average return in bets, then the chart's return, the
      return of perfect play and the difference.
  drawmentor-cli strategy ... [--save FILE] | --chart FILE
      --save keeps the chart in FILE; --chart prints or plays a saved chart.
  drawmentor-cli strategy ... --classify
      Reads dealt hands from standard input, one per line (AS KS QS JS 9D), and prints
      one JSON object for each: the chart line that plays it, its class and the draw mask.
  drawmentor-cli simulate --game G --paytable P --hands N [--seed S] [--policy best|hint|mask:M|random]
                 [--mode 0..3] [--double never|always] [--hands-per-deal 1|3|5|10|50|100]
      Plays N deals as the trainer does, logging each hand, then prints the counters and
      the statistics of the session; a deal of several hands (never doubled) stops the
      run when the credits no longer cover its bet. Without --data-dir it plays in a new temporary
      data folder (printed first), never in the player's own.
  drawmentor-cli stats [--game G --paytable P] [--modes 0123] [--from YYYY-MM-DD] [--deals]
      The statistics of the game log for a choice of game, modes and first day, after
      the number of hands in the log and how many of them the choice selects. With --deals
      a deal of several hands counts once, in the counts of hands, lines and errors.
  drawmentor-cli chart --kind balance|accuracy|hand-rate|loss-on-errors|double-up
                 [--game G --paytable P] [--modes 0123] [--from YYYY-MM-DD] [--money] [--csv]
      A chart of the trainer's chart window as numbers: with --csv one row per plotted
      hand (x, then one column per curve), else the number of points and each curve's
      last, lowest and highest value. Curves are in coins, or in money with --money.
  drawmentor-cli render --deck CODE [--back N] [--held] [--wild] CARD... -o FILE.png
  drawmentor-cli render --deck CODE --sheet -o FILE.png
      Cards as the trainer paints them (BACK for the card back), or every face and back.
      A deck that is not installed is an error (status 2).

Commands that read stored files take --data-dir DIR in place of the user's data
folder (~/.local/share/DrawMentorProject/DrawMentor).

Cards: rank 2-9, T (or 10), J, Q, K, A and suit S, C, D, H (any case); JK is a joker.
Exit status: 0 done, 1 failure, 2 bad arguments.
)";

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
        std::cout << kUsage;
        return CheckOutput(words.empty() ? 2 : 0);
    }
    const std::string command = words[0];
    words.erase(words.begin());
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
