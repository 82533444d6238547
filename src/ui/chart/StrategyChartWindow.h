#pragma once

#include "ChartExport.h"
#include "StrategyChartModel.h"

#include "charts/ChartJob.h"

#include <QDialog>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPrinter;
class QProgressBar;
class QPushButton;
class QTableView;

namespace drawmentor {

class TLogger;
class TPreferences;

// The game and paytable a chart window is about.
struct TChartSubject {
    int GameIndex = 0;
    std::vector<int> Pays; // whole-bet pays of the game's lines
    int Bet = 5;
    QString Caption; // the game and paytable as the player knows them
    // Set when the chart is of the game in play: the drill buttons work, and
    // "my most costly errors" reads the log's hands of this paytable.
    bool Drillable = false;
    TLogger* Logger = nullptr;
    int PayIndex = -1;
};

// The strategy chart of one paytable: its ranked lines with how often each is
// the play and its average return, the chart's return beside perfect play's,
// print and save, and the choice of lines to drill. A chart from the user's
// cache shows at once; otherwise it is made in the background with a
// progress bar, and closing the window stops that.
class TStrategyChartWindow : public QDialog {
    Q_OBJECT

  public:
    TStrategyChartWindow(QWidget* parent, TChartSubject subject, TPreferences& preferences);
    ~TStrategyChartWindow() override;

    void Retranslate();
    const TStrategyChartModel& Model() const { return FModel; }
    TStrategyChartModel& Model() { return FModel; }
    // The chart on show, none while it is made or when there is none.
    const TStrategyChart* Chart() const { return FChart ? &*FChart : nullptr; }
    bool Generating() const { return FJob != nullptr; }
    TChartRefusal Refusal() const { return FRefusal; }
    // The lines the player asked to drill (the window is accepted then).
    const std::vector<int>& DrillLines() const { return FDrillLines; }

    QString Html() const;
    QString Csv() const;
    void PrintTo(QPrinter& printer) const;
    // HTML, or CSV for a name ending in ".csv"; false after telling the player.
    bool SaveTo(const QString& fileName);
    // Test seam: the next Save... takes this name instead of asking.
    static void SetNextSaveName(std::function<QString()> answer);

    void done(int result) override;

  protected:
    // Rows grow with their wrapped names, notes and examples, which the view
    // does not measure again when the name column's width changes.
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Start();
    void ChooseLevel(int index);
    TChartLevel Level() const;
    void Poll();
    void Show(TStrategyChart chart);
    void Display();
    void DrillChecked();
    void DrillErrors();
    void Print();
    void AskAndSave();
    QString Text(const char* key, const QStringList& values = {}) const;
    QStringList SummaryLines() const;
    TChartExportTexts ExportTexts() const;
    QPushButton* AddButton(const char* name);
    void FitColumns();

    TChartSubject FSubject;
    TPreferences& FPreferences;
    TStrategyChartModel FModel;
    std::optional<TStrategyChart> FChart;
    std::shared_ptr<TChartJob> FJob;
    TChartRefusal FRefusal = TChartRefusal::None;
    QString FError;
    std::vector<int> FDrillLines;
    QTimer FPoll;

    QLabel* FHeader = nullptr;
    QLabel* FPays = nullptr;
    QLabel* FLevelLabel = nullptr;
    QComboBox* FLevel = nullptr;
    QTableView* FTable = nullptr;
    QLabel* FSummary = nullptr;
    QLabel* FLegend = nullptr;
    QProgressBar* FProgress = nullptr;
    QLabel* FStatus = nullptr;
    QPushButton* FDrill = nullptr;
    QPushButton* FDrillErrors = nullptr;
    QPushButton* FPrint = nullptr;
    QPushButton* FSave = nullptr;
    QPushButton* FClose = nullptr;
};

// Opens the window modally; the chart and the lines to drill when the player
// asked for a drill.
std::optional<std::pair<TStrategyChart, std::vector<int>>>
ShowStrategyChart(QWidget* parent, TChartSubject subject, TPreferences& preferences);

} // namespace drawmentor
