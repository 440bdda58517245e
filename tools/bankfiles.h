// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <memory>

class Database;

// What bankctl's commands share about the files they are given.
namespace BankFiles {

// Opens a bank or a personal list; an unprotected file opens with the bank's
// connect text too.
std::shared_ptr<Database> openAny(const QString& path, bool readOnly);

// The engine's messages name only the file; one run of bankctl may be given
// files of several folders, so its messages name the whole path as well.
QString withPath(const QString& message, const QString& path);

}  // namespace BankFiles
