#include "MainWindow.h"

#include "CardButton.h"
#include "CardImage.h"
#include "Dialogs.h"
#include "GradientLabel.h"
#include "PayoutGrid.h"

#include "games/GameKey.h"
#include "prefs/Preferences.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>

namespace drawmentor {
namespace {

const QString kMenu = QStringLiteral("Main.Menu");
const QString kButtons = QStringLiteral("Main.Buttons");
const QString kLabels = QStringLiteral("Main.Labels");
const QString kMessages = QStringLiteral("Main.Messages");
const QString kCaption = QStringLiteral("DrawMentor 2.0");
const QColor kFelt(0, 96, 56);
constexpr int kMainHelpContext = 100;

QWidget* Panel(QWidget* parent, const char* name) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    return panel;
}

QString Trimmed(const char* format, double value) { return QString::asprintf(format, value).trimmed(); }

// A vertical layout of a panel with the given border and gap.
QVBoxLayout* Column(QWidget* panel, int border, int gap) {
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(border, border, border, border);
    layout->setSpacing(gap);
    return layout;
}

// A header strip of the window: a label 24 pixels high made a header label.
TGradientLabel* HeaderStrip(QWidget* parent, QBoxLayout* layout, const char* name, const TPreferences& preferences) {
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
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setMinimumSize(450, 440);
    setMaximumSize(734, 632);
    resize(676, 483);
    BuildWidgets();
    BuildMenu();
    // The chart, the paint engine and its deck, the buttons, the engine.
    FChartImage = QImage(130, 60, QImage::Format_RGB32);
    FChart = std::make_unique<TMiniChart>(&FChartImage);
    FChart->Repaint();
    FPaint = std::make_unique<TPaintEngine>();
    FPaint->LoadDeck(QStringLiteral("001"));
    FPaint->SetBackIndex(1);
    FEngine = std::make_unique<TGameEngine>(FPreferences, this);
    FGrid->SetEngine(FEngine.get());
    RestorePlacement();
    Translate();
    RedrawCards();
    qApp->installEventFilter(this);
    FTimer.setInterval(1000);
    connect(&FTimer, &QTimer::timeout, this, [this] { FRows[7].Value->setText(PlayTimeText(FEngine->ElapsedTime())); });
    FRows[7].Value->setText(PlayTimeText(FEngine->ElapsedTime()));
    connect(&FPreferences, &TPreferences::PreferencesChanged, this, [this] { Translate(); });
}

TfDrawMentor20Main::~TfDrawMentor20Main() {
    qApp->removeEventFilter(this);
    try {
        FEngine->Collect(); // an open hand is logged before the engine goes
        SavePlacement();
    } catch (...) {
    }
}

void TfDrawMentor20Main::closeEvent(QCloseEvent* event) {
    FEngine->Collect();
    SavePlacement();
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

    auto* side = Panel(central, "Panel1");
    side->setFixedWidth(142);
    auto* sideLayout = Column(side, 3, 2);
    FInfoLabel = HeaderStrip(side, sideLayout, "InfoLabel", FPreferences);
    FLabelPanel = Panel(side, "LabelPanel");
    auto* counters = new QVBoxLayout(FLabelPanel);
    counters->setContentsMargins(3, 0, 3, 0);
    counters->setSpacing(0);
    FChartLabel = new QLabel(FLabelPanel);
    FChartLabel->setObjectName(QStringLiteral("ChartImage"));
    FChartLabel->setFixedSize(130, 60);
    counters->addWidget(FChartLabel, 0, Qt::AlignHCenter);
    const char* rowNames[8][4] = {{"CreditsPanel", "CreditLabel", "lCredit", "Credits"},
                                  {"WinPanel", "WinLabel", "lWin", "Win"},
                                  {"BetPanel", "BetLabel", "lBet", "Bet"},
                                  {"ValuePanel", "ValueLabel", "lCoinCost", "Value"},
                                  {"BalancePanel", "BalanceLabel", "lBalance", "Balance"},
                                  {"AccuracyPanel", "AccuracyLabel", "lAccuracy", "Accuracy"},
                                  {"HandsPanel", "HandsLabel", "lHands", "Hands"},
                                  {"TimePanel", "TimeLabel", "lTime", "Time"}};
    for (int i = 0; i < 8; ++i) {
        auto* panel = Panel(FLabelPanel, rowNames[i][0]);
        auto* line = new QHBoxLayout(panel);
        line->setContentsMargins(0, 0, 0, 0);
        auto* caption = new QLabel(panel);
        caption->setObjectName(QString::fromLatin1(rowNames[i][1]));
        auto* value = new QLabel(panel);
        value->setObjectName(QString::fromLatin1(rowNames[i][2]));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
        line->addWidget(caption, 1);
        line->addWidget(value);
        counters->addWidget(panel);
        FRows[i] = {panel, caption, value, rowNames[i][3]};
    }
    FRows[3].Value->setCursor(Qt::PointingHandCursor);
    FRows[3].Value->installEventFilter(this);
    counters->addStretch();
    sideLayout->addWidget(FLabelPanel, 1);
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
    row->addWidget(side);
    setCentralWidget(central);
    connect(FGrid, &TPayoutGrid::BetColumnClicked, this, &TfDrawMentor20Main::SelectBet);
}

void TfDrawMentor20Main::BuildMenu() {
    const auto item = [&](QMenu* menu, const char* name, const char* key, const QKeySequence& shortcut = {}) {
        auto* action = menu->addAction(QString());
        action->setObjectName(QString::fromLatin1(name));
        action->setProperty("textKey", QString::fromLatin1(key));
        if (!shortcut.isEmpty()) action->setShortcut(shortcut);
        return action;
    };
    const auto submenu = [&](QMenu* parent, const char* name, const char* key) {
        QMenu* menu = parent ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setProperty("textKey", QString::fromLatin1(key));
        return menu;
    };
    FGameMenu = submenu(nullptr, "miGame", "Game");
    item(FGameMenu, "miSelectVP", "SelectVP", QKeySequence(Qt::CTRL | Qt::Key_V))->setEnabled(false);
    connect(FGameMenu, &QMenu::aboutToShow, this, &TfDrawMentor20Main::RebuildRecentGames);

    QMenu* mode = submenu(nullptr, "miMode", "Mode");
    const char* modeNames[4][2] = {{"miAutoHold", "AutoHint"}, {"miTraining", "Training"},
                                   {"miRealPlay", "RealPlay"}, {"miPlayErrorHands", "PlayProblemHands"}};
    for (int m = 0; m < 4; ++m) {
        FModeActions[m] = item(mode, modeNames[m][0], modeNames[m][1]);
        FModeActions[m]->setCheckable(true);
        connect(FModeActions[m], &QAction::triggered, this, [this, m] { SelectMode(m); });
    }
    mode->addSeparator();
    FShowResultHands = item(mode, "miShowResultHands", "ShowResultHands");
    FShowWarnings = item(mode, "miShowWarnings", "ShowWarnings");
    for (auto [action, bit] : {std::pair{FShowResultHands, kShowResultHands}, std::pair{FShowWarnings, kShowWarnings}}) {
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, bit](bool on) { SetOption(bit, on); });
    }
    connect(mode, &QMenu::aboutToShow, this, &TfDrawMentor20Main::UpdateModeMenu);

    QMenu* statistics = submenu(nullptr, "miStatistics", "Statistics");
    FAllHands = item(statistics, "miAllHands", "AllHands", QKeySequence(Qt::CTRL | Qt::Key_A));
    FAllHands->setEnabled(false);
    statistics->addSeparator();
    FResetBalance = item(statistics, "miResetBalance", "ResetBalance");
    connect(FResetBalance, &QAction::triggered, this, [this] {
        FEngine->ResetCounters();
        UpdateCounters();
    });
    item(statistics, "miShowStat", "ShowStats", QKeySequence(Qt::CTRL | Qt::Key_S))->setEnabled(false);
    item(statistics, "miShowCharts", "ShowCharts", QKeySequence(Qt::CTRL | Qt::Key_C))->setEnabled(false);
    item(statistics, "miShowErrors", "ShowErrors", QKeySequence(Qt::CTRL | Qt::Key_E))->setEnabled(false);
    statistics->addSeparator();
    QMenu* clear = submenu(statistics, "miClearLog", "ClearLog");
    connect(item(clear, "miClearAllRecords", "ClearAllRecords"), &QAction::triggered, this,
            &TfDrawMentor20Main::ClearAllRecords);
    item(clear, "miClearByFilter", "ClearByFilter")->setEnabled(false);
    connect(statistics, &QMenu::aboutToShow, this, [this] {
        FResetBalance->setEnabled(FEngine->State == gsIdle || FEngine->State == gsDrawn);
    });

    QMenu* preferences = submenu(nullptr, "miPreferences", "Preferences");
    item(preferences, "miChangePreferences", "ChangePreferences", QKeySequence(Qt::CTRL | Qt::Key_P))->setEnabled(false);
    item(preferences, "miSelectDeck", "SelectDeck", QKeySequence(Qt::CTRL | Qt::Key_D))->setEnabled(false);
    item(preferences, "miSelectBack", "SelectBack", QKeySequence(Qt::CTRL | Qt::Key_B))->setEnabled(false);

    QMenu* help = submenu(nullptr, "miHelp", "Help");
    connect(item(help, "miHelpGetStart", "GettingStart"), &QAction::triggered, this,
            [this] { ShowHelp(this, 1000, FPreferences); });
    connect(item(help, "miShowHelp", "ShowHelp", QKeySequence(Qt::Key_F1)), &QAction::triggered, this,
            [this] { ShowHelp(this, kMainHelpContext, FPreferences); });
    help->addSeparator();
    connect(item(help, "miAbout", "About"), &QAction::triggered, this, [this] { ShowAbout(this, FPreferences); });
}

