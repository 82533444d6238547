#include "StatisticsWindow.h"

#include "ChartLineStatsModel.h"
#include "StatisticsModel.h"

#include "ui/common/GradientLabel.h"
#include "ui/common/HelpKey.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/TextSections.h"
#include "ui/log/OptionsPanel.h"

#include "play/Logger.h"
#include "play/StatisticTexts.h"
#include "play/Statistics.h"
#include "prefs/Preferences.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace drawmentor {

namespace {

constexpr int kCellPadding = 10;        // text stands this far in from the cell's edge
constexpr int kPanelMinimumWidth = 220; // the options panel's column, at least

// Cell texts stand kCellPadding in from the edge they are aligned to; the
// selection still fills the whole cell.
class TPaddedCells : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem background(option);
        initStyleOption(&background, index);
        background.text.clear();
        const QWidget* view = option.widget;
        (view ? view->style() : QApplication::style())
            ->drawControl(QStyle::CE_ItemViewItem, &background, painter, view);
        QStyleOptionViewItem text(option);
        text.rect.adjust(kCellPadding, 0, -kCellPadding, 0);
        QStyledItemDelegate::paint(painter, text, index);
    }
    // The padding is part of what a column needs to show its texts whole.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(2 * kCellPadding, 0);
    }
};

QLabel* NewHeader(QWidget* parent, const char* name) {
    auto* label = new TGradientLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setFixedHeight(23);
    return label;
}

} // namespace

TStatisticsWindow::TStatisticsWindow(QWidget* parent, TPreferences& preferences)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FPreferences(preferences), FList(std::make_unique<TStatisticsList>(preferences.Severity)) {
    setObjectName(QStringLiteral("fStatistics"));
    auto* left = new QVBoxLayout;
    FListHeader = NewHeader(this, "lStatListHeader");
    FStatList = new QListWidget(this);
    FStatList->setObjectName(QStringLiteral("StatList"));
    auto* panelHost = new QWidget(this);
    panelHost->setObjectName(QStringLiteral("optionsHost"));
    FPanel = new TOptionsPanel(panelHost);
    FPanel->AddGroups(ogGame | ogDate | ogModes | ogDeals);
    auto* panelLayout = new QVBoxLayout(panelHost);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(FPanel);
    left->addWidget(FListHeader);
    left->addWidget(FStatList, 1);
    left->addWidget(panelHost);
    panelHost->setMinimumWidth(kPanelMinimumWidth);

    auto* right = new QVBoxLayout;
    FStatHeader = NewHeader(this, "lStatHeader");
    FModel = new TStatisticsModel(*FList, preferences.Texts(), this);
    FGrid = new QTableView(this);
    FGrid->setObjectName(QStringLiteral("StatGrid"));
    FGrid->setModel(FModel);
    FLineModel = new TChartLineStatsModel(preferences.Texts(), this);
    FLineNotes = new QLabel(this);
    FLineNotes->setObjectName(QStringLiteral("lLineNotes"));
    FLineNotes->setWordWrap(true);
    FLineNotes->hide();
    FGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    FGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    FGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FGrid->setWordWrap(false);
    FGrid->verticalHeader()->hide();
    FGrid->horizontalHeader()->setSectionsClickable(false);
    FGrid->horizontalHeader()->setHighlightSections(false);
    FGrid->horizontalHeader()->setDefaultAlignment(TStatisticsModel::HeaderAlignment());
    FGrid->setItemDelegate(new TPaddedCells(FGrid));
    FGrid->viewport()->installEventFilter(this);
    auto* copy = new QAction(FGrid);
    copy->setObjectName(QStringLiteral("actCopyTable"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &TStatisticsWindow::CopyTable);
    FGrid->addAction(copy);
    FGrid->setContextMenuPolicy(Qt::ActionsContextMenu);
    FOK = new QPushButton(this);
    FOK->setObjectName(QStringLiteral("btnOK"));
    connect(FOK, &QPushButton::clicked, this, &QDialog::accept);
    right->addWidget(FStatHeader);
    right->addWidget(FGrid, 1);
    right->addWidget(FLineNotes);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(FOK);
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 2);
    layout->addLayout(right, 5);
    resize(760, 480);

    connect(FStatList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        const bool lines = row == FList->Count();
        ShowLines(lines);
        if (!lines) FList->SetSelected(row);
    });
    connect(FList.get(), &TStatisticsList::Changed, this, &TStatisticsWindow::RefreshView);
    connect(FPanel, &TOptionsPanel::OnChange, this, &TStatisticsWindow::ApplyCount);
    InstallHelpKey(*this, hcStatistics, FPreferences);
    connect(&FPreferences, &TPreferences::PreferencesChanged, this,
            &TStatisticsWindow::Retranslate);
}

