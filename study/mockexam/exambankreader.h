// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <QVariantMap>
#include <memory>
#include <optional>
#include <vector>

#include "study/mockexam/examquestion.h"

class Database;

// Reads the exam's questions from the learner's folder: the bank reg.ocx
// (opened read-only with its password; nothing of it is ever written) and
// the personal list word.ocx. Each read is one query over the rows that have
// a kind, pictures left in the file; a picture is read when it is shown.
//
// A file that is missing, locked, damaged or not a bank gives no questions
// and a reason in Chinese (error()); rows whose kind or answer does not make
// a sound question (see ExamAnswer::problems), and repeats, are left out and
// counted.
class ExamBankReader {
public:
    explicit ExamBankReader(QString folder);
    ~ExamBankReader();

    // Every question with a kind in reg.ocx, in the bank's order; nothing on
    // failure (see error()).
    std::optional<std::vector<ExamQuestion>> bankQuestions();
    // Every question with a kind in word.ocx, in the list's order.
    std::optional<std::vector<ExamQuestion>> personalQuestions();

    // Rows with a kind that the last read left out: not sound questions, or
    // the same question (identity) as a row read before.
    int skipped() const { return skipped_; }
    // Why the last read failed, for the learner; empty when it did not.
    const QString& error() const { return error_; }

    // The picture bytes of q, read from its file now; empty when it has
    // none. On failure (file gone, row changed since the draw) empty with
    // the reason in why. The file stays open for the next picture.
    QByteArray picture(const ExamQuestion& q, QString* why = nullptr);

    // The question as PersonalList::add takes it (English, Chinese, picture
    // where it has one, kind, options, explanation), read from its row now;
    // nothing on failure, with the reason in why.
    std::optional<QVariantMap> listFields(const ExamQuestion& q, QString* why = nullptr);

private:
    std::shared_ptr<Database> openFor(ExamQuestion::Source source, QString* why);
    std::optional<std::vector<ExamQuestion>> read(ExamQuestion::Source source);

    QString folder_;
    QString error_;
    int skipped_ = 0;
    std::shared_ptr<Database> bank_, personal_;
};
