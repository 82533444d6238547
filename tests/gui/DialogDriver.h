#pragma once

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace drawmentor::testing {

// Runs `act` on the next modal window once its event loop runs (asked again
// every few milliseconds until one opens, for a while); `act` must close it.
inline void WhenModal(std::function<void(QWidget&)> act, QWidget* before = nullptr,
                      int triesLeft = 500) {
    if (!before) before = QApplication::activeModalWidget();
    QTimer::singleShot(triesLeft == 500 ? 0 : 10, [act, before, triesLeft] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != before)
            act(*modal);
        else if (triesLeft > 0)
            WhenModal(act, before, triesLeft - 1);
    });
}

inline void ClickButton(QWidget& window, const char* name) {
    auto* button = window.findChild<QPushButton*>(QString::fromLatin1(name));
    if (button) QTest::mouseClick(button, Qt::LeftButton);
}

// Presses F1 in `window` and answers the page the help window shows (its
// file name), closing the help again; "" when none opened. `owner` gets the
// window the help belongs to.
inline QString HelpPageAfterF1(QWidget& window, QWidget** owner = nullptr) {
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_F1);
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String("fHelp") && top->isVisible()) {
            const QString page = top->findChild<QTextBrowser*>()->source().fileName();
            if (owner) *owner = top->parentWidget();
            top->close();
            return page;
        }
    return {};
}

} // namespace drawmentor::testing
