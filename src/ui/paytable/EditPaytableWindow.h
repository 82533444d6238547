#pragma once

#include "games/PayTable.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTableView;

namespace drawmentor {

class TPaytableModel;
class TPokerDescription;
class TPreferences;
class TReturnPanel;

// The paytable editor: the pays of every line for 1..5 coins, typed in
// place, with the return of the paytable as it stands once every cell holds
// a pay. OK hands the paytable to `commit`; when that fails the player is
// told and the window stays open with the edit. A line paying less than a
// commoner one, and a paytable the store already holds, are pointed out
// under the grid, never refused.
class TEditPaytableWindow : public QDialog {
    Q_OBJECT

  public:
    enum TEditMode { emEdit, emAdd };
    using TCommit = std::function<void(const TPayTable&)>;
    // The index of another stored paytable equal to the edit, or -1.
    using TFindStored = std::function<int(const TPayTable&)>;
    // After the last key the player typed, before the return is computed.
    static constexpr int kReturnDelayMs = 400;

    TEditPaytableWindow(QWidget* parent, TPreferences& preferences, const TPokerDescription& game,
                        const TPayTable& pays, TEditMode mode, TCommit commit,
                        TFindStored findStored = {});

    TPaytableModel& Model() { return *FModel; }
    TReturnPanel& Returns() { return *FReturns; }
    // What the line under the grid says; empty when nothing needs a look.
    QString Warning() const;
    void Retranslate();
    void accept() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Changed();
    void LayoutGrid();
    void FitLineNames();

    TPreferences& FPreferences;
    const TPokerDescription& FGame;
    TEditMode FMode;
    TCommit FCommit;
    TFindStored FFindStored;
    TPaytableModel* FModel = nullptr;
    QLabel* FPokerName = nullptr;
    QTableView* FGrid = nullptr;
    QLabel* FWarning = nullptr;
    TReturnPanel* FReturns = nullptr;
    QPushButton* FOK = nullptr;
    QPushButton* FCancel = nullptr;
};

} // namespace drawmentor
