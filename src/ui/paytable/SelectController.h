#pragma once

#include "games/PayTable.h"
#include "games/PayoutStorage.h"
#include "games/PokerDescription.h"

#include <QString>

#include <memory>
#include <vector>

class QWidget;

namespace drawmentor {

class TSession;
class TPreferences;

// What the game-choice window shows: the offered games, the paytable store
// and the selected game and paytable. It lives as long as the window; the
// store is saved when it goes, whichever button closed the window.
class TSelectController {
  public:
    TSelectController();
    ~TSelectController();
    TSelectController(const TSelectController&) = delete;
    TSelectController& operator=(const TSelectController&) = delete;

    // The session's game and paytable, or nothing when the game is not offered.
    void Init(const TSession& session);
    void SelectGameItem(int item);
    // Outside 0..PaytableCount()-1: no paytable, every pay -1.
    void SelectPaytable(int index);
    // Plays the selected game and paytable; false when either is missing.
    bool Play(TSession& session);

    int GameItem() const { return FGameItem; }
    int PayIndex() const { return FPayIndex; }
    const TPayTable& Pays() const { return FPays; }

    int GameCount() const { return static_cast<int>(FCatalogue.size()); }
    QString GameNameAt(int item) const;
    const TPokerDescription& Description(int item) const;
    int GameIndexOf(int item) const { return Description(item).GameIndex; }
    // Of the selected game; 0 and "" with none.
    int LineCount() const;
    QString LineNameAt(int line) const;
    int PaytableCount() const;

    // Open the editor on the selected paytable, or on an empty one to add;
    // true when the player pressed OK.
    bool EditPaytable(QWidget* parent, TPreferences& preferences);
    bool AddPaytable(QWidget* parent, TPreferences& preferences);
    // The editor's OK: the paytable goes into the store and the file at once,
    // so that a file that cannot be written is known while the editor still
    // holds the edit. On failure the store is as it was and the error is
    // thrown on. An added paytable equal to a stored one selects that one.
    void StoreEdited(const TPayTable& pays);
    void StoreAdded(const TPayTable& pays);
    // The stored paytable of the selected game equal to `pays`, other than
    // `except`; -1 when there is none.
    int StoredEqualTo(const TPayTable& pays, int except = -1) const;

  private:
    void Commit(int index, const TPayTable& pays);

    std::vector<std::unique_ptr<TPokerDescription>> FCatalogue;
    std::unique_ptr<TPayoutStorage> FStorage;
    int FGameItem = -1;
    int FPayIndex = -1;
    TPayTable FPays;
};

// The pays of lines 0..lastLine for a bet of `coins`.
std::vector<int> PaysForBet(const TPayTable& table, int lastLine, int coins);
// Every pay -1: no paytable.
TPayTable EmptyPayTable();

} // namespace drawmentor
