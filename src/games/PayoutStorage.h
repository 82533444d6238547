#pragma once

#include "PayTable.h"

#include <string>
#include <vector>

namespace drawmentor {

// The log keeps a paytable's index in one byte, so a game can have no more.
inline constexpr int kMaxPaytablesPerGame = 256;

// The store of all paytables, the text file "DrawMentor.dat": per offered game
// a section "[name]" followed by one line per paytable, its 80 numbers
// (coins 1..5 x lines 0..15) each formatted "%6d" and joined, 480 characters.
// A game's paytables are known by their 0-based position in its section.
class TPayoutStorage {
  public:
    // Reads `readPath`; a missing file gives a store without paytables. Saves
    // go to `writePath`.
    TPayoutStorage(std::string readPath, std::string writePath);
    TPayoutStorage(const TPayoutStorage&) = delete;
    TPayoutStorage& operator=(const TPayoutStorage&) = delete;
    // Saves when modified; a failed save is lost here, call Save to see it.
    ~TPayoutStorage();

    int PaytableCount(int game) const;
    // A range error for an index outside 0..count-1. A stored line that is
    // damaged (a field that is no number, a pay below 0 or beyond kMaxPay on
    // one of the game's lines) is an error naming the game and the line of
    // the file; the file stays as it is.
    TPayTable ReadPaytable(int game, int index) const;
    // The index of a stored paytable equal in all 80 numbers, or -1.
    int FindPaytable(int game, const TPayTable& pays) const;
    // Replaces entry `index`; an index outside 0..count-1 appends, which is
    // refused when the game already has kMaxPaytablesPerGame paytables.
    void WritePaytable(int game, int index, const TPayTable& pays);
    // Writes the file when modified, through a temporary file renamed over it.
    void Save();
    // Games whose section the file read lacks take their paytables from the
    // file at `path` (a copy the user saved before the game was offered has
    // no section for it). Nothing is written until a save.
    void AddMissingGames(const std::string& path);
    bool Modified() const { return FModified; }

    static std::string FormatPaytable(const TPayTable& pays);
    static TPayTable ParsePaytable(const std::string& line);

  private:
    struct TGameTables {
        std::string Name;
        int GameIndex = 0;
        std::vector<std::string> Lines;
        // Where each line was in the file read, 0 for one written since.
        std::vector<int> FileLines;
        bool InFile = false; // the file read has this game's section
    };

    TGameTables& GameTables(int game);
    const TGameTables& GameTables(int game) const;
    void Load();

    std::string FReadPath;
    std::string FWritePath;
    std::vector<TGameTables> FGames;
    bool FModified = false;
};

} // namespace drawmentor
