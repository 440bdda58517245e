#include "platform/datafolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/logging.h"
#include "platform/programfolder.h"

namespace DataFolder {

namespace {
QString join(const QString& dir, const QString& name) {
    return dir.endsWith(QLatin1Char('/')) ? dir + name : dir + QLatin1Char('/') + name;
}

// Copies through a temporary name, so an interrupted copy never stands as the
// user's database.
bool copyIn(const QString& from, const QString& to) {
    const QString part = to + QStringLiteral(".part");
    QFile::remove(part);
    if (!QFile::copy(from, part)) return false;
    // The installed file is read-only for users; the copy is the user's own.
    QFile::setPermissions(part, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                    QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
    if (!QFile::rename(part, to)) {
        QFile::remove(part);
        return false;
    }
    return true;
}
}  // namespace

QStringList databaseFiles() {
    return {QStringLiteral("reg.ocx"), QStringLiteral("word.ocx")};
}

QString userFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Quillmere");
}

Mode modeFor(const QString& programFolder) {
    const QString forced = qEnvironmentVariable("QUILLMERE_DATA_MODE");
    if (forced == QLatin1String("installed")) return Mode::Installed;
    if (forced == QLatin1String("portable")) return Mode::Portable;
    return QFileInfo(programFolder).isWritable() ? Mode::Portable : Mode::Installed;
}

QString prepare(const QString& programFolder, Mode mode, const QString& userFolder) {
    if (mode == Mode::Portable) return programFolder;
    if (!QDir().mkpath(userFolder))
        qCInfo(lcDb).noquote() << "data folder could not be made:" << userFolder;
    for (const QString& name : databaseFiles()) {
        const QString target = join(userFolder, name);
        // exists() is false for a dangling link too; never write through one.
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) continue;
        const QString source = join(programFolder, name);
        if (!QFileInfo::exists(source)) continue;
        const bool ok = copyIn(source, target);
        qCInfo(lcDb).noquote() << (ok ? "first start, copied" : "first start, could not copy")
                               << source << "to" << target;
    }
    return userFolder;
}

QString path() {
    const QString program = ProgramFolder::path();
    const Mode mode = modeFor(program);
    const QString folder = prepare(program, mode, userFolder());
    qCInfo(lcDb).noquote() << "data folder"
                           << (mode == Mode::Portable ? "(portable):" : "(installed):") << folder;
    return folder;
}

}  // namespace DataFolder
