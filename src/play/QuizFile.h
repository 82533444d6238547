#pragma once

#include "play/QuizSchedule.h"

#include <string>
#include <vector>

namespace drawmentor {

// The paytable a quiz schedule is of.
struct TQuizPaytable {
    int GameIndex = 0;
    int Bet = 0;
    std::vector<int> Pays; // whole-bet pays of the game's lines
    friend bool operator==(const TQuizPaytable&, const TQuizPaytable&) = default;
};

// Why a quiz file was not taken: it is moved to SetAside (when the move
// worked) and the quiz starts its schedule afresh.
struct TQuizFileNotice {
    enum TKind { None, Damaged, OtherPaytable, NotSaved };
    TKind Kind = None;
    std::string Path;
    std::string SetAside;
};

// "<folder>g00-b5-<hash of the pays>.quiz": one file per game, bet and pays.
std::string QuizFilePath(const std::string& folder, const TQuizPaytable& paytable);

// Fills `schedule` (made from the chart's lines) from the file at `path`. A
// missing file is a first quiz; a damaged one, or one of another paytable, is
// moved aside and told of, never an error: a schedule is worth less than the
// quiz it helps.
TQuizFileNotice LoadQuizFile(const std::string& path, const TQuizPaytable& paytable,
                             TQuizSchedule& schedule);
// Written whole through a temporary file; the folder is made when missing.
void SaveQuizFile(const std::string& path, const TQuizPaytable& paytable,
                  const TQuizSchedule& schedule);

} // namespace drawmentor
