#pragma once

#include "play/GameWindows.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace drawmentor {

class TSession;
class TGradientLabel;
class TPreferences;

// Shown before a draw whose hold gives away expected return: the player's
// hold and the best one side by side, what the difference costs, and the
// choice to take the best hold, to draw the player's, or to go back to the
// hand and change it. Going back is what Enter, Space and Esc do: a reflex
// never draws a hold the player did not look at again.
class TWarningWindow : public QDialog {
    Q_OBJECT

  public:
    // `allHands` shows every hold of the hand on the table over the window
    // it is given; without it the button stays disabled.
    TWarningWindow(const TSession& session, TPreferences& preferences,
                   std::function<void(QWidget*)> allHands = {}, QWidget* parent = nullptr);

    void Retranslate();
    // The cards and the returns of the hand on the table.
    void Fill();
    bool StopWarnings() const;
    // How the window was closed: exec()'s result.
    enum TChoice { wcChangeHold = QDialog::Rejected, wcApplyBest = QDialog::Accepted, wcKeepHold };

  private:
    QLabel* AddLabel(const char* name);

    const TSession& FSession;
    TPreferences& FPreferences;
    std::function<void(QWidget*)> FAllHands;
    TGradientLabel* FHeader = nullptr;
    QLabel* FYourChoice = nullptr;
    QLabel* FBestWay = nullptr;
    QLabel* FMyCards[5] = {};
    QLabel* FBestCards[5] = {};
    QLabel* FEV1 = nullptr;
    QLabel* FMyEV = nullptr;
    QLabel* FMyEVDollars = nullptr;
    QLabel* FEV2 = nullptr;
    QLabel* FBestEV = nullptr;
    QLabel* FBestEVDollars = nullptr;
    QLabel* FComment = nullptr;
    QCheckBox* FWarnings = nullptr;
    QPushButton* FBack = nullptr;
    QPushButton* FApply = nullptr;
    QPushButton* FCancel = nullptr;
    QPushButton* FAllHandsButton = nullptr;
    QLabel* FWhy = nullptr; // the chart lines of both holds
};

IGameWindows::TWarningAnswer ShowWarningWindow(QWidget* parent, const TSession& session,
                                               TPreferences& preferences,
                                               std::function<void(QWidget*)> allHands = {});

} // namespace drawmentor
