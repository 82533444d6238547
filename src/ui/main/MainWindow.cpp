#include "MainWindow.h"

#include "CardTable.h"
#include "CounterPanel.h"
#include "HoldCostMessage.h"
#include "MachinePanels.h"
#include "PayoutGrid.h"
#include "PlayKeys.h"
#include "WindowRouter.h"

#include "ui/app/Application.h"
#include "ui/common/CardButton.h"
#include "ui/common/GradientLabel.h"
#include "ui/common/MessageBox.h"
#include "ui/common/PickOneList.h"
#include "ui/common/WindowPlacement.h"

#include "prefs/Preferences.h"
#include "prefs/SettingKeys.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>

namespace drawmentor {
namespace {

const QString kButtons = QStringLiteral("Main.Buttons");
const QString kLabels = QStringLiteral("Main.Labels");
const QString kMessages = QStringLiteral("Main.Messages");
const QString kCaption = QStringLiteral("DrawMentor 2.0");
const QString kPlacement = QStringLiteral("MainWindow");

} // namespace

TfDrawMentor20Main::TfDrawMentor20Main(TPreferences& preferences, QWidget* parent)
    : QMainWindow(parent), FPreferences(preferences) {
    setObjectName(QStringLiteral("fDrawMentor20Main"));
    setWindowTitle(kCaption);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setMinimumSize(450, 440);
    setMaximumSize(734, 632);
    resize(676, 483);
    FRouter = std::make_unique<TWindowRouter>(*this, FPreferences);
    FPanels = new TMachinePanels(*this, FPreferences);
    // Every command runs guarded: an error is reported here, before it could
    // unwind through Qt's frames.
    using App = TApplication;
    connect(FPanels->Cards, &TCardTable::CardPressed, this,
            [this](int card) { App::Guarded([&] { ToggleCard(card); }); });
    connect(FPanels->Grid, &TPayoutGrid::BetColumnClicked, this,
            [this](int coins) { App::Guarded([&] { SelectBet(coins); }); });
    connect(FPanels->Counters, &TCounterPanel::CoinValueClicked, this,
            App::GuardedSlot(this, &TfDrawMentor20Main::ChooseCoinValue));
    connect(FPanels->HintButton, &QAbstractButton::clicked, this,
            App::GuardedSlot(this, &TfDrawMentor20Main::Hint));
    connect(FPanels->DoubleButton, &QAbstractButton::clicked, this,
            App::GuardedSlot(this, &TfDrawMentor20Main::Double));
    connect(FPanels->DealButton, &QAbstractButton::clicked, this,
            App::GuardedSlot(this, &TfDrawMentor20Main::DealOrDraw));
    // The chart, the paint engine and its deck, the buttons, the engine.
    FChartImage = QImage(130, 60, QImage::Format_RGB32);
    FChart = std::make_unique<TMiniChart>(&FChartImage);
    FChart->Repaint();
    FPaint = std::make_unique<TPaintEngine>();
    FPaint->LoadDeck(QStringLiteral("001"));
    FPaint->SetBackIndex(1);
    FEngine = std::make_unique<TGameEngine>(FPreferences, FRouter.get());
    FPanels->Grid->SetEngine(FEngine.get());
    FMenu = new TMainMenu(*this, *FEngine, FPreferences);
    connect(FMenu, &TMainMenu::Command, this,
            [this](TMenuCommand command) { App::Guarded([&] { RunCommand(command); }); });
    connect(FMenu, &TMainMenu::ModeChosen, this,
            [this](int mode) { App::Guarded([&] { SelectMode(mode); }); });
    connect(FMenu, &TMainMenu::OptionToggled, this,
            [this](unsigned option, bool on) { FEngine->SetOption(option, on); });
    connect(FMenu, &TMainMenu::RecentChosen, this,
            [this](int index) { App::Guarded([&] { FEngine->SelectRecent(index); }); });
    // A game chosen anywhere (a menu, a dialog) is laid out here.
    connect(FEngine.get(), &TGameEngine::GameChanged, this, [this] {
        LayoutPaytable();
        RedrawCards();
    });
    RestoreSettings();
    Translate();
    RedrawCards();
    new TPlayKeys(*this, [this](int key) {
        bool done = true;
        TApplication::Guarded([&] { done = HandleKey(key); });
        return done;
    });
    FTimer.setInterval(1000);
    connect(&FTimer, &QTimer::timeout, this,
            [this] { FPanels->Counters->SetTime(FEngine->ElapsedTime()); });
    FPanels->Counters->SetTime(FEngine->ElapsedTime());
    connect(&FPreferences, &TPreferences::PreferencesChanged, this, [this] { Translate(); });
}

TfDrawMentor20Main::~TfDrawMentor20Main() {
    try {
        FEngine->Collect(); // an open hand is logged before the engine goes
        SaveSettings();
    } catch (...) {
    }
}

void TfDrawMentor20Main::closeEvent(QCloseEvent* event) {
    FEngine->Collect();
    SaveSettings();
    QMainWindow::closeEvent(event);
}

void TfDrawMentor20Main::RunCommand(TMenuCommand command) {
    switch (command) {
    case TMenuCommand::Exit: close(); break;
    case TMenuCommand::ResetBalance: FEngine->ResetCounters(); break;
    case TMenuCommand::ClearAllRecords: ClearAllRecords(); break;
    // The deck and the back live in the paint engine, which is this window's.
    case TMenuCommand::SelectDeck:
        FRouter->ChooseDeck(*FPaint);
        RedrawCards();
        break;
    case TMenuCommand::SelectBack:
        FRouter->ChooseBack(*FPaint);
        RedrawCards();
        break;
    default: FRouter->Run(command, *FEngine); break;
    }
}

// --- Texts and counters ----------------------------------------------------

void TfDrawMentor20Main::Translate() {
    setWindowTitle(kCaption);
    QApplication::setApplicationDisplayName(kCaption.trimmed());
    FMenu->Translate();
    FPanels->HintButton->setText(FPreferences.Translate(kButtons, QStringLiteral("Hint")));
    FPanels->DoubleButton->setText(FPreferences.Translate(kButtons, QStringLiteral("Double")));
    FPanels->HintButton->setToolTip(FPreferences.TranslateHint(kButtons, QStringLiteral("Hint")));
    FPanels->DoubleButton->setToolTip(
        FPreferences.TranslateHint(kButtons, QStringLiteral("Double")));
    FPanels->InfoLabel->setText(FPreferences.Translate(kLabels, QStringLiteral("Info")));
    FPanels->Counters->Translate(FPreferences);
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
    for (TGradientLabel* header : {FPanels->PokerName, FPanels->InfoLabel, FPanels->Message})
        MakeHeaderLabel(header, FPreferences);
    LayoutPaytable();
    RedrawCards();
}

void TfDrawMentor20Main::UpdateCounters() {
    const TGameEngine& e = *FEngine;
    FPanels->Counters->Update(e, FChartImage);
    FPanels->Grid->update();
    FPanels->HintButton->setEnabled(e.CanHint());
    FPanels->HintButton->setVisible(e.HintOffered());
    FPanels->DoubleButton->setEnabled(e.CanDouble());
    FPanels->DealButton->setEnabled(e.CanDealDraw());
    const QString deal = e.NextPressDraws() ? QStringLiteral("Draw") : QStringLiteral("Deal");
    FPanels->DealButton->setText(FPreferences.Translate(kButtons, deal));
    FPanels->DealButton->setToolTip(FPreferences.TranslateHint(kButtons, deal));
    FMenu->Refresh();
    switch (e.State()) {
    case gsIdle: SetMessage(QStringLiteral("Start")); break;
    case gsDealt: SetMessage(QStringLiteral("Hold")); break;
    case gsDrawn:
        if (e.CurrentWin() != 0)
            SetMessage(QStringLiteral("Win"), e.CurrentWin());
        else
            SetMessage(QStringLiteral("Finish"));
        break;
    default: break; // the double-up message stays as Double set it
    }
}

void TfDrawMentor20Main::SetMessage(const QString& key, int win) {
    FMessageKey = key;
    FMessageWin = win;
    QString text = FPreferences.Translate(kMessages, key);
    if (key == QLatin1String("Win")) text.replace(QLatin1String("%d"), QString::number(win));
    if (key == QLatin1String("Win") || key == QLatin1String("Finish"))
        text = WithHoldCost(text, *FEngine, FPreferences);
    FPanels->Message->setText(text);
}

// --- Cards -------------------------------------------------------------------

void TfDrawMentor20Main::DrawCardImage(int index) {
    QImage scratch(FPaint->CardWidth, FPaint->CardHeight, QImage::Format_RGB32);
    QPainter painter(&scratch);
    const QRect rect(0, 0, FPaint->CardWidth, FPaint->CardHeight);
    if (FHidden[index] || FEngine->ShowsBack(index)) {
        FPaint->DrawBack(painter, rect);
    } else {
        const TCard card = DecodeCard(FEngine->CardAt(index));
        FPaint->DrawCard(painter, rect, FEngine->IsHeld(index), FEngine->IsWild(card.Rank),
                         card.Suit, card.Rank);
    }
    painter.end();
    FPanels->Cards->SetCard(index, scratch);
}

void TfDrawMentor20Main::RedrawCards() {
    for (int i = 0; i < 5; ++i) DrawCardImage(i);
    UpdateCounters();
}

void TfDrawMentor20Main::ShowBacks(const std::array<bool, 5>& which) {
    for (int i = 0; i < 5; ++i) {
        if (!which[i]) continue;
        FHidden[i] = true;
        DrawCardImage(i);
        FPreferences.DealDelay();
    }
}

void TfDrawMentor20Main::Reveal(const std::array<bool, 5>& which, const std::array<int, 5>& order) {
    int left = static_cast<int>(std::count(which.begin(), which.end(), true));
    for (int i : order) {
        if (!which[i]) continue;
        FHidden[i] = false;
        DrawCardImage(i);
        emit CardRevealed(i);
        if (--left > 0) FPreferences.DealDelay();
    }
}

TfDrawMentor20Main::TBusy::TBusy(TfDrawMentor20Main& window) : FWindow(window) {
    FWindow.FBusy = true;
}

TfDrawMentor20Main::TBusy::~TBusy() {
    FWindow.FBusy = false;
    FWindow.FHidden = {};
}

void TfDrawMentor20Main::DealOrDraw() {
    if (FBusy || !FEngine->CanDealDraw()) return;
    const TBusy busy(*this);
    SetMessage(FEngine->NextPressDraws() ? QStringLiteral("Drawing") : QStringLiteral("Dealing"));
    std::array<bool, 5> replaced = FEngine->PrepareDealDraw();
    ShowBacks(replaced);
    if (FEngine->FinishDealDraw()) {
        FChart->AddPoint(FEngine->BestCredits(), FEngine->Credits());
        replaced.fill(true);
    }
    Reveal(replaced, {0, 1, 2, 3, 4});
    UpdateCounters();
    if (!FTimer.isActive()) FTimer.start();
}

void TfDrawMentor20Main::Hint() {
    if (FBusy || !FEngine->CanHint()) return;
    const TBusy busy(*this);
    FEngine->ShowHint();
    RedrawCards();
}

void TfDrawMentor20Main::Double() {
    if (FBusy || !FEngine->CanDouble()) return;
    const TBusy busy(*this);
    ShowBacks({true, true, true, true, true});
    FEngine->StartDoubleUp();
    FHidden = {};
    RedrawCards(); // the dealer's card face up, the others backs
    SetMessage(QStringLiteral("DoubleInfo"));
}

void TfDrawMentor20Main::ToggleCard(int index) {
    if (FEngine->State() == gsDealt) {
        FEngine->ToggleHold(index);
        DrawCardImage(index);
        return;
    }
    if (FEngine->State() != gsDoubleUp || index == 0) return;
    // The picked card first, then the others left to right.
    FHidden = {false, true, true, true, true};
    FEngine->DoubleUpPick(index);
    std::array<int, 5> order{index, 0, 0, 0, 0}; // the dealer's card, last, is already face up
    std::array<bool, 5> which{false, true, true, true, true};
    int slot = 1;
    for (int i = 1; i < 5; ++i)
        if (i != index) order[slot++] = i;
    Reveal(which, order);
    FPreferences.DealDelay();
    FHidden = {};
    UpdateCounters();
}

bool TfDrawMentor20Main::SelectBet(int coins) {
    if (!FEngine->SetBet(coins)) return false;
    UpdateCounters();
    return true;
}

void TfDrawMentor20Main::ChooseCoinValue() {
    QStringList values;
    for (int i = 0; i < kCoinValueCount; ++i) values << QString::asprintf("$%5.2f", CoinValue(i));
    const int chosen =
        ChooseFromList(this, FPreferences.WindowCaption(QStringLiteral("Denomination")), values,
                       FEngine->CoinIndex(), FPreferences);
    if (chosen != -1) FEngine->SetCoinIndex(chosen);
    UpdateCounters();
}

void TfDrawMentor20Main::SelectMode(int mode) {
    FEngine->SetMode(mode);
    UpdateCounters();
}

void TfDrawMentor20Main::ClearAllRecords() {
    const QString title = TitleFromMenuText(FMenu->Item(TMenuCommand::ClearAllRecords)->text());
    const QString text =
        FPreferences.Translate(QStringLiteral("Main.ConfirmMessages"), QStringLiteral("ClearLog"));
    if (TMessageBox::Ask(this, QStringLiteral("ConfirmClearLog"), title, text,
                         QMessageBox::Ok | QMessageBox::Cancel, FPreferences) == QMessageBox::Ok)
        FEngine->ClearAllRecords();
}

// --- Layout ------------------------------------------------------------------

void TfDrawMentor20Main::LayoutPaytable() {
    FPanels->PokerName->setText(FEngine->Caption());
    FPanels->Grid->Relayout();
}

void TfDrawMentor20Main::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutPaytable();
}

