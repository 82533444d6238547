#include "MainWindow.h"

#include "CardPictures.h"
#include "CardReveal.h"
#include "CardTable.h"
#include "CounterPanel.h"
#include "ExtraHandsView.h"
#include "MachinePanels.h"
#include "MessageLine.h"
#include "MeterPanel.h"
#include "PayoutGrid.h"
#include "PlayKeys.h"
#include "TableMenu.h"
#include "TableSize.h"
#include "TableSounds.h"
#include "WindowRouter.h"

#include "play/GameText.h"
#include "prefs/Texts.h"
#include "ui/app/Application.h"
#include "ui/common/AboutWindow.h"
#include "ui/common/CardButton.h"
#include "ui/common/GradientLabel.h"
#include "ui/common/MessageBox.h"
#include "ui/common/TextSections.h"
#include "ui/common/WindowPlacement.h"

#include "games/GameKey.h"
#include "prefs/Preferences.h"
#include "prefs/SettingKeys.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>

#include <algorithm>
#include <functional>

namespace drawmentor {

namespace {

const QString kMessages = QStringLiteral("Main.Messages");
const QString kPlacement = QStringLiteral("MainWindow");

} // namespace

TMainWindow::TMainWindow(TPreferences& preferences, QWidget* parent)
    : QMainWindow(parent), FPreferences(preferences) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(ProgramTitle());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setMinimumSize(450, 440);
    setMaximumSize(734, 632);
    resize(676, 483);
    FRouter = std::make_unique<TWindowRouter>(*this, FPreferences);
    FPanels = new TMachinePanels(*this, FPreferences);
    FSizer = new TTableSizer(*this, *FPanels);
    FSounds = new TTableSounds(this);
    // Every command runs guarded: an error is reported here, before it could
    // unwind through Qt's frames.
    using App = TApplication;
    connect(FPanels->Cards, &TCardTable::CardPressed, this,
            [this](int card) { App::Guarded([&] { ToggleCard(card); }); });
    connect(FPanels->Grid, &TPayoutGrid::BetColumnClicked, this,
            [this](int coins) { App::Guarded([&] { SelectBet(coins); }); });
    connect(FPanels->Counters, &TCounterPanel::CoinValueClicked, this,
            App::GuardedSlot(this, &TMainWindow::ChooseCoinValue));
    connect(FPanels->BetOneButton, &QAbstractButton::clicked, this,
            App::GuardedSlot(this, &TMainWindow::BetOne));
    connect(FPanels->MaxBetButton, &QAbstractButton::clicked, this,
            App::GuardedSlot(this, &TMainWindow::MaxBet));
    connect(FPanels->HintButton, &QAbstractButton::clicked, this,
            App::GuardedSlot(this, &TMainWindow::Hint));
    connect(FPanels->DoubleButton, &QAbstractButton::clicked, this,
            App::GuardedSlot(this, &TMainWindow::Double));
    connect(FPanels->DealButton, &QAbstractButton::clicked, this,
            App::GuardedSlot(this, &TMainWindow::DealOrDraw));
    // The chart, the cards, the session.
    FChartImage = QImage(130, 60, QImage::Format_RGB32);
    FChart = std::make_unique<TCreditPlot>(&FChartImage);
    FChart->Repaint();
    FCards = std::make_unique<TCardPictures>();
    FSession = std::make_unique<TSession>(FPreferences, FRouter.get());
    FReveal = std::make_unique<TCardReveal>(*FPanels->Cards, *FCards, *FSession, FPreferences);
    connect(FReveal.get(), &TCardReveal::CardRevealed, this, &TMainWindow::CardRevealed);
    FPanels->Grid->SetEngine(FSession.get());
    FPanels->OtherHands->SetEngine(FSession.get());
    FMenu = new TMainMenu(*this, *FSession, FPreferences);
    auto* tableMenu = new TTableMenu(*this, *FSizer, *FSounds);
    connect(tableMenu, &TTableMenu::Chosen, this, &TMainWindow::StoreSettings);
    connect(FMenu, &TMainMenu::Command, this,
            [this](TMenuCommand command) { App::Guarded([&] { RunCommand(command); }); });
    connect(FMenu, &TMainMenu::ModeChosen, this,
            [this](int mode) { App::Guarded([&] { SelectMode(static_cast<TPlayMode>(mode)); }); });
    connect(FMenu, &TMainMenu::OptionToggled, this,
            [this](unsigned option, bool on) { FSession->SetOption(option, on); });
    connect(FMenu, &TMainMenu::HandsPerDealChosen, this,
            [this](int hands) { App::Guarded([&] { SelectHandsPerDeal(hands); }); });
    connect(FMenu, &TMainMenu::RecentChosen, this,
            [this](int index) { App::Guarded([&] { FSession->SelectRecent(index); }); });
    // A game chosen anywhere (a menu, a dialog) is laid out here.
    connect(FSession.get(), &TSession::GameChanged, this, [this] {
        LayoutPaytable();
        RedrawCards();
    });
    RestoreSettings();
    FSizer->ShowOtherHands(FSession->ExtraHands().HandsPerDeal() > 1);
    FSettingsRestored = true;
    FPreferences.WriteChangesSoon();
    connect(&FPreferences, &TPreferences::SettingsWriteFailed, this, [this](const QString& error) {
        TMessageBox::Tell(this, QStringLiteral("SettingsUnwritable"), ProgramTitle(),
                          FormatText(FPreferences.Texts().Translate(
                                         kMessages, QStringLiteral("SettingsUnwritable")),
                                     {error}),
                          FPreferences);
    });
    // Damaged records are left out of everything the log shows; said once,
    // the player knows why counts may fall short.
    if (const int skipped = FSession->Logger().InvalidCount(); skipped > 0)
        FStartNotices << FormatText(
            FPreferences.Texts().Translate(kMessages, QStringLiteral("LogSkipped")),
            {FSession->Logger().LogFileName(), QString::number(skipped)});
    Retranslate();
    RedrawCards();
    new TPlayKeys(*this, [this](int key) {
        bool done = true;
        TApplication::Guarded([&] { done = HandleKey(key); });
        return done;
    });
    FTimer.setInterval(1000);
    connect(&FTimer, &QTimer::timeout, this,
            [this] { FPanels->Counters->SetTime(FSession->Counters().ElapsedTime()); });
    FPanels->Counters->SetTime(FSession->Counters().ElapsedTime());
    connect(&FPreferences, &TPreferences::PreferencesChanged, this, [this] { Retranslate(); });
}

