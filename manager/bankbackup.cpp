// SPDX-License-Identifier: GPL-3.0-or-later
#include "manager/bankbackup.h"

#include <SQLiteCpp/Backup.h>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QFile>
#include <cstdio>

#include "platform/logging.h"
#include "questionbank/database.h"

namespace BankBackup {

QString pathFor(const QString& bankPath) { return bankPath + QStringLiteral(".bak"); }

bool make(Database& db, QString* error) {
    const QString target = pathFor(db.path());
    const QString tmp = target + QStringLiteral(".part");
    QFile::remove(tmp);
    try {
        {
            SQLite::Database copy(tmp.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
            SQLite::Backup backup(copy, db.sqlite());
            backup.executeStep(-1);
            SQLite::Statement check(copy, "PRAGMA integrity_check");
            if (!check.executeStep() || check.getColumn(0).getString() != "ok")
                throw std::runtime_error("the copy did not pass the integrity check");
        }
        if (std::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(target).constData()) != 0)
            throw std::runtime_error("the copy could not be put in place");
        qCInfo(lcDb).noquote() << "backup written:" << target;
        return true;
    } catch (const std::exception& e) {
        QFile::remove(tmp);
        qCInfo(lcDb).noquote() << "backup failed:" << e.what();
        if (error)
            *error = QStringLiteral("无法备份题库到“%1”（%2），这次修改没有进行。")
                         .arg(target, QString::fromUtf8(e.what()));
        return false;
    }
}

}  // namespace BankBackup
