#pragma once

namespace drawmentor {

// How the session plays: stored in the settings and in every log record as
// these numbers, so they never change.
enum class TPlayMode : int { pmAutoHold = 0, pmTraining = 1, pmRealPlay = 2, pmPlayErrorHands = 3 };
// Where the hand on the table is: no hand yet, drawn (the result shows),
// dealt (the player holds), or in a double-up round.
enum class TGameState : int { gsIdle = -1, gsDrawn = 0, gsDealt = 1, gsDoubleUp = 2 };

inline constexpr int kPlayModeCount = 4;

constexpr int ModeNumber(TPlayMode mode) {
    return static_cast<int>(mode);
}
// A stored or chosen number out of range is no mode.
constexpr bool IsPlayMode(int number) {
    return number >= 0 && number < kPlayModeCount;
}

inline constexpr int kNoCard = -100;
inline constexpr int kStartCredits = 2500;
inline constexpr int kMaxRecentGames = 5;
inline constexpr unsigned kShowResultHands = 1;
inline constexpr unsigned kShowWarnings = 2;
// A hold costing more than this many coins of expected return is an error
// worth a warning.
inline constexpr double kWarningThreshold = 0.01;
// The threshold itself does not warn.
constexpr bool WarrantsWarning(long double holdCost) {
    return holdCost > kWarningThreshold;
}

} // namespace drawmentor
