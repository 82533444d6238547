#include "PaytableSource.h"

#include "games/PayoutStorage.h"
#include "play/PaytableStore.h"
#include "prefs/DataFolder.h"

#include <QString>

namespace drawmentor::cli {
void ApplyDataDir(const TArguments& args) {
    const auto folder = args.Value("data-dir");
    if (!folder) return;
    // An empty folder would mean the default one: the player's real data.
    if (folder->empty()) throw EUsage("--data-dir needs a folder");
    SetDataFolder(QString::fromStdString(*folder));
}

std::vector<int> PaysFromArguments(const TArguments& args, const TPokerDescription& game, int bet) {
    if (args.Has("pays") == args.Has("paytable")) throw EUsage("give either --pays or --paytable");
    if (args.Has("pays")) {
        std::vector<int> pays = ParseIntList(*args.Value("pays"), 0, kMaxPay, "--pays");
        if (static_cast<int>(pays.size()) != game.LineCount())
            throw EUsage("--pays needs " + std::to_string(game.LineCount()) + " values for " +
                         game.Name + ", got " + std::to_string(pays.size()));
        return pays;
    }
    const auto store = OpenPaytableStore();
    const int count = store->PaytableCount(game.GameIndex);
    if (count == 0) throw EUsage("no paytable is stored for " + game.Name);
    const int index = ParseInt(*args.Value("paytable"), 0, count - 1, "--paytable");
    const TPayTable table = store->ReadPaytable(game.GameIndex, index);
    std::vector<int> pays;
    for (int line = 0; line <= game.LastLine; ++line) pays.push_back(table.At(bet, line));
    return pays;
}

} // namespace drawmentor::cli
