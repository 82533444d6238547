#include "WindowRouter.h"

#include "ui/common/AboutWindow.h"
#include "ui/common/HelpWindow.h"
#include "ui/hands/AllHandsWindow.h"
#include "ui/hands/HandPicker.h"
#include "ui/log/ChartWindow.h"
#include "ui/log/StatisticsWindow.h"
#include "ui/paytable/ChooseWindow.h"
#include "ui/settings/BackDialog.h"
#include "ui/settings/DeckDialog.h"

#include "play/GameEngine.h"
#include "render/PaintEngine.h"

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
    case TMenuCommand::GettingStarted: ShowHelp(&FParent, hcHowToPlay, FPreferences); return true;
    case TMenuCommand::ShowHelp: ShowHelp(&FParent, hcMain, FPreferences); return true;
    case TMenuCommand::About: ShowAbout(&FParent, FPreferences); return true;
    default: return false;
    }
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
