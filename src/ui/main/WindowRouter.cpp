#include "WindowRouter.h"

#include "ui/hands/AllHandsWindow.h"
#include "ui/hands/HandPicker.h"
#include "ui/log/ClearLogWindow.h"
#include "ui/log/ErrorsWindow.h"
#include "ui/log/NoErrorsWindow.h"
#include "ui/log/WarningWindow.h"
#include "ui/settings/PreferencesDialog.h"

#include "play/GameEngine.h"
#include "play/HandAnalysis.h"
#include "play/PaytableStore.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace drawmentor {

TWindowRouter::TWindowRouter(QWidget& parent, TPreferences& preferences)
    : FParent(parent), FPreferences(preferences) {}

IGameWindows::TWarningAnswer TWindowRouter::ShowWarning(TGameEngine& engine) {
    return ShowWarningWindow(
        &FParent, engine, engine.Preferences(),
        [this, &engine](QWidget* over) { drawmentor::ShowAllHands(over, engine, FPreferences); });
}

int TWindowRouter::AskModeForNoErrors() {
    return drawmentor::AskModeForNoErrors(&FParent, FPreferences);
}

void TWindowRouter::ShowErrors(TGameEngine& engine) {
    ShowErrorsWindow(&FParent, engine, [this](QWidget* over, const TLogRecord& record) {
        ShowLoggedHand(over, record);
    });
}

void TWindowRouter::ShowLoggedHand(QWidget* parent, const TLogRecord& record) {
    std::array<int, kHandSize> cards{};
    std::copy(record.Dealt.begin(), record.Dealt.end(), cards.begin());
    std::unique_ptr<THandAnalysis> analysis;
    try {
        const auto store = OpenPaytableStore();
        if (record.PayIndex >= store->PaytableCount(record.GameIndex)) return;
        analysis = std::make_unique<THandAnalysis>(
            record.GameIndex, store->ReadPaytable(record.GameIndex, record.PayIndex), record.Bet,
            cards);
    } catch (const std::exception&) {
        return; // a damaged record: no game, paytable, bet or cards to analyse
    }
    drawmentor::ShowAllHands(parent, analysis->Engine(), cards, record.DrawMask, FPreferences);
}

bool TWindowRouter::ConfirmClearByFilter(TGameEngine& engine) {
    if (!drawmentor::ConfirmClearByFilter(&FParent, engine.Logger(), engine.Preferences()))
        return false;
    // The log is rewritten as soon as this returns; the hourglass goes when
    // the event loop runs again, whether the clearing succeeded or threw.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QTimer::singleShot(0, [] { QApplication::restoreOverrideCursor(); });
    return true;
}

void TWindowRouter::ShowPreferences(TGameEngine& engine) {
    ShowPreferencesDialog(&FParent, engine.Preferences());
}

void TWindowRouter::ShowAllHands(const TGameEngine& engine) {
    if (!engine.CanShowAllHands()) return;
    drawmentor::ShowAllHands(&FParent, engine, FPreferences);
}

void TWindowRouter::AnalyseHand(const TGameEngine& engine) {
    drawmentor::AnalyseHand(&FParent, engine.GameIndex(), engine.PayTable(), engine.Bet(),
                            engine.Caption(), FPreferences);
}

} // namespace drawmentor
