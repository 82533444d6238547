#pragma once

#include "PlayState.h"
#include "SessionCounters.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

namespace drawmentor {

class TIniFile;
class TPayoutStorage;

// What a play session keeps in the settings file between runs: the sections
// "Params" (counters and play options) and "MRU" (the game on the table and
// the recent games). Which counters are kept is the player's choice (the
// preferences' AutoSave set); the rest always is.
struct TStoredSession {
    QString CurrentGame; // a game key, or empty for none
    QStringList RecentGames;
    TSessionCounters Counters;
    int CoinIndex = 0;
    int Bet = 5;
    TPlayMode Mode = TPlayMode::pmTraining;
    unsigned Options = kShowResultHands | kShowWarnings;
    int HandsPerDeal = 1; // one of kHandsPerDealChoices
};

// Whether a game key names a game and paytable that can be played now.
using TGameExists = std::function<bool(int gameIndex, int payIndex)>;

// Values out of range read as their defaults or limits; recent games that no
// longer exist are left out, so they never reach a menu.
TStoredSession ReadStoredSession(const TIniFile& ini, unsigned autoSave, const TGameExists& exists);
void WriteStoredSession(TIniFile& ini, unsigned autoSave, const TStoredSession& session);

// The game and paytable to start with: the stored key's, or where that game
// or paytable is gone, the game's first stored paytable, else the first game
// that has one. An error when no paytable is stored at all.
std::pair<int, int> StoredGameToPlay(const QString& key, const TPayoutStorage& store);

// The recent-games list: the games played before the one on the table, the
// latest first, at most kMaxRecentGames.
class TRecentGames {
  public:
    void Assign(QStringList keys);
    // `leaving` (the game on the table) becomes the latest recent game, unless
    // it is the one being chosen again.
    void Push(const QString& leaving, const QString& chosen);
    void Remove(const QString& key) { FKeys.removeAll(key); }
    const QStringList& Keys() const { return FKeys; }

  private:
    QStringList FKeys;
};

} // namespace drawmentor