// --- Texts and counters ----------------------------------------------------

void TfDrawMentor20Main::Translate() {
    setWindowTitle(kCaption);
    QApplication::setApplicationDisplayName(kCaption.trimmed());
    for (QAction* action : findChildren<QAction*>()) {
        const QString key = action->property("textKey").toString();
        if (!key.isEmpty()) action->setText(FPreferences.Translate(kMenu, key));
    }
    FHintButton->setText(FPreferences.Translate(kButtons, QStringLiteral("Hint")));
    FDoubleButton->setText(FPreferences.Translate(kButtons, QStringLiteral("Double")));
    FHintButton->setToolTip(FPreferences.TranslateHint(kButtons, QStringLiteral("Hint")));
    FDoubleButton->setToolTip(FPreferences.TranslateHint(kButtons, QStringLiteral("Double")));
    FInfoLabel->setText(FPreferences.Translate(kLabels, QStringLiteral("Info")));
    FChartLabel->setToolTip(FPreferences.TranslateHint(kLabels, QStringLiteral("Info")));
    for (auto& row : FRows) {
        const QString key = QString::fromLatin1(row.Key);
        row.Caption->setText(FPreferences.Translate(kLabels, key));
        row.Caption->setToolTip(FPreferences.TranslateHint(kLabels, key));
        row.Value->setToolTip(row.Caption->toolTip());
    }
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
    for (TGradientLabel* header : {FPokerName, FInfoLabel, FMessage}) MakeHeaderLabel(header, FPreferences);
    LayoutPaytable();
    RedrawCards();
}

