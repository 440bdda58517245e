// SPDX-License-Identifier: GPL-3.0-or-later
// A writer recording grades, killed with SIGKILL at random moments many
// times: afterwards the store opens, passes the integrity check and holds
// every grade the writer was told was kept, in order, plus at most the one
// that was in flight; each question's state is the one its grades give.
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <limits>
#include <optional>

#include "questionbank/progressstore.h"

namespace {

using Review = ProgressStore::Review;

Review parseBegin(const QString& line) {
    // "begin <identity> <grade> <time>"
    const QStringList p = line.split(QLatin1Char(' '));
    return {p.value(1), p.value(3).toLongLong(), Fsrs::Grade(p.value(2).toInt())};
}

bool sameReview(const Review& a, const Review& b) {
    return a.identity == b.identity && a.timeMs == b.timeMs && a.grade == b.grade;
}

QString integrityOf(const QString& path) {
    SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY);
    return QString::fromStdString(db.execAndGet("PRAGMA integrity_check").getString());
}

// Every stored state must be what the stored grades give, so that a review
// and its state were always kept together.
void expectStatesFollowReviews(ProgressStore& store, const std::vector<Review>& reviews) {
    QHash<QString, Fsrs::Card> replayed;
    for (const Review& r : reviews)
        replayed[r.identity] =
            store.scheduler().review(replayed.value(r.identity), r.grade, r.timeMs);
    const auto stored = store.allCards();
    ASSERT_TRUE(stored);
    ASSERT_EQ(stored->size(), replayed.size());
    for (auto it = replayed.cbegin(); it != replayed.cend(); ++it) {
        const Fsrs::Card s = stored->value(it.key());
        ASSERT_EQ(s.reps, it->reps) << it.key().toStdString();
        ASSERT_EQ(s.lapses, it->lapses);
        ASSERT_EQ(s.dueMs, it->dueMs);
        ASSERT_DOUBLE_EQ(s.memory.stability, it->memory.stability);
        ASSERT_DOUBLE_EQ(s.memory.difficulty, it->memory.difficulty);
    }
}

// Starts the writer, lets it write for a random moment, kills it and
// returns all it said.
QByteArray runAndKill(const QString& folder, int run, qint64 startMs, QRandomGenerator& rng) {
    QProcess writer;
    writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    writer.start(QStringLiteral(WRITER_PATH), {QStringLiteral("grades"), folder,
                                               QString::number(run), QString::number(startMs)});
    EXPECT_TRUE(writer.waitForStarted());
    QByteArray out;
    while (!out.contains("ready\n") && writer.waitForReadyRead(10000))
        out += writer.readAllStandardOutput();
    EXPECT_TRUE(out.contains("ready\n")) << out.constData();
    QThread::usleep(rng.bounded(500u, 60000u));
    writer.kill();  // SIGKILL
    EXPECT_TRUE(writer.waitForFinished(10000));
    return out + writer.readAllStandardOutput();
}

struct Tally {
    int acknowledged = 0, inFlightKept = 0, inFlightLost = 0;
};

// The store after a kill: every acknowledged grade in order, then at most the
// one in flight, which joins the grades to keep when it was kept.
void checkStore(const QString& folder, std::vector<Review>& kept,
                const std::optional<Review>& pending, Tally& tally) {
    QString reason;
    auto store = ProgressStore::open(folder, Fsrs(), nullptr, &reason);
    ASSERT_TRUE(store) << "the store no longer opens: " << reason.toStdString();
    const auto stored = store->reviewsBetween(0, std::numeric_limits<qint64>::max());
    ASSERT_TRUE(stored);
    ASSERT_GE(stored->size(), kept.size()) << "an acknowledged grade is missing";
    for (size_t i = 0; i < kept.size(); ++i)
        ASSERT_TRUE(sameReview((*stored)[i], kept[i])) << "grade " << i << " differs";
    if (stored->size() == kept.size() + 1) {
        ASSERT_TRUE(pending && sameReview(stored->back(), *pending)) << "a grade nobody gave";
        kept.push_back(*pending);
        ++tally.inFlightKept;
    } else {
        ASSERT_EQ(stored->size(), kept.size());
        if (pending) ++tally.inFlightLost;
    }
    expectStatesFollowReviews(*store, kept);
}

}  // namespace

TEST(KilledProgressWriter, EveryAcknowledgedGradeIsKept) {
    QTemporaryDir dir;
    constexpr quint32 kSeed = 51977;
    QRandomGenerator rng(kSeed);
    std::vector<Review> kept;  // what the store must hold, in order
    qint64 nextStart = 1'760'000'000'000;
    Tally tally;
    int run = 0;
    // At least 150 kills, and more on a loaded machine until over 300 grades were acknowledged.
    for (; run < 150 || (tally.acknowledged <= 300 && run < 1500); ++run) {
        SCOPED_TRACE(QStringLiteral("run %1 (seed %2)").arg(run).arg(kSeed).toStdString());
        const QByteArray out = runAndKill(dir.path(), run, nextStart, rng);
        std::optional<Review> pending;
        for (const QString& line : QString::fromUtf8(out).split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("begin "))) {
                pending = parseBegin(line);
                nextStart = std::max(nextStart, pending->timeMs + Fsrs::kDayMs);
            } else if (line == QLatin1String("done") && pending) {
                kept.push_back(*pending);
                pending.reset();
                ++tally.acknowledged;
            } else {
                ASSERT_FALSE(line.startsWith(QLatin1String("refused"))) << line.toStdString();
            }
        }
        checkStore(dir.path(), kept, pending, tally);
        if (HasFatalFailure()) return;
        ASSERT_EQ(integrityOf(dir.filePath(QStringLiteral("progress.db"))), QStringLiteral("ok"));
    }
    std::printf("killed %d times: %d grades acknowledged, in flight %d kept / %d lost\n", run,
                tally.acknowledged, tally.inFlightKept, tally.inFlightLost);
    EXPECT_GT(tally.acknowledged, 300);
}
