// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QTemporaryDir>
#include <vector>

#include "questionbank/bankschema.h"

// A private world for one test: HOME, the XDG folders and a program folder
// of its own, so nothing touches the real user's files.
class TestEnv {
public:
    TestEnv();
    ~TestEnv();
    QString root() const { return dir_.path(); }
    QString programDir() const { return dir_.path() + QStringLiteral("/program"); }
    QString configDir() const { return dir_.path() + QStringLiteral("/config"); }
    QString file(const QString& name) const { return programDir() + QLatin1Char('/') + name; }
    QString settingsFile() const { return configDir() + QStringLiteral("/Vozo/zorvik24.ini"); }

    // reg.ocx (protected) and word.ocx in the program folder.
    void makeBank(const std::vector<BankSchema::Question>& questions);
    void makePersonalList(const std::vector<BankSchema::Question>& questions);
    // A file that another tool could have written: the statements run in a
    // fresh database, which is protected when a password is given.
    void makeFileWith(const QString& name, const QStringList& statements,
                      const QString& password = {});

private:
    QTemporaryDir dir_;
    QByteArray saved_[6];
};

// Reads a whole file, for byte-for-byte comparisons.
QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);