QString TfDrawMentor20Main::MoneyText(double amount) {
    return (amount < 0 ? QStringLiteral("-$") : QStringLiteral("$")) + Trimmed("%5.2f", std::fabs(amount));
}

QString TfDrawMentor20Main::AccuracyText(double percent) { return Trimmed("%10.2f%%", percent); }

// Hours are not wrapped at a day: a long session shows as e.g. 27:03:15.
QString TfDrawMentor20Main::PlayTimeText(TDateTime elapsed) { return drawmentor::PlayTimeText(elapsed); }

void TfDrawMentor20Main::UpdateCounters() {
    TGameEngine& e = *FEngine;
    FRows[0].Value->setText(QString::number(e.Credits));
    FRows[1].Value->setText(QString::number(e.CurrentWin));
    FRows[2].Value->setText(QString::number(e.Bet));
    FRows[3].Value->setText(MoneyText(CoinValue(e.CoinIndex)));
    FRows[4].Value->setText(MoneyText(e.Balance));
    FRows[5].Value->setText(AccuracyText(e.Accuracy()));
    FRows[6].Value->setText(QString::number(e.Hands));
    FGrid->update();
    FHintButton->setEnabled(e.State == gsDealt);
    FHintButton->setVisible(e.Mode != pmRealPlay);
    FDoubleButton->setEnabled(e.State == gsDrawn && e.CurrentWin > 0);
    FDealButton->setEnabled(e.State != gsDoubleUp);
    FDealButton->setText(FPreferences.Translate(kButtons, e.State == gsDealt ? QStringLiteral("Draw") : QStringLiteral("Deal")));
    FDealButton->setToolTip(FPreferences.TranslateHint(kButtons, e.State == gsDealt ? QStringLiteral("Draw") : QStringLiteral("Deal")));
    FAllHands->setEnabled(false); // its window is still to come
    switch (e.State) {
    case gsIdle: SetMessage(QStringLiteral("Start")); break;
    case gsDealt: SetMessage(QStringLiteral("Hold")); break;
    case gsDrawn:
        if (e.CurrentWin != 0)
            SetMessage(QStringLiteral("Win"), e.CurrentWin);
        else
            SetMessage(QStringLiteral("Finish"));
        break;
    default: break; // the double-up message stays as Double set it
    }
    FChartLabel->setPixmap(QPixmap::fromImage(FChartImage));
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
    const int code = FEngine->CardAt(index);
    if (FHidden[index] || code == kNoCard || (FEngine->State == gsDoubleUp && index != 0)) {
        FPaint->DrawBack(painter, rect);
    } else {
        const TCard card = DecodeCard(code);
        const bool held = !IsBitSet(FEngine->DrawMask, index); // held cards keep their band until the next deal
        FPaint->DrawCard(painter, rect, held, FEngine->IsWild(card.Rank), card.Suit, card.Rank);
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

TfDrawMentor20Main::TBusy::TBusy(TfDrawMentor20Main& window) : FWindow(window) { FWindow.FBusy = true; }

TfDrawMentor20Main::TBusy::~TBusy() {
    FWindow.FBusy = false;
    FWindow.FHidden = {};
}

void TfDrawMentor20Main::DealOrDraw() {
    if (FBusy || FEngine->State == gsDoubleUp) return;
    const TBusy busy(*this);
    TGameEngine& e = *FEngine;
    if (e.State == gsDrawn) SetMessage(QStringLiteral("Dealing"));
    if (e.State == gsDealt) {
        SetMessage(QStringLiteral("Drawing"));
        e.CheckWarning();
        if (!(e.Options & kShowResultHands)) e.Draw(); // the result is never shown
    }
    std::array<bool, 5> replaced{};
    for (int i = 0; i < 5; ++i) replaced[i] = e.State == gsDrawn || IsBitSet(e.DrawMask, i) || e.CardAt(i) == kNoCard;
    ShowBacks(replaced);
    const bool drawing = e.State == gsDealt;
    if (drawing) {
        e.Draw();
    } else {
        e.Deal();
        FChart->AddPoint(e.BestCredits, e.Credits);
        replaced.fill(true);
    }
    Reveal(replaced, {0, 1, 2, 3, 4});
    UpdateCounters();
    if (!FTimer.isActive()) FTimer.start();
}

void TfDrawMentor20Main::Hint() {
    if (FBusy || FEngine->State != gsDealt) return;
    const TBusy busy(*this);
    FEngine->ShowHint();
    RedrawCards();
}

void TfDrawMentor20Main::Double() {
    if (FBusy || FEngine->State != gsDrawn || FEngine->CurrentWin <= 0) return;
    const TBusy busy(*this);
    ShowBacks({true, true, true, true, true});
    FEngine->StartDoubleUp();
    FHidden = {};
    RedrawCards(); // the dealer's card face up, the others backs
    SetMessage(QStringLiteral("DoubleInfo"));
    FDoubleButton->setEnabled(false);
    FDealButton->setEnabled(false);
}

void TfDrawMentor20Main::ToggleCard(int index) {
    TGameEngine& e = *FEngine;
    if (e.State == gsDealt) {
        e.ToggleHold(index);
        DrawCardImage(index);
        return;
    }
    if (e.State != gsDoubleUp || index == 0) return;
    // The picked card first, then the others left to right.
    FHidden = {false, true, true, true, true};
    e.DoubleUpPick(index);
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
    if (coins < 1 || coins > kMaxCoins) return false;
    if (FEngine->State != gsIdle && FEngine->State != gsDrawn) return false;
    FEngine->SetBet(coins);
    FGrid->update();
    UpdateCounters();
    return true;
}

void TfDrawMentor20Main::ChooseCoinValue() {
    QStringList values;
    for (int i = 0; i < 6; ++i) values << QString::asprintf("$%5.2f", CoinValue(i));
    const int chosen = ChooseFromList(this, FPreferences.WindowCaption(QStringLiteral("Denomination")), values,
                                      FEngine->CoinIndex, FPreferences);
    if (chosen != -1) FEngine->CoinIndex = chosen;
    UpdateCounters();
}

void TfDrawMentor20Main::SelectMode(int mode) {
    FEngine->SetMode(mode);
    UpdateModeMenu();
    UpdateCounters();
}

void TfDrawMentor20Main::SetOption(unsigned option, bool on) {
    FEngine->SetOptions(on ? FEngine->Options | option : FEngine->Options & ~option);
}

void TfDrawMentor20Main::UpdateModeMenu() {
    for (int m = 0; m < 4; ++m) FModeActions[m]->setChecked(FEngine->Mode == m);
    FShowResultHands->setChecked(FEngine->Options & kShowResultHands);
    FShowWarnings->setChecked(FEngine->Options & kShowWarnings);
}

void TfDrawMentor20Main::RebuildRecentGames() {
    const QList<QAction*> actions = FGameMenu->actions();
    for (int i = 1; i < actions.size(); ++i) {
        FGameMenu->removeAction(actions[i]);
        actions[i]->deleteLater();
    }
    if (FEngine->RecentGames.isEmpty()) return;
    FGameMenu->addSeparator();
    for (int i = 0; i < FEngine->RecentGames.size(); ++i) {
        QAction* recent = FGameMenu->addAction(QString::fromStdString(GameKeyCaption(FEngine->RecentGames[i].toStdString())));
        recent->setObjectName(QStringLiteral("miRecent%1").arg(i));
        connect(recent, &QAction::triggered, this, [this, i] {
            FEngine->SelectRecent(i);
            LayoutPaytable();
            RedrawCards();
        });
    }
}

void TfDrawMentor20Main::ClearAllRecords() {
    QMessageBox box(QMessageBox::NoIcon, FPreferences.Translate(kMenu, QStringLiteral("ClearAllRecords")),
                    FPreferences.Translate(QStringLiteral("Main.ConfirmMessages"), QStringLiteral("ClearLog")),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("ConfirmClearLog"));
    box.button(QMessageBox::Ok)->setText(FPreferences.Translate(kButtons, QStringLiteral("OK")));
    box.button(QMessageBox::Cancel)->setText(FPreferences.Translate(kButtons, QStringLiteral("Cancel")));
    if (box.exec() == QMessageBox::Ok) FEngine->Logger().ClearAll();
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
    const int y = FCardsPanel->mapTo(this, QPoint(0, top)).y() - FButtonPanel->mapTo(this, QPoint(0, 0)).y();
    const int width = FButtonPanel->width() - 20;
    FHintButton->setGeometry(10, std::max(0, y + 2), width, 32);
    FDoubleButton->setGeometry(10, std::max(0, y + 48), width, 32);
    FDealButton->setGeometry(10, std::max(0, y + 94), width, 32);
}

void TfDrawMentor20Main::LayoutCounters() {
    const int available = FLabelPanel->height() - FChartLabel->height() - 5;
    const int rowHeight = std::clamp(available / 8, 14, 24);
    for (auto& row : FRows) row.Panel->setFixedHeight(rowHeight);
}

void TfDrawMentor20Main::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutCards();
    LayoutCounters();
    LayoutPaytable();
}

QString TfDrawMentor20Main::PlacementSection() const {
    const QScreen* screen = this->screen() ? this->screen() : QApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(0, 0);
    return QStringLiteral("MainWindow %1#%2").arg(size.width()).arg(size.height());
}

void TfDrawMentor20Main::RestorePlacement() {
    TIniFile& ini = FPreferences.SettingsFile();
    const QString section = PlacementSection();
    if (ini.HasSection(section)) {
        const QRect rect(ini.ReadInteger(section, QStringLiteral("Left"), x()), ini.ReadInteger(section, QStringLiteral("Top"), y()),
                         ini.ReadInteger(section, QStringLiteral("Width"), width()),
                         ini.ReadInteger(section, QStringLiteral("Height"), height()));
        resize(rect.size());
        move(rect.topLeft());
    } else if (const QScreen* screen = QApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    FDeckCode = ini.ReadString(QStringLiteral("Cards"), QStringLiteral("Deck"));
    FPaint->LoadDeck(FDeckCode.isEmpty() ? QStringLiteral("001") : FDeckCode);
    FPaint->SetBackIndex(ini.ReadInteger(QStringLiteral("Cards"), QStringLiteral("Back"), 0));
}

void TfDrawMentor20Main::SavePlacement() {
    TIniFile& ini = FPreferences.SettingsFile();
    const QString section = PlacementSection();
    ini.WriteInteger(section, QStringLiteral("Left"), x());
    ini.WriteInteger(section, QStringLiteral("Top"), y());
    ini.WriteInteger(section, QStringLiteral("Height"), height());
    ini.WriteInteger(section, QStringLiteral("Width"), width());
    ini.WriteString(QStringLiteral("Cards"), QStringLiteral("Deck"), FPaint->DeckCode);
    ini.WriteInteger(QStringLiteral("Cards"), QStringLiteral("Back"), FPaint->BackIndex);
}

// --- Keys ----------------------------------------------------------------------

// Keys reach the window before its controls; a key is consumed only when it
// did something (Esc and the card keys always are).
bool TfDrawMentor20Main::HandleKey(int key) {
    switch (key) {
    case Qt::Key_Escape:
        if (FEngine->State == gsDealt)
            for (int i = 0; i < 5; ++i)
                if (!IsBitSet(FEngine->DrawMask, i)) ToggleCard(i);
        return true;
    case Qt::Key_Space:
        if (!FDealButton->isEnabled()) return false;
        DealOrDraw();
        return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return SelectBet(FEngine->Bet + 1);
    case Qt::Key_Minus:
        return SelectBet(FEngine->Bet - 1);
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
        if (watched == FLabelPanel) LayoutCounters();
    }
    if (watched == FRows[3].Value && event->type() == QEvent::MouseButtonPress) {
        ChooseCoinValue();
        return true;
    }
    if (event->type() == QEvent::KeyRelease && QApplication::activeWindow() == this) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return false;
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
