#include "ChooseGameWindow.h"

#include "play/GameText.h"

#include "BankrollWindow.h"
#include "ConditionsPanel.h"
#include "PaytableGrid.h"
#include "ReturnPanel.h"
#include "SelectController.h"

#include "ui/chart/StrategyChartWindow.h"
#include "ui/common/GradientLabel.h"
#include "ui/common/HelpKey.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/LineText.h"
#include "ui/common/TextSections.h"

#include "games/GameKey.h"
#include "play/Session.h"
#include "prefs/Preferences.h"
#include "prefs/Texts.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

namespace drawmentor {

namespace {

const QSize kChooseGameSize(700, 450);

} // namespace

TChooseGameWindow::TChooseGameWindow(QWidget* parent, TSelectController& controller,
                                     TPreferences& preferences)
    : QDialog(parent), FController(controller), FPreferences(preferences) {
    setObjectName(QStringLiteral("fChoose"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    FPokerName = new QLabel(this);
    FPokerName->setObjectName(QStringLiteral("lPokerName"));
    FPokerName->setMinimumHeight(22);
    left->addWidget(FPokerName);
    FGrid = new TPaytableGrid(this);
    left->addWidget(FGrid, 1);
    FReturns = new TReturnPanel(preferences, this);
    FBankroll = AddButton("btnBankroll");
    FChart = AddButton("btnStrategyChart");
    auto* returns = new QHBoxLayout;
    returns->addWidget(FReturns, 1);
    auto* returnButtons = new QVBoxLayout;
    returnButtons->addStretch();
    returnButtons->addWidget(FChart);
    returnButtons->addWidget(FBankroll);
    returns->addLayout(returnButtons);
    left->addLayout(returns);
    FConditions = new TConditionsPanel(preferences, this);
    left->addWidget(FConditions);
    top->addLayout(left, 3);
    auto* right = new QVBoxLayout;
    FHeader = new QLabel(this);
    FHeader->setObjectName(QStringLiteral("HeaderLabel"));
    FHeader->setMinimumHeight(22);
    right->addWidget(FHeader);
    FPokerList = new QListWidget(this);
    FPokerList->setObjectName(QStringLiteral("PokerList"));
    for (int item = 0; item < controller.GameCount(); ++item) {
        auto* entry = new QListWidgetItem(
            QStringLiteral(" ") +
            GameNameText(controller.GameNameAt(item).toStdString(), preferences.Texts()).toUpper());
        entry->setData(Qt::UserRole, item);
        FPokerList->addItem(entry);
    }
    FPokerList->sortItems();
    // Every game's whole name shows, however wide the return panel beside it grows.
    FPokerList->setMinimumWidth(FPokerList->sizeHintForColumn(0) + 2 * FPokerList->frameWidth() +
                                FPokerList->verticalScrollBar()->sizeHint().width());
    right->addWidget(FPokerList, 1);
    top->addLayout(right, 2);
    layout->addLayout(top, 1);
    auto* bottom = new QHBoxLayout;
    FPrev = AddButton("btnPrev");
    FNext = AddButton("btnNext");
    FEdit = AddButton("btnEdit");
    FAdd = AddButton("btnAdd");
    FOK = AddButton("btnOK");
    FCancel = AddButton("btnCancel");
    for (QPushButton* button : {FPrev, FNext, FEdit, FAdd}) bottom->addWidget(button);
    bottom->addStretch();
    bottom->addWidget(FOK);
    bottom->addWidget(FCancel);
    layout->addLayout(bottom);
    FOK->setDefault(true);
    connect(FOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(FCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(FPrev, &QPushButton::clicked, this, [this] { Step(-1); });
    connect(FNext, &QPushButton::clicked, this, [this] { Step(+1); });
    connect(FEdit, &QPushButton::clicked, this, &TChooseGameWindow::Edit);
    connect(FAdd, &QPushButton::clicked, this, &TChooseGameWindow::Add);
    connect(FBankroll, &QPushButton::clicked, this, &TChooseGameWindow::OpenBankroll);
    connect(FChart, &QPushButton::clicked, this, &TChooseGameWindow::OpenStrategyChart);
    connect(FReturns, &TReturnPanel::Computed, this, &TChooseGameWindow::ReturnComputed);
    connect(FConditions, &TConditionsPanel::Changed, this, &TChooseGameWindow::UpdateBankroll);
    connect(FPokerList, &QListWidget::currentItemChanged, this, &TChooseGameWindow::GameClicked);
    InstallHelpKey(*this, hcChooseGame, FPreferences);
    connect(&FPreferences, &TPreferences::PreferencesChanged, this,
            &TChooseGameWindow::Retranslate);
    setFixedSize(kChooseGameSize);
    Retranslate();
    for (int row = 0; row < FPokerList->count(); ++row)
        if (FPokerList->item(row)->data(Qt::UserRole).toInt() == controller.GameItem()) {
            const QSignalBlocker quiet(FPokerList);
            FPokerList->setCurrentRow(row);
        }
    Refresh();
}

QPushButton* TChooseGameWindow::AddButton(const char* name) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

void TChooseGameWindow::Retranslate() {
    setWindowTitle(FPreferences.Texts().WindowCaption(kSelectPokerTexts));
    FPrev->setText(FPreferences.Texts().Translate(kSelectPokerTexts, QStringLiteral("Prev")));
    FNext->setText(FPreferences.Texts().Translate(kSelectPokerTexts, QStringLiteral("Next")));
    FEdit->setText(FPreferences.Texts().Translate(kSelectPokerTexts, QStringLiteral("Edit")));
    FAdd->setText(FPreferences.Texts().Translate(kSelectPokerTexts, QStringLiteral("Add")));
    FBankroll->setText(
        FPreferences.Texts().Translate(kSelectPokerTexts, QStringLiteral("Bankroll")));
    FChart->setText(
        FPreferences.Texts().Translate(kSelectPokerTexts, QStringLiteral("StrategyChart")));
    FHeader->setText(
        FPreferences.Texts().Translate(kSelectPokerTexts, QStringLiteral("PokerListHeader")));
    FOK->setText(FPreferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("OK")));
    FCancel->setText(FPreferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("Cancel")));
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
    FPokerName = MakeHeaderLabel(FPokerName, FPreferences);
    FHeader = MakeHeaderLabel(FHeader, FPreferences);
    FReturns->Retranslate();
    FConditions->Retranslate();
}

// The window keeps its size unless a text (a long game name, a deal's
// deviation, another language) needs more: then it grows rather than cut one.
bool TChooseGameWindow::event(QEvent* event) {
    const bool done = QDialog::event(event);
    if ((event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show) && layout()) {
        layout()->activate();
        setFixedSize(kChooseGameSize.expandedTo(layout()->totalMinimumSize()));
    }
    return done;
}

void TChooseGameWindow::Refresh() {
    const int item = FController.GameItem();
    QString caption =
        item < 0 ? QString()
                 : GameNameText(FController.GameNameAt(item).toStdString(), FPreferences.Texts())
                       .toUpper();
    if (item >= 0 && FController.PayIndex() != -1) {
        caption += QStringLiteral("  (%1)").arg(FController.PayIndex() + 1);
        const std::string name =
            PaytableShortName(FController.Description(item), FController.Pays());
        if (!name.empty()) caption += QStringLiteral("  ") + QString::fromStdString(name);
    }
    FPokerName->setText(caption);
    QStringList lines;
    for (int line = 0; line < FController.LineCount(); ++line)
        lines << LineText(FController.LineNameAt(line), FPreferences.Texts());
    const int pay = FController.PayIndex();
    FGrid->SetPaytable(lines, FController.Pays(), pay != -1);
    const int count = FController.PaytableCount();
    FPrev->setEnabled(pay > 0);
    FNext->setEnabled(pay < count - 1 && count > 0);
    FEdit->setEnabled(pay != -1);
    FOK->setEnabled(pay != -1);
    FAdd->setEnabled(true);
    FChart->setEnabled(pay != -1);
    if (pay == -1) {
        FReturns->Clear();
    } else {
        const TPokerDescription& game = FController.Description(item);
        FReturns->Show(game.GameIndex,
                       PaysForBet(FController.Pays(), game.LastLine, TReturnPanel::kBetCoins));
    }
    ReturnComputed(); // or cleared, or still to come
}

void TChooseGameWindow::ReturnComputed() {
    if (FController.PayIndex() != -1 && FReturns->Shown())
        FConditions->Show(FReturns->ShownGame(), FReturns->ShownPays(), *FReturns->Shown());
    else
        FConditions->Clear();
    UpdateBankroll();
}

void TChooseGameWindow::UpdateBankroll() {
    FBankroll->setEnabled(FController.PayIndex() != -1 && FReturns->Shown().has_value() &&
                          FConditions->AtMeter().has_value());
}

// At the meter and with the cash-back of the conditions on show.
void TChooseGameWindow::OpenBankroll() {
    if (!FBankroll->isEnabled()) return;
    ShowBankroll(this, FReturns->ShownGame(), FConditions->MeterPays(), TReturnPanel::kBetCoins,
                 *FConditions->AtMeter(), FCoinIndex, FPreferences, FConditions->Cashback());
}

void TChooseGameWindow::OpenStrategyChart() {
    const int pay = FController.PayIndex();
    if (pay == -1) return;
    const TPokerDescription& game = FController.Description(FController.GameItem());
    TChartSubject subject;
    subject.GameIndex = game.GameIndex;
    subject.Pays = PaysForBet(FController.Pays(), game.LastLine, TReturnPanel::kBetCoins);
    subject.Bet = TReturnPanel::kBetCoins;
    subject.Caption = GameKeyText(GameKey(game.GameIndex, pay), FPreferences.Texts());
    // At the royal meter typed beside the return: a progressive royal draws
    // to the royal more, and its chart is another.
    const std::vector<int> atMeter = FConditions->MeterPays();
    if (FReturns->ShownGame() == game.GameIndex && FReturns->ShownPays() == subject.Pays &&
        atMeter.size() == subject.Pays.size() && atMeter != subject.Pays) {
        subject.Pays = atMeter;
        subject.Caption = FormatText(
            FPreferences.Texts().Translate(kSelectPokerTexts, QStringLiteral("ChartAtMeter")),
            {subject.Caption, QString::number(FConditions->Meter())});
    }
    ShowStrategyChart(this, std::move(subject), FPreferences);
}

void TChooseGameWindow::GameClicked() {
    if (const QListWidgetItem* entry = FPokerList->currentItem())
        FController.SelectGameItem(entry->data(Qt::UserRole).toInt());
    Refresh();
}

void TChooseGameWindow::Step(int by) {
    FController.SelectPaytable(FController.PayIndex() + by);
    Refresh();
}

void TChooseGameWindow::Edit() {
    FController.EditPaytable(this, FPreferences);
    Refresh();
}

void TChooseGameWindow::Add() {
    FController.AddPaytable(this, FPreferences);
    Refresh();
}

bool ChooseGame(QWidget* parent, TSession& session, TPreferences& preferences) {
    TSelectController controller;
    controller.Init(session);
    bool played = false;
    {
        TChooseGameWindow window(parent, controller, preferences);
        window.SetCoinIndex(session.CoinIndex());
        window.Returns().SetHandsPerDeal(session.ExtraHands().HandsPerDeal());
        if (window.exec() == QDialog::Accepted) played = controller.Play(session);
    }
    return played;
}

} // namespace drawmentor
