#include "DataFolder.h"

#include "core/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace drawmentor {
namespace {

QString WithSlash(QString folder) {
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return folder;
}

QString& ProgramFolderOverride() {
    static QString folder;
    return folder;
}

QString& DataFolderOverride() {
    static QString folder;
    return folder;
}

} // namespace

QString ProgramFolderOf(const QString& executableFolder) {
    // The path is relative, so an installed tree still works after it moves
    // and under any prefix; the build tree has no such folder.
    const QString installed =
        QDir::cleanPath(executableFolder + QStringLiteral("/" DRAWMENTOR_DATA_FROM_BINDIR));
    return WithSlash(QFileInfo(installed).isDir() ? installed : executableFolder);
}

QString ProgramFolder() {
    if (!ProgramFolderOverride().isEmpty()) return ProgramFolderOverride();
    if (QCoreApplication::instance())
        return ProgramFolderOf(QCoreApplication::applicationDirPath());
    // Tools without an application object still find the files of their own tree.
    return ProgramFolderOf(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath());
}

QString DataFolder() {
    if (!DataFolderOverride().isEmpty()) return DataFolderOverride();
    static const QString folder = [] {
        const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (base.isEmpty()) return ProgramFolder();
        return WithSlash(base) + QStringLiteral("DrawMentorProject/DrawMentor/");
    }();
    return folder;
}

QString DataFileReadPath(const QString& name) {
    const QString own = DataFolder() + name;
    return QFileInfo::exists(own) ? own : ProgramFolder() + name;
}

QString DataFileWritePath(const QString& name) {
    const QString folder = DataFolder();
    if (!QDir().mkpath(folder))
        throw EDrawMentor(
            QStringLiteral("Cannot create the data folder %1").arg(folder).toStdString());
    return folder + name;
}

void SetProgramFolder(const QString& folder) {
    ProgramFolderOverride() = folder.isEmpty() ? QString() : WithSlash(folder);
}

void SetDataFolder(const QString& folder) {
    DataFolderOverride() = folder.isEmpty() ? QString() : WithSlash(folder);
}

} // namespace drawmentor
