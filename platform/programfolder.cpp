// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/programfolder.h"

#include <QCoreApplication>
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

QString baseName() { return QFileInfo(QCoreApplication::applicationFilePath()).fileName(); }

}  // namespace ProgramFolder
