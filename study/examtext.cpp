// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/examtext.h"

#include <QStringList>

#include "questionbank/examfields.h"

namespace {

const QChar kNoBreakSpace(0x00A0);

QString label(int i) {
    return QChar(u'A' + i) + QStringLiteral(".") + kNoBreakSpace;
}

// The option texts of the letters in `letters`, or nothing when a letter is
// not A to D or names an empty option.
QStringList lettersWithTexts(const QString& letters, const ExamFields& fields) {
    QStringList parts;
    for (const QChar c : letters) {
        const int i = c.unicode() - u'A';
        if (i < 0 || i > 3 || fields.options[i].isEmpty()) return {};
        parts << c + QStringLiteral(" ") + fields.options[i];
    }
    return parts;
}

}  // namespace

namespace ExamText {

bool isExamForm(const ExamFields& fields) {
    return !fields.kind.isEmpty();
}

QString question(const QString& text, const ExamFields& fields) {
    if (!isExamForm(fields)) return text;
    QString shown = text;
    for (int i = 0; i < 4; ++i) {
        if (fields.options[i].isEmpty()) continue;
        shown += QLatin1Char('\n') + label(i) + fields.options[i];
    }
    return shown;
}

QString answer(const QString& stored, const ExamFields& fields, bool withExplanation) {
    if (!isExamForm(fields)) return stored;
    QString shown = stored;
    if (fields.kind != ExamKind::kJudge && !stored.isEmpty()) {
        const QStringList parts = lettersWithTexts(stored, fields);
        if (!parts.isEmpty()) shown = parts.join(QStringLiteral("；"));
    }
    if (withExplanation && !fields.explanation.isEmpty())
        shown += QStringLiteral("\n解析：") + fields.explanation;
    return shown;
}

}  // namespace ExamText
