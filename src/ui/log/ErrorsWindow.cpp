#include "ErrorsWindow.h"

#include "ErrorsDelegate.h"
#include "ErrorsModel.h"

#include "ui/common/GradientLabel.h"
#include "ui/common/HelpKey.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/TextSections.h"
#include "ui/log/OptionsPanel.h"

#include "cards/Cards.h"
#include "play/Logger.h"
#include "prefs/Preferences.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace drawmentor {

namespace {

constexpr int kHeaderRowHeight = 18;

} // namespace

TErrorsWindow::TErrorsWindow(TLogger& logger, TPreferences& preferences, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FLogger(logger), FPreferences(preferences) {
    setObjectName(QStringLiteral("fErrors"));
    auto* layout = new QGridLayout(this);
    FHeader = new TGradientLabel(this);
    FHeader->setObjectName(QStringLiteral("lHeader"));
    FHeader->setAlignment(Qt::AlignCenter);
    FHeader->setFixedHeight(23);
    layout->addWidget(FHeader, 0, 0);

    FModel = new TErrorsModel(this);
    FDelegate = new TErrorsDelegate(this);
    FGrid = new QTableView(this);
    FGrid->setObjectName(QStringLiteral("ErrGrid"));
    FGrid->setModel(FModel);
    FGrid->setItemDelegate(FDelegate);
    FGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    FGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    FGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FGrid->verticalHeader()->hide();
    // Fixed row heights keep a million rows cheap: nothing is measured.
    FGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FGrid->verticalHeader()->setDefaultSectionSize(TErrorsDelegate::RowHeight());
    FGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FGrid->horizontalHeader()->setSectionsClickable(true);
    FGrid->horizontalHeader()->setHighlightSections(false);
    // A short list keeps a disabled scroll bar, so the columns never jump.
    FGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The bar alone is touched: the range also changes while the window is
    // being destroyed, when the window's own members are gone.
    QScrollBar* bar = FGrid->verticalScrollBar();
    connect(bar, &QScrollBar::rangeChanged, bar,
            [bar](int, int maximum) { bar->setEnabled(maximum > 0); });
    bar->setEnabled(false);
    FGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FGrid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    layout->addWidget(FGrid, 1, 0);

    auto* side = new QWidget(this);
    side->setObjectName(QStringLiteral("optionsHost"));
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    FPanel = new TOptionsPanel(side);
    FPanel->AddGroups(ogGame | ogDate | ogModes | ogSeverities | ogVariants);
    sideLayout->addWidget(FPanel);
    // What the marks and the three lines of a figure cell mean, under the
    // choices that show them; the panel stays at the top when the window grows.
    FLegend = new QLabel(side);
    FLegend->setObjectName(QStringLiteral("lLegend"));
    FLegend->setWordWrap(true);
    sideLayout->addWidget(FLegend);
    sideLayout->addStretch();
    layout->addWidget(side, 0, 1, 2, 1);

    FOK = new QPushButton(this);
    FOK->setObjectName(QStringLiteral("btnOK"));
    layout->addWidget(FOK, 2, 0, 1, 2, Qt::AlignRight);
    connect(FOK, &QPushButton::clicked, this, &QDialog::reject);

    FPanel->AttachLog(logger);
    connect(&logger.Filter(), &TLogFilter::Changed, this, &TErrorsWindow::RefreshIfVisible);
    connect(FPanel, &TOptionsPanel::OnChange, this, &TErrorsWindow::ReadPanel);
    connect(FGrid->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        FModel->ClickColumn(column);
        ShowSortKey();
    });
    connect(FGrid, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) emit HandChosen(FModel->Record(index.row()));
    });
    connect(&preferences, &TPreferences::PreferencesChanged, this, &TErrorsWindow::Retranslate);
    InstallHelpKey(*this, hcErrors, preferences);
    resize(840, 600);
}

