// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "questionbank/progressstore.h"
#include "study/mockexam/examsession.h"

// Keeps a paper in the progress store: while it runs, where it stands, so
// that a crash or a log-out loses next to nothing; when it is submitted, the
// paper with its score and answers, the running state cleared in the same
// transaction.
//
// A save is a committed write with synchronous=FULL, about 18 ms on the
// bench's disk: too slow to sit between a key and the next question. So a
// response or a move marks the paper changed and the session's next tick (a
// quarter of a second at most) saves it; without changes it is saved every
// kSaveEveryMs for the time left.
//
// The store comes from a source asked at each write (Study's one
// LearnerProgress); null means it cannot be used. A fault never stops the
// exam: the keeper notes it (faulted()), the result is then not kept
// (kept() false) and the window tells the learner.
class ExamKeeper : public QObject {
    Q_OBJECT
public:
    using StoreSource = std::function<ProgressStore*()>;
    static constexpr qint64 kSaveEveryMs = 5000;

    explicit ExamKeeper(StoreSource store, QObject* parent = nullptr);

    // Follows the session until it is submitted or destroyed: saves its
    // state now and as it changes, records it when submitted. The wall-clock
    // time of a paper is taken from now (QDateTime) unless a source is set.
    void follow(ExamSession* session);
    // Saves where the followed session stands now (at log-out, on closing
    // the window without submitting). False on a fault or nothing to save.
    bool saveNow();

    // Whether the followed paper's result was written to the store.
    bool kept() const { return kept_; }
    // Whether any write or read of the store failed (or it was unusable).
    bool faulted() const { return faulted_; }

    // A paper left running by an earlier start, if the store holds one.
    std::optional<ProgressStore::RunningPaper> pending();
    // Forgets the paper left running; false on a fault.
    bool discard();

    // The paper saved in `running`, rebuilt from these questions (looked up
    // by identity) with where it stood; with no time left, a session made
    // from it is submitted at its first check. Nothing, with a reason in
    // Chinese in why, when a question is no longer in the bank.
    static std::optional<std::pair<DrawnPaper, ExamSession::Resume>> rebuild(
        const ProgressStore::RunningPaper& running, const std::vector<ExamQuestion>& questions,
        QString* why = nullptr);

    // The wall clock for the papers' times (ms since the epoch); tests set one.
    void setWallClock(std::function<qint64()> now) { wallClock_ = std::move(now); }

signals:
    // A write failed or the store could not be used: the window tells the
    // learner (once; LearnerProgress::takeUntoldFault has the reason).
    void storeFailed();

private:
    ProgressStore* usableStore();
    void noteFault(const char* what);
    qint64 wallNow() const;
    void onSubmitted(const ExamResult& result);
    void onTick(qint64 remainingMs);

    StoreSource store_;
    ExamSession* session_ = nullptr;
    std::function<qint64()> wallClock_;
    qint64 lastSavedRemaining_ = -1;
    bool dirty_ = false;
    bool kept_ = false;
    bool faulted_ = false;
};
