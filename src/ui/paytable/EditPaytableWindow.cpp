#include "EditPaytableWindow.h"

#include "PaytableGrid.h"
#include "PaytableModel.h"
#include "ReturnPanel.h"
#include "SelectController.h"

#include "play/GameText.h"
#include "prefs/Texts.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/GradientLabel.h"
#include "ui/common/HelpKey.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/LineText.h"
#include "ui/common/MessageBox.h"
#include "ui/common/TextSections.h"

#include "games/PokerDescription.h"
#include "prefs/Preferences.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

namespace drawmentor {

TEditPaytableWindow::TEditPaytableWindow(QWidget* parent, TPreferences& preferences,
                                         const TPokerDescription& game, const TPayTable& pays,
                                         TEditMode mode, TCommit commit, TFindStored findStored)
    : QDialog(parent), FPreferences(preferences), FGame(game), FMode(mode),
      FCommit(std::move(commit)), FFindStored(std::move(findStored)) {
    setObjectName(QStringLiteral("fEdit"));
    QStringList lines;
    for (int line = 0; line <= game.LastLine; ++line)
        lines << LineText(game, line, preferences.Texts());
    FModel = new TPaytableModel(lines, pays, this);
    auto* layout = new QVBoxLayout(this);
    FPokerName = new QLabel(this);
    FPokerName->setObjectName(QStringLiteral("lPokerName"));
    FPokerName->setMinimumHeight(22);
    layout->addWidget(FPokerName);
    FGrid = new QTableView(this);
    FGrid->setObjectName(QStringLiteral("PayoutGrid"));
    FGrid->setModel(FModel);
    FGrid->setItemDelegate(new TPayDelegate(FGrid));
    FGrid->horizontalHeader()->hide();
    FGrid->verticalHeader()->hide();
    FGrid->setShowGrid(true);
    FGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    FGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FGrid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    FGrid->setMinimumHeight(20 * (game.LastLine + 1));
    FGrid->viewport()->installEventFilter(this);
    layout->addWidget(FGrid, 1);
    FWarning = new QLabel(this);
    FWarning->setObjectName(QStringLiteral("lPayWarning"));
    FWarning->setWordWrap(true);
    FWarning->setStyleSheet(QStringLiteral("color: #b00000"));
    layout->addWidget(FWarning);
    FReturns = new TReturnPanel(preferences, this);
    layout->addWidget(FReturns);
    const TDialogButtons buttons = AddDialogButtons(*this, *layout);
    FOK = buttons.OK;
    FCancel = buttons.Cancel;
    connect(FModel, &TPaytableModel::Changed, this, &TEditPaytableWindow::Changed);
    InstallHelpKey(*this, hcEditPaytable, FPreferences);
    connect(&FPreferences, &TPreferences::PreferencesChanged, this,
            &TEditPaytableWindow::Retranslate);
    // Room for two lines of warning under the grid.
    resize(520, 120 + 24 * (game.LastLine + 1) + 70 + 34);
    setFixedSize(size());
    Retranslate();
    Changed();
    FGrid->setCurrentIndex(FModel->index(0, 1));
    FGrid->setFocus();
}

void TEditPaytableWindow::Retranslate() {
    setWindowTitle(FPreferences.Texts().WindowCaption(
        FMode == emAdd ? QStringLiteral("AddPokerPayout") : QStringLiteral("EditPokerPayout")));
    FOK->setText(FPreferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("OK")));
    FCancel->setText(FPreferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("Cancel")));
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
    FPokerName->setText(GameNameText(FGame.Name, FPreferences.Texts()).toUpper());
    FPokerName = MakeHeaderLabel(FPokerName, FPreferences);
    FitLineNames();
    FReturns->Retranslate();
    FWarning->setText(Warning());
    LayoutGrid();
}

QString TEditPaytableWindow::Warning() const {
    const QString section = QStringLiteral("PaytableFile");
    const TPayTable& pays = FModel->Pays();
    QStringList warnings;
    if (const TPayInversion inverted = FindPayInversion(FGame, pays); inverted.Line >= 0)
        warnings << FormatText(
            FPreferences.Texts().Translate(section, QStringLiteral("PaysLessThanBelow")),
            {LineText(FGame, inverted.Line, FPreferences.Texts()),
             LineText(FGame, inverted.Below, FPreferences.Texts()),
             QString::number(inverted.Coins)});
    if (FFindStored && FModel->Complete())
        if (const int same = FFindStored(pays); same >= 0) {
            QString number = QString::number(same + 1);
            if (const std::string name = PaytableShortName(FGame, pays); !name.empty())
                number += QStringLiteral(" (%1)").arg(QString::fromStdString(name));
            warnings << FormatText(
                FPreferences.Texts().Translate(section, QStringLiteral("SameAsStored")), {number});
        }
    return warnings.join(QLatin1Char('\n'));
}

void TEditPaytableWindow::Changed() {
    const bool complete = FModel->Complete();
    FOK->setEnabled(complete);
    if (complete)
        FReturns->Show(FGame.GameIndex,
                       PaysForBet(FModel->Pays(), FGame.LastLine, TReturnPanel::kBetCoins),
                       kReturnDelayMs);
    else
        FReturns->Clear(QStringLiteral("Incomplete"));
    FWarning->setText(Warning());
}

void TEditPaytableWindow::accept() {
    if (!FModel->Complete()) return;
    try {
        FCommit(FModel->Pays());
    } catch (const std::exception& error) {
        const QString text = FPreferences.Texts().Translate(QStringLiteral("PaytableFile"),
                                                            QStringLiteral("NotSaved")) +
                             QStringLiteral("\n\n") + QString::fromUtf8(error.what());
        TMessageBox::Tell(this, QStringLiteral("PaytableNotSaved"), windowTitle(), text,
                          FPreferences);
        return; // the edit stays on the screen
    }
    QDialog::accept();
}

bool TEditPaytableWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FGrid->viewport() && event->type() == QEvent::Resize) LayoutGrid();
    return QDialog::eventFilter(watched, event);
}

// The window grows rather than wrap a long line name (a kicker line in
// Russian) inside its cell; it never shrinks below its first width.
void TEditPaytableWindow::FitLineNames() {
    QStringList lines;
    for (int line = 0; line <= FGame.LastLine; ++line)
        lines << LineText(FGame, line, FPreferences.Texts());
    const int grid = PaytableGridMinimumWidth(FGrid->fontMetrics(), lines) + (kMaxCoins + 1);
    const QMargins margins = layout()->contentsMargins();
    const int wanted = grid + 2 * FGrid->frameWidth() + margins.left() + margins.right();
    if (wanted > width()) setFixedSize(wanted, height());
}

void TEditPaytableWindow::LayoutGrid() {
    // Less one grid line per column and per row, as the view draws them.
    const int rows = FModel->rowCount();
    const TGridSizes sizes = PaytableGridSizes(FGrid->viewport()->width() - (kMaxCoins + 1),
                                               FGrid->viewport()->height() - rows, rows);
    for (int column = 0; column <= kMaxCoins; ++column)
        FGrid->setColumnWidth(column, sizes.Columns[column] + 1);
    for (int row = 0; row < rows; ++row) FGrid->setRowHeight(row, sizes.Rows[row] + 1);
}

} // namespace drawmentor
