// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/paperrules.h"

#include "questionbank/examfields.h"

namespace {
constexpr qint64 kMinuteMs = 60 * 1000;
}

PaperRules PaperRules::subjectOne() {
    PaperRules r;
    r.subject = Subject::One;
    r.name = QStringLiteral("科目一");
    r.kinds = {{ExamKind::kJudge, 40}, {ExamKind::kSingle, 60}};
    r.categories = {QStringLiteral("交通安全法律"), QStringLiteral("交通信号"),
                    QStringLiteral("机动车知识")};
    r.durationMs = 45 * kMinuteMs;
    r.pointsEach = 1;
    return r;
}

PaperRules PaperRules::subjectFour() {
    PaperRules r;
    r.subject = Subject::Four;
    r.name = QStringLiteral("科目四");
    r.kinds = {{ExamKind::kJudge, 20}, {ExamKind::kSingle, 20}, {ExamKind::kMultiple, 10}};
    r.categories = {QStringLiteral("文明驾驶"), QStringLiteral("复杂道路驾驶"),
                    QStringLiteral("临危处置"), QStringLiteral("事故自救")};
    r.durationMs = 30 * kMinuteMs;
    r.pointsEach = 2;
    return r;
}

PaperRules PaperRules::of(Subject subject) {
    return subject == Subject::Four ? subjectFour() : subjectOne();
}

PaperRules::Subject PaperRules::subjectNamed(const QString& name) {
    return name.startsWith(subjectFour().name) ? Subject::Four : Subject::One;
}

int PaperRules::questionCount() const {
    int n = 0;
    for (const KindCount& k : kinds) n += k.count;
    return n;
}

int PaperRules::countOf(const QString& kind) const {
    for (const KindCount& k : kinds)
        if (k.kind == kind) return k.count;
    return 0;
}

int PaperRules::passScore() const {
    const int full = fullScore();
    return (full * passPercent + 99) / 100;
}

PaperRules PaperRules::shortened(const std::vector<KindCount>& counts) const {
    PaperRules r = of(subject);
    r.kinds = counts;
    const int whole = r.questionCount();
    const int full = of(subject).questionCount();
    if (whole == full) return r;
    // The time per question stays that of the full paper, rounded up to a
    // whole minute so that a short paper never has less time per question.
    const qint64 scaled = (durationMs * whole + full - 1) / full;
    r.durationMs = (scaled + kMinuteMs - 1) / kMinuteMs * kMinuteMs;
    r.name = QStringLiteral("%1（%2题）").arg(of(subject).name).arg(whole);
    return r;
}
