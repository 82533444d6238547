#include "Usage.h"

namespace drawmentor::cli {
namespace {

constexpr const char* kHeader = R"(drawmentor-cli: the DrawMentor engine on the command line

Usage:
)";

constexpr const char* kFooter = R"(
Commands that read stored files take --data-dir DIR in place of the user's data
folder (~/.local/share/DrawMentorProject/DrawMentor).
drawmentor-cli COMMAND --help lists the options of one command.

Cards: rank 2-9, T (or 10), J, Q, K, A and suit S, C, D, H (any case); JK is a joker.
Exit status: 0 done, 1 failure, 2 bad arguments.
)";

// Options several commands share, in the same words in every command's list.
const std::string kPaytableOptions =
    "  --game G           the game's index (drawmentor-cli games lists them)\n"
    "  --pays p0,p1,...   what each line returns for the whole bet, in the game's line order\n"
    "  --paytable P       the game's stored paytable P (0 first), in place of --pays\n"
    "  --bet B            the bet in coins, 1 to 5 (default 5)\n";
const std::string kThreadsOption =
    "  --threads N        work on N threads, 1 to 64 (default one per core)\n";
const std::string kDataDirOption =
    "  --data-dir DIR     read the stored files in DIR, not the user's data folder\n";
const std::string kChoiceOptions =
    "  --game G           only this game (give --paytable with it; default every game)\n"
    "  --paytable P       only this stored paytable of the game\n"
    "  --modes DIGITS     play modes: 0 AutoHold, 1 Training, 2 Real Play, 3 error hands\n"
    "                     (default 0123)\n"
    "  --from YYYY-MM-DD  the first day\n";

