// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/bankfiles.h"

#include <QFileInfo>

#include "questionbank/database.h"
#include "questionbank/queries.h"

namespace BankFiles {

std::shared_ptr<Database> openAny(const QString& path, bool readOnly) {
    return Database::open(path, {.exclusive = false, .readOnly = readOnly}, Queries::kBankConnect);
}

QString withPath(const QString& message, const QString& path) {
    return message + QStringLiteral("（") + QFileInfo(path).absoluteFilePath() +
           QStringLiteral("）");
}

}  // namespace BankFiles
