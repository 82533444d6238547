#include "MainWindow.h"

#include "CounterPanel.h"
#include "PayoutGrid.h"
#include "WindowRouter.h"

#include "ui/common/AboutWindow.h"
#include "ui/common/CardButton.h"
#include "ui/common/CardImage.h"
#include "ui/common/GradientLabel.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/MessageBox.h"
#include "ui/common/PickOneList.h"
#include "ui/common/WindowPlacement.h"

#include "prefs/Preferences.h"
#include "prefs/SettingKeys.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

namespace drawmentor {
namespace {

const QString kButtons = QStringLiteral("Main.Buttons");
const QString kLabels = QStringLiteral("Main.Labels");
const QString kMessages = QStringLiteral("Main.Messages");
const QString kCaption = QStringLiteral("DrawMentor 2.0");
const QColor kFelt(0, 96, 56);
const QString kPlacement = QStringLiteral("MainWindow");

QWidget* Panel(QWidget* parent, const char* name) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    return panel;
}

// A vertical layout of a panel with the given border and gap.
QVBoxLayout* Column(QWidget* panel, int border, int gap) {
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(border, border, border, border);
    layout->setSpacing(gap);
    return layout;
}

// A header strip of the window: a label 24 pixels high made a header label.
TGradientLabel* HeaderStrip(QWidget* parent, QBoxLayout* layout, const char* name,
                            const TPreferences& preferences) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFixedHeight(24);
    layout->addWidget(label);
    return MakeHeaderLabel(label, preferences);
}

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
    BuildWidgets();
    // The chart, the paint engine and its deck, the buttons, the engine.
    FChartImage = QImage(130, 60, QImage::Format_RGB32);
    FChart = std::make_unique<TMiniChart>(&FChartImage);
    FChart->Repaint();
    FPaint = std::make_unique<TPaintEngine>();
    FPaint->LoadDeck(QStringLiteral("001"));
    FPaint->SetBackIndex(1);
    FEngine = std::make_unique<TGameEngine>(FPreferences, FRouter.get());
    FGrid->SetEngine(FEngine.get());
    FMenu = new TMainMenu(*this, *FEngine, FPreferences);
    connect(FMenu, &TMainMenu::Command, this, &TfDrawMentor20Main::RunCommand);
    connect(FMenu, &TMainMenu::ModeChosen, this, &TfDrawMentor20Main::SelectMode);
    connect(FMenu, &TMainMenu::OptionToggled, this,
            [this](unsigned option, bool on) { FEngine->SetOption(option, on); });
    connect(FMenu, &TMainMenu::RecentChosen, this, [this](int index) {
        FEngine->SelectRecent(index);
        LayoutPaytable();
        RedrawCards();
    });
    for (TMenuCommand missing :
         {TMenuCommand::SelectGame, TMenuCommand::AnalyseHand, TMenuCommand::AllHands,
          TMenuCommand::ShowStatistics, TMenuCommand::ShowCharts, TMenuCommand::ShowErrors,
          TMenuCommand::ClearByFilter, TMenuCommand::ChangePreferences, TMenuCommand::SelectDeck,
          TMenuCommand::SelectBack})
        FMenu->SetAvailable(missing, false); // their windows are still to come
    RestoreSettings();
    Translate();
    RedrawCards();
    qApp->installEventFilter(this);
    FTimer.setInterval(1000);
    connect(&FTimer, &QTimer::timeout, this,
            [this] { FCounters->SetTime(FEngine->ElapsedTime()); });
    FCounters->SetTime(FEngine->ElapsedTime());
    connect(&FPreferences, &TPreferences::PreferencesChanged, this, [this] { Translate(); });
}

