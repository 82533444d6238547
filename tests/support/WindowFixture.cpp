#include "WindowFixture.h"

#include "ui/app/Application.h"

namespace drawmentor::testing {

TWindowFixture::TWindowFixture(uint32_t seed) : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {
    TRandom::SetSeedSource([seed] { return seed; });
    preferences = std::make_unique<TPreferences>();
    preferences->DealSpeed = 0;
    window = std::make_unique<TMainWindow>(*preferences);
    // A costly hold would stop a test at the modal warning; tests that are
    // about the warning switch it on.
    window->Session().SetOption(kShowWarnings, false);
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
}

TWindowFixture::~TWindowFixture() {
    window.reset();
    preferences.reset();
    TRandom::SetSeedSource({});
    TApplication::SetReportHandler({});
}

QWidget* TWindowFixture::TopLevel(const char* name) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String(name)) return top;
    return nullptr;
}

} // namespace drawmentor::testing
