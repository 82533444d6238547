#pragma once

#include <QString>

class QWidget;

namespace drawmentor {

class TPreferences;

// The help contexts of the windows: each names a topic page of the help.
enum THelpContext : int {
    hcMain = 100,
    hcStatistics = 200,
    hcCharts = 300,
    hcErrors = 400,
    hcClearLog = 500,
    hcPreferences = 600,
    hcChooseGame = 700,
    hcEditPaytable = 800,
    hcHowToPlay = 1000,
    hcAllHands = 1100,
    hcDeck = 1200,
    hcBack = 1300,
    hcWarning = 1400,
    hcAnalyseHand = 1500,
    hcNoErrors = 1600,
    hcBankroll = 1700,
    hcStrategyChart = 1800,
};

// The program's help: the topic page of a help context in the help language,
// in a help window with links between the topics. False (after telling the
// player) when no help is installed.
bool ShowHelp(QWidget* parent, int helpContext, const TPreferences& preferences);
QString HelpTopic(int helpContext);

} // namespace drawmentor
