// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>

#include "study/mockexam/examresult.h"
#include "study/mockexam/paperdraw.h"

// One paper being taken: the questions, the learner's response to each, the
// question shown, the clock. Submitting (by the learner, or by the clock at
// zero) scores it once; after that nothing changes. Knows nothing of files:
// ExamKeeper saves and records it.
class ExamSession : public QObject {
    Q_OBJECT
public:
    // Milliseconds from any fixed start, never going back (monotonic). The
    // default is a QElapsedTimer's; tests give their own.
    using Clock = std::function<qint64()>;

    // Where a paper interrupted earlier stood.
    struct Resume {
        QStringList responses;  // one per question ("" = none)
        int current = 0;
        qint64 remainingMs = 0;
    };

    // Starts the clock now, with the paper's whole time, or with what was
    // left of it when resumed. A resumed state that does not fit the paper
    // (other count) is ignored for the responses; current is clamped.
    ExamSession(DrawnPaper paper, Clock clock = {}, std::optional<Resume> resume = {},
                QObject* parent = nullptr);

    const DrawnPaper& paper() const { return paper_; }
    int count() const { return int(paper_.questions.size()); }
    const ExamQuestion& question(int i) const { return paper_.questions.at(size_t(i)); }
    const ExamQuestion& currentQuestion() const { return question(current_); }
    int current() const { return current_; }

    // Moves; false (and nothing changes) past either end, for an index out
    // of range, or once submitted.
    bool next();
    bool previous();
    bool jump(int index);

    // Sets the response to the current question (normalised; see
    // ExamQuestion::normalisedResponse). An empty or unusable response
    // clears it. False once submitted or when nothing changed.
    bool answer(const QString& response);
    // For a 多选: adds or removes one letter (0..3) of the current response.
    bool toggleLetter(int option);
    QString response(int index) const { return responses_.at(index); }
    const QStringList& responses() const { return responses_; }
    bool isAnswered(int index) const { return !responses_.at(index).isEmpty(); }
    int answeredCount() const;
    // Indexes of the questions without a response, in order.
    std::vector<int> unanswered() const;

    // Time left, never below zero; frozen at submission.
    qint64 remainingMs() const;
    qint64 usedMs() const { return paper_.durationMs - remainingMs(); }
    bool timeIsUp() const { return remainingMs() <= 0; }

    // Scores the paper (once); false when already submitted.
    bool submit();
    bool isSubmitted() const { return result_.has_value(); }
    // The result once submitted.
    const std::optional<ExamResult>& result() const { return result_; }

    // Where the paper stands, to save it for resuming.
    Resume state() const;

public slots:
    // Reads the clock: emits tick, and submits when the time is up. A timer
    // calls this a few times a second; tests call it after moving their clock.
    void checkTime();

signals:
    // A response or the current question changed.
    void changed();
    void tick(qint64 remainingMs);
    // The paper was scored (by submit() or the time running out).
    void submitted(const ExamResult& result);

private:
    // Whether the paper still takes changes; submits it first when the time
    // ran out since the last check.
    bool open();
    void finish(ExamResult::Ending ending);

    DrawnPaper paper_;
    Clock clock_;
    QStringList responses_;
    int current_ = 0;
    qint64 startMs_ = 0;       // the clock at the start (or resumption)
    qint64 remainingAtStart_;  // the time left then
    qint64 frozenRemaining_ = -1;
    std::optional<ExamResult> result_;
    QTimer timer_;
};
