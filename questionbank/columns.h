// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The text columns of table Word, as every bank and personal list names them.
// The query texts spell them too and stay as they are; code that reads or
// writes a field by name takes the name from here.
namespace Columns {

inline const QString kEnglish = QStringLiteral("English");  // the question
inline const QString kChinese = QStringLiteral("Chinese");  // its answer

}  // namespace Columns
