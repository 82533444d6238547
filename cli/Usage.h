#pragma once

#include <string>
#include <vector>

namespace drawmentor::cli {

// What one command takes: the overview shows its synopsis, `<command> --help`
// the synopsis and every option, so the two cannot drift apart.
struct TCommandUsage {
    const char* Name;
    const char* Synopsis; // usage lines and what the command does
    std::string Options;  // one line per option the command's parser accepts
};

const std::vector<TCommandUsage>& CommandUsages();

// The overview printed by `drawmentor-cli --help`.
std::string ProgramUsage();

// The usage of one command, or an empty text when there is no such command.
std::string CommandUsage(const std::string& command);

} // namespace drawmentor::cli
