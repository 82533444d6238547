#include "ExceptionReport.h"

#include "ui/common/AboutWindow.h"
#include "ui/common/GradientLabel.h"
#include "ui/common/TextSections.h"

#include "core/Error.h"
#include "prefs/Preferences.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace drawmentor {

namespace {

const QString kSupportAddress = QStringLiteral("support@drawmentor.invalid");

} // namespace

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
        frames += QStringLiteral("\n%1").arg(reinterpret_cast<quintptr>(address), 8, 16,
                                             QLatin1Char('0'));
    const quintptr raisedAt = trace.empty() ? 0 : reinterpret_cast<quintptr>(trace.front());
    return QStringLiteral("DrawMentor %1\n%2\n%3\n%4")
        .arg(ProgramVersion(), message, QStringLiteral("%1").arg(raisedAt, 8, 16, QLatin1Char('0')),
             frames);
}

void ShowExceptionReport(QWidget* parent, const QString& text, const TPreferences& preferences) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("fmException"));
    dialog.setWindowTitle(ProgramTitle());
    dialog.resize(520, 360);
    auto* layout = new QVBoxLayout(&dialog);
    auto* header = new QLabel(QStringLiteral("SORRY,  PROGRAMM  ERROR "), &dialog);
    header->setObjectName(QStringLiteral("lHeader"));
    layout->addWidget(header);
    const QString translated =
        preferences.Texts().Translate(QStringLiteral("Exception"), QStringLiteral("Header"));
    if (!translated.isEmpty()) header->setText(translated);
    header->setMinimumHeight(26);
    MakeHeaderLabel(header, preferences);
    auto* memo = new QPlainTextEdit(text, &dialog);
    memo->setObjectName(QStringLiteral("Memo"));
    memo->setReadOnly(true);
    layout->addWidget(memo);
    auto* row = new QHBoxLayout;
    const auto button = [&](const char* name, const char* key, const QString& hint) {
        auto* b = new QPushButton(
            preferences.Texts().Translate(kMainButtonsTexts, QString::fromLatin1(key)), &dialog);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(hint);
        row->addWidget(b);
        return b;
    };
    QPushButton* send =
        button("btnSend", "Send", QStringLiteral("Send error text to author by e-mail"));
    QPushButton* copy = button("btnCopy", "Copy", QStringLiteral("Copy error text to clipboard"));
    row->addStretch();
    QPushButton* ok = button("btnOK", "OK", QStringLiteral("Close this window"));
    ok->setDefault(true);
    layout->addLayout(row);
    QObject::connect(copy, &QPushButton::clicked,
                     [memo] { QApplication::clipboard()->setText(memo->toPlainText()); });
    QObject::connect(send, &QPushButton::clicked, [memo] {
        const QString body = ProgramTitle() + QStringLiteral("\r\n") + memo->toPlainText();
        QDesktopServices::openUrl(
            QUrl(QStringLiteral("mailto:%1?subject=DrawMentor%20error&body=%2")
                     .arg(kSupportAddress, QString::fromLatin1(QUrl::toPercentEncoding(body)))));
    });
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.exec();
}

} // namespace drawmentor
