#pragma once

// The statistics and chart windows over a log that the command-line tool
// played: one session of Deuces Wild played right, then one of Jacks or Better
// with random holds and every win doubled, so that the shared filter opens on
// the Jacks or Better hands of today in Training.
#include "play/Session.h"
#include "prefs/Preferences.h"
#include "ui/common/MessageBox.h"

#include "support/TempFolders.h"

#include <QApplication>
#include <QDate>
#include <QProcess>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <memory>

namespace drawmentor::testing {

class LogWindowFixture : public ::testing::Test {
  protected:
    LogWindowFixture() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {
        folders.SeedDataFile(QStringLiteral("DrawMentor.returns"),
                             QStringLiteral(DRAWMENTOR_SEEDED_RETURNS));
    }

    // Plays the two sessions into the data folder, then opens the session.
    void PlayAndOpen() {
        ASSERT_EQ(
            Cli({"simulate", "--game", "4", "--paytable", "0", "--hands", "15", "--seed", "8"})
                .first,
            0);
        ASSERT_EQ(Cli({"simulate", "--game", "0", "--paytable", "0", "--hands", "80", "--seed", "8",
                       "--policy", "random", "--double", "always"})
                      .first,
                  0);
        Open();
    }
    void Open() {
        session.reset(); // it writes its settings through the preferences
        preferences = std::make_unique<TPreferences>();
        preferences->WriteOnExit = false;
        session = std::make_unique<TSession>(*preferences);
    }
    // The tool's exit status and standard output, run on this test's data folder.
    std::pair<int, QString> Cli(QStringList arguments) {
        arguments << QStringLiteral("--data-dir") << folders.Data();
        QProcess process;
        process.start(QStringLiteral(DRAWMENTOR_CLI), arguments);
        process.waitForFinished(60000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
    }
    // The filter the windows open with, as the command line's options.
    static QStringList OpeningFilter() {
        return {"--game",  "0", "--paytable", "0",
                "--modes", "1", "--from",     QDate::currentDate().toString(Qt::ISODate)};
    }
    template <class T> static T* Find(QWidget& window, const char* name) {
        T* child = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    // F1 in the window: the page the help window shows, which is then closed.
    static QString HelpPageOnF1(QWidget& window) {
        QApplication::setActiveWindow(&window);
        QTest::keyClick(&window, Qt::Key_F1);
        QString page;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* browser = top->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"))) {
                page = browser->source().toString();
                top->close();
            }
        return page;
    }

    TTempFolders folders;
    std::unique_ptr<TPreferences> preferences;
    std::unique_ptr<TSession> session;
};

} // namespace drawmentor::testing
