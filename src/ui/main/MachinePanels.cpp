#include "MachinePanels.h"

#include "CardTable.h"
#include "CounterPanel.h"
#include "ExtraHandsView.h"
#include "MeterPanel.h"
#include "PayoutGrid.h"

#include "ui/common/CardButton.h"
#include "ui/common/GradientLabel.h"
#include "ui/main/Felt.h"

#include <QEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace drawmentor {

namespace {

// The tallest a paytable row grows on a screen-filling table, in standard pixels.
constexpr int kMostRowHeight = 26;

void LayOnFelt(QWidget* panel) {
    panel->setAutoFillBackground(true);
    QPalette felt = panel->palette();
    felt.setColor(QPalette::Window, kFelt);
    panel->setPalette(felt);
}

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
    auto* left = FLeftPanel = Panel(central, "leftPanel");
    auto* leftLayout = Column(left, 0, 0);

    auto* game = Panel(left, "gamePanel");
    auto* gameLayout = Column(game, 3, 0);
    PokerName = HeaderStrip(game, gameLayout, "lPokerName", preferences);
    auto* gridPanel = Panel(game, "paytablePanel");
    // The glass sits in a dark frame, as on a machine.
    gridPanel->setAutoFillBackground(true);
    QPalette frame = gridPanel->palette();
    frame.setColor(QPalette::Window, QColor(4, 8, 70));
    gridPanel->setPalette(frame);
    auto* gridLayout = Column(gridPanel, 4, 0);
    Grid = new TPayoutGrid(preferences, gridPanel);
    gridLayout->addWidget(Grid);
    gameLayout->addWidget(gridPanel, 1);
    leftLayout->addWidget(game, 1);

    OtherHands = new TExtraHandsView(preferences, left);
    OtherHands->hide();
    leftLayout->addWidget(OtherHands);

    Meters = new TMeterPanel(left);
    Meters->setFixedHeight(34);
    LayOnFelt(Meters);
    leftLayout->addWidget(Meters);

    auto* table = FTablePanel = Panel(left, "tablePanel");
    LayOnFelt(table);
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
         {static_cast<QWidget*>(table), static_cast<QWidget*>(Cards), ButtonPanel, left})
        watched->installEventFilter(this);
    ShareRoom();
}

