#pragma once

namespace drawmentor {

// What a menu item asks of the main window.
enum class TMenuCommand {
    SelectGame,
    AnalyseHand,
    StrategyChart,
    EndDrill,
    DrillWeakLines,
    Quiz,
    Exit,
    AllHands,
    ResetBalance,
    ShowStatistics,
    ShowCharts,
    ShowErrors,
    ClearAllRecords,
    ClearByFilter,
    ChangePreferences,
    SelectDeck,
    SelectBack,
    GettingStarted,
    ShowHelp,
    About,
};

} // namespace drawmentor
