#include "TempFolders.h"

#include "prefs/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace drawmentor::testing {

TTempFolders::TTempFolders(const QString& programFolder)
    : FProgramFolder(programFolder.isEmpty() ? FProgram.path() : programFolder),
      FPreviousProgram(ProgramFolder()), FPreviousData(DataFolder()) {
    SetProgramFolder(FProgramFolder);
    SetDataFolder(FData.path() + QStringLiteral("/user/DrawMentor"));
}

TTempFolders::~TTempFolders() {
    SetProgramFolder(FPreviousProgram);
    SetDataFolder(FPreviousData);
}

QString TTempFolders::Program() const {
    return FProgramFolder + QLatin1Char('/');
}
QString TTempFolders::Data() const {
    return FData.path() + QStringLiteral("/user/DrawMentor/");
}

void TTempFolders::WriteProgramFile(const QString& name, const QByteArray& contents) const {
    WriteFile(Program() + name, contents);
}

void TTempFolders::WriteDataFile(const QString& name, const QByteArray& contents) const {
    WriteFile(Data() + name, contents);
}

QByteArray TTempFolders::ReadDataFile(const QString& name) const {
    return ReadFile(Data() + name);
}

void TTempFolders::SeedDataFile(const QString& name, const QString& source) const {
    if (QFileInfo::exists(source)) WriteDataFile(name, ReadFile(source));
}

void WriteFile(const QString& path, const QByteArray& contents) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(contents);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace drawmentor::testing
