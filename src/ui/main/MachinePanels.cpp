#include "MachinePanels.h"

#include "CardTable.h"
#include "CounterPanel.h"
#include "ExtraHandsView.h"
#include "PayoutGrid.h"

#include "ui/common/CardButton.h"
#include "ui/common/GradientLabel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QVBoxLayout>

#include <algorithm>

namespace drawmentor {
namespace {

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

TMachinePanels::TMachinePanels(QMainWindow& window, const TPreferences& preferences)
    : QObject(&window), FWindow(window) {
    auto* central = Panel(&window, "centralPanel");
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto* left = Panel(central, "leftPanel");
    auto* leftLayout = Column(left, 0, 0);

    auto* game = Panel(left, "gamePanel");
    auto* gameLayout = Column(game, 3, 0);
    PokerName = HeaderStrip(game, gameLayout, "lPokerName", preferences);
    auto* gridPanel = Panel(game, "paytablePanel");
    auto* gridLayout = Column(gridPanel, 4, 0);
    Grid = new TPayoutGrid(gridPanel);
    gridLayout->addWidget(Grid);
    gameLayout->addWidget(gridPanel, 1);
    leftLayout->addWidget(game, 1);

    OtherHands = new TExtraHandsView(preferences, left);
    OtherHands->hide();
    leftLayout->addWidget(OtherHands);

    auto* table = Panel(left, "tablePanel");
    table->setFixedHeight(180);
    auto* tableLayout = Column(table, 3, 0);
    Message = HeaderStrip(table, tableLayout, "lInfoLabel", preferences);
    Cards = new TCardTable(table);
    tableLayout->addWidget(Cards, 1);
    leftLayout->addWidget(table);
    row->addWidget(left, 1);
    row->addWidget(BuildSide(central, preferences));
    window.setCentralWidget(central);
    // The buttons follow the cards wherever a resize moves either.
    for (QWidget* watched :
         {static_cast<QWidget*>(table), static_cast<QWidget*>(Cards), ButtonPanel})
        watched->installEventFilter(this);
}

QWidget* TMachinePanels::BuildSide(QWidget* parent, const TPreferences& preferences) {
    auto* side = Panel(parent, "sidePanel");
    side->setFixedWidth(142);
    auto* sideLayout = Column(side, 3, 2);
    InfoLabel = HeaderStrip(side, sideLayout, "InfoLabel", preferences);
    Counters = new TCounterPanel(side);
    sideLayout->addWidget(Counters, 1);
    ButtonPanel = Panel(side, "buttonPanel");
    ButtonPanel->setFixedSize(136, 180);
    const auto button = [&](const char* name) {
        auto* b = new TCardButton(ButtonPanel);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    HintButton = button("btnHint");
    DoubleButton = button("btnDoubleUp");
    DealButton = button("btnDeal");
    sideLayout->addWidget(ButtonPanel);
    return side;
}

void TMachinePanels::LayoutButtons() {
    const int y = Cards->mapTo(&FWindow, QPoint(0, Cards->CardTop())).y() -
                  ButtonPanel->mapTo(&FWindow, QPoint(0, 0)).y();
    const int width = ButtonPanel->width() - 20;
    HintButton->setGeometry(10, std::max(0, y + 2), width, 32);
    DoubleButton->setGeometry(10, std::max(0, y + 48), width, 32);
    DealButton->setGeometry(10, std::max(0, y + 94), width, 32);
}

void TMachinePanels::ShowOtherHands(bool show) {
    if (show == OtherHands->isVisibleTo(&FWindow)) {
        OtherHands->update();
        return;
    }
    const int by = show ? TExtraHandsView::kHeight : -TExtraHandsView::kHeight;
    const int limit = FWindow.maximumHeight();
    const bool sized = !FWindow.isMaximized() && !FWindow.isFullScreen();
    // Back to one hand, the window is as high as the player had it before.
    const int height = show ? std::min(FWindow.height() + by, limit) : FHeightBefore;
    if (show) FHeightBefore = FWindow.height();
    OtherHands->setVisible(show);
    FWindow.setMinimumHeight(std::min(FWindow.minimumHeight() + by, limit));
    if (sized) FWindow.resize(FWindow.width(), height);
}

bool TMachinePanels::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move) LayoutButtons();
    return QObject::eventFilter(watched, event);
}

} // namespace drawmentor
