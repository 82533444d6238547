#include "HelpWindow.h"

#include "AboutWindow.h"

#include "prefs/Preferences.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace drawmentor {
namespace {

QString HelpFolder(const TPreferences& preferences) {
    return QFileInfo(preferences.HelpFileName()).path();
}

} // namespace

QString HelpTopic(int context) {
    switch (context) {
    case 100: return QStringLiteral("main");
    case 200: return QStringLiteral("diag_stat");
    case 300: return QStringLiteral("diag_charts");
    case 400: return QStringLiteral("diag_errors");
    case 500: return QStringLiteral("diag_clear_stat");
    case 600: return QStringLiteral("prefs");
    case 700: return QStringLiteral("poker_choice");
    case 800: return QStringLiteral("poker_edit");
    case 1000: return QStringLiteral("howtoplay");
    case 1100: return QStringLiteral("allhands");
    case 1200: return QStringLiteral("diag_deck");
    case 1300: return QStringLiteral("diag_back");
    case 1400: return QStringLiteral("warning");
    case 1500: return QStringLiteral("analysehand");
    case 1600: return QStringLiteral("noerrors");
    case 1700: return QStringLiteral("bankroll");
    case 1800: return QStringLiteral("strategychart");
    default: return {};
    }
}

bool ShowHelp(QWidget* parent, int helpContext, const TPreferences& preferences) {
    const QString topic = HelpTopic(helpContext);
    if (topic.isEmpty()) return false;
    const QString page =
        HelpFolder(preferences) + QStringLiteral("/") + topic + QStringLiteral(".html");
    if (!QFileInfo::exists(page)) {
        QMessageBox::information(parent, ProgramTitle(),
                                 QStringLiteral("Sorry, html help not installed."));
        return false;
    }
    // One help window, reused: the next topic shows in it.
    static QPointer<QDialog> window;
    // Beside a modal dialog only the dialog's own windows take input, so the
    // help belongs to the dialog that asked for it (and goes with it).
    QWidget* owner = QApplication::activeModalWidget();
    if (window && window->parentWidget() != owner) window->setParent(owner, Qt::Window);
    if (!window) {
        window = new QDialog(owner, Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setObjectName(QStringLiteral("fHelp"));
        window->resize(640, 520);
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* browser = new QTextBrowser(window);
        browser->setObjectName(QStringLiteral("HelpBrowser"));
        browser->setOpenExternalLinks(true);
        layout->addWidget(browser);
        QObject::connect(browser, &QTextBrowser::sourceChanged, window, [browser](const QUrl&) {
            browser->window()->setWindowTitle(browser->documentTitle());
        });
    }
    auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    browser->setSource(QUrl::fromLocalFile(page));
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

} // namespace drawmentor
