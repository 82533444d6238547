#pragma once

#include "engine/PokerEngine.h"
#include "games/PayTable.h"

#include <QString>

#include <memory>

namespace drawmentor {

class TSession;

// The game on the table: its strategy engine, the paytable in play (stored
// or supplied), and the pays of the current bet that the engine counts with.
// Only the session changes it.
class TTableGame {
  public:
    // False only while the session starts, before its first game.
    bool HasEngine() const { return FEngine != nullptr; }
    int GameIndex() const { return FEngine->GameIndex(); }
    int PayIndex() const { return FPayIndex; }
    const TPayTable& PayTable() const { return FPayTable; }
    const TPayout& Payout() const { return FPayout; }
    int Bet() const { return FBet; }
    int LastLine() const { return FEngine->LastLine(); }
    QString LineName(int line) const;
    int Pay(int line, int coins) const { return FPayTable.At(coins, line); }
    // What the current bet wins on a line; nothing for no line (-1).
    int WinOf(int line) const { return line < 0 ? 0 : FPayTable.At(FBet, line); }
    // "GAME NAME  (n)": the game and the paytable's number, as menus show it.
    QString Caption() const;
    bool IsWild(int rank) const { return FEngine->Deck().IsWild(rank); }
    const TPokerEngine& Strategy() const { return *FEngine; }

  private:
    friend class TSession;

    // The pays of `coins` into the payout the engine reads.
    void ApplyBet(int coins);

    std::unique_ptr<TPokerEngine> FEngine;
    TPayTable FPayTable;
    int FPayIndex = -1;
    TPayout FPayout;
    int FBet = kMaxCoins;
};

} // namespace drawmentor
