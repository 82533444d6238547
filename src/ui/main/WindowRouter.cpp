#include "WindowRouter.h"

#include "games/GameKey.h"
#include "play/GameText.h"

#include "ui/chart/StrategyChartWindow.h"
#include "ui/common/AboutWindow.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/MessageBox.h"
#include "ui/common/PickOneList.h"
#include "ui/hands/AllHandsWindow.h"
#include "ui/hands/AnalyseHandWindow.h"
#include "ui/log/ClearLogWindow.h"
#include "ui/log/ErrorsWindow.h"
#include "ui/log/NoErrorsWindow.h"
#include "ui/log/PlotWindow.h"
#include "ui/log/StatisticsWindow.h"
#include "ui/main/WarningWindow.h"
#include "ui/paytable/ChooseGameWindow.h"
#include "ui/quiz/QuizWindow.h"
#include "ui/settings/BackDialog.h"
#include "ui/settings/DeckDialog.h"
#include "ui/settings/PreferencesDialog.h"

#include "core/Error.h"
#include "play/ChartLineStats.h"
#include "play/HandAnalysis.h"
#include "play/PaytableStore.h"
#include "play/Session.h"
#include "prefs/DataFolder.h"
#include "prefs/Preferences.h"
#include "render/PaintEngine.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace drawmentor {

TWindowRouter::TWindowRouter(QWidget& parent, TPreferences& preferences)
    : FParent(parent), FPreferences(preferences) {}

bool TWindowRouter::Run(TMenuCommand command, TSession& session) {
    switch (command) {
    case TMenuCommand::SelectGame: ChooseGame(session); return true;
    case TMenuCommand::AllHands: ShowAllHands(session); return true;
    case TMenuCommand::AnalyseHand: AnalyseHand(session); return true;
    case TMenuCommand::StrategyChart:
        Opening("StrategyChart", [&] { ShowStrategyChart(session); });
        return true;
    case TMenuCommand::DrillWeakLines:
        Opening("DrillWeakLines", [&] { DrillWeakLines(session); });
        return true;
    case TMenuCommand::EndDrill: session.EndDrill(); return true;
    case TMenuCommand::ShowStatistics:
        Opening("ShowStatistics", [&] { ShowStatistics(session.Logger()); });
        return true;
    case TMenuCommand::ShowCharts:
        Opening("ShowCharts", [&] { ShowCharts(session.Logger()); });
        return true;
    case TMenuCommand::ShowErrors:
        Opening("ShowErrors", [&] { ShowErrors(session.Logger()); });
        return true;
    case TMenuCommand::ClearByFilter: ClearByFilter(session.Logger()); return true;
    case TMenuCommand::ChangePreferences:
        Opening("SetupPreferences", [&] { ShowPreferencesDialog(&FParent, FPreferences); });
        return true;
    case TMenuCommand::GettingStarted: ShowHelp(&FParent, hcHowToPlay, FPreferences); return true;
    case TMenuCommand::ShowHelp: ShowHelp(&FParent, hcMain, FPreferences); return true;
    case TMenuCommand::About: ShowAbout(&FParent, FPreferences); return true;
    default: return false;
    }
}

// An error while a window opens or runs names the command that opened it.
void TWindowRouter::Opening(const char* command, const std::function<void()>& open) {
    try {
        open();
    } catch (...) {
        AddErrorContext(command);
    }
}

IGameWindows::TWarningAnswer TWindowRouter::ShowWarning(TSession& session) {
    return ShowWarningWindow(&FParent, session, FPreferences, [this, &session](QWidget* over) {
        drawmentor::ShowAllHands(over, session, FPreferences);
    });
}

int TWindowRouter::AskModeForNoErrors() {
    return drawmentor::AskModeForNoErrors(&FParent, FPreferences);
}

