#include "StrategyChartWindow.h"

#include "ChartWhyText.h"

#include "prefs/Texts.h"
#include "ui/common/GradientLabel.h"
#include "ui/common/HelpKey.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/MessageBox.h"
#include "ui/common/TextSections.h"

#include "play/ChartCacheFile.h"
#include "play/ChartLineText.h"
#include "play/RecordAdvice.h"
#include "prefs/Preferences.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QTextDocument>
#include <QVBoxLayout>

namespace drawmentor {

namespace {

constexpr int kProgressSteps = 1000;

std::function<QString()>& NextSaveName() {
    static std::function<QString()> answer;
    return answer;
}

QString Grouped(int64_t value) {
    return QLocale(QLocale::English).toString(static_cast<qlonglong>(value));
}

} // namespace

TStrategyChartWindow::TStrategyChartWindow(QWidget* parent, TChartSubject subject,
                                           TPreferences& preferences)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FSubject(std::move(subject)), FPreferences(preferences) {
    setObjectName(QStringLiteral("fStrategyChart"));
    FHeader = new QLabel(this);
    FHeader->setObjectName(QStringLiteral("lHeader"));
    FHeader->setMinimumHeight(23);
    FPays = new QLabel(this);
    FPays->setObjectName(QStringLiteral("lPays"));
    FPays->setWordWrap(true);
    FPays->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A short chart to learn first, a longer one to play nearly perfectly.
    FLevel = new QComboBox(this);
    FLevel->setObjectName(QStringLiteral("cbLevel"));
    for (int level = 0; level < kChartLevelCount; ++level) FLevel->addItem(QString());
    FLevel->setCurrentIndex(static_cast<int>(TChartLevel::Expert));
    FLevelLabel = new QLabel(this);
    FLevelLabel->setObjectName(QStringLiteral("lLevel"));
    FLevelLabel->setBuddy(FLevel);
    connect(FLevel, &QComboBox::activated, this, &TStrategyChartWindow::ChooseLevel);
    FTable = new QTableView(this);
    FTable->setObjectName(QStringLiteral("tvChart"));
    FTable->setModel(&FModel);
    FTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    FTable->verticalHeader()->hide();
    // Forty lines and more: a compact row lets most of a chart show at once.
    FTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // Figures and captions keep their whole width; a line name longer than the
    // rest of the window wraps onto a second line of its row.
    FTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    FTable->horizontalHeader()->setSectionResizeMode(TStrategyChartModel::cName,
                                                     QHeaderView::Stretch);
    FTable->setWordWrap(true);
    FTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    FSummary = new QLabel(this);
    FSummary->setObjectName(QStringLiteral("lSummary"));
    FSummary->setWordWrap(true);
    FSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The legend can run to a dozen lines: it scrolls rather than squeeze
    // the chart.
    FLegend = new QLabel;
    FLegend->setObjectName(QStringLiteral("lLegend"));
    FLegend->setWordWrap(true);
    FLegend->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FLegend->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* legend = new QScrollArea(this);
    legend->setObjectName(QStringLiteral("saLegend"));
    legend->setWidget(FLegend);
    legend->setWidgetResizable(true);
    legend->setFrameShape(QFrame::NoFrame);
    legend->setMaximumHeight(6 * fontMetrics().lineSpacing());
    FProgress = new QProgressBar(this);
    FProgress->setObjectName(QStringLiteral("pbChart"));
    FProgress->setRange(0, kProgressSteps);
    FProgress->setMaximumSize(160, 14);
    FProgress->setTextVisible(false);
    FStatus = new QLabel(this);
    FStatus->setObjectName(QStringLiteral("lStatus"));
    FStatus->setWordWrap(true);
    auto* status = new QHBoxLayout;
    status->addWidget(FProgress);
    status->addWidget(FStatus, 1);
    status->addWidget(FLevelLabel);
    status->addWidget(FLevel);

    FDrill = AddButton("btnDrill");
    FDrillErrors = AddButton("btnDrillErrors");
    FPrint = AddButton("btnPrint");
    FSave = AddButton("btnSave");
    FClose = AddButton("btnClose");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {FDrill, FDrillErrors}) buttons->addWidget(button);
    buttons->addStretch();
    for (QPushButton* button : {FPrint, FSave, FClose}) buttons->addWidget(button);
    connect(FDrill, &QPushButton::clicked, this, &TStrategyChartWindow::DrillChecked);
    connect(FDrillErrors, &QPushButton::clicked, this, &TStrategyChartWindow::DrillErrors);
    connect(FPrint, &QPushButton::clicked, this, &TStrategyChartWindow::Print);
    connect(FSave, &QPushButton::clicked, this, &TStrategyChartWindow::AskAndSave);
    connect(FClose, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FHeader);
    layout->addWidget(FPays);
    layout->addLayout(status);
    layout->addWidget(FTable, 1);
    layout->addWidget(FSummary);
    layout->addWidget(legend);
    layout->addLayout(buttons);
    resize(660, 760);

