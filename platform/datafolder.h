#pragma once
#include <QString>
#include <QStringList>

// The folder holding the databases (reg.ocx, word.ocx), which is not always
// the program folder:
// - portable: the program folder can be written (the build's bin/, a copy on
//   a stick, an install under one's home): the databases are used in place;
// - installed: the program folder cannot be written (a system install): the
//   user's data folder is used, and the installed databases are copied there
//   on first start. The program folder is then never written.
namespace DataFolder {

enum class Mode { Portable, Installed };

// The databases that travel with the program.
QStringList databaseFiles();

// $XDG_DATA_HOME/Quillmere (QStandardPaths::GenericDataLocation + "/Quillmere").
QString userFolder();

// How the program folder is used. QUILLMERE_DATA_MODE=installed|portable
// decides when set (tests, and root, for whom every folder is writable);
// otherwise the folder's writability for this user (access(2)) does.
Mode modeFor(const QString& programFolder);

// The databases' folder for a program folder used in the given mode. In the
// installed mode every database missing from userFolder is copied there from
// programFolder; an existing copy is never replaced.
QString prepare(const QString& programFolder, Mode mode, const QString& userFolder);

// prepare(ProgramFolder::path(), modeFor(it), userFolder()).
QString path();

}  // namespace DataFolder
