// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ProgramFolder {

QString path() {
    const QString env = qEnvironmentVariable("QUILLMERE_PROGRAM_DIR");
    if (!env.isEmpty()) return env;
    return QCoreApplication::applicationDirPath();
}

QString file(const QString& name) {
    QString dir = path();
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    return dir + name;
}

QString baseName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

// The Filesystem Hierarchy Standard (3.0, 4.1 and 4.9) gives /usr to the
// distribution's packages and /usr/local to the local administrator, whose
// own installs the package manager never touches. The path decides rather
// than a package database: it holds for dpkg and rpm alike, for a package
// under another name, and costs no file read at start.
bool belongsToPackage(const QString& folder) {
    const QFileInfo info(folder);
    QString real = info.canonicalFilePath();
    if (real.isEmpty()) real = QDir::cleanPath(info.absoluteFilePath());
    const auto under = [&real](const char* top) {
        const QString dir = QLatin1String(top);
        return real == dir || real.startsWith(dir + QLatin1Char('/'));
    };
    return under("/usr") && !under("/usr/local");
}

}  // namespace ProgramFolder