TfDrawMentor20Main::~TfDrawMentor20Main() {
    qApp->removeEventFilter(this);
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

// --- Building ----------------------------------------------------------------

void TfDrawMentor20Main::BuildWidgets() {
    auto* central = Panel(this, "Panel0");
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto* left = Panel(central, "Panel2");
    auto* leftLayout = Column(left, 0, 0);

    auto* game = Panel(left, "Panel6");
    auto* gameLayout = Column(game, 3, 0);
    FPokerName = HeaderStrip(game, gameLayout, "lPokerName", FPreferences);
    auto* gridPanel = Panel(game, "Panel5");
    auto* gridLayout = Column(gridPanel, 4, 0);
    FGrid = new TPayoutGrid(gridPanel);
    gridLayout->addWidget(FGrid);
    gameLayout->addWidget(gridPanel, 1);
    leftLayout->addWidget(game, 1);

    auto* table = Panel(left, "Panel3");
    table->setFixedHeight(180);
    auto* tableLayout = Column(table, 3, 0);
    FMessage = HeaderStrip(table, tableLayout, "lInfoLabel", FPreferences);
    FCardsPanel = Panel(table, "CardsPanel");
    FCardsPanel->setAutoFillBackground(true);
    QPalette felt = FCardsPanel->palette();
    felt.setColor(QPalette::Window, kFelt);
    FCardsPanel->setPalette(felt);
    for (int i = 0; i < 5; ++i) {
        FCards[i] = new TCardImage(i, FCardsPanel);
        connect(FCards[i], &TCardImage::Pressed, this, &TfDrawMentor20Main::ToggleCard);
    }
    tableLayout->addWidget(FCardsPanel, 1);
    leftLayout->addWidget(table);
    row->addWidget(left, 1);

    row->addWidget(BuildSidePanel(central));
    setCentralWidget(central);
    connect(FGrid, &TPayoutGrid::BetColumnClicked, this, &TfDrawMentor20Main::SelectBet);
}

QWidget* TfDrawMentor20Main::BuildSidePanel(QWidget* parent) {
    auto* side = Panel(parent, "Panel1");
    side->setFixedWidth(142);
    auto* sideLayout = Column(side, 3, 2);
    FInfoLabel = HeaderStrip(side, sideLayout, "InfoLabel", FPreferences);
    FCounters = new TCounterPanel(side);
    connect(FCounters, &TCounterPanel::CoinValueClicked, this,
            &TfDrawMentor20Main::ChooseCoinValue);
    sideLayout->addWidget(FCounters, 1);
    FButtonPanel = Panel(side, "Panel14");
    FButtonPanel->setFixedSize(136, 180);
    const auto button = [&](const char* name, void (TfDrawMentor20Main::*slot)()) {
        auto* b = new TCardButton(FButtonPanel);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QAbstractButton::clicked, this, slot);
        return b;
    };
    FHintButton = button("btnHint", &TfDrawMentor20Main::Hint);
    FDoubleButton = button("btnDoubleUp", &TfDrawMentor20Main::Double);
    FDealButton = button("btnDeal", &TfDrawMentor20Main::DealOrDraw);
    sideLayout->addWidget(FButtonPanel);
    return side;
}

void TfDrawMentor20Main::RunCommand(TMenuCommand command) {
    switch (command) {
    case TMenuCommand::Exit:
        close();
        break;
    case TMenuCommand::ResetBalance:
        FEngine->ResetCounters();
        UpdateCounters();
        break;
    case TMenuCommand::ClearAllRecords:
        ClearAllRecords();
        break;
    case TMenuCommand::GettingStarted:
        ShowHelp(this, hcHowToPlay, FPreferences);
        break;
    case TMenuCommand::ShowHelp:
        ShowHelp(this, hcMain, FPreferences);
        break;
    case TMenuCommand::About:
        ShowAbout(this, FPreferences);
        break;
    default:
        break; // windows still to come
    }
}

// --- Texts and counters ----------------------------------------------------

void TfDrawMentor20Main::Translate() {
    setWindowTitle(kCaption);
    QApplication::setApplicationDisplayName(kCaption.trimmed());
    FMenu->Translate();
    FHintButton->setText(FPreferences.Translate(kButtons, QStringLiteral("Hint")));
    FDoubleButton->setText(FPreferences.Translate(kButtons, QStringLiteral("Double")));
    FHintButton->setToolTip(FPreferences.TranslateHint(kButtons, QStringLiteral("Hint")));
    FDoubleButton->setToolTip(FPreferences.TranslateHint(kButtons, QStringLiteral("Double")));
    FInfoLabel->setText(FPreferences.Translate(kLabels, QStringLiteral("Info")));
    FCounters->Translate(FPreferences);
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
    for (TGradientLabel* header : {FPokerName, FInfoLabel, FMessage})
        MakeHeaderLabel(header, FPreferences);
    LayoutPaytable();
    RedrawCards();
}

