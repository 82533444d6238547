#pragma once

#include <QDialog>

class QPushButton;

namespace drawmentor {

class TLogger;
class TOptionsPanel;
class TPreferences;

// Chooses which records to delete: the filter panel's game, modes and last
// day. Its choices change the shared filter at once, even when cancelled.
class TClearLogWindow : public QDialog {
    Q_OBJECT

  public:
    TClearLogWindow(TLogger& logger, TPreferences& preferences, QWidget* parent = nullptr);

    void Retranslate();
    TOptionsPanel& Panel() { return *FPanel; }

  private:
    TPreferences& FPreferences;
    TOptionsPanel* FPanel = nullptr;
    QPushButton* FOK = nullptr;
    QPushButton* FCancel = nullptr;
};

// True when the player confirmed deleting what the filter now chooses.
bool ConfirmClearByFilter(QWidget* parent, TLogger& logger, TPreferences& preferences);

} // namespace drawmentor
