#include "PaytableStore.h"

#include "core/Error.h"
#include "games/Catalogue.h"
#include "games/GameKey.h"
#include "prefs/DataFolder.h"

namespace drawmentor {

std::unique_ptr<TPayoutStorage> OpenPaytableStore() {
    const QString name = QStringLiteral("DrawMentor.dat");
    // The write path is only used by a save, which creates the folder then.
    auto store = std::make_unique<TPayoutStorage>(DataFileReadPath(name).toStdString(),
                                                  (DataFolder() + name).toStdString());
    // A missing or damaged installed file leaves the user's copy as it is: its games still play.
    try {
        store->AddMissingGames((ProgramFolder() + name).toStdString());
    } catch (const EDrawMentor&) {
    }
    return store;
}

std::string PaytableCaption(const TPayoutStorage& store, const std::string& key) {
    std::string caption = GameKeyCaption(key);
    try {
        const int game = KeyGameIndex(key), pay = KeyPayIndex(key);
        const auto description = CreateDescription(game);
        if (!description || pay < 0 || pay >= store.PaytableCount(game)) return caption;
        const std::string name = PaytableShortName(*description, store.ReadPaytable(game, pay));
        if (!name.empty()) caption += "  " + name;
    } catch (...) {
        // A damaged paytable still has its caption; the short name is a courtesy.
    }
    return caption;
}

} // namespace drawmentor