void TfDrawMentor20Main::RestoreSettings() {
    const TIniFile& ini = FPreferences.SettingsFile();
    if (!RestorePlacement(*this, ini, kPlacement))
        if (const QScreen* screen = QApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    const QString deck = ReadSetting(ini, TSetting::Deck);
    FPaint->LoadDeck(deck.isEmpty() ? QStringLiteral("001") : deck);
    FPaint->SetBackIndex(ReadIntSetting(ini, TSetting::Back));
}

void TfDrawMentor20Main::SaveSettings() {
    TIniFile& ini = FPreferences.SettingsFile();
    SavePlacement(*this, ini, kPlacement);
    WriteSetting(ini, TSetting::Deck, FPaint->DeckCode);
    WriteIntSetting(ini, TSetting::Back, FPaint->BackIndex);
}

// --- Keys ----------------------------------------------------------------------

bool TfDrawMentor20Main::HandleKey(int key) {
    switch (key) {
    case Qt::Key_Escape:
        FEngine->ReleaseAll();
        RedrawCards();
        return true;
    case Qt::Key_Space:
        if (!FEngine->CanDealDraw()) return false;
        DealOrDraw();
        return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal: return SelectBet(FEngine->Bet() + 1);
    case Qt::Key_Minus: return SelectBet(FEngine->Bet() - 1);
    case Qt::Key_D:
        if (!FEngine->CanDouble()) return false;
        Double();
        return true;
    case Qt::Key_H:
        if (!FEngine->CanHint()) return false;
        Hint();
        return true;
    default: ToggleCard(key - Qt::Key_1); return true; // 1..5
    }
}

} // namespace drawmentor
