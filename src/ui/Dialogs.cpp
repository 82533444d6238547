#include "Dialogs.h"

#include "GradientLabel.h"

#include "cards/Error.h"
#include "prefs/Preferences.h"
#include "render/ImageCodec.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace drawmentor {
namespace {

const QString kButtons = QStringLiteral("Main.Buttons");
const QString kSupportAddress = QStringLiteral("support@drawmentor.invalid");

QString HelpFolder(const TPreferences& preferences) { return QFileInfo(preferences.HelpFileName()).path(); }

} // namespace

int ChooseFromList(QWidget* parent, const QString& caption, const QStringList& items, int index,
                   const TPreferences& preferences) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("  ") + caption);
    auto* layout = new QVBoxLayout(&dialog);
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("lbItems"));
    for (const QString& item : items) list->addItem(QStringLiteral(" ") + item);
    list->setCurrentRow(index);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(preferences.Translate(kButtons, QStringLiteral("OK")));
    buttons->button(QDialogButtonBox::Cancel)->setText(preferences.Translate(kButtons, QStringLiteral("Cancel")));
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    // Every item visible without scrolling, unless that passes half the screen.
    const int rowHeight = list->sizeHintForRow(0) > 0 ? list->sizeHintForRow(0) : 18;
    const int screenHalf = (parent && parent->screen() ? parent->screen() : QApplication::primaryScreen())
                               ->availableGeometry().height() / 2;
    list->setFixedHeight(std::min(rowHeight * static_cast<int>(items.size()) + 2 * list->frameWidth(), screenHalf));
    return dialog.exec() == QDialog::Accepted ? list->currentRow() : -1;
}

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
    default: return {};
    }
}

bool ShowHelp(QWidget* parent, int helpContext, const TPreferences& preferences) {
    const QString topic = HelpTopic(helpContext);
    if (topic.isEmpty()) return false;
    const QString page = HelpFolder(preferences) + QStringLiteral("/") + topic + QStringLiteral(".html");
    if (!QFileInfo::exists(page)) {
        QMessageBox::information(parent, QStringLiteral("DrawMentor 2.0"), QStringLiteral("Sorry, html help not installed."));
        return false;
    }
    // One help window, reused: the next topic shows in it.
    static QPointer<QDialog> window;
    if (!window) {
        window = new QDialog(nullptr, Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setObjectName(QStringLiteral("fHelp"));
        window->resize(640, 520);
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* browser = new QTextBrowser(window);
        browser->setObjectName(QStringLiteral("HelpBrowser"));
        browser->setOpenExternalLinks(true);
        layout->addWidget(browser);
        QObject::connect(browser, &QTextBrowser::sourceChanged, window,
                         [browser](const QUrl&) { browser->window()->setWindowTitle(browser->documentTitle()); });
    }
    auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    browser->setSource(QUrl::fromLocalFile(page));
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

QString ProgramVersion() { return QStringLiteral(DRAWMENTOR_VERSION); }

void ShowAbout(QWidget* parent, const TPreferences& preferences) {
    QDialog dialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog.setObjectName(QStringLiteral("fAbout"));
    dialog.setWindowTitle(preferences.WindowCaption(QStringLiteral("About")));
    auto* layout = new QVBoxLayout(&dialog);
    auto* image = new QLabel(&dialog);
    image->setObjectName(QStringLiteral("ImageAbout"));
    image->setPixmap(QPixmap::fromImage(LoadImageResource(QStringLiteral("ABOUT"))));
    layout->addWidget(image);
    auto* title = new QLabel(QStringLiteral("<b><span style='font-size:16pt'>Draw</span>"
                                            "<span style='font-size:16pt; color:#a00000'>Mentor</span></b>"),
                             &dialog);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    const QString date = QLocale().toString(QFileInfo(QCoreApplication::applicationFilePath()).lastModified().date(),
                                            QLocale::ShortFormat);
    auto* version = new QLabel(QStringLiteral("Version %1  (%2)").arg(ProgramVersion(), date), &dialog);
    version->setObjectName(QStringLiteral("lVersion"));
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);
    auto* ok = new QPushButton(preferences.Translate(kButtons, QStringLiteral("OK")), &dialog);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    dialog.exec();
}

QString ExceptionReportText(const std::exception_ptr& error) {
    QString message = QStringLiteral("Unknown error");
    std::vector<const void*> trace;
    try {
        std::rethrow_exception(error);
    } catch (const EDrawMentor& e) {
        message = QString::fromUtf8(e.what());
        trace = e.Trace();
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
    }
    QString frames = QStringLiteral("Stackframe-based trace:");
    for (const void* address : trace)
        frames += QStringLiteral("\n%1").arg(reinterpret_cast<quintptr>(address), 8, 16, QLatin1Char('0'));
    const quintptr raisedAt = trace.empty() ? 0 : reinterpret_cast<quintptr>(trace.front());
    return QStringLiteral("DrawMentor %1\n%2\n%3\n%4")
        .arg(ProgramVersion(), message, QStringLiteral("%1").arg(raisedAt, 8, 16, QLatin1Char('0')), frames);
}

void ShowExceptionReport(QWidget* parent, const QString& text, const TPreferences& preferences) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("fmException"));
    dialog.setWindowTitle(QStringLiteral("DrawMentor 2.0"));
    dialog.resize(520, 360);
    auto* layout = new QVBoxLayout(&dialog);
    auto* header = new QLabel(QStringLiteral("SORRY,  PROGRAMM  ERROR "), &dialog);
    header->setObjectName(QStringLiteral("lHeader"));
    layout->addWidget(header);
    const QString translated = preferences.Translate(QStringLiteral("Exception"), QStringLiteral("Header"));
    if (!translated.isEmpty()) header->setText(translated);
    header->setMinimumHeight(26);
    MakeHeaderLabel(header, preferences);
    auto* memo = new QPlainTextEdit(text, &dialog);
    memo->setObjectName(QStringLiteral("Memo"));
    memo->setReadOnly(true);
    layout->addWidget(memo);
    auto* row = new QHBoxLayout;
    const auto button = [&](const char* name, const char* key, const QString& hint) {
        auto* b = new QPushButton(preferences.Translate(kButtons, QString::fromLatin1(key)), &dialog);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(hint);
        row->addWidget(b);
        return b;
    };
    QPushButton* send = button("btnSend", "Send", QStringLiteral("Send error text to author by e-mail"));
    QPushButton* copy = button("btnCopy", "Copy", QStringLiteral("Copy error text to clipboard"));
    row->addStretch();
    QPushButton* ok = button("btnOK", "OK", QStringLiteral("Close this window"));
    ok->setDefault(true);
    layout->addLayout(row);
    QObject::connect(copy, &QPushButton::clicked, [memo] { QApplication::clipboard()->setText(memo->toPlainText()); });
    QObject::connect(send, &QPushButton::clicked, [memo] {
        const QString body = QStringLiteral("DrawMentor 2.0\r\n") + memo->toPlainText();
        QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:%1?subject=DrawMentor%20error&body=%2")
                                           .arg(kSupportAddress, QString::fromLatin1(QUrl::toPercentEncoding(body)))));
    });
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.exec();
}

} // namespace drawmentor
