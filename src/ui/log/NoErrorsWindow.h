#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

namespace drawmentor {

class TPreferences;

// Offered when there is no error hand to replay: which mode to play instead.
class TNoErrorsWindow : public QDialog {
    Q_OBJECT

  public:
    explicit TNoErrorsWindow(const TPreferences& preferences, QWidget* parent = nullptr);

    void Retranslate();
    // 0 AutoHold, 1 Training, 2 Real Play, as ticked; -1 when none is.
    int ChosenMode() const;

  private:
    const TPreferences& FPreferences;
    QLabel* FMessage = nullptr;
    QRadioButton* FModes[3] = {};
    QPushButton* FOK = nullptr;
    QPushButton* FCancel = nullptr;
};

// The mode to switch to, or -1 when the player cancels.
int AskModeForNoErrors(QWidget* parent, const TPreferences& preferences);

} // namespace drawmentor
