#pragma once

#include <QApplication>
#include <QPushButton>
#include <QTest>
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

} // namespace drawmentor::testing