    FPoll.setInterval(50);
    connect(&FPoll, &QTimer::timeout, this, &TStrategyChartWindow::Poll);
    InstallHelpKey(*this, hcStrategyChart, FPreferences);
    connect(&FPreferences, &TPreferences::PreferencesChanged, this,
            &TStrategyChartWindow::Retranslate);
    Start();
    Retranslate();
}

TStrategyChartWindow::~TStrategyChartWindow() = default;

QPushButton* TStrategyChartWindow::AddButton(const char* name) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QString TStrategyChartWindow::Text(const char* key, const QStringList& values) const {
    return FormatText(FPreferences.Texts().Translate(kStrategyChartTexts, QString::fromLatin1(key)),
                      values);
}

void TStrategyChartWindow::Start() {
    FRefusal = CheckChartInput(FSubject.GameIndex, FSubject.Pays);
    if (FRefusal != TChartRefusal::None) return;
    if (auto chart = SharedUserChartCache()->Find(FSubject.GameIndex, FSubject.Bet, FSubject.Pays,
                                                  Level())) {
        Show(std::move(*chart));
        return;
    }
    FJob = SharedChartJob(FSubject.GameIndex, FSubject.Pays, FSubject.Bet, Level());
    FPoll.start();
}

TChartLevel TStrategyChartWindow::Level() const {
    return static_cast<TChartLevel>(FLevel->currentIndex());
}

// Another level is another chart: the one on show goes, and the new one is
// taken from the cache or made.
void TStrategyChartWindow::ChooseLevel(int index) {
    if (FChart && static_cast<int>(FChart->Level) == index && !FJob) return;
    FPoll.stop();
    FJob.reset();
    FChart.reset();
    FError.clear();
    FModel.SetChart(nullptr, FPreferences.Texts());
    Start();
    Display();
}

void TStrategyChartWindow::Poll() {
    if (!FJob) return;
    if (!FJob->Finished()) {
        Display();
        return;
    }
    FPoll.stop();
    const std::shared_ptr<TChartJob> job = std::move(FJob);
    try {
        if (!job->Result().Cancelled) Show(job->Result());
    } catch (const std::exception& error) {
        FError = QString::fromUtf8(error.what());
    }
    Display();
}

void TStrategyChartWindow::Show(TStrategyChart chart) {
    FChart = std::move(chart);
    FModel.SetChart(&*FChart, FPreferences.Texts());
    FitColumns();
    Display();
}

// The figures' columns take what their captions and numbers need; the
// line names take the rest.
void TStrategyChartWindow::FitColumns() {
    // Public on the base view only.
    const QAbstractItemView* view = FTable;
    int wanted = view->sizeHintForColumn(TStrategyChartModel::cName) +
                 FTable->verticalScrollBar()->sizeHint().width() + 2 * FTable->frameWidth() + 8;
    for (int column : {TStrategyChartModel::cNumber, TStrategyChartModel::cFrequency,
                       TStrategyChartModel::cReturn}) {
        FTable->resizeColumnToContents(column);
        wanted += FTable->columnWidth(column);
    }
    // A window too narrow for the longest name grows, as far as the screen allows.
    const int missing = wanted - FTable->width();
    if (missing > 0 && screen())
        resize(std::min(width() + missing, screen()->availableGeometry().width()), height());
    FTable->resizeRowsToContents();
}

void TStrategyChartWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FTable->resizeRowsToContents();
}

