// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QTextStream>

// The commands of bankctl; each returns the process exit code and writes
// its messages to `out` and `err`.
namespace BankCommands {

// CSV -> outDir/reg.ocx (protected by the bank password, with the picture
// column) and an empty outDir/word.ocx. An existing word.ocx is kept unless
// replacePersonal. Pictures named in the CSV are stored after they decode.
// With skipRepeats, a repeated question whose answer agrees is left out. A
// target that an editor holds open is refused (status 1) and left as it was.
int build(const QString& csvPath, const QString& outDir, bool replacePersonal, QTextStream& out,
          QTextStream& err, bool skipRepeats = false);
// Either file -> CSV (to csvPath, or to `out` when csvPath is "-"). Pictures
// go into a folder beside the CSV ("bank.csv" -> "bank-pictures/").
int exportCsv(const QString& dbPath, const QString& csvPath, QTextStream& out, QTextStream& err);
// Opens the file, runs SQLite's integrity check, decodes every picture,
// prints the count per category and how many have a picture; for a file with
// the exam-form columns the count per kind and how many have options. It
// checks each question's options and answer against its kind and, in a file
// keyed on the identity, each stored identity against its question, and
// names every problem in one run.
// Status 2: damaged, or questions in it faulty; 3: readable, but its index field is not the row id, so
// the editors will not write to it.
int check(const QString& dbPath, QTextStream& out, QTextStream& err);

}  // namespace BankCommands
