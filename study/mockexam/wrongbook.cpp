// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/wrongbook.h"

#include <QSet>

#include "study/mockexam/exambankreader.h"
#include "study/mockexam/examlog.h"

namespace WrongBook {

QString Outcome::text() const {
    QStringList parts;
    parts << QStringLiteral("已加入生词本 %1 道").arg(added);
    if (alreadyThere > 0) parts << QStringLiteral("已在其中 %1 道").arg(alreadyThere);
    if (failed > 0) parts << QStringLiteral("%1 道未能加入").arg(failed);
    QString text = parts.join(QStringLiteral("，")) + QStringLiteral("。");
    if (storeFaulted) text += QStringLiteral("学习记录无法保存，这些题没有记为“忘了”。");
    return text;
}

std::vector<ExamQuestion> wrongOf(const DrawnPaper& paper, const ExamResult& result) {
    std::vector<ExamQuestion> out;
    for (int i : result.wrong) out.push_back(paper.questions.at(size_t(i)));
    return out;
}

Outcome put(const std::vector<ExamQuestion>& questions, ExamBankReader& reader,
            const ListAdder& add, const StoreSource& store, qint64 nowMs) {
    Outcome out;
    QSet<QString> done;
    for (const ExamQuestion& q : questions) {
        if (done.contains(q.identity)) continue;
        done.insert(q.identity);
        if (q.source == ExamQuestion::Source::PersonalList) {
            ++out.alreadyThere;
        } else {
            QString why;
            const auto fields = reader.listFields(q, &why);
            const Added a = fields ? add(*fields) : Added::Failed;
            if (a == Added::Added) ++out.added;
            if (a == Added::AlreadyThere) ++out.alreadyThere;
            if (a == Added::Failed) ++out.failed;
            if (!fields) qCInfo(lcExam).noquote() << "not added:" << why;
        }
        ProgressStore* s = store ? store() : nullptr;
        if (s && s->recordGrade(q.identity, Fsrs::Grade::Forgot, nowMs))
            ++out.graded;
        else
            out.storeFaulted = true;
    }
    qCInfo(lcExam).noquote() << "into the book: added" << out.added << "there" << out.alreadyThere
                             << "failed" << out.failed << "graded" << out.graded;
    return out;
}

}  // namespace WrongBook