void TStrategyChartWindow::done(int result) {
    // Closing gives the cores back at once, unless the trainer waits for
    // the same chart.
    FPoll.stop();
    FJob.reset();
    QDialog::done(result);
}

void TStrategyChartWindow::Retranslate() {
    setWindowTitle(FPreferences.Texts().WindowCaption(kStrategyChartTexts));
    FHeader->setText(Text("Header", {FSubject.Caption, QString::number(FSubject.Bet)}));
    FHeader = MakeHeaderLabel(FHeader, FPreferences);
    FModel.SetCaptions(
        {Text("ColumnNumber"), Text("ColumnLine"), Text("ColumnFrequency"), Text("ColumnReturn")});
    FModel.SetTexts(FPreferences.Texts());
    FitColumns(); // the captions change with the language
    FLevelLabel->setText(Text("Level"));
    constexpr const char* kLevelKeys[kChartLevelCount] = {"Beginner", "Intermediate", "Expert"};
    for (int level = 0; level < kChartLevelCount; ++level)
        FLevel->setItemText(level, Text(kLevelKeys[level]));
    FDrill->setText(Text("Drill"));
    FDrillErrors->setText(Text("DrillErrors"));
    FPrint->setText(Text("Print"));
    FSave->setText(Text("Save"));
    FClose->setText(Text("Close"));
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
    Display();
}

QStringList TStrategyChartWindow::SummaryLines() const {
    if (!FChart) return {};
    const TStrategyChart& c = *FChart;
    QStringList lines{
        Text("ChartReturn", {QString::number(static_cast<double>(c.ChartReturn), 'f', 4)}),
        Text("OptimalReturn", {QString::number(static_cast<double>(c.OptimalReturn), 'f', 4)}),
        Text("Difference",
             {QString::number(static_cast<double>(c.OptimalReturn - c.ChartReturn), 'f', 4)})};
    if (c.NotedReturn != c.ChartReturn)
        lines << Text(
            "NotedReturn",
            {QString::number(static_cast<double>(c.NotedReturn), 'f', 4),
             QString::number(static_cast<double>(c.OptimalReturn - c.NotedReturn), 'f', 4)});
    return lines << Text("DealsOff", {Grouped(c.DealsOffBest), Grouped(c.Deals)});
}

void TStrategyChartWindow::Display() {
    FProgress->setVisible(Generating());
    if (FJob) FProgress->setValue(static_cast<int>(FJob->Progress() * kProgressSteps));
    QString status;
    switch (FRefusal) {
    case TChartRefusal::HiddenGame: status = Text("HiddenGame"); break;
    case TChartRefusal::NegativePay: status = Text("NegativePay"); break;
    case TChartRefusal::PaysNothing: status = Text("PaysNothing"); break;
    case TChartRefusal::WrongPays: status = Text("WrongPays"); break;
    case TChartRefusal::None:
        if (!FError.isEmpty())
            status = Text("Failed", {FError});
        else if (FJob)
            status = Text(FJob->Progress() < 1 ? "Generating" : "Ordering");
        else if (FChart)
            status = Text(FChart->KeepsWilds ? "RuleByWilds" : "Rule");
        break;
    }
    FStatus->setText(status);
    FSummary->setText(SummaryLines().join(QLatin1Char('\n')));
    FPays->setText(FChart ? ChartPaysText(*FChart, FPreferences.Texts()) : QString());
    FLegend->setText(FChart ? ChartLegend(*FChart, FPreferences.Texts()).join(QLatin1Char('\n'))
                            : QString());
    FPrint->setEnabled(FChart.has_value());
    FSave->setEnabled(FChart.has_value());
    // The trainer drills the expert chart: the lines of another level are
    // not the ones it judges by.
    const bool drillable =
        FChart.has_value() && FSubject.Drillable && FChart->Level == TChartLevel::Expert;
    FDrill->setEnabled(drillable);
    FDrillErrors->setEnabled(drillable && FSubject.Logger);
}

