#pragma once

#include <QDialog>

#include <memory>

class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace drawmentor {

class TChartLineStatsModel;
class TLogger;
class TOptionsPanel;
class TPreferences;
class TStatisticsList;
class TStatisticsModel;

// The statistics of the hands the shared log filter selects: the list of the
// six statistics and the table by chart line on the left above the filter
// panel, the chosen one's table on the right. A change in the panel
// recomputes the table at once.
class TStatisticsWindow : public QDialog {
    Q_OBJECT

  public:
    TStatisticsWindow(QWidget* parent, TPreferences& preferences);
    ~TStatisticsWindow() override;

    void AttachLog(TLogger& logger);
    void Retranslate();
    // The shown table, tab-separated, to the clipboard.
    void CopyTable();

    TStatisticsList& List() { return *FList; }
    TStatisticsModel& Model() { return *FModel; }
    TChartLineStatsModel& LineModel() { return *FLineModel; }
    // The table by chart line is on show (the last entry of the list).
    bool ShowsLines() const { return FShowsLines; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void RefreshView();
    void FillStatList();
    void ApplyCount();
    void SizeGrid();
    void FitHeader();
    void ShowLines(bool on);
    void CountLines();

    TPreferences& FPreferences;
    std::unique_ptr<TStatisticsList> FList;
    TStatisticsModel* FModel = nullptr;
    TChartLineStatsModel* FLineModel = nullptr;
    TLogger* FLogger = nullptr;
    bool FShowsLines = false;
    QLabel* FLineNotes = nullptr;
    QLabel* FListHeader = nullptr;
    QListWidget* FStatList = nullptr;
    TOptionsPanel* FPanel = nullptr;
    QLabel* FStatHeader = nullptr;
    QTableView* FGrid = nullptr;
    QPushButton* FOK = nullptr;
};

// Opens the window modally over `parent` for the log.
void OpenStatisticsWindow(QWidget* parent, TLogger& logger, TPreferences& preferences);

} // namespace drawmentor