const std::vector<TCommandUsage> kCommands = {
    {"games",
     R"(  drawmentor-cli games [--json]
      The catalogue of offered games: index, name, wild cards, deck size, lines.
)",
     "  --json             print a JSON array instead of the table\n"},
    {"analyze",
     R"(  drawmentor-cli analyze --game G (--pays p0,p1,... | --paytable P) [--bet B] [--json] C1 C2 C3 C4 C5
      Every hold of a dealt hand with its exact expected return and line chances.
      --pays: what each line of the game returns for the whole bet, in line order;
      --paytable: the game's stored paytable P (0 first) for the bet (default 5).
)",
     kPaytableOptions + "  --json             print one JSON object instead of the table\n" +
         kDataDirOption + "  C1 ... C5          the five dealt cards, e.g. AS KS QS JS 9D\n"},
    {"paytables",
     R"(  drawmentor-cli paytables --game G [--json]
      The game's stored paytables: lines down, coins across.
)",
     "  --game G           the game's index (drawmentor-cli games lists them)\n"
     "  --json             print one JSON object instead of the tables\n" +
         kDataDirOption},
    {"return",
     R"(  drawmentor-cli return --game G (--pays p0,p1,... | --paytable P) [--bet B] [--threads N]
                 [--hands-per-deal N] [--cashback PCT] [--royal COINS | --break-even] [--json]
      The paytable's return with perfect play, its variance and how often each line hits;
      with N hands per deal (1, 3, 5, 10, 50 or 100) also the standard deviation of one
      deal of N hands.
      --royal sets the royal flush's pay to a progressive meter (coins for the whole bet)
      and counts the best holds anew at it; --break-even finds the least whole meter at
      which the return, with the cash-back when given, reaches 100 %, and shows the
      expert strategy chart there line by line against the paytable's own (new lines,
      lines gone, lines moved up or down among those both have).
)",
     kPaytableOptions + kThreadsOption +
         "  --hands-per-deal N also the spread of one deal of N hands from one hold: 1, 3, 5,\n"
         "                     10, 50 or 100\n"
         "  --cashback PCT     a rebate of PCT % of the coins played, 0 to 5, two decimals at "
         "most\n"
         "  --royal COINS      the royal's meter, from the paytable's own royal to 1000000000\n"
         "  --break-even       print the meter at which the return reaches 100 %\n"
         "  --json             print one JSON object instead of the report\n" +
         kDataDirOption},
    {"risk",
     R"(  drawmentor-cli risk --game G (--pays p0,p1,... | --paytable P) [--bet B] --bankroll R
                 [--hands N] [--hands-per-deal H] [--cashback PCT] [--goal W]
                 [--target-risk PCT] [--play best|chart [--level L]] [--threads T]
                 [--json | --distribution]
      With perfect play (or, with --play chart, every deal held as the strategy chart of
      level L holds it) and a bankroll of R bets: the chance of losing it within N hands
      (default 1000, at most 100000) and in play without end, the result after N hands
      (mean, spread, 5 %, median, 95 %) and the wait for the top line. --distribution
      prints every result after N hands as CSV (result in bets, probability, cumulative)
      and last a line starting with # that says what the grid leaves out.
      With H hands per deal, N counts deals: the hands of a deal share its cards and
      hold; the bankroll stays in bets of one hand, and it is lost when it cannot pay
      the next deal's H bets. --goal W adds the chance of winning W bets before the
      bankroll is lost (a stop-win), within N hands and without end. --target-risk PCT
      adds the least bankroll in whole bets whose risk of ruin is PCT % or less, within N
      hands and without end; without --bankroll the report is that bankroll's. A
      cash-back of PCT % of the coins played is credited with each deal. The figures
      without end are computed exactly where the grid of the rebate or the deal allows
      (a rebate that is a large share of the bet), and said not computed otherwise.
      Ties: holds of equal expected pay can spread differently (Deuces Wild: 4S 5S 8S 3C
      6C). The figures take one of them per deal whatever the order of the dealt cards:
      the lowest draw mask with the cards ordered suit by suit (the suits in the order
      of the ranks they hold, highest first) and by rank within a suit.
)",
     kPaytableOptions +
         "  --bankroll R       the bankroll in whole bets, 1 to 1000000 (not needed with\n"
         "                     --distribution or --target-risk)\n"
         "  --hands N          the hands played, 1 to 100000 (default 1000); deals with H\n"
         "  --hands-per-deal H hands dealt from one hold: 1, 3, 5, 10, 50 or 100 (default 1)\n"
         "  --cashback PCT     a rebate of PCT % of the coins played, 0 to 5, two decimals at "
         "most\n"
         "  --goal W           also the chance to win W bets before ruin, 1 to 1000000\n"
         "  --target-risk PCT  also the least bankroll whose risk of ruin is at most PCT %,\n"
         "                     above 0 (1e-10 at least) and below 100\n"
         "  --play P           best (the default) or chart: the holds of a strategy chart\n"
         "  --level L          the chart's level: beginner, intermediate or expert (default)\n" +
         kThreadsOption +
         "  --json             print one JSON object instead of the report\n"
         "  --distribution     print every result after N hands as CSV instead\n" +
         kDataDirOption},
    {"strategy",
     R"(  drawmentor-cli strategy --game G (--pays p0,p1,... | --paytable P) [--bet B] [--threads N]
                 [--level beginner|intermediate|expert] [--royal COINS] [--max-lines N] [--json]
      A strategy chart for the paytable, made from the exact engine over every deal: hold
      what the highest line present in the dealt hand names. Prints each line with how
      often it is the play and its average return in bets, then the chart's return, the
      return of perfect play and the difference. A beginner's chart is short (16 lines,
      28 with wild cards), an intermediate player's longer (24, 32), an expert's as long
      as playing within about 0.01 % of perfect play needs; at every level a dealt four
      of a kind or better is played as perfect play plays it.
  drawmentor-cli strategy ... [--save FILE] | --chart FILE
      --save keeps the chart in FILE; --chart prints or plays a saved chart.
  drawmentor-cli strategy ... --classify
      Reads dealt hands from standard input, one per line (AS KS QS JS 9D), and prints
      one JSON object for each: the chart line that plays it, its class and the draw mask.
)",
     kPaytableOptions + kThreadsOption +
         "  --level L          beginner, intermediate or expert (the default)\n"
         "  --royal COINS      the royal's pay as a progressive meter, in coins for the bet\n"
         "  --max-lines N      at most N lines, 2 to 200, in place of the level's count\n"
         "  --save FILE        also keep the chart in FILE\n"
         "  --chart FILE       print or play a saved chart; it brings its own game and pays\n"
         "  --classify         read dealt hands from standard input, one JSON answer each\n"
         "  --json             print one JSON object instead of the chart\n" +
         kDataDirOption},
    {"simulate",
     R"(  drawmentor-cli simulate --game G --paytable P --hands N [--seed S] [--policy best|hint|mask:M|random]
                 [--mode 0..3] [--double never|always] [--hands-per-deal 1|3|5|10|50|100]
      Plays N deals as the trainer does, logging each hand, then prints the counters and
      the statistics of the session; a deal of several hands (never doubled) stops the
      run when the credits no longer cover its bet. Without --data-dir it plays in a new temporary
      data folder (printed first), never in the player's own.
)",
     "  --game G           the game's index (drawmentor-cli games lists them)\n"
     "  --paytable P       the game's stored paytable P (0 first)\n"
     "  --hands N          the deals to play, 0 to 100000000\n"
     "  --hands-per-deal N hands played from one hold: 1, 3, 5, 10, 50 or 100 (default 1)\n"
     "  --seed S           seed of the deals and of the random policy, 0 to 2147483647\n"
     "  --policy P         the hold: best, hint, mask:M (M 0 to 31, bit i replaces card i)\n"
     "                     or random (default best)\n"
     "  --mode M           the play mode logged: 0 AutoHold, 1 Training, 2 Real Play,\n"
     "                     3 error hands (default 1)\n"
     "  --double D         double-up after a win: never or always (default never)\n"
     "  --trace            print a line as each hand is collected\n"
     "  --data-dir DIR     play in DIR (its log and settings are changed)\n"},
    {"stats",
     R"(  drawmentor-cli stats [--game G --paytable P] [--modes 0123] [--from YYYY-MM-DD] [--deals]
                 [--by-line]
      The statistics of the game log for a choice of game, modes and first day, after
      the number of hands in the log and how many of them the choice selects. With --deals
      a deal of several hands counts once, in the counts of hands, lines and errors.
      --by-line adds, for every line of the strategy chart of the chosen paytable (without
      --game, that of the latest selected hand) at the bet of its latest selected hand, the
      hands on which the line was the chart's play, the errors there (holds worth less
      than the best), what they cost in coins and the accuracy. Charts come from those
      the trainer made and kept; hands with no chart at hand are counted as left out.
)",
     kChoiceOptions + "  --deals            count a deal of several hands once\n" +
         "  --by-line          also the statistics by strategy chart line\n" + kDataDirOption},
    {"chart",
     R"(  drawmentor-cli chart --kind balance|accuracy|hand-rate|loss-on-errors|double-up
                 [--game G --paytable P] [--modes 0123] [--from YYYY-MM-DD] [--money] [--csv]
      A chart of the trainer's chart window as numbers: with --csv one row per plotted
      hand (x, then one column per curve), else the number of points and each curve's
      last, lowest and highest value. Curves are in coins, or in money with --money.
)",
     "  --kind K           balance, accuracy, hand-rate, loss-on-errors or double-up\n" +
         kChoiceOptions +
         "  --money            balances and losses in each hand's coin value, not in coins\n"
         "  --csv              print one row per plotted hand instead of the summary\n" +
         kDataDirOption},
    {"render",
     R"(  drawmentor-cli render --deck CODE [--back N] [--held] [--wild] CARD... -o FILE.png
  drawmentor-cli render --deck CODE --sheet -o FILE.png
      Cards as the trainer paints them (BACK for the card back), or every face and back.
      A deck that is not installed is an error (status 2).
)",
     "  --deck CODE        an installed deck (default 001)\n"
     "  --back N           the card back, 0 to 14 (default 0)\n"
     "  --held             draw every card held\n"
     "  --wild             mark every card wild\n"
     "  --sheet            every face and back of the deck instead of cards\n"
     "  -o, --output FILE  the PNG file to write\n"
     "  CARD...            cards such as AS or JK, BACK for the card back\n"},
};

} // namespace

const std::vector<TCommandUsage>& CommandUsages() {
    return kCommands;
}

std::string ProgramUsage() {
    std::string text = kHeader;
    for (const TCommandUsage& command : kCommands) text += command.Synopsis;
    return text + kFooter;
}

std::string CommandUsage(const std::string& command) {
    for (const TCommandUsage& usage : kCommands) {
        if (command != usage.Name) continue;
        return std::string("Usage:\n") + usage.Synopsis + "\nOptions:\n" + usage.Options +
               "\nExit status: 0 done, 1 failure, 2 bad arguments.\n";
    }
    return {};
}

} // namespace drawmentor::cli
