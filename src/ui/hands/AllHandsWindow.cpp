#include "AllHandsWindow.h"

#include "AllHandsModel.h"
#include "HoldPictures.h"

#include "ui/common/GradientLabel.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/LineText.h"
#include "ui/common/TextSections.h"

#include "charts/ChartAdvisor.h"
#include "engine/PokerEngine.h"
#include "play/ChartCacheFile.h"
#include "play/ChartLineText.h"
#include "play/Session.h"
#include "prefs/Preferences.h"
#include "prefs/Texts.h"
#include "render/CardPainter.h"

#include <QApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace drawmentor {

namespace {

// Pictures at the cell's top-left corner, texts right-aligned two pixels from
// the right edge; a selected row in the highlight colours.
class TAllHandsDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
        if (index.column() == 0) {
            painter->drawImage(option.rect.topLeft(),
                               index.data(Qt::DecorationRole).value<QImage>());
            return;
        }
        painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignVCenter,
                          index.data().toString());
    }
};

int Padding() {
    const QScreen* screen = QApplication::primaryScreen();
    return screen && screen->size().width() >= 801 ? 10 : 5;
}

bool TallScreen() {
    const QScreen* screen = QApplication::primaryScreen();
    return screen && screen->size().height() >= 601;
}

} // namespace

TAllHandsWindow::TAllHandsWindow(QWidget* parent, const TPokerEngine& engine,
                                 const std::array<int, 5>& cards, int selectedMask,
                                 const TPreferences& preferences)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      FPreferences(preferences), FPainter(std::make_unique<TCardPainter>()) {
    setObjectName(QStringLiteral("fmAllHands"));
    FPainter->Init();
    const QImage hand = HandPicture(*FPainter, cards, palette().base().color());
    FModel = new TAllHandsModel(engine, HoldPictures(hand), this);

    FGrid = new QTableView(this);
    FGrid->setObjectName(QStringLiteral("Grid"));
    FGrid->setModel(FModel);
    FGrid->setItemDelegate(new TAllHandsDelegate(FGrid));
    FGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    FGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    FGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FGrid->verticalHeader()->hide();
    QHeaderView* titles = FGrid->horizontalHeader();
    titles->setSectionsClickable(true);
    titles->setSortIndicatorShown(true);
    titles->setSectionResizeMode(QHeaderView::Fixed);
    // Qt wraps header texts whose alignment carries the word-wrap flag.
    titles->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    titles->setTextElideMode(Qt::ElideRight);
    connect(titles, &QHeaderView::sectionClicked, this, &TAllHandsWindow::TitleClicked);

    auto* modes = new QButtonGroup(this);
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(5);
    const char* names[3] = {"rbHands", "rbProbability", "rbReturn"};
    for (int mode = 0; mode < 3; ++mode) {
        FModeButtons[mode] = new QRadioButton(this);
        FModeButtons[mode]->setObjectName(QString::fromLatin1(names[mode]));
        modes->addButton(FModeButtons[mode], mode);
        bottom->addWidget(FModeButtons[mode]);
    }
    FModeButtons[amHands]->setChecked(true);
    connect(modes, &QButtonGroup::idClicked, this, &TAllHandsWindow::SetMode);
    bottom->addStretch();
    FOK = new QPushButton(this);
    FOK->setObjectName(QStringLiteral("btnOK"));
    FOK->setDefault(true);
    connect(FOK, &QPushButton::clicked, this, &QDialog::reject);
    bottom->addWidget(FOK);

    // A chart made earlier for this paytable names each hold's line; the
    // window never makes one (that takes seconds).
    if (const TPayout* payout = engine.Payout()) {
        const std::vector<int> pays(payout->Pays.begin(),
                                    payout->Pays.begin() + engine.LastLine() + 1);
        FChart = CachedChartOf(engine.GameIndex(), pays);
    }
    if (FChart) {
        const TChartAdvisor advisor(*FChart);
        advisor.LinesOf(cards, FChartLines);
        FChartPlay = advisor.Play(cards).Line;
    }
    FChartLine = new QLabel(this);
    FChartLine->setObjectName(QStringLiteral("lChartLine"));
    FChartLine->setWordWrap(true);
    FChartLine->setVisible(FChart.has_value());

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(FGrid);
    layout->addWidget(FChartLine);
    layout->addLayout(bottom);

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this,
            [this] { ShowHelp(this, hcAllHands, FPreferences); });
    connect(&preferences, &TPreferences::PreferencesChanged, this, [this] { Retranslate(); });

    Retranslate();
    SelectMask(selectedMask);
    ShowSortMark();
    connect(FGrid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TAllHandsWindow::ShowChartLine);
    ShowChartLine();
}

