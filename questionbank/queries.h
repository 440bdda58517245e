// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// Every query text the programs run, and the bank's connect text. Category
// names are put between single quotes as they are; none holds a quote.
namespace Queries {

inline const QString kBankPassword = QStringLiteral("57302419");
inline const QString kBankConnect = QStringLiteral(";pwd=") + kBankPassword;
// The display's connect text before it is pointed at the bank.
inline const QString kDefaultConnect = QStringLiteral("Access 2000;");

inline const QString kBankFile = QStringLiteral("reg.ocx");
inline const QString kPersonalFile = QStringLiteral("word.ocx");

QString displayAll();                            // "select * from word "
QString displayCategory(const QString& name);   // no blank after "="
QString displayWeatherFallback();                // one blank after "="
QString personalList();                          // ordered by index
QString studyEditor();
QString managerEditor(const QString& category);

// The text SQLite runs for one of the texts above: the column name index is
// reserved in SQLite, so it is put in double quotes wherever it stands as a
// bare word outside a string literal.
QString toSqlite(const QString& query);

}  // namespace Queries