TMainWindow::~TMainWindow() {
    try {
        FSession->Collect(); // an open hand is logged before the session goes
        SaveSettings();
    } catch (...) {
    }
}

void TMainWindow::closeEvent(QCloseEvent* event) {
    FSession->Collect();
    SaveSettings();
    QMainWindow::closeEvent(event);
    // Windows left open beside the table (Help) go with it: otherwise the
    // program would live on, unseen, with its settings unsaved.
    if (event->isAccepted())
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top != this && top->isVisible()) top->close();
}

void TMainWindow::RunCommand(TMenuCommand command) {
    switch (command) {
    case TMenuCommand::Exit: close(); break;
    case TMenuCommand::ResetBalance: FSession->ResetCounters(); break;
    case TMenuCommand::ClearAllRecords: ClearAllRecords(); break;
    // The deck and the back live in the paint engine, which is this window's.
    case TMenuCommand::SelectDeck:
        FRouter->ChooseDeck(FCards->Paint());
        RedrawCards();
        StoreSettings();
        break;
    case TMenuCommand::SelectBack:
        FRouter->ChooseBack(FCards->Paint());
        RedrawCards();
        StoreSettings();
        break;
    case TMenuCommand::Quiz: FRouter->ShowQuiz(*FSession, FCards->Paint()); break;
    default: FRouter->Run(command, *FSession); break;
    }
    ShowGameName(); // a command may start or end a drill
}

