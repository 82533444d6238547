#pragma once

#include "support/TempFolders.h"

#include "play/Session.h"
#include "prefs/Preferences.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace drawmentor::testing {

// The trainer's main window for a window test: a temporary data folder, deals
// from a fixed seed, no deal delay, shown and active on the offscreen screen.
class TWindowFixture : public ::testing::Test {
  protected:
    explicit TWindowFixture(uint32_t seed = 4242u);
    ~TWindowFixture() override;

    TMainWindow& Window() { return *window; }
    TSession& Session() { return window->Session(); }
    // A child of the main window by object name, or nullptr.
    template <class T> T* Find(const char* name) {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    // The modal dialog or top-level window with that object name, or nullptr.
    static QWidget* TopLevel(const char* name);

    TTempFolders folders;
    std::unique_ptr<TPreferences> preferences;
    std::unique_ptr<TMainWindow> window;
};

} // namespace drawmentor::testing
