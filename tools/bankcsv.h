// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "questionbank/bankschema.h"

// The question-bank source: UTF-8 CSV (RFC 4180 quoting) with the columns
// category, question, answer and optional ones after them: picture (a path
// relative to the CSV file), kind (判断, 单选 or 多选), option_a .. option_d
// and explanation; any optional cell may be empty. A header line names the
// columns; after the first three they may come in any order. Without a
// header the optional column is picture alone, fourth, as in the first form.
namespace BankCsv {

// A picture cell with the line it stands on.
struct PictureRef {
    int line;
    QString cell;
};

struct Result {
    std::vector<BankSchema::Question> questions;
    std::vector<int> lines;  // the line each question starts on
    QStringList pictures;    // each question's picture cell, "" for none
    QStringList skipped;     // repeats left out with skipRepeats, one line each
    QString error;           // empty on success; names the lines of every fault
    // Every picture the text names, also on lines with faults and kept when
    // there are faults (a repeat left out with skipRepeats excepted): the
    // pictures are checked in the same run, so that one run names every fault.
    std::vector<PictureRef> namedPictures;
    bool ok() const { return error.isEmpty(); }
};

// Reads the text. Refuses a file that is not UTF-8 (naming its first bad
// line), bad lines, empty fields and unknown categories, exam-form questions
// whose kind, options and answer do not fit together, and every repeated
// question (same text, options and picture), all in one message. Answers are
// stored normalised (see ExamAnswer). With skipRepeats a repeat whose answer
// agrees with the first is left out instead (listed in `skipped`); one whose
// answer differs is still refused.
Result parse(const QByteArray& text, bool withCategory = true, bool skipRepeats = false);

// Writes rows in the same format, quoting where needed; with a picture
// column when `pictures` (one cell per row) holds any path, and with the exam
// columns when withExam.
QByteArray write(const std::vector<BankSchema::Question>& rows, bool withCategory = true,
                 const QStringList& pictures = {}, bool withExam = false);

}  // namespace BankCsv
