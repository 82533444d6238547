// The trainer: one window per user and desktop session.
#include "play/TableChart.h"
#include "prefs/Preferences.h"
#include "ui/app/Application.h"
#include "ui/app/SingleInstance.h"
#include "ui/app/StopSignals.h"
#include "ui/common/AboutWindow.h"
#include "ui/common/GradientLabel.h"
#include "ui/main/FirstStart.h"
#include "ui/main/MainWindow.h"

#include <QMessageBox>

int main(int argc, char** argv) {
    using namespace drawmentor;
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DrawMentor"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/ICON")));
    TSingleInstance instance;
    if (instance.ActivateRunning()) return 0; // the running trainer comes to the front
    if (!instance.Listen())
        qWarning(
            "DrawMentor: no single-instance socket (%s); another start will open a second window",
            qPrintable(TSingleInstance::DefaultName()));
    InstallFontProbe();
    const TStopSignals stopSignals;
    // The chart of each game chosen is made in the background, for the
    // trainer's word on why a hold costs coins.
    TTableChart::SetBackgroundGeneration(true);
    int status = 0;
    try {
        TMainWindow window(Preferences());
        QObject::connect(&instance, &TSingleInstance::ActivationRequested, &window,
                         [&window] { BringToFront(&window); });
        window.show();
        ShowStartNotices(window, Preferences());
        OfferDeckAtFirstStart(window, Preferences());
        status = app.exec();
    } catch (...) {
        // Start-up failed (no paytable at all, no card pictures): say why.
        try {
            throw;
        } catch (const std::exception& error) {
            QMessageBox::critical(nullptr, ProgramTitle(), QString::fromUtf8(error.what()));
        }
        status = 1;
    }
    // The settings file is written last, here where a failure can still be
    // shown: the old file is kept, and the player learns that this session's
    // settings are not in it.
    try {
        if (Preferences().WriteOnExit) {
            Preferences().SaveSettings();
            Preferences().WriteSettingsFile();
        }
        Preferences().WriteOnExit = false;
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, ProgramTitle(), QString::fromUtf8(error.what()));
        Preferences().WriteOnExit = false;
        status = 1;
    }
    ReleasePreferences();
    return status;
}
