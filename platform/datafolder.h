// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The folder holding the databases (reg.ocx, word.ocx), which is not always
// the program folder:
// - portable: the program folder can be written (the build's bin/, a copy on
//   a stick, an install under one's home): the databases are used in place;
// - installed: the program folder belongs to a package or cannot be written
//   (a system install): the user's data folder is used, and the installed
//   databases are copied there on first start; a newer installed bank
//   replaces a copy the user has not changed. The program folder is then
//   never written.
namespace DataFolder {

enum class Mode { Portable, Installed };

// The databases that travel with the program.
QStringList databaseFiles();

// The databases whose copies follow a newer installed file: the question
// bank. The personal list (word.ocx) is the user's own and never replaced.
QStringList replaceableFiles();

// $XDG_DATA_HOME/Quillmere (QStandardPaths::GenericDataLocation + "/Quillmere").
QString userFolder();

// How the program folder is used. QUILLMERE_DATA_MODE=installed|portable
// decides when set (tests); otherwise a folder that belongs to a package
// (ProgramFolder::belongsToPackage) is installed for every user, root
// included, and any other folder by its writability for this user
// (access(2)).
Mode modeFor(const QString& programFolder);

// The databases' folder for a program folder used in the given mode. In the
// installed mode every database missing from userFolder is copied there from
// programFolder, and the SHA-256 of each replaceable copy is recorded beside
// it (CopyRecord). A replaceable copy that is still byte for byte what was
// copied is replaced, atomically, once the installed file has changed; a copy
// the user has changed is kept, with a log line saying how to take the new
// questions. A symbolic link in userFolder is never written through.
QString prepare(const QString& programFolder, Mode mode, const QString& userFolder);

// prepare(ProgramFolder::path(), modeFor(it), userFolder()).
QString path();

// A copy of the bank the user changed, kept although a newer bank was
// installed: the learner is told once per newer installed bank.
struct KeptCopy {
    QString name;       // "reg.ocx"
    QString copy;       // the user's copy
    QString installed;  // the newer installed file
    QByteArray installedDigest;
};
// The kept copies (after prepare) whose newer installed bank the user has
// not been told about yet; none in the portable mode.
QList<KeptCopy> untoldKeptCopies(const QString& programFolder, Mode mode,
                                 const QString& userFolder);
QList<KeptCopy> untoldKeptCopies();
// Remembers, in kept.sha256 beside the copies, that the user was told; the
// next newer installed bank is told again. False when it cannot be written.
bool markTold(const QString& userFolder, const KeptCopy& kept);

}  // namespace DataFolder
