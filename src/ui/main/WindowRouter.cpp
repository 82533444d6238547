#include "WindowRouter.h"

#include "ui/common/AboutWindow.h"
#include "ui/common/HelpWindow.h"
#include "ui/hands/AllHandsWindow.h"
#include "ui/hands/HandPicker.h"
#include "ui/log/ChartWindow.h"
#include "ui/log/ClearLogWindow.h"
#include "ui/log/ErrorsWindow.h"
#include "ui/log/NoErrorsWindow.h"
#include "ui/log/StatisticsWindow.h"
#include "ui/log/WarningWindow.h"
#include "ui/paytable/ChooseWindow.h"
#include "ui/settings/BackDialog.h"
#include "ui/settings/DeckDialog.h"
#include "ui/settings/PreferencesDialog.h"

#include "play/GameEngine.h"
#include "play/HandAnalysis.h"
#include "play/PaytableStore.h"
#include "render/PaintEngine.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace drawmentor {

TWindowRouter::TWindowRouter(QWidget& parent, TPreferences& preferences)
    : FParent(parent), FPreferences(preferences) {}

bool TWindowRouter::Run(TMenuCommand command, TGameEngine& engine) {
    switch (command) {
    case TMenuCommand::SelectGame: ChooseGame(engine); return true;
    case TMenuCommand::AllHands: ShowAllHands(engine); return true;
    case TMenuCommand::AnalyseHand: AnalyseHand(engine); return true;
    // Through the engine, which names the window in an error's context.
    case TMenuCommand::ShowStatistics: engine.ShowStatistics(); return true;
    case TMenuCommand::ShowCharts: engine.ShowCharts(); return true;
    case TMenuCommand::ShowErrors: engine.ShowErrors(); return true;
    case TMenuCommand::ClearByFilter: engine.ClearByFilter(); return true;
    case TMenuCommand::ChangePreferences: engine.SetupPreferences(); return true;
    case TMenuCommand::GettingStarted: ShowHelp(&FParent, hcHowToPlay, FPreferences); return true;
    case TMenuCommand::ShowHelp: ShowHelp(&FParent, hcMain, FPreferences); return true;
    case TMenuCommand::About: ShowAbout(&FParent, FPreferences); return true;
    default: return false;
    }
}

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

void TWindowRouter::ShowStatistics(TGameEngine& engine) {
    OpenStatisticsWindow(&FParent, engine, FPreferences);
}

void TWindowRouter::ShowCharts(TGameEngine& engine) {
    OpenChartsWindow(&FParent, engine.Logger(), FPreferences);
}

bool TWindowRouter::ChooseGame(TGameEngine& engine) {
    return drawmentor::ChooseGame(&FParent, engine, FPreferences);
}

void TWindowRouter::ChooseDeck(TPaintEngine& paint) {
    const QString code = drawmentor::ChooseDeck(&FParent, paint.DeckCode, FPreferences);
    if (!code.isEmpty()) paint.LoadDeck(code);
}

void TWindowRouter::ChooseBack(TPaintEngine& paint) {
    const int index = drawmentor::ChooseBack(&FParent, paint.BackIndex, FPreferences);
    if (index != -1) paint.SetBackIndex(index);
}

} // namespace drawmentor
