#pragma once

#include <QString>

// Where the program's files live. The program folder holds the files that come
// with the program (Langs/, Help/, data/, DrawMentor.dat): installed, the
// prefix's share/drawmentor/ found from the executable's folder; in the build
// tree, the executable's own folder. The data folder is the user's:
// ~/.local/share/DrawMentorProject/DrawMentor/ (the platform's per-user
// application-data folder, a vendor folder, "DrawMentor/"), else the program
// folder. Both end with "/".
namespace drawmentor {

QString ProgramFolder();
// The program folder of an executable in `executableFolder`.
QString ProgramFolderOf(const QString& executableFolder);
QString DataFolder();
// The data folder's copy if it exists, else the program folder's.
QString DataFileReadPath(const QString& name);
// The data folder's path, the folder created first; files are always written there.
QString DataFileWritePath(const QString& name);

// Test seams and the command line's --data-dir; an empty text restores the default.
void SetProgramFolder(const QString& folder);
void SetDataFolder(const QString& folder);

} // namespace drawmentor
