// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/paperdraw.h"

#include <QSet>

#include "study/mockexam/examlog.h"

namespace {
constexpr const char* kSecondsVariable = "QUILLMERE_EXAM_SECONDS";
}

bool PaperDraw::Shortage::isShort() const {
    for (const Kind& k : kinds)
        if (k.available < k.needed) return true;
    return false;
}

QString PaperDraw::Shortage::text() const {
    QStringList lines;
    for (const Kind& k : kinds)
        if (k.available < k.needed)
            lines << QStringLiteral("题库中%1可用的%2题只有 %3 道，需要 %4 道。")
                         .arg(PaperRules::of(shorter.subject).name, k.kind)
                         .arg(k.available)
                         .arg(k.needed);
    if (shorter.questionCount() == 0)
        lines << QStringLiteral("无法组成%1试卷。").arg(PaperRules::of(shorter.subject).name);
    else if (isShort())
        lines << QStringLiteral("可以改考 %1 题、%2 分钟的%3。")
                     .arg(shorter.questionCount())
                     .arg(shorter.durationMs / 60000)
                     .arg(shorter.name);
    return lines.join(QLatin1Char('\n'));
}

PaperDraw::PaperDraw(std::vector<ExamQuestion> questions, std::optional<quint32> seed)
    : questions_(std::move(questions)), engine_(seed.value_or(std::random_device{}())) {}

std::vector<int> PaperDraw::candidates(const PaperRules& rules, const QString& kind) const {
    std::vector<int> out;
    QSet<QString> seen;
    for (int i = 0; i < int(questions_.size()); ++i) {
        const ExamQuestion& q = questions_[size_t(i)];
        if (q.kind != kind || !rules.takes(q.category) || seen.contains(q.identity)) continue;
        seen.insert(q.identity);
        out.push_back(i);
    }
    return out;
}

PaperDraw::Shortage PaperDraw::check(const PaperRules& rules) const {
    Shortage s;
    std::vector<PaperRules::KindCount> reachable;
    for (const PaperRules::KindCount& k : rules.kinds) {
        const int available = int(candidates(rules, k.kind).size());
        s.kinds.push_back({k.kind, k.count, available});
        if (const int n = std::min(k.count, available); n > 0) reachable.push_back({k.kind, n});
    }
    s.shorter = s.isShort() ? rules.shortened(reachable) : rules;
    return s;
}

DrawnPaper PaperDraw::draw(const PaperRules& rules) {
    DrawnPaper paper;
    paper.rules = check(rules).shorter;
    for (const PaperRules::KindCount& k : paper.rules.kinds) {
        std::vector<int> pool = candidates(rules, k.kind);
        // The first k.count places of a Fisher-Yates shuffle (Knuth, TAOCP
        // vol. 2, algorithm P), with plain modulo so that a seed gives the
        // same paper with any standard library.
        for (int i = 0; i < k.count; ++i) {
            const int j = i + int(engine_() % quint32(pool.size() - size_t(i)));
            std::swap(pool[size_t(i)], pool[size_t(j)]);
            paper.questions.push_back(questions_[size_t(pool[size_t(i)])]);
        }
    }
    paper.durationMs = durationFor(paper.rules);
    qCInfo(lcExam).noquote() << "drew" << paper.name() << paper.questions.size() << "questions,"
                             << paper.durationMs / 1000 << "s";
    return paper;
}

qint64 PaperDraw::durationFor(const PaperRules& rules) {
    bool ok = false;
    const qint64 seconds = qEnvironmentVariable(kSecondsVariable).toLongLong(&ok);
    return ok && seconds > 0 ? seconds * 1000 : rules.durationMs;
}
