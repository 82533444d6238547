// The trainer: one window per user and desktop session.
#include "prefs/Preferences.h"
#include "ui/app/Application.h"
#include "ui/app/SingleInstance.h"
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
    instance.Listen();
    InstallFontProbe();
    int status = 0;
    try {
        TfDrawMentor20Main window(Preferences());
        QObject::connect(&instance, &TSingleInstance::ActivationRequested, &window,
                         [&window] { BringToFront(&window); });
        window.show();
        OfferDeckAtFirstStart(window, Preferences());
        status = app.exec();
    } catch (...) {
        // Start-up failed (no paytable at all, no card pictures): say why.
        try {
            throw;
        } catch (const std::exception& error) {
            QMessageBox::critical(nullptr, QStringLiteral("DrawMentor 2.0"),
                                  QString::fromUtf8(error.what()));
        }
        status = 1;
    }
    ReleasePreferences(); // the settings file is written last
    return status;
}