// --- Texts and counters ----------------------------------------------------

void TMainWindow::Retranslate() {
    setWindowTitle(ProgramTitle());
    QApplication::setApplicationDisplayName(ProgramTitle());
    FMenu->Retranslate();
    for (const auto& [button, key] : {std::pair{FPanels->BetOneButton, QStringLiteral("BetOne")},
                                      std::pair{FPanels->MaxBetButton, QStringLiteral("MaxBet")},
                                      std::pair{FPanels->HintButton, QStringLiteral("Hint")},
                                      std::pair{FPanels->DoubleButton, QStringLiteral("Double")}}) {
        button->setText(FPreferences.Texts().Translate(kMainButtonsTexts, key));
        button->setToolTip(FPreferences.Texts().TranslateHint(kMainButtonsTexts, key));
    }
    FPanels->InfoLabel->setText(
        FPreferences.Texts().Translate(kMainLabelsTexts, QStringLiteral("Info")));
    FPanels->Counters->Retranslate(FPreferences);
    FCards->SetHeldWord(FPreferences.Texts().Translate(kMainLabelsTexts, QStringLiteral("Held")));
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
    for (TGradientLabel* header : {FPanels->PokerName, FPanels->InfoLabel, FPanels->Message})
        MakeHeaderLabel(header, FPreferences);
    LayoutPaytable();
    RedrawCards();
}

void TMainWindow::UpdateCounters() {
    const TSession& e = *FSession;
    FPanels->Counters->Update(e, FChartImage);
    FPanels->Meters->Update(e, FPreferences);
    ShowGameName();
    FPanels->Grid->update();
    FPanels->OtherHands->update();
    FPanels->BetOneButton->setEnabled(e.Rules().CanChangeBet());
    FPanels->MaxBetButton->setEnabled(e.Rules().CanChangeBet());
    FPanels->HintButton->setEnabled(e.Rules().CanHint());
    FPanels->HintButton->setVisible(e.Rules().HintOffered());
    FPanels->DoubleButton->setEnabled(e.Rules().CanDouble());
    FPanels->DealButton->setEnabled(e.Rules().CanDealDraw());
    const QString deal =
        e.Rules().NextPressDraws() ? QStringLiteral("Draw") : QStringLiteral("Deal");
    FPanels->DealButton->setText(FPreferences.Texts().Translate(kMainButtonsTexts, deal));
    FPanels->DealButton->setToolTip(FPreferences.Texts().TranslateHint(kMainButtonsTexts, deal));
    FMenu->Refresh();
    if (const QString message = StateMessage(e, FPreferences); !message.isNull())
        FPanels->Message->setText(message);
}

void TMainWindow::SetMessage(const QString& key, const QStringList& arguments) {
    FPanels->Message->setText(MessageText(key, arguments, *FSession, FPreferences));
}

// --- Cards -------------------------------------------------------------------

void TMainWindow::RedrawCards() {
    FReveal->DrawCards();
    UpdateCounters();
}

void TMainWindow::RunReveal(TCardReveal::TSteps steps) {
    FReveal->Run(std::move(steps), [this] {
        UpdateCounters();
        FSounds->CardsShown(*FSession);
        const TTableHand& hand = FSession->Hand();
        if (hand.State() == TGameState::gsDrawn && hand.DoubleUpPick() < 1 && hand.CurrentWin() > 0)
            FPanels->Grid->FlashWinningLine();
    });
}

