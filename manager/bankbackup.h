// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

class Database;

// One backup copy of the bank beside it, taken before Manager's first write
// of a session, so a slip (a delete asks no question) can be undone by hand.
namespace BankBackup {

// The backup file for a bank file: the same name with ".bak" appended.
QString pathFor(const QString& bankPath);

// Copies the open database with SQLite's backup API into a temporary file,
// checks it, and puts it in place of any older backup. False with a message
// when any step fails; the old backup then stays as it was.
bool make(Database& db, QString* error);

}  // namespace BankBackup
