// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDate>
#include <QHash>
#include <QJsonArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "questionbank/fsrs.h"

namespace SQLite {
class Database;
class Exception;
class Statement;
}  // namespace SQLite

// The learner's progress, in progress.db beside the personal list: every
// grade given, the scheduler's state of each question, and the mock exams'
// papers. A question is known by its identity (the 64-hex digest of its text,
// options and picture), so a rebuilt or re-imported bank keeps its progress.
//
// Writes are as durable as the banks' (synchronous=FULL, through a
// write-ahead log rather than their rollback journal: see
// progressstoreopen.cpp): a grade is one transaction, review and state
// together, and is acknowledged only once it is committed. A file that is damaged, not ours, locked
// or cannot be written is never written; after any failure the store writes nothing more, so the
// caller shows one note and carries on. Nothing here throws.
class ProgressStore {
public:
    static constexpr const char* kFileName = "progress.db";

    enum class Fault { None, Damaged, Foreign, Newer, Locked, Unwritable, DiskFull, Io };

    struct Review {
        QString identity;
        qint64 timeMs = 0;
        Fsrs::Grade grade = Fsrs::Grade::Knew;
    };

    // One mock exam as taken.
    struct Paper {
        qint64 id = 0;  // given by the store
        qint64 timeMs = 0;
        QString paper;  // which paper: its name or the way it was drawn
        int score = 0;
        qint64 durationMs = 0;
        QJsonArray answers;
    };

    // A mock exam being taken, saved as it goes so that a crash or a log-out
    // does not lose it; at most one at a time (table running_paper).
    struct RunningPaper {
        QString paper;           // its name: 科目一, 科目四 or a shorter one
        QString subject;         // 科目一 or 科目四: the rules it was drawn by
        QStringList identities;  // its questions, in the paper's order
        QStringList responses;   // the learner's, one per question ("" = none)
        int current = 0;
        qint64 durationMs = 0;  // the paper's whole time
        qint64 remainingMs = 0;
        qint64 savedMs = 0;  // when it was saved, ms since the epoch
    };

    // Opens progress.db in folder, creating the folder and the file when
    // missing. On failure returns null with the fault and the reason (a
    // sentence for the learner) in the out parameters.
    static std::unique_ptr<ProgressStore> open(const QString& folder, const Fsrs& scheduler,
                                               Fault* fault = nullptr, QString* reason = nullptr);
    ~ProgressStore();

    const QString& path() const { return path_; }
    const Fsrs& scheduler() const { return fsrs_; }
    // A changed target retention applies to the grades recorded from now on.
    void setScheduler(const Fsrs& scheduler) { fsrs_ = scheduler; }

    // The last failure, None while all went well.
    Fault fault() const { return fault_; }
    const QString& failure() const { return failure_; }

    // A lower-case 64-hex identity, or empty when text is not one.
    static QString normalIdentity(const QString& text);

    // Records a grade and returns the question's new state once committed;
    // nothing when it could not be written (see failure()).
    std::optional<Fsrs::Card> recordGrade(const QString& identity, Fsrs::Grade grade, qint64 nowMs);
    // Several grades, in time order, all or none (an import).
    bool recordGrades(const std::vector<Review>& reviews);
    bool addPaper(Paper paper);
    // Adds a submitted paper and forgets the running one, together.
    bool addSubmittedPaper(Paper paper);
    // Replaces the running paper.
    bool saveRunningPaper(const RunningPaper& running);
    // The running paper; nothing when there is none, or on a read failure
    // (then fault() says so).
    std::optional<RunningPaper> runningPaper();
    bool clearRunningPaper();

    // The state of one question (reps == 0 when never graded), of several, or
    // of every question graded so far; nothing on a read failure.
    std::optional<Fsrs::Card> card(const QString& identity);
    std::optional<QHash<QString, Fsrs::Card>> cards(const QStringList& identities);
    std::optional<QHash<QString, Fsrs::Card>> allCards();
    // Reviews of one question, or of all in [fromMs, toMs), in time order.
    std::optional<std::vector<Review>> reviewsOf(const QString& identity);
    std::optional<std::vector<Review>> reviewsBetween(qint64 fromMs, qint64 toMs);
    // Grades per local calendar day from first to last, days without any too.
    std::optional<QMap<QDate, int>> reviewsPerDay(QDate first, QDate last);
    std::optional<std::vector<Paper>> papers();

    // The sentence the learner reads for a fault.
    static QString reasonFor(Fault fault, const QString& path);

private:
    ProgressStore(const QString& path, std::unique_ptr<SQLite::Database> db, const Fsrs& fsrs);
    static Fault faultOf(const SQLite::Exception& e);
    void writeGrade(const Review& review, Fsrs::Card* after);
    void insertPaper(const Paper& paper);
    Fsrs::Card readCard(const QString& identity);
    bool fail(Fault fault, const char* what);
    template <typename F>
    bool writeTransaction(const char* what, F&& body);
    template <typename T, typename F>
    std::optional<T> read(const char* what, F&& body);

    QString path_;
    std::unique_ptr<SQLite::Database> db_;
    Fsrs fsrs_;
    Fault fault_ = Fault::None;
    QString failure_;
    bool writable_ = true;
    std::unique_ptr<SQLite::Statement> selectCard_, insertReview_, upsertCard_;
};