QWidget* TMachinePanels::BuildSide(QWidget* parent, const TPreferences& preferences) {
    auto* side = FSidePanel = Panel(parent, "sidePanel");
    side->setFixedWidth(142);
    auto* sideLayout = Column(side, 3, 2);
    InfoLabel = HeaderStrip(side, sideLayout, "InfoLabel", preferences);
    Counters = new TCounterPanel(side);
    sideLayout->addWidget(Counters, 1);
    ButtonPanel = Panel(side, "buttonPanel");
    ButtonPanel->setFixedSize(136, 180);
    LayOnFelt(ButtonPanel);
    const auto button = [&](const char* name) {
        auto* b = new TCardButton(ButtonPanel);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    BetOneButton = button("btnBetOne");
    MaxBetButton = button("btnMaxBet");
    HintButton = button("btnHint");
    DoubleButton = button("btnDoubleUp");
    DealButton = button("btnDeal");
    sideLayout->addWidget(ButtonPanel);
    return side;
}

void TMachinePanels::LayoutButtons() {
    const int cardsBottom =
        Cards->mapTo(&FWindow, QPoint(0, Cards->CardTop() + Cards->CardSize().height())).y() -
        ButtonPanel->mapTo(&FWindow, QPoint(0, 0)).y();
    const int top = Scaled(3), least = Scaled(4);
    // The last button stays inside its panel when the cards sit low.
    const int bottom = std::clamp(cardsBottom, top, ButtonPanel->height());
    TCardButton* const order[] = {BetOneButton, MaxBetButton, HintButton, DoubleButton, DealButton};
    constexpr int count = static_cast<int>(std::size(order));
    const int height =
        std::max(1, std::min(Scaled(32), (bottom - top - (count - 1) * least) / count));
    const double step = static_cast<double>(bottom - top - height) / (count - 1);
    const int width = ButtonPanel->width() - 2 * Scaled(10);
    for (int i = 0; i < count; ++i)
        order[i]->setGeometry(Scaled(10), top + static_cast<int>(std::lround(i * step)), width,
                              height);
}

int TMachinePanels::Scaled(int pixels) const {
    return static_cast<int>(std::lround(pixels * FScale));
}

void TMachinePanels::SetScale(double scale, bool fitCards, bool fill) {
    FScale = scale;
    FFitCards = fitCards;
    FFill = fill;
    QWidget* central = FWindow.centralWidget();
    // Layout margins and gaps as built, kept on the layout the first time.
    for (QLayout* layout : central->findChildren<QLayout*>()) {
        if (!layout->property("baseMargins").isValid()) {
            layout->setProperty("baseMargins", QVariant::fromValue(layout->contentsMargins()));
            layout->setProperty("baseSpacing", std::max(0, layout->spacing()));
        }
        const auto margins = layout->property("baseMargins").value<QMargins>();
        layout->setContentsMargins(Scaled(margins.left()), Scaled(margins.top()),
                                   Scaled(margins.right()), Scaled(margins.bottom()));
        layout->setSpacing(Scaled(layout->property("baseSpacing").toInt()));
    }
    for (TGradientLabel* header : {PokerName, InfoLabel}) header->setFixedHeight(Scaled(24));
    Meters->setFixedHeight(Scaled(34));
    FSidePanel->setFixedWidth(Scaled(142));
    ButtonPanel->setFixedWidth(Scaled(136));
    // Text grows with the rest: the central panel's font and every font set
    // on a widget of it (bold values, headers) take the scaled size.
    const QFont base = FWindow.font();
    const auto resize = [&](QWidget* widget) {
        QFont font = widget->font();
        if (base.pointSizeF() > 0)
            font.setPointSizeF(base.pointSizeF() * scale);
        else
            font.setPixelSize(Scaled(base.pixelSize()));
        widget->setFont(font);
    };
    resize(central);
    for (QWidget* widget : central->findChildren<QWidget*>())
        if (widget->testAttribute(Qt::WA_SetFont)) resize(widget);
    Message->setFixedHeight(MessageHeight());
    Counters->SetScale(scale);
    Cards->SetScale(scale, fitCards, fill);
    ShareRoom();
    LayoutButtons();
}

void TMachinePanels::SetPaytableRows(int rows) {
    FRows = std::max(rows, 1);
    ShareRoom();
}

int TMachinePanels::MessageHeight() const {
    return 3 * QFontMetrics(Message->font()).lineSpacing() + Scaled(4);
}

void TMachinePanels::ShareRoom() {
    // The table's own height: the message line over the cards with a little
    // felt around them (127 pixels high on the standard table).
    const int table = MessageHeight() + Scaled(137);
    int tableHeight = table, othersHeight = Scaled(TExtraHandsView::kHeight);
    const bool others = OtherHands->isVisibleTo(FLeftPanel);
    if (FFill) {
        // A paytable row needs little more than its line of text; the cards
        // and the other hands are what a large screen is for.
        const int paytable = Scaled(38) + FRows * Scaled(kMostRowHeight);
        const int used = paytable + Meters->height() + table + (others ? othersHeight : 0);
        // The side keeps its header and the counters' least height beside the buttons.
        const int side = FSidePanel->height() - Scaled(36 + 65 + 9 * 14);
        int room = std::max(0, FLeftPanel->height() - used);
        const int toOthers = others ? room / 2 : 0;
        room = std::clamp(room - toOthers, 0, std::max(0, side - table));
        othersHeight += toOthers;
        tableHeight += room;
    }
    OtherHands->setFixedHeight(othersHeight);
    FTablePanel->setFixedHeight(tableHeight);
    ButtonPanel->setFixedHeight(tableHeight);
}

void TMachinePanels::ShowOtherHands(bool show) {
    OtherHands->setVisible(show);
    ShareRoom();
}

bool TMachinePanels::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FLeftPanel && event->type() == QEvent::Resize && FFill) ShareRoom();
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move) LayoutButtons();
    return QObject::eventFilter(watched, event);
}

} // namespace drawmentor
