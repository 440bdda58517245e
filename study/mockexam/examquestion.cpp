// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/examquestion.h"

#include "questionbank/examfields.h"

int ExamQuestion::optionCount() const {
    int n = 0;
    for (const QString& o : options)
        if (!o.isEmpty()) ++n;
    return n;
}

bool ExamQuestion::isJudge() const {
    return kind == ExamKind::kJudge;
}

bool ExamQuestion::isMultiple() const {
    return kind == ExamKind::kMultiple;
}

QString ExamQuestion::normalisedResponse(const QString& response) const {
    const QString r = response.trimmed();
    if (isJudge()) {
        // The keys a learner uses (Y/N, 1/2) as well as the stored forms.
        static const QStringList yes{"正确", "对", "√", "Y", "y", "1"};
        static const QStringList no{"错误", "错", "×", "N", "n", "2"};
        if (yes.contains(r)) return ExamAnswer::normalised(kind, QStringLiteral("正确"));
        if (no.contains(r)) return ExamAnswer::normalised(kind, QStringLiteral("错误"));
        return {};
    }
    QString letters;
    for (int i = 0; i < 4; ++i) {
        if (options[size_t(i)].isEmpty()) continue;
        const QChar upper(u'A' + i), lower(u'a' + i), digit(u'1' + i);
        if (r.contains(upper) || r.contains(lower) || r.contains(digit)) letters += upper;
    }
    if (!isMultiple() && letters.size() > 1) return {};
    return letters;
}

bool ExamQuestion::isRight(const QString& response) const {
    const QString given = normalisedResponse(response);
    return !given.isEmpty() && given == answer;
}