// The list goes first: its hook on the shared filter must not outlive it.
TStatisticsWindow::~TStatisticsWindow() {
    delete FModel;
    FModel = nullptr;
    FList.reset();
}

void TStatisticsWindow::AttachLog(TLogger& logger) {
    FLogger = &logger;
    connect(&logger.Filter(), &TLogFilter::Changed, this, &TStatisticsWindow::CountLines);
    FPanel->AttachLog(logger);
    FList->Attach(logger);
    FList->SetSelected(0);
    FList->SetActive(true);
}

void TStatisticsWindow::Retranslate() {
    setWindowTitle(FPreferences.Texts().WindowCaption(kStatisticsTexts));
    FOK->setText(
        FPreferences.Texts().Translate(QStringLiteral("Main.Buttons"), QStringLiteral("OK")));
    FListHeader->setText(
        FPreferences.Texts().Translate(kStatisticsTexts, QStringLiteral("StatHeader")));
    FGrid->actions().front()->setText(
        FPreferences.Texts().Translate(kStatisticsTexts, QStringLiteral("Copy")));
    FPanel->Retranslate(FPreferences);
    // A set minimum overrides the panel's own: a long game name in the
    // panel's list widens the column instead of cutting the panel.
    FPanel->parentWidget()->setMinimumWidth(std::max(kPanelMinimumWidth, FPanel->minimumWidth()));
    layout()->activate(); // the grid below is sized in what the column leaves
    FList->SetCountDeals(FPanel->CountDeals());
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
    MakeHeaderLabel(FListHeader, FPreferences);
    MakeHeaderLabel(FStatHeader, FPreferences);
    FModel->TextsChanged();
    FLineModel->TextsChanged();
    FillStatList();
    const int rowHeight = FGrid->fontMetrics().height() + 6;
    FGrid->verticalHeader()->setDefaultSectionSize(rowHeight);
    FGrid->verticalHeader()->setMinimumSectionSize(rowHeight);
    FGrid->setMinimumHeight(FGrid->horizontalHeader()->sizeHint().height() +
                            TStatisticsModel::kVisibleRows * rowHeight + 2 * FGrid->frameWidth());
    SizeGrid();
    RefreshView();
}

void TStatisticsWindow::FillStatList() {
    const QSignalBlocker quiet(FStatList);
    FStatList->clear();
    for (int index = 0; index < FList->Count(); ++index)
        FStatList->addItem(QLatin1Char(' ') +
                           StatisticCaption(FList->Items(index), FPreferences.Texts()));
    FStatList->addItem(QLatin1Char(' ') + FPreferences.Texts().Translate(
                                              kStatisticsTexts, QStringLiteral("ByChartLine")));
    FStatList->setCurrentRow(FShowsLines ? FList->Count() : FList->Selected);
}

// Counting deals renames the statistics that count hands.
void TStatisticsWindow::ApplyCount() {
    FList->SetCountDeals(FPanel->CountDeals());
    FillStatList();
    CountLines();
    RefreshView();
}