TChartExportTexts TStrategyChartWindow::ExportTexts() const {
    TChartExportTexts texts;
    texts.Title = windowTitle() + QStringLiteral(": ") + FHeader->text() + QStringLiteral(", ") +
                  FLevel->currentText().toLower();
    texts.Rule = Text(FChart && FChart->KeepsWilds ? "RuleByWilds" : "Rule");
    texts.Columns = {Text("ColumnNumber"), Text("ColumnLine"), Text("ColumnFrequency"),
                     Text("ColumnReturn"), Text("ColumnExample")};
    if (FChart) texts.Pays = ChartPaysText(*FChart, FPreferences.Texts());
    texts.Summary = SummaryLines();
    if (FChart) texts.Legend = ChartLegend(*FChart, FPreferences.Texts());
    return texts;
}

QString TStrategyChartWindow::Html() const {
    return FChart ? ChartHtml(*FChart, FPreferences.Texts(), ExportTexts()) : QString();
}

QString TStrategyChartWindow::Csv() const {
    return FChart ? ChartCsv(*FChart, FPreferences.Texts(), ExportTexts()) : QString();
}

void TStrategyChartWindow::PrintTo(QPrinter& printer) const {
    QTextDocument document;
    document.setHtml(Html());
    document.print(&printer);
}

void TStrategyChartWindow::Print() {
    if (!FChart) return;
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(Text("Print"));
    if (dialog.exec() == QDialog::Accepted) PrintTo(printer);
}

bool TStrategyChartWindow::SaveTo(const QString& fileName) {
    const bool csv = fileName.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
    QSaveFile file(fileName);
    bool saved = false;
    if (FChart && file.open(QIODevice::WriteOnly)) {
        const QByteArray bytes = (csv ? Csv() : Html()).toUtf8();
        saved = file.write(bytes) == bytes.size() && file.commit();
    }
    if (!saved)
        TMessageBox::Tell(this, QStringLiteral("SaveFailed"), windowTitle(),
                          Text("SaveFailed", {fileName}), FPreferences);
    return saved;
}

void TStrategyChartWindow::AskAndSave() {
    if (!FChart) return;
    const QString html = Text("HtmlFiles");
    const QString csv = Text("CsvFiles");
    QString fileName;
    if (NextSaveName()) {
        fileName = NextSaveName()();
        NextSaveName() = nullptr;
    } else {
        QString filter = html;
        fileName = QFileDialog::getSaveFileName(this, Text("SaveTitle"),
                                                QStringLiteral("strategy-chart.html"),
                                                html + QStringLiteral(";;") + csv, &filter);
        if (!fileName.isEmpty() && QFileInfo(fileName).suffix().isEmpty())
            fileName += filter == csv ? QStringLiteral(".csv") : QStringLiteral(".html");
    }
    if (!fileName.isEmpty()) SaveTo(fileName);
}

void TStrategyChartWindow::SetNextSaveName(std::function<QString()> answer) {
    NextSaveName() = std::move(answer);
}

void TStrategyChartWindow::DrillChecked() {
    const std::vector<int> lines = FModel.CheckedLines();
    if (lines.empty()) {
        TMessageBox::Tell(this, QStringLiteral("NothingChecked"), windowTitle(),
                          Text("NothingChecked"), FPreferences);
        return;
    }
    FDrillLines = lines;
    accept();
}

void TStrategyChartWindow::DrillErrors() {
    if (!FChart || !FSubject.Logger) return;
    TChartAdvisor advisor(*FChart);
    const std::vector<int> lines =
        CostlyErrorLines(*FSubject.Logger, advisor, FSubject.PayIndex, 3);
    if (lines.empty()) {
        TMessageBox::Tell(this, QStringLiteral("NoCostlyErrors"), windowTitle(), Text("NoErrors"),
                          FPreferences);
        return;
    }
    FModel.SetCheckedLines(lines);
    FDrillLines = lines;
    accept();
}

std::optional<std::pair<TStrategyChart, std::vector<int>>>
ShowStrategyChart(QWidget* parent, TChartSubject subject, TPreferences& preferences) {
    TStrategyChartWindow window(parent, std::move(subject), preferences);
    if (window.exec() != QDialog::Accepted || !window.Chart() || window.DrillLines().empty())
        return std::nullopt;
    return std::pair{*window.Chart(), window.DrillLines()};
}

} // namespace drawmentor
