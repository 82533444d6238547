#include "PlayKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>

namespace drawmentor {

TPlayKeys::TPlayKeys(QMainWindow& window, std::function<bool(int key)> act)
    : QObject(&window), FWindow(window), FAct(std::move(act)) {
    qApp->installEventFilter(this);
}

TPlayKeys::~TPlayKeys() {
    qApp->removeEventFilter(this);
}

bool TPlayKeys::IsPlayKey(int key) {
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_Space:
    case Qt::Key_Plus:
    case Qt::Key_Equal:
    case Qt::Key_Minus:
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
    case Qt::Key_4:
    case Qt::Key_5:
    case Qt::Key_B:
    case Qt::Key_M:
    case Qt::Key_D:
    case Qt::Key_V:
    case Qt::Key_H: return true;
    default: return false;
    }
}

bool TPlayKeys::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->type() != QEvent::KeyRelease) return QObject::eventFilter(watched, event);
    // An open menu or a dialog over the window has the keys to itself.
    if (QApplication::activeWindow() != &FWindow || QApplication::activePopupWidget())
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier) || !IsPlayKey(key->key()))
        return QObject::eventFilter(watched, event);
    if (press) {
        // A menu closed with Esc leaves the menu bar holding the keyboard, where
        // a letter would open another menu: the game takes the keyboard back.
        if (FWindow.menuBar()->hasFocus() && FWindow.centralWidget())
            FWindow.centralWidget()->setFocus(Qt::OtherFocusReason);
        return true; // the key's work happens on release; its press reaches no control
    }
    if (key->isAutoRepeat()) return true;
    return FAct(key->key());
}

} // namespace drawmentor
