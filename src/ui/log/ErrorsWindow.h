#pragma once

#include "play/LogRecord.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTableView;

namespace drawmentor {

class TErrorsDelegate;
class TErrorsModel;
class TLogger;
class TPreferences;
class TGradientLabel;
class TOptionsPanel;

// The logged hands whose hold cost expected return, through the log filter
// and the chosen severities, the player's hold and the best one marked on
// the cards. The list follows the shared filter while the window is shown.
class TErrorsWindow : public QDialog {
    Q_OBJECT

  public:
    TErrorsWindow(TLogger& logger, TPreferences& preferences, QWidget* parent = nullptr);

    void Retranslate();
    // Takes the severities and variants from the panel; refreshes only
    // when the severities changed.
    void ReadPanel();
    void Refresh();
    void RefreshIfVisible();
    // Whole rows fit the list; the spare height of the window goes.
    int VisibleRows() const;

    TErrorsModel& Model() { return *FModel; }
    TOptionsPanel& Panel() { return *FPanel; }
    QTableView& Grid() { return *FGrid; }

  signals:
    // A double click on a row: the player wants to see every hold of that hand.
    void HandChosen(const drawmentor::TLogRecord& record);

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void SizeColumns();
    void ShowSortKey();

    TLogger& FLogger;
    TPreferences& FPreferences;
    TErrorsModel* FModel = nullptr;
    TErrorsDelegate* FDelegate = nullptr;
    TGradientLabel* FHeader = nullptr;
    QTableView* FGrid = nullptr;
    TOptionsPanel* FPanel = nullptr;
    QLabel* FLegend = nullptr;
    QPushButton* FOK = nullptr;
    unsigned FSeverities = 0; // none yet, so that the first reading fills the list
    bool FRowsFitted = false;
};

// Opens the errors window modally over `parent`; `openHand` shows every hold
// of a logged hand the player double-clicks, over the window it is given.
void ShowErrorsWindow(QWidget* parent, TLogger& logger, TPreferences& preferences,
                      std::function<void(QWidget*, const TLogRecord&)> openHand = {});

} // namespace drawmentor
