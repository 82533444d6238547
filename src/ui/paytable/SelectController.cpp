#include "SelectController.h"

#include "EditPaytableWindow.h"

#include "games/Catalogue.h"
#include "play/PaytableStore.h"
#include "play/Session.h"

namespace drawmentor {

TPayTable EmptyPayTable() {
    TPayTable pays;
    for (auto& coins : pays.Pays) coins.fill(-1);
    return pays;
}

std::vector<int> PaysForBet(const TPayTable& table, int lastLine, int coins) {
    std::vector<int> pays;
    for (int line = 0; line <= lastLine; ++line) pays.push_back(table.At(coins, line));
    return pays;
}

TSelectController::TSelectController()
    : FCatalogue(BuildCatalogue()), FStorage(OpenPaytableStore()), FPays(EmptyPayTable()) {}

TSelectController::~TSelectController() = default; // the store saves itself when modified

void TSelectController::Init(const TSession& session) {
    SelectGameItem(-1);
    for (int item = 0; item < GameCount(); ++item)
        if (GameIndexOf(item) == session.Game().GameIndex()) SelectGameItem(item);
    SelectPaytable(session.Game().PayIndex());
}

void TSelectController::SelectGameItem(int item) {
    if (item == FGameItem) return;
    FGameItem = item;
    SelectPaytable(0);
}

void TSelectController::SelectPaytable(int index) {
    if (FGameItem >= 0 && index >= 0 && index < PaytableCount()) {
        FPayIndex = index;
        FPays = FStorage->ReadPaytable(GameIndexOf(FGameItem), index);
    } else {
        FPayIndex = -1;
        FPays = EmptyPayTable();
    }
}

bool TSelectController::Play(TSession& session) {
    if (FGameItem < 0 || FPayIndex < 0) return false;
    FStorage->Save(); // the session reads the paytable from the file
    session.SelectGame(GameIndexOf(FGameItem), FPayIndex);
    return true;
}

QString TSelectController::GameNameAt(int item) const {
    return QString::fromStdString(Description(item).Name);
}

const TPokerDescription& TSelectController::Description(int item) const {
    return *FCatalogue.at(static_cast<size_t>(item));
}

int TSelectController::LineCount() const {
    return FGameItem < 0 ? 0 : Description(FGameItem).LineCount();
}

QString TSelectController::LineNameAt(int line) const {
    return FGameItem < 0 ? QString()
                         : QString::fromStdString(Description(FGameItem).LineName(line));
}

int TSelectController::PaytableCount() const {
    return FGameItem < 0 ? 0 : FStorage->PaytableCount(GameIndexOf(FGameItem));
}

bool TSelectController::EditPaytable(QWidget* parent, TPreferences& preferences) {
    if (FGameItem < 0 || FPayIndex < 0) return false;
    TEditPaytableWindow editor(
        parent, preferences, Description(FGameItem), FPays, TEditPaytableWindow::emEdit,
        [this](const TPayTable& pays) { StoreEdited(pays); },
        [this](const TPayTable& pays) { return StoredEqualTo(pays, FPayIndex); });
    return editor.exec() == QDialog::Accepted;
}

bool TSelectController::AddPaytable(QWidget* parent, TPreferences& preferences) {
    if (FGameItem < 0) return false;
    TEditPaytableWindow editor(
        parent, preferences, Description(FGameItem), EmptyPayTable(), TEditPaytableWindow::emAdd,
        [this](const TPayTable& pays) { StoreAdded(pays); },
        [this](const TPayTable& pays) { return StoredEqualTo(pays); });
    return editor.exec() == QDialog::Accepted;
}

int TSelectController::StoredEqualTo(const TPayTable& pays, int except) const {
    if (FGameItem < 0) return -1;
    const int found = FStorage->FindPaytable(GameIndexOf(FGameItem), pays);
    return found == except ? -1 : found;
}

void TSelectController::StoreEdited(const TPayTable& pays) {
    Commit(FPayIndex, pays);
    SelectPaytable(FPayIndex);
}

void TSelectController::StoreAdded(const TPayTable& pays) {
    const int game = GameIndexOf(FGameItem);
    const int found = FStorage->FindPaytable(game, pays);
    if (found >= 0) {
        SelectPaytable(found);
        return;
    }
    Commit(-1, pays);
    SelectPaytable(PaytableCount() - 1);
}

void TSelectController::Commit(int index, const TPayTable& pays) {
    FStorage->WritePaytable(GameIndexOf(FGameItem), index, pays);
    try {
        FStorage->Save();
    } catch (...) {
        // The file still holds what the store held before the write: read
        // it again, so the window shows what the file holds.
        FStorage = OpenPaytableStore();
        throw;
    }
}

} // namespace drawmentor
