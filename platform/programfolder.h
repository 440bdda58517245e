#pragma once
#include <QString>

// The folder of the running program, where the databases and the help page lie.
namespace ProgramFolder {

QString path();
// path() joined with a file name by one "/".
QString file(const QString& name);
// The running program's file name without its folder.
QString baseName();

}  // namespace ProgramFolder
