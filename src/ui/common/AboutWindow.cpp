#include "AboutWindow.h"

#include "prefs/Preferences.h"
#include "render/ImageCodec.h"
#include "ui/common/TextSections.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace drawmentor {

QString ProgramVersion() {
    return QStringLiteral(DRAWMENTOR_VERSION);
}

QString ProgramTitle() {
    const QStringList parts = ProgramVersion().split(QLatin1Char('.'));
    return QStringLiteral("DrawMentor %1.%2")
        .arg(parts.value(0), parts.value(1, QStringLiteral("0")));
}

void ShowAbout(QWidget* parent, const TPreferences& preferences) {
    QDialog dialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog.setObjectName(QStringLiteral("fAbout"));
    dialog.setWindowTitle(preferences.Texts().WindowCaption(QStringLiteral("About")));
    auto* layout = new QVBoxLayout(&dialog);
    auto* image = new QLabel(&dialog);
    image->setObjectName(QStringLiteral("ImageAbout"));
    image->setPixmap(QPixmap::fromImage(LoadImageResource(QStringLiteral("ABOUT"))));
    layout->addWidget(image);
    auto* title =
        new QLabel(QStringLiteral("<b><span style='font-size:16pt'>Draw</span>"
                                  "<span style='font-size:16pt; color:#a00000'>Mentor</span></b>"),
                   &dialog);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    const QString date =
        QLocale().toString(QFileInfo(QCoreApplication::applicationFilePath()).lastModified().date(),
                           QLocale::ShortFormat);
    auto* version =
        new QLabel(QStringLiteral("Version %1  (%2)").arg(ProgramVersion(), date), &dialog);
    version->setObjectName(QStringLiteral("lVersion"));
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);
    auto* licence = new QLabel(
        preferences.Texts().Translate(QStringLiteral("About"), QStringLiteral("Licence")) +
            QStringLiteral("\n\n") +
            preferences.Texts().Translate(QStringLiteral("About"), QStringLiteral("Credits")),
        &dialog);
    licence->setObjectName(QStringLiteral("lLicence"));
    licence->setWordWrap(true);
    licence->setAlignment(Qt::AlignCenter);
    layout->addWidget(licence);
    auto* ok = new QPushButton(
        preferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("OK")), &dialog);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    dialog.exec();
}

} // namespace drawmentor