void TWindowRouter::ShowErrors(TLogger& logger) {
    ShowErrorsWindow(
        &FParent, logger, FPreferences,
        [this](QWidget* over, const TLogRecord& record) { ShowLoggedHand(over, record); });
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

void TWindowRouter::ClearByFilter(TLogger& logger) {
    logger.Filter();
    if (!drawmentor::ConfirmClearByFilter(&FParent, logger, FPreferences)) return;
    // The hourglass goes when the event loop runs again, whether the clearing
    // succeeded or threw.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QTimer::singleShot(0, [] { QApplication::restoreOverrideCursor(); });
    logger.ClearByFilter();
}

void TWindowRouter::ShowAllHands(const TSession& session) {
    if (!session.Rules().CanShowAllHands()) return;
    if (session.Hand().State() == TGameState::gsDealt) {
        drawmentor::ShowAllHands(&FParent, session, FPreferences);
        return;
    }
    // After the draw the session holds the final hand: the dealt one is counted again.
    const TLogRecord& record = session.Hand().Record();
    std::array<int, kHandSize> cards{};
    std::copy(record.Dealt.begin(), record.Dealt.end(), cards.begin());
    const THandAnalysis analysis(session.Game().GameIndex(), session.Game().PayTable(), record.Bet,
                                 cards);
    drawmentor::ShowAllHands(&FParent, analysis.Engine(), cards, record.DrawMask, FPreferences);
}

void TWindowRouter::AnalyseHand(const TSession& session) {
    const TTableGame& game = session.Game();
    drawmentor::AnalyseHand(
        &FParent, game.GameIndex(), game.PayTable(), game.Bet(),
        GameKeyText(GameKey(game.GameIndex(), game.PayIndex()), FPreferences.Texts()),
        FPreferences);
}

void TWindowRouter::ShowStrategyChart(TSession& session) {
    const TTableGame& game = session.Game();
    TChartSubject subject;
    subject.GameIndex = game.GameIndex();
    for (int line = 0; line <= game.LastLine(); ++line) subject.Pays.push_back(game.WinOf(line));
    subject.Bet = game.Bet();
    subject.Caption = GameKeyText(GameKey(game.GameIndex(), game.PayIndex()), FPreferences.Texts());
    subject.Drillable = true;
    subject.Logger = &session.Logger();
    subject.PayIndex = game.PayIndex();
    if (auto drill = drawmentor::ShowStrategyChart(&FParent, std::move(subject), FPreferences))
        session.StartDrill(std::make_unique<TChartDrill>(std::move(drill->first), drill->second));
}

// The chart of the paytable in play, or nullptr after telling the player
// that it is not there yet.
const TStrategyChart* TWindowRouter::ChartAtHand(const TSession& session) {
    const TStrategyChart* chart = session.Coach().Chart().Chart();
    if (!chart)
        TMessageBox::Tell(&FParent, QStringLiteral("ChartNotAtHand"), ProgramTitle(),
                          FPreferences.Texts().Translate(QStringLiteral("Main.Messages"),
                                                         QStringLiteral("ChartNotAtHand")),
                          FPreferences);
    return chart;
}

void TWindowRouter::ShowQuiz(const TSession& session, TPaintEngine& paint) {
    Opening("Quiz", [&] {
        if (const TStrategyChart* chart = ChartAtHand(session))
            OpenQuizWindow(&FParent, *chart, session.Game().Caption(),
                           DataFolder() + QStringLiteral("Quiz/"), FPreferences, paint);
    });
}

void TWindowRouter::DrillWeakLines(TSession& session) {
    const TStrategyChart* chart = ChartAtHand(session);
    if (!chart) return;
    TChartAdvisor advisor(*chart);
    const std::vector<int> lines =
        WeakestChartLines(session.Logger(), advisor, session.Game().PayIndex());
    if (lines.empty()) {
        TMessageBox::Tell(&FParent, QStringLiteral("NoWeakLines"), ProgramTitle(),
                          FormatText(FPreferences.Texts().Translate(QStringLiteral("Main.Messages"),
                                                                    QStringLiteral("NoWeakLines")),
                                     {QString::number(kWeakLineHands)}),
                          FPreferences);
        return;
    }
    session.StartDrill(std::make_unique<TChartDrill>(*chart, lines));
}

void TWindowRouter::ShowStatistics(TLogger& logger) {
    OpenStatisticsWindow(&FParent, logger, FPreferences);
}

void TWindowRouter::ShowCharts(TLogger& logger) {
    OpenChartsWindow(&FParent, logger, FPreferences);
}

bool TWindowRouter::ChooseGame(TSession& session) {
    return drawmentor::ChooseGame(&FParent, session, FPreferences);
}

int TWindowRouter::ChooseCoinValue(int current) {
    // Listed from the smallest coin up; the answer is the coin's own index.
    const auto& order = CoinIndicesByValue();
    QStringList values;
    for (const int coin : order) values << QString::asprintf("$%.2f", CoinValue(coin));
    const int row = ChooseFromList(
        &FParent, FPreferences.Texts().WindowCaption(QStringLiteral("Denomination")), values,
        static_cast<int>(std::ranges::find(order, current) - order.begin()), FPreferences);
    return row < 0 || row >= kCoinValueCount ? -1 : order[row];
}

bool TWindowRouter::ConfirmClearAllRecords(const QString& title) {
    const QString text = FPreferences.Texts().Translate(QStringLiteral("Main.ConfirmMessages"),
                                                        QStringLiteral("ClearLog"));
    return TMessageBox::Ask(&FParent, QStringLiteral("ConfirmClearLog"), title, text,
                            QMessageBox::Ok | QMessageBox::Cancel, FPreferences) == QMessageBox::Ok;
}

void TWindowRouter::RefuseBet(int betCoins, int credits) {
    const QString messages = QStringLiteral("Main.Messages");
    TMessageBox::Tell(
        &FParent, QStringLiteral("BetRefused"), ProgramTitle(),
        FormatText(FPreferences.Texts().Translate(messages, QStringLiteral("NoCredit")),
                   {QString::number(betCoins), QString::number(credits)}),
        FPreferences);
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