void TErrorsWindow::Retranslate() {
    TPreferences& preferences = FPreferences;
    const auto text = [&](const char* key) {
        return preferences.Texts().Translate(kErrorsTexts, QString::fromLatin1(key));
    };
    setWindowTitle(preferences.Texts().WindowCaption(kErrorsTexts));
    FHeader->setText(text("ErrorsHeader"));
    FLegend->setText(text("LegendMarks") + QStringLiteral("\n\n") + text("LegendCells"));
    FModel->SetCaptions({text("ColumnHand"), text("ColumnYourReturn"), text("ColumnBestReturn"),
                         text("ColumnDifference")});
    FOK->setText(
        preferences.Texts().Translate(QStringLiteral("Main.Buttons"), QStringLiteral("OK")));
    QFont font = this->font();
    ApplyFont(font, preferences);
    setFont(font);
    MakeHeaderLabel(FHeader, preferences);
    FPanel->Retranslate(preferences);
    FGrid->horizontalHeader()->setFixedHeight(
        std::max(kHeaderRowHeight, FGrid->horizontalHeader()->fontMetrics().height() + 4));
}

void TErrorsWindow::ReadPanel() {
    const unsigned severities = FPanel->ErrorSeverities();
    FDelegate->SetVariants(FPanel->ShowYourVariant(), FPanel->ShowBestVariant());
    if (severities != FSeverities) {
        FSeverities = severities;
        Refresh();
    }
    FGrid->viewport()->update();
}

void TErrorsWindow::Refresh() {
    FModel->Refresh(FLogger, FPreferences, FSeverities);
    ShowSortKey();
}

void TErrorsWindow::RefreshIfVisible() {
    if (isVisible()) Refresh();
}

void TErrorsWindow::ShowSortKey() {
    QHeaderView* header = FGrid->horizontalHeader();
    const int key = FModel->SortKey();
    header->setSortIndicatorShown(key != 0);
    // As in All Hands, a mark pointing down means largest first; the common
    // styles draw that for Qt's ascending order, which is our descending one.
    if (key != 0)
        header->setSortIndicator(std::abs(key) - 1,
                                 key > 0 ? Qt::DescendingOrder : Qt::AscendingOrder);
}

int TErrorsWindow::VisibleRows() const {
    return FGrid->viewport()->height() / TErrorsDelegate::RowHeight();
}

void TErrorsWindow::SizeColumns() {
    const int width = FGrid->viewport()->width();
    const int cards = kHandSize * TCardPainter::Width + TErrorsDelegate::kRowPadding;
    // A figure column is never narrower than the widest figure it can show
    // ("43.75578%" was cut to "578%"): the grid asks the window for the room.
    const int figure = FGrid->fontMetrics().horizontalAdvance(QStringLiteral("-100.00000%")) +
                       2 * TErrorsDelegate::kRowPadding;
    FGrid->setMinimumWidth(cards + 3 * figure + FGrid->verticalScrollBar()->sizeHint().width() +
                           2 * FGrid->frameWidth());
    int value = std::max((width - cards) / 3, figure);
    for (int column = 1; column <= 3; ++column)
        value = std::max(value, static_cast<QAbstractItemView*>(FGrid)->sizeHintForColumn(column));
    for (int column = 1; column <= 3; ++column) FGrid->setColumnWidth(column, value);
    FGrid->setColumnWidth(0, std::max(width - 3 * value, cards));
}

void TErrorsWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    SizeColumns();
    if (FRowsFitted) return;
    FRowsFitted = true;
    // Whole rows: the window gives up the part of a row that would not fit.
    const int spare = FGrid->viewport()->height() % TErrorsDelegate::RowHeight();
    if (spare > 0 && VisibleRows() > 0) resize(width(), height() - spare);
}

void TErrorsWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    SizeColumns();
}

void ShowErrorsWindow(QWidget* parent, TLogger& logger, TPreferences& preferences,
                      std::function<void(QWidget*, const TLogRecord&)> openHand) {
    TErrorsWindow window(logger, preferences, parent);
    if (openHand)
        QObject::connect(
            &window, &TErrorsWindow::HandChosen, &window,
            [&window, openHand](const TLogRecord& record) { openHand(&window, record); });
    window.Retranslate();
    window.ReadPanel();
    window.exec();
}

} // namespace drawmentor
