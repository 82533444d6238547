#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace drawmentor::cli {

// Each command reads its own words (after the command name), writes its answer
// to `out` and returns the exit status; bad input raises EUsage.
int RunGames(const std::vector<std::string>& words, std::ostream& out);
int RunAnalyze(const std::vector<std::string>& words, std::ostream& out);
int RunPaytables(const std::vector<std::string>& words, std::ostream& out);
int RunReturn(const std::vector<std::string>& words, std::ostream& out);
int RunRisk(const std::vector<std::string>& words, std::ostream& out);
// Reads hands from `in` with --classify.
int RunStrategy(const std::vector<std::string>& words, std::istream& in, std::ostream& out);
int RunSimulate(const std::vector<std::string>& words, std::ostream& out);
int RunStats(const std::vector<std::string>& words, std::ostream& out);
int RunChart(const std::vector<std::string>& words, std::ostream& out);
int RunRender(const std::vector<std::string>& words, std::ostream& out);

} // namespace drawmentor::cli
