#include "ClearLogWindow.h"

#include "ui/common/DialogButtons.h"
#include "ui/common/GradientLabel.h"
#include "ui/common/HelpKey.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/TextSections.h"
#include "ui/log/OptionsPanel.h"

#include "prefs/Preferences.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace drawmentor {

TClearLogWindow::TClearLogWindow(TLogger& logger, TPreferences& preferences, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FPreferences(preferences) {
    setObjectName(QStringLiteral("fClearLog"));
    auto* layout = new QVBoxLayout(this);
    FPanel = new TOptionsPanel(this);
    FPanel->AddGroups(ogGame | ogDate | ogModes);
    layout->addWidget(FPanel, 1);
    const TDialogButtons buttons = AddDialogButtons(*this, *layout);
    FOK = buttons.OK;
    FCancel = buttons.Cancel;
    // The window grows with the panel's groups.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(&preferences, &TPreferences::PreferencesChanged, this, &TClearLogWindow::Retranslate);
    InstallHelpKey(*this, hcClearLog, preferences);
    FPanel->AttachLog(logger);
}

void TClearLogWindow::Retranslate() {
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
    setWindowTitle(FPreferences.Texts().WindowCaption(kClearByFilterTexts));
    FPanel->Retranslate(FPreferences);
    FPanel->SetHeader(
        FPreferences.Texts().Translate(kClearByFilterTexts, QStringLiteral("Header")));
    FPanel->SetDateLabel(
        FPreferences.Texts().Translate(kClearByFilterTexts, QStringLiteral("From")));
    FOK->setText(FPreferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("OK")));
    FCancel->setText(FPreferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("Cancel")));
}

bool ConfirmClearByFilter(QWidget* parent, TLogger& logger, TPreferences& preferences) {
    TClearLogWindow window(logger, preferences, parent);
    window.Retranslate();
    return window.exec() == QDialog::Accepted;
}

} // namespace drawmentor
