// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/examkeeper.h"

#include <QDateTime>
#include <QHash>

#include "study/mockexam/examlog.h"

ExamKeeper::ExamKeeper(StoreSource store, QObject* parent)
    : QObject(parent), store_(std::move(store)) {}

ProgressStore* ExamKeeper::usableStore() {
    ProgressStore* store = store_ ? store_() : nullptr;
    if (!store) noteFault("store unusable");
    return store;
}

void ExamKeeper::noteFault(const char* what) {
    qCInfo(lcExam) << "progress store:" << what;
    if (faulted_) return;
    faulted_ = true;
    emit storeFailed();
}

void ExamKeeper::follow(ExamSession* session) {
    if (session_) disconnect(session_, nullptr, this, nullptr);
    session_ = session;
    kept_ = false;
    dirty_ = false;
    lastSavedRemaining_ = -1;
    if (!session) return;
    connect(session, &ExamSession::changed, this, [this] { dirty_ = true; });
    connect(session, &ExamSession::tick, this, &ExamKeeper::onTick);
    connect(session, &ExamSession::submitted, this, &ExamKeeper::onSubmitted);
    connect(session, &QObject::destroyed, this, [this, session] {
        if (session_ == session) session_ = nullptr;
    });
    saveNow();
}

bool ExamKeeper::saveNow() {
    // After a fault nothing more is tried until the next start.
    if (faulted_ || !session_ || session_->isSubmitted() || session_->count() == 0) return false;
    ProgressStore* store = usableStore();
    if (!store) return false;
    const DrawnPaper& paper = session_->paper();
    const ExamSession::Resume state = session_->state();
    ProgressStore::RunningPaper r;
    r.paper = paper.name();
    r.subject = PaperRules::of(paper.rules.subject).name;
    for (const ExamQuestion& q : paper.questions) r.identities << q.identity;
    r.responses = state.responses;
    r.current = state.current;
    r.durationMs = paper.durationMs;
    r.remainingMs = state.remainingMs;
    r.savedMs = wallNow();
    if (!store->saveRunningPaper(r)) {
        noteFault("running paper not saved");
        return false;
    }
    lastSavedRemaining_ = state.remainingMs;
    dirty_ = false;
    qCDebug(lcExam) << "running paper saved," << state.remainingMs / 1000 << "s left";
    return true;
}

void ExamKeeper::onTick(qint64 remainingMs) {
    if (dirty_ || lastSavedRemaining_ < 0 || lastSavedRemaining_ - remainingMs >= kSaveEveryMs)
        saveNow();
}

void ExamKeeper::onSubmitted(const ExamResult& result) {
    if (!session_) return;
    ProgressStore* store = usableStore();
    if (!store) return;
    ProgressStore::Paper p;
    p.timeMs = wallNow();
    p.paper = result.paper;
    p.score = result.score;
    p.durationMs = result.usedMs;
    p.answers = ExamResult::answersJson(session_->paper(), session_->responses());
    kept_ = store->addSubmittedPaper(p);
    if (!kept_) noteFault("paper not kept");
    qCInfo(lcExam).noquote() << "paper" << result.paper << (kept_ ? "kept" : "not kept");
}

std::optional<ProgressStore::RunningPaper> ExamKeeper::pending() {
    ProgressStore* store = usableStore();
    if (!store) return std::nullopt;
    auto running = store->runningPaper();
    if (!running && store->fault() != ProgressStore::Fault::None) noteFault("running paper unread");
    return running;
}

bool ExamKeeper::discard() {
    ProgressStore* store = usableStore();
    if (!store) return false;
    if (store->clearRunningPaper()) return true;
    noteFault("running paper not cleared");
    return false;
}

qint64 ExamKeeper::wallNow() const {
    return wallClock_ ? wallClock_() : QDateTime::currentMSecsSinceEpoch();
}

std::optional<std::pair<DrawnPaper, ExamSession::Resume>> ExamKeeper::rebuild(
    const ProgressStore::RunningPaper& running, const std::vector<ExamQuestion>& questions,
    QString* why) {
    QHash<QString, const ExamQuestion*> byIdentity;
    for (const ExamQuestion& q : questions) byIdentity.insert(q.identity, &q);
    DrawnPaper paper;
    const PaperRules full = PaperRules::of(PaperRules::subjectNamed(running.subject));
    for (const QString& id : running.identities) {
        const ExamQuestion* q = byIdentity.value(id);
        if (!q) {
            if (why)
                *why =
                    QStringLiteral("题库已改变，上次未交卷的试卷中有题目已不在题库里，无法继续。");
            return std::nullopt;
        }
        paper.questions.push_back(*q);
    }
    std::vector<PaperRules::KindCount> counts;
    for (const PaperRules::KindCount& k : full.kinds) {
        int n = 0;
        for (const ExamQuestion& q : paper.questions) n += q.kind == k.kind ? 1 : 0;
        if (n > 0) counts.push_back({k.kind, n});
    }
    paper.rules = full.shortened(counts);
    paper.rules.name = running.paper;
    paper.durationMs = running.durationMs;
    ExamSession::Resume resume{running.responses, running.current, running.remainingMs};
    return std::make_pair(std::move(paper), std::move(resume));
}