QString TAllHandsWindow::ChartLineText() const {
    const int mask = SelectedMask();
    if (!FChart || mask < 0) return {};
    const TTexts& texts = FPreferences.Texts();
    const auto text = [&](const char* key) {
        return texts.Translate(kAllHandsTexts, QString::fromLatin1(key));
    };
    const auto named = [&](int line) {
        return FormatText(text("ChartLine"),
                          {QString::number(line + 1),
                           ChartNameText(FChart->Lines[static_cast<size_t>(line)].Name, texts)});
    };
    const int line = FChartLines[static_cast<size_t>(mask)];
    const QString on = line >= 0 ? named(line) : text("OffChart");
    if (FChartPlay < 0 || FChartPlay == line) return FormatText(text("OnLine"), {on});
    return FormatText(text("OnLineChartPlays"), {on, named(FChartPlay)});
}

void TAllHandsWindow::ShowChartLine() {
    FChartLine->setText(ChartLineText());
}

TAllHandsWindow::~TAllHandsWindow() = default;

int TAllHandsWindow::SelectedMask() const {
    const QModelIndexList rows = FGrid->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : FModel->Row(rows.first().row()).Mask;
}

void TAllHandsWindow::SelectMask(int mask) {
    const int row = FModel->RowOfMask(mask);
    if (row < 0) return;
    FGrid->selectRow(row);
    FGrid->scrollTo(FModel->index(row, 0));
}

void TAllHandsWindow::SetMode(int mode) {
    FModel->SetMode(mode);
}

void TAllHandsWindow::TitleClicked(int column) {
    // The selection follows its hold through the model's persistent indexes.
    FModel->ClickTitle(column);
    ShowSortMark();
}

