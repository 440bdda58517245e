// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/datafolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSaveFile>
#include <QStandardPaths>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

#include "platform/copyrecord.h"
#include "platform/folderpath.h"
#include "platform/logging.h"
#include "platform/programfolder.h"

namespace DataFolder {

namespace {
using FolderPath::join;

// Copies through a temporary name and a rename, so an interrupted copy never
// stands as the user's database and a replaced copy changes in one step. The
// rename replaces the name itself, never a file a symbolic link points to.
// Returns the SHA-256 of what was put in place, empty on failure.
QByteArray copyIn(const QString& from, const QString& to) {
    const QString part = to + QStringLiteral(".part");
    QFile::remove(part);
    if (!QFile::copy(from, part)) return {};
    // The installed file is read-only for users; the copy is the user's own.
    QFile::setPermissions(part, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                    QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
    const QByteArray digest = CopyRecord::digestOf(part);
    if (digest.isEmpty() ||
        ::rename(QFile::encodeName(part).constData(), QFile::encodeName(to).constData()) != 0) {
        QFile::remove(part);
        return {};
    }
    return digest;
}

// Another program has the database open for writing: SQLite's lock bytes at
// 1 GiB are locked (Manager holds them for its whole session), or a journal
// lies beside it. Replacing it then would lose that program's changes.
bool databaseBusy(const QString& path) {
    for (const char* suffix : {"-journal", "-wal"})
        if (QFileInfo::exists(path + QLatin1String(suffix))) return true;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0x40000000;  // SQLite's pending, reserved and shared bytes
    lock.l_len = 512;
    const bool held = ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

// The copy differs from the newer installed file and is not what was copied
// (or nobody knows what was): it is the user's work and stays.
bool keptAgainst(const QByteArray& recorded, const QByteArray& installed, const QByteArray& copy) {
    return !installed.isEmpty() && installed != recorded && copy != installed &&
           (recorded.isEmpty() || copy != recorded);
}

// Which newer installed banks the user has been told their copy was kept
// against: "<hex>  <name>" lines like the copy record's, in a file of their
// own so that `sha256sum -c installed.sha256` still checks the copies.
QString toldFile(const QString& userFolder) {
    return join(userFolder, QStringLiteral("kept.sha256"));
}

QByteArray toldDigest(const QString& userFolder, const QString& name) {
    QFile f(toldFile(userFolder));
    if (!f.open(QIODevice::ReadOnly)) return {};
    while (!f.atEnd()) {
        const QByteArray line = f.readLine().trimmed();
        const int gap = line.indexOf("  ");
        if (gap > 0 && line.mid(gap + 2) == name.toUtf8()) return line.left(gap);
    }
    return {};
}

// A copy of the bank made earlier: replaced by the installed bank when that
// has changed since and the copy is still byte for byte what was copied.
void refresh(const QString& source, const QString& target, const QString& name,
             CopyRecord& record) {
    const QByteArray recorded = record.digest(name);
    const QByteArray installed = CopyRecord::digestOf(source);
    if (installed.isEmpty() || installed == recorded) return;
    const QByteArray copy = CopyRecord::digestOf(target);
    if (copy == installed) {
        record.set(name, installed);  // a copy from before the record was kept
        return;
    }
    if (keptAgainst(recorded, installed, copy)) {
        qCInfo(lcDb).noquote()
            << "kept" << target
            << (recorded.isEmpty() ? "(its origin is not recorded):" : "(changed by the user):")
            << "the installed" << source
            << "is newer. To take its questions, export both with quillmere-bankctl, add "
               "the new lines to your own CSV and build it into this folder; or delete the "
               "copy to start from the installed one (see the help page)";
        return;
    }
    if (databaseBusy(target)) {
        qCInfo(lcDb).noquote() << "the installed" << source << "is newer, but" << target
                               << "is in use; it is replaced at a later start";
        return;
    }
    const QByteArray digest = copyIn(source, target);
    if (!digest.isEmpty()) record.set(name, digest);
    qCInfo(lcDb).noquote() << (digest.isEmpty() ? "could not replace" : "replaced") << target
                           << "(unchanged since copied) with the newer installed" << source;
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
    // Root may write a package's folder, but what it writes there is lost
    // or orphaned by the next upgrade or removal and fails dpkg --verify.
    if (ProgramFolder::belongsToPackage(programFolder)) return Mode::Installed;
    return QFileInfo(programFolder).isWritable() ? Mode::Portable : Mode::Installed;
}

QStringList replaceableFiles() {
    return {QStringLiteral("reg.ocx")};
}

QString prepare(const QString& programFolder, Mode mode, const QString& userFolder) {
    if (mode == Mode::Portable) return programFolder;
    if (!QDir().mkpath(userFolder))
        qCInfo(lcDb).noquote() << "data folder could not be made:" << userFolder;
    CopyRecord record(userFolder);
    for (const QString& name : databaseFiles()) {
        const QString target = join(userFolder, name);
        const QString source = join(programFolder, name);
        // A link is the user's own arrangement; never write through it or replace it.
        if (QFileInfo(target).isSymLink() || !QFileInfo::exists(source)) continue;
        const bool replaceable = replaceableFiles().contains(name);
        if (QFileInfo::exists(target)) {
            if (replaceable) refresh(source, target, name, record);
            continue;
        }
        const QByteArray digest = copyIn(source, target);
        if (replaceable && !digest.isEmpty()) record.set(name, digest);
        qCInfo(lcDb).noquote() << (digest.isEmpty() ? "first start, could not copy"
                                                    : "first start, copied")
                               << source << "to" << target;
    }
    if (!record.save())
        qCInfo(lcDb).noquote() << "could not write" << join(userFolder, CopyRecord::fileName());
    return userFolder;
}

QList<KeptCopy> untoldKeptCopies(const QString& programFolder, Mode mode,
                                 const QString& userFolder) {
    QList<KeptCopy> kept;
    if (mode == Mode::Portable) return kept;
    const CopyRecord record(userFolder);
    for (const QString& name : replaceableFiles()) {
        const KeptCopy k{name, join(userFolder, name), join(programFolder, name),
                         CopyRecord::digestOf(join(programFolder, name))};
        if (QFileInfo(k.copy).isSymLink() || !QFileInfo::exists(k.copy)) continue;
        if (k.installedDigest.isEmpty() || toldDigest(userFolder, name) == k.installedDigest)
            continue;
        if (keptAgainst(record.digest(name), k.installedDigest, CopyRecord::digestOf(k.copy)))
            kept << k;
    }
    return kept;
}

QList<KeptCopy> untoldKeptCopies() {
    const QString program = ProgramFolder::path();
    return untoldKeptCopies(program, modeFor(program), userFolder());
}

bool markTold(const QString& userFolder, const KeptCopy& kept) {
    const QString path = toldFile(userFolder);
    if (QFileInfo(path).isSymLink()) return false;
    QMap<QByteArray, QByteArray> told;  // name -> digest, one line each
    QFile in(path);
    if (in.open(QIODevice::ReadOnly)) {
        while (!in.atEnd()) {
            const QByteArray line = in.readLine().trimmed();
            const int gap = line.indexOf("  ");
            if (gap > 0) told.insert(line.mid(gap + 2), line.left(gap));
        }
        in.close();
    }
    told.insert(kept.name.toUtf8(), kept.installedDigest);
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return false;
    for (auto it = told.cbegin(); it != told.cend(); ++it)
        out.write(it.value() + "  " + it.key() + "\n");
    const bool saved = out.commit();
    qCInfo(lcDb).noquote() << (saved ? "noted in" : "could not write") << path
                           << "that the user was told" << kept.copy << "was kept";
    return saved;
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