void TStatisticsWindow::ShowLines(bool on) {
    if (on == FShowsLines) return;
    FShowsLines = on;
    QItemSelectionModel* selection = FGrid->selectionModel();
    FGrid->setModel(on ? static_cast<QAbstractItemModel*>(FLineModel) : FModel);
    delete selection; // the view leaves the old model's to its caller
    FLineNotes->setVisible(on);
    CountLines();
    SizeGrid();
    RefreshView();
}

// Only while on show: placing every hand on its chart is the slow part.
void TStatisticsWindow::CountLines() {
    if (!FShowsLines || !FLogger) return;
    FLineModel->Recalculate(*FLogger, FPanel->CountDeals());
    RefreshView();
}

void TStatisticsWindow::RefreshView() {
    if (QListWidgetItem* item = FStatList->item(FShowsLines ? FList->Count() : FList->Selected))
        FStatHeader->setText(item->text());
    if (FShowsLines) FLineNotes->setText(FLineModel->Notes().join(QLatin1Char('\n')));
    SizeGrid(); // another statistic, other captions
    FGrid->viewport()->update();
}

// The value columns take two ninths of the width each (by chart line, whose
// names are long, half the width together), the captions the rest, and
// never less than the longest caption: the figures give way to it, and a
// window too narrow for both scrolls.
void TStatisticsWindow::SizeGrid() {
    const int width = FGrid->viewport()->width();
    const int columns = FGrid->model()->columnCount();
    const auto* view = static_cast<QAbstractItemView*>(FGrid);
    const int captions = view->sizeHintForColumn(0);
    int figures = 0;
    for (int column = 1; column < columns; ++column)
        figures = std::max(figures, view->sizeHintForColumn(column));
    // A language with longer texts widens the window as far as the screen lets it.
    if (const int lacking = captions + (columns - 1) * figures - width; lacking > 0 && screen()) {
        const int room = screen()->availableGeometry().width() - frameGeometry().width();
        if (room > 0) {
            resize(this->width() + std::min(lacking, room), height());
            return; // sized again as the grid's viewport follows
        }
    }
    const int share = FShowsLines ? width / (2 * (columns - 1)) : width * 2 / 9;
    const int value = std::max(figures, std::min(share, (width - captions) / (columns - 1)));
    FGrid->setColumnWidth(0, std::max(captions, width - (columns - 1) * value));
    for (int column = 1; column < columns; ++column) FGrid->setColumnWidth(column, value);
    FitHeader();
}

// A column caption wider than its column (long in some languages) wraps onto
// a second header line instead of being cut.
void TStatisticsWindow::FitHeader() {
    QHeaderView* header = FGrid->horizontalHeader();
    const QFontMetrics metrics(header->font());
    bool wraps = false;
    for (int column = 0; column < FGrid->model()->columnCount(); ++column) {
        const QString caption = FGrid->model()->headerData(column, Qt::Horizontal).toString();
        wraps |= metrics.horizontalAdvance(caption) + kCellPadding > FGrid->columnWidth(column);
    }
    const int height = (wraps ? 2 : 1) * metrics.height() + 8;
    if (header->height() == height) return;
    header->setFixedHeight(height);
    emit header->geometriesChanged(); // the view moves its rows below the new header
}

bool TStatisticsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FGrid->viewport() && event->type() == QEvent::Resize) SizeGrid();
    return QDialog::eventFilter(watched, event);
}

void TStatisticsWindow::CopyTable() {
    QGuiApplication::clipboard()->setText(FShowsLines ? FLineModel->TableText()
                                                      : FModel->TableText());
}

void OpenStatisticsWindow(QWidget* parent, TLogger& logger, TPreferences& preferences) {
    TStatisticsWindow window(parent, preferences);
    window.AttachLog(logger);
    window.Retranslate();
    window.exec();
}

} // namespace drawmentor
