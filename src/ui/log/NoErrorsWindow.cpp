#include "NoErrorsWindow.h"

#include "ui/common/DialogButtons.h"
#include "ui/common/GradientLabel.h"
#include "ui/common/HelpKey.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/MenuText.h"
#include "ui/common/TextSections.h"

#include "prefs/Preferences.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace drawmentor {

TNoErrorsWindow::TNoErrorsWindow(const TPreferences& preferences, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FPreferences(preferences) {
    setObjectName(QStringLiteral("fmNoErrors"));
    auto* layout = new QVBoxLayout(this);
    FMessage = new QLabel(this);
    FMessage->setObjectName(QStringLiteral("lMessage"));
    FMessage->setWordWrap(true);
    FMessage->setMinimumWidth(300);
    layout->addWidget(FMessage);
    const char* names[3] = {"rbAutoHold", "rbTraining", "rbRealPlay"};
    for (int mode = 0; mode < 3; ++mode) {
        FModes[mode] = new QRadioButton(this);
        FModes[mode]->setObjectName(QString::fromLatin1(names[mode]));
        layout->addWidget(FModes[mode]);
    }
    FModes[0]->setChecked(true);
    const TDialogButtons buttons = AddDialogButtons(*this, *layout);
    FOK = buttons.OK;
    FCancel = buttons.Cancel;
    connect(&preferences, &TPreferences::PreferencesChanged, this, &TNoErrorsWindow::Retranslate);
    InstallHelpKey(*this, hcNoErrors, preferences);
}

void TNoErrorsWindow::Retranslate() {
    setWindowTitle(FPreferences.Texts().WindowCaption(QStringLiteral("NoErrors")));
    FMessage->setText(FPreferences.Texts().Translate(QStringLiteral("Main.Messages"),
                                                     QStringLiteral("MsgNoErrors")));
    const char* keys[3] = {"AutoHint", "Training", "RealPlay"};
    for (int mode = 0; mode < 3; ++mode)
        FModes[mode]->setText(WithoutAccelerators(
            FPreferences.Texts().Translate(kMainMenuTexts, QString::fromLatin1(keys[mode]))));
    FOK->setText(FPreferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("OK")));
    FCancel->setText(FPreferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("Cancel")));
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
}

int TNoErrorsWindow::ChosenMode() const {
    for (int mode : {1, 2, 0})
        if (FModes[mode]->isChecked()) return mode;
    return -1;
}

int AskModeForNoErrors(QWidget* parent, const TPreferences& preferences) {
    TNoErrorsWindow window(preferences, parent);
    window.Retranslate();
    return window.exec() == QDialog::Accepted ? window.ChosenMode() : -1;
}

} // namespace drawmentor
