#pragma once

#include <QString>

namespace drawmentor {

class TSession;
class TPreferences;

// After a draw whose hold gave away expected return, what it cost, for the
// message line ("Your hold 4.52, best 5.10 coins for the bet (serious
// error)"); empty after a best hold, so a player who plays well sees nothing.
QString HoldCostMessage(const TSession& session, const TPreferences& preferences);
// The message after a draw, followed by what the hold cost when it cost anything.
QString WithHoldCost(const QString& message, const TSession& session,
                     const TPreferences& preferences);
// A card as players write it: "10♥", "4♣", "JK" for a joker.
QString CardSymbolText(int code);
// After a double-up round, the picked card against the dealer's and what
// became of the win ("4♣ loses to 7♥..."); empty before any pick.
QString DoubleUpMessage(const TSession& session, const TPreferences& preferences);

} // namespace drawmentor