void TAllHandsWindow::ShowSortMark() {
    const int key = FModel->SortKey();
    // Largest first shows a mark pointing down; the common styles draw that
    // for Qt's ascending order.
    FGrid->horizontalHeader()->setSortIndicator(std::abs(key) - 1,
                                                key > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TAllHandsWindow::Retranslate() {
    setWindowTitle(FPreferences.Texts().WindowCaption(kAllHandsTexts));
    ShowChartLine();
    const char* keys[3] = {"Hands", "Probability", "Return"};
    for (int mode = 0; mode < 3; ++mode)
        FModeButtons[mode]->setText(
            FPreferences.Texts().Translate(kAllHandsTexts, QString::fromLatin1(keys[mode])));
    FOK->setText(
        FPreferences.Texts().Translate(QStringLiteral("Main.Buttons"), QStringLiteral("OK")));
    QStringList lines;
    for (const QString& name : FModel->LineNames()) lines << LineText(name, FPreferences.Texts());
    FModel->SetTitles(FPreferences.Texts().Translate(kAllHandsTexts, QStringLiteral("Hands")),
                      FPreferences.Texts().Translate(kAllHandsTexts, QStringLiteral("Return")),
                      FPreferences.Texts().Translate(kAllHandsTexts, QStringLiteral("Nothing")),
                      lines);
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
    FitLayout();
}

// Every column as wide as its widest figure could grow, every title wrapped
// to its column, all 32 rows shown: the window never scrolls.
void TAllHandsWindow::FitLayout() {
    const QFontMetrics metrics(FGrid->font());
    const int padding = Padding();
    const auto width = [&](const QString& text) { return metrics.horizontalAdvance(text); };
    const int rows = FModel->rowCount();
    QHeaderView* titles = FGrid->horizontalHeader();
    const QImage& picture = FModel->Row(0).Picture;
    // Grid lines take the last pixel column and row of a cell.
    titles->resizeSection(0, picture.width() + 1);
    long double largestReturn = 0;
    for (int row = 0; row < rows; ++row)
        largestReturn = std::max(largestReturn, FModel->Row(row).ER);
    titles->resizeSection(1, width(ReturnText(largestReturn * 100)) + padding);
    // A title may wrap between words, never inside one, and the sort mark
    // must not hide it.
    const int mark =
        2 * titles->style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, titles) + padding;
    const auto titleWidth = [&](int column) {
        int widest = 0;
        for (const QString& word : FModel->Title(column).split(QLatin1Char(' ')))
            widest = std::max(widest, width(word));
        return widest + mark;
    };
    titles->resizeSection(1, std::max(titles->sectionSize(1), titleWidth(1)));
    for (int entry = 0; entry < FModel->LineColumns(); ++entry) {
        int32_t hands = 0;
        long double fraction = 0;
        for (int row = 0; row < rows; ++row) {
            const THandStat& stat = FModel->Row(row);
            hands = std::max(hands, stat.LineHands[entry]);
            fraction = std::max({fraction, stat.LineProbability[entry], stat.LineReturn[entry]});
        }
        titles->resizeSection(entry + 2, std::max({width(QString::number(hands)) + padding,
                                                   width(FractionText(fraction * 100)) + padding,
                                                   titleWidth(entry + 2)}));
    }
    // Wrapped into what is left of the column beside the sort mark.
    const int margin = titles->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, titles);
    int titleHeight = 0;
    for (int column = 0; column < FModel->columnCount(); ++column) {
        const QRect bounds(0, 0, std::max(1, titles->sectionSize(column) - mark), 1000);
        titleHeight = std::max(
            titleHeight,
            metrics.boundingRect(bounds, Qt::TextWordWrap, FModel->Title(column)).height());
    }
    titles->setFixedHeight(titleHeight + 2 + 2 * margin);
    const int rowHeight = picture.height() + (TallScreen() ? 1 : 0) + 1;
    FGrid->verticalHeader()->setMinimumSectionSize(1);
    FGrid->verticalHeader()->setDefaultSectionSize(rowHeight);
    for (QRadioButton* button : FModeButtons) {
        button->setMinimumWidth(0);
        button->setMaximumWidth(QWIDGETSIZE_MAX);
        // The caption plus room for the mark, or what the style needs if more.
        button->setFixedWidth(std::max(button->fontMetrics().horizontalAdvance(button->text()) + 30,
                                       button->sizeHint().width()));
    }
    const int frame = 2 * FGrid->frameWidth();
    FGrid->setFixedSize(titles->length() + frame, titles->height() + rows * rowHeight + frame);
    layout()->activate();
}

void ShowAllHands(QWidget* parent, const TPokerEngine& engine, const std::array<int, 5>& cards,
                  int selectedMask, const TPreferences& preferences) {
    TAllHandsWindow window(parent, engine, cards, selectedMask, preferences);
    window.exec();
}

void ShowAllHands(QWidget* parent, const TSession& game, const TPreferences& preferences) {
    std::array<int, 5> cards{};
    for (int i = 0; i < 5; ++i) cards[i] = game.Hand().CardAt(i);
    ShowAllHands(parent, game.Game().Strategy(), cards, game.Hand().DrawMask(), preferences);
}

} // namespace drawmentor
