#pragma once

#include "play/LogCurves.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QListWidget;
class QPushButton;
class QValueAxis;

namespace drawmentor {

class TLogger;
class TOptionsPanel;
class TPreferences;

// Five running curves over the logged hands that the shared filter selects:
// the list of charts on the left above the filter panel (with the choice of
// coins or money), the chosen chart on the right. The curves come from
// ComputeLogCurves, the same as the command line's; the window only plots them,
// each reduced to the points its width can show.
class TPlotWindow : public QDialog {
    Q_OBJECT

  public:
    TPlotWindow(QWidget* parent, TPreferences& preferences);

    void AttachLogger(TLogger& logger);
    void Retranslate();
    void SelectChart(int index);
    // Recomputes the chosen chart from the log and plots it.
    void Redraw();
    // A .png name saves the picture of the chart, any other the curves as CSV;
    // false (after telling the player) when the file could not be written.
    bool SaveTo(const QString& fileName);

    int Selected() const { return FSelected; }
    const TLogCurves& Series() const { return FSeries; }
    // One text per curve in use, as the legend shows them.
    const QStringList& LegendTexts() const { return FLegendTexts; }
    QChart& Chart() const { return *FChart; }
    QLineSeries& Curve(int index) const { return *FCurves[index]; }

    // Tests answer the file dialog of the Save button: the name to use, or
    // an empty text for a cancelled dialog.
    static void SetNextSaveName(std::function<QString()> answer);

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void PlotCurves();
    void AskAndSave();

    TPreferences& FPreferences;
    TLogger* FLogger = nullptr;
    int FSelected = 0;
    bool FShown = false;
    TLogCurves FSeries;
    QStringList FLegendTexts;
    QLabel* FListHeader = nullptr;
    QListWidget* FChartList = nullptr;
    TOptionsPanel* FPanel = nullptr;
    QLabel* FCaption = nullptr;
    QChart* FChart = nullptr;
    QChartView* FView = nullptr;
    QLineSeries* FCurves[2] = {};
    QValueAxis* FAxisX = nullptr;
    QValueAxis* FAxisY = nullptr;
    QPushButton* FSave = nullptr;
    QPushButton* FOK = nullptr;
};

void OpenChartsWindow(QWidget* parent, TLogger& logger, TPreferences& preferences);

} // namespace drawmentor