void TMainWindow::DealOrDraw() {
    if (FReveal->IsRunning() || !FSession->Rules().CanDealDraw()) return;
    const bool draws = FSession->Rules().NextPressDraws();
    const std::array<bool, 5> replaced = FSession->PrepareDealDraw();
    if (!FSession->Rules().NextPressDraws() && std::ranges::none_of(replaced, std::identity{})) {
        RedrawCards(); // a refused deal: the hand before it stays as it was
        return;
    }
    if (draws && FSession->Rules().CanHold()) return; // back from the warning to the hold
    SetMessage(draws ? QStringLiteral("Drawing") : QStringLiteral("Dealing"));
    FSounds->Play(draws ? TSound::Draw : TSound::Deal);
    // The warning may have changed the hold: the kept cards show it at once.
    for (int i = 0; i < 5; ++i)
        if (!replaced[i]) FReveal->DrawCard(i);
    TCardReveal::TSteps steps;
    if (draws) {
        FReveal->AddBacks(steps, replaced);
    } else {
        // The hand just played leaves the table at once, held marks and all:
        // only the new deal turns over, card by card.
        FReveal->Hide({true, true, true, true, true});
        FReveal->DrawCards();
    }
    steps.push_back(
        {[this, replaced] {
             std::array<bool, 5> shown = replaced;
             if (FSession->FinishDealDraw()) {
                 FChart->AddPoint(FSession->Counters().BestCredits(),
                                  FSession->Counters().Credits());
                 FPanels->OtherHands->update(); // the other hands of the last deal go too
                 shown.fill(true);
             }
             TCardReveal::TSteps faces;
             FReveal->AddFaces(faces, shown, {0, 1, 2, 3, 4});
             if (!FTimer.isActive()) FTimer.start();
             FReveal->Append(std::move(faces));
         },
         !draws}); // a deal shows its five backs a moment first
    RunReveal(std::move(steps));
}

void TMainWindow::Hint() {
    if (FReveal->IsRunning() || !FSession->Rules().CanHint()) return;
    FSession->ShowHint();
    RedrawCards(); // the message line says which chart line the hint holds
}

void TMainWindow::Double() {
    if (FReveal->IsRunning() || !FSession->Rules().CanDouble()) return;
    TCardReveal::TSteps steps;
    FReveal->AddBacks(steps, {true, true, true, true, true});
    steps.push_back({[this] {
        FSession->StartDoubleUp();
        FReveal->Hide({});
        RedrawCards(); // the dealer's card face up, the others backs
        SetMessage(QStringLiteral("DoubleInfo"));
    }});
    FReveal->Run(std::move(steps));
}

void TMainWindow::ToggleCard(int index) {
    if (FReveal->IsRunning()) return;
    if (FSession->Hand().State() == TGameState::gsDealt) {
        FSession->ToggleHold(index);
        FSounds->Play(TSound::Hold);
        FReveal->DrawCard(index);
        return;
    }
    if (FSession->Hand().State() != TGameState::gsDoubleUp || index == 0) return;
    // The picked card first, then the others left to right.
    FReveal->Hide({false, true, true, true, true});
    FSession->DoubleUpPick(index);
    std::array<int, 5> order{index, 0, 0, 0, 0}; // the dealer's card, last, is already face up
    int slot = 1;
    for (int i = 1; i < 5; ++i)
        if (i != index) order[slot++] = i;
    TCardReveal::TSteps steps;
    FReveal->AddFaces(steps, {false, true, true, true, true}, order);
    steps.push_back({}); // the last card stays a moment before the result
    RunReveal(std::move(steps));
}

bool TMainWindow::SelectBet(int coins) {
    if (!FSession->SetBet(coins)) return false;
    UpdateCounters();
    return true;
}

void TMainWindow::BetOne() {
    if (FReveal->IsRunning() || !FSession->BetOne()) return;
    FSounds->Play(TSound::Hold);
    UpdateCounters();
}

// A machine's Max Bet: five coins, and the deal without another press.
void TMainWindow::MaxBet() {
    if (FReveal->IsRunning() || !SelectBet(kMaxCoins)) return;
    DealOrDraw();
}

