// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <array>

// One question as an exam or a practice round uses it: everything but the
// picture, which is read from its file only when the question is shown (a
// paper of 100 is drawn from thousands, and pictures are most of a bank's
// bytes).
struct ExamQuestion {
    // Where the question was read from, and so where its picture is.
    enum class Source { Bank, PersonalList };

    QString identity;  // 64 lower-case hex digits, see questionbank/questionidentity.h
    QString category;  // empty for a personal-list question
    QString kind;      // ExamKind::kJudge, kSingle or kMultiple
    QString text;
    std::array<QString, 4> options;
    // Normalised as ExamAnswer::normalised does: letters in order ("B",
    // "ABD") or 正确/错误.
    QString answer;
    QString explanation;
    Source source = Source::Bank;
    qint64 row = 0;           // the row's `index` in its file
    bool hasPicture = false;  // whether the row holds picture bytes

    // How many of the four options are filled (a judgement has none).
    int optionCount() const;
    bool isJudge() const;
    bool isMultiple() const;

    // The learner's response in the form answers are kept: choice letters
    // upper-cased, de-duplicated and in order (blanks, commas and 、 dropped;
    // letters beyond the filled options dropped); 对/√/Y and 错/×/N become
    // 正确/错误 for a judgement. Empty when nothing usable was given.
    QString normalisedResponse(const QString& response) const;
    // Whether the response is exactly the answer. A 多选 counts only when
    // every right letter and no other is chosen.
    bool isRight(const QString& response) const;
};