void TfDrawMentor20Main::UpdateCounters() {
    const TGameEngine& e = *FEngine;
    FCounters->Update(e, FChartImage);
    FGrid->update();
    FHintButton->setEnabled(e.CanHint());
    FHintButton->setVisible(e.HintOffered());
    FDoubleButton->setEnabled(e.CanDouble());
    FDealButton->setEnabled(e.CanDealDraw());
    const QString deal = e.NextPressDraws() ? QStringLiteral("Draw") : QStringLiteral("Deal");
    FDealButton->setText(FPreferences.Translate(kButtons, deal));
    FDealButton->setToolTip(FPreferences.TranslateHint(kButtons, deal));
    FMenu->Refresh();
    switch (e.State()) {
    case gsIdle:
        SetMessage(QStringLiteral("Start"));
        break;
    case gsDealt:
        SetMessage(QStringLiteral("Hold"));
        break;
    case gsDrawn:
        if (e.CurrentWin() != 0)
            SetMessage(QStringLiteral("Win"), e.CurrentWin());
        else
            SetMessage(QStringLiteral("Finish"));
        break;
    default:
        break; // the double-up message stays as Double set it
    }
}

void TfDrawMentor20Main::SetMessage(const QString& key, int win) {
    FMessageKey = key;
    FMessageWin = win;
    QString text = FPreferences.Translate(kMessages, key);
    if (key == QLatin1String("Win")) text.replace(QLatin1String("%d"), QString::number(win));
    FMessage->setText(text);
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
    FCards[index]->SetImage(scratch);
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
    FPokerName->setText(FEngine->Caption());
    FGrid->Relayout();
}

void TfDrawMentor20Main::LayoutCards() {
    const int border = 3;
    const int available = FCardsPanel->width() - 2 * border;
    const int top = std::max(0, (FCardsPanel->height() - 127) / 2);
    for (int i = 0; i < 5; ++i)
        FCards[i]->setGeometry(border + RoundHalfEven((available - 94) / 4.0 * i), top, 94, 127);
    // The buttons line up with the cards.
    const int y =
        FCardsPanel->mapTo(this, QPoint(0, top)).y() - FButtonPanel->mapTo(this, QPoint(0, 0)).y();
    const int width = FButtonPanel->width() - 20;
    FHintButton->setGeometry(10, std::max(0, y + 2), width, 32);
    FDoubleButton->setGeometry(10, std::max(0, y + 48), width, 32);
    FDealButton->setGeometry(10, std::max(0, y + 94), width, 32);
}

void TfDrawMentor20Main::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutCards();
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

// Keys reach the window before its controls; a key is consumed only when it
// did something (Esc and the card keys always are).
bool TfDrawMentor20Main::HandleKey(int key) {
    switch (key) {
    case Qt::Key_Escape:
        FEngine->ReleaseAll();
        RedrawCards();
        return true;
    case Qt::Key_Space:
        if (!FDealButton->isEnabled()) return false;
        DealOrDraw();
        return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return SelectBet(FEngine->Bet() + 1);
    case Qt::Key_Minus:
        return SelectBet(FEngine->Bet() - 1);
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
    case Qt::Key_4:
    case Qt::Key_5:
        ToggleCard(key - Qt::Key_1);
        return true;
    case Qt::Key_D:
        if (!FDoubleButton->isEnabled() || !FDoubleButton->isVisible()) return false;
        Double();
        return true;
    case Qt::Key_H:
        if (!FHintButton->isEnabled() || !FHintButton->isVisible()) return false;
        Hint();
        return true;
    default:
        return false;
    }
}

bool TfDrawMentor20Main::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        if (watched == FCardsPanel || watched == FButtonPanel) LayoutCards();
    }
    if (event->type() == QEvent::KeyRelease && QApplication::activeWindow() == this) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        return HandleKey(key->key());
    }
    if (event->type() == QEvent::KeyPress && QApplication::activeWindow() == this) {
        // The key's work happens on release; its press must not reach a control.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space) return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace drawmentor