void TMainWindow::ChooseCoinValue() {
    const int chosen = FRouter->ChooseCoinValue(FSession->CoinIndex());
    if (chosen != -1) FSession->SetCoinIndex(chosen);
    UpdateCounters();
}

void TMainWindow::SelectMode(TPlayMode mode) {
    FSession->SetMode(mode);
    UpdateCounters();
}

bool TMainWindow::SelectHandsPerDeal(int hands) {
    if (FReveal->IsRunning() || !FSession->SetHandsPerDeal(hands)) return false;
    FSizer->ShowOtherHands(hands > 1);
    UpdateCounters();
    return true;
}

void TMainWindow::ClearAllRecords() {
    const QString title = TitleFromMenuText(FMenu->Item(TMenuCommand::ClearAllRecords)->text());
    if (FRouter->ConfirmClearAllRecords(title)) FSession->ClearAllRecords();
}

// --- Layout ------------------------------------------------------------------

void TMainWindow::ShowGameName() {
    QString name = GameKeyText(GameKey(FSession->Game().GameIndex(), FSession->Game().PayIndex()),
                               FPreferences.Texts());
    if (const TChartDrill* drill = FSession->Coach().Drill()) {
        QStringList lines;
        for (int line : drill->Lines()) lines << QString::number(line + 1);
        name = FormatText(FPreferences.Texts().Translate(kMainLabelsTexts, QStringLiteral("Drill")),
                          {name, lines.join(QStringLiteral(", "))});
    }
    if (FPanels->PokerName->text() != name) FPanels->PokerName->setText(name);
}

void TMainWindow::LayoutPaytable() {
    ShowGameName();
    FPanels->SetPaytableRows(FSession->Game().LastLine() + 1);
    FPanels->Grid->Relayout();
}

void TMainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutPaytable();
    StoreSettings();
}

void TMainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    StoreSettings();
}

void TMainWindow::RestoreSettings() {
    const TIniFile& ini = FPreferences.SettingsFile();
    FFirstStart = ReadSetting(ini, TSetting::Deck).isEmpty();
    FSizer->Restore(ini);
    if (!RestorePlacement(*this, ini, kPlacement))
        if (const QScreen* screen = QApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    FSizer->SetSize(FSizer->Size(), false);
    FSounds->Restore(ini);
    FCards->Restore(ini,
                    FPreferences.Texts().Translate(kMessages, QStringLiteral("DeckUnreadable")),
                    FStartNotices);
}

void TMainWindow::SaveSettings() {
    TIniFile& ini = FPreferences.SettingsFile();
    SavePlacement(*this, ini, kPlacement, FSizer->SizeWithoutOtherHands());
    FSizer->Save(ini);
    FSounds->Save(ini);
    FCards->Save(ini);
}

void TMainWindow::StoreSettings() {
    if (FSettingsRestored) SaveSettings();
}

// --- Keys ----------------------------------------------------------------------

bool TMainWindow::HandleKey(int key) {
    if (FReveal->IsRunning()) return true; // no play until the cards are shown
    switch (key) {
    case Qt::Key_Escape:
        FSession->SetDrawMask(31);
        RedrawCards();
        return true;
    case Qt::Key_Space:
        if (!FSession->Rules().CanDealDraw()) return false;
        DealOrDraw();
        return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal: return SelectBet(FSession->Game().Bet() + 1);
    case Qt::Key_Minus: return SelectBet(FSession->Game().Bet() - 1);
    case Qt::Key_D:
        if (!FSession->Rules().CanDouble()) return false;
        Double();
        return true;
    case Qt::Key_H:
        if (!FSession->Rules().CanHint()) return false;
        Hint();
        return true;
    case Qt::Key_B: BetOne(); return true;
    case Qt::Key_M: MaxBet(); return true;
    case Qt::Key_V: ChooseCoinValue(); return true;    // as a click on the coin value
    default: ToggleCard(key - Qt::Key_1); return true; // 1..5
    }
}

} // namespace drawmentor
