#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace drawmentor::testing {

// A program folder and a data folder of their own for one test, installed as
// the process's folders and restored afterwards.
class TTempFolders {
  public:
    // A program folder of its own, or the given one (read only) with a data folder of its own.
    explicit TTempFolders(const QString& programFolder = {});
    ~TTempFolders();

    QString Program() const;
    QString Data() const;
    // Writes `contents` to a file below the program or data folder.
    void WriteProgramFile(const QString& name, const QByteArray& contents) const;
    void WriteDataFile(const QString& name, const QByteArray& contents) const;
    QByteArray ReadDataFile(const QString& name) const;
    // Copies `source`, when it exists, to a file of the data folder: a cache
    // the test run made once, which a test does without at a cost in time.
    void SeedDataFile(const QString& name, const QString& source) const;

  private:
    QTemporaryDir FProgram;
    QString FProgramFolder;
    QString FPreviousProgram; // restored at the end, so folders may nest
    QString FPreviousData;
    QTemporaryDir FData;
};

void WriteFile(const QString& path, const QByteArray& contents);
QByteArray ReadFile(const QString& path);

} // namespace drawmentor::testing
