// SPDX-License-Identifier: GPL-3.0-or-later
// The progress store's round trip: grades, states, reviews per day, papers.
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QTemporaryDir>

#include "questionbank/progressstore.h"

namespace {

using G = Fsrs::Grade;
constexpr qint64 kHour = 60 * 60 * 1000;
const qint64 kT0 = QDate(2026, 3, 1).startOfDay().toMSecsSinceEpoch() + 9 * kHour;

QString idOf(int n) {
    return QString::fromLatin1(
        QCryptographicHash::hash(QByteArray::number(n), QCryptographicHash::Sha256).toHex());
}

std::unique_ptr<ProgressStore> openIn(const QString& folder, const Fsrs& fsrs = Fsrs()) {
    QString reason;
    auto store = ProgressStore::open(folder, fsrs, nullptr, &reason);
    EXPECT_TRUE(store) << reason.toStdString();
    return store;
}

void expectSameCard(const Fsrs::Card& a, const Fsrs::Card& b) {
    EXPECT_DOUBLE_EQ(a.memory.stability, b.memory.stability);
    EXPECT_DOUBLE_EQ(a.memory.difficulty, b.memory.difficulty);
    EXPECT_EQ(a.firstMs, b.firstMs);
    EXPECT_EQ(a.lastMs, b.lastMs);
    EXPECT_EQ(a.dueMs, b.dueMs);
    EXPECT_EQ(a.reps, b.reps);
    EXPECT_EQ(a.lapses, b.lapses);
}

}  // namespace

TEST(ProgressStore, MissingFileAndFolderAreCreatedAndGradesComeBack) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/Quillmere");
    const Fsrs fsrs;
    Fsrs::Card one, two;
    {
        auto store = openIn(folder);
        ASSERT_TRUE(store);
        EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/progress.db")));
        EXPECT_EQ(store->fault(), ProgressStore::Fault::None);
        EXPECT_TRUE(store->card(idOf(1))->isNew());
        const auto a = store->recordGrade(idOf(1), G::Knew, kT0);
        const auto b = store->recordGrade(idOf(2), G::Easy, kT0 + kHour);
        const auto c = store->recordGrade(idOf(1), G::Forgot, kT0 + 4 * Fsrs::kDayMs);
        ASSERT_TRUE(a && b && c);
        // What the store acknowledges is the scheduler's own answer.
        one = fsrs.review(fsrs.review({}, G::Knew, kT0), G::Forgot, kT0 + 4 * Fsrs::kDayMs);
        two = fsrs.review({}, G::Easy, kT0 + kHour);
        expectSameCard(*c, one);
        expectSameCard(*b, two);
    }
    auto store = openIn(folder);
    ASSERT_TRUE(store);
    expectSameCard(*store->card(idOf(1)), one);
    const auto all = store->allCards();
    ASSERT_TRUE(all);
    EXPECT_EQ(all->size(), 2);
    expectSameCard(all->value(idOf(2)), two);
    const auto some = store->cards({idOf(2), idOf(3)});
    ASSERT_TRUE(some);
    EXPECT_EQ(some->keys(), QList<QString>{idOf(2)});
    const auto reviews = store->reviewsOf(idOf(1));
    ASSERT_TRUE(reviews);
    ASSERT_EQ(reviews->size(), 2u);
    EXPECT_EQ((*reviews)[0].grade, G::Knew);
    EXPECT_EQ((*reviews)[1].timeMs, kT0 + 4 * Fsrs::kDayMs);
    EXPECT_EQ(store->reviewsBetween(kT0, kT0 + 2 * kHour)->size(), 2u);
}

TEST(ProgressStore, IdentityIsTheLowerCaseDigestAndNothingElse) {
    QTemporaryDir dir;
    auto store = openIn(dir.path());
    ASSERT_TRUE(store);
    ASSERT_TRUE(store->recordGrade(idOf(7).toUpper(), G::Vague, kT0));
    EXPECT_EQ(store->card(idOf(7))->reps, 1);
    EXPECT_FALSE(store->recordGrade(QStringLiteral("q7"), G::Knew, kT0));
    EXPECT_FALSE(store->recordGrade(idOf(7).replace(0, 1, QLatin1Char('g')), G::Knew, kT0));
    EXPECT_FALSE(store->recordGrade(idOf(8), G(5), kT0));
    // A refused argument is the caller's mistake, not the file's: writing goes on.
    EXPECT_EQ(store->fault(), ProgressStore::Fault::None);
    EXPECT_EQ(store->reviewsBetween(0, kT0 * 2)->size(), 1u);
    // Several grades are written together or not at all.
    EXPECT_FALSE(
        store->recordGrades({{idOf(1), kT0, G::Knew}, {QStringLiteral("bad"), kT0, G::Knew}}));
    EXPECT_EQ(store->reviewsBetween(0, kT0 * 2)->size(), 1u);
    EXPECT_TRUE(store->recordGrades({{idOf(1), kT0, G::Knew}, {idOf(1), kT0 + kHour, G::Easy}}));
    EXPECT_EQ(store->card(idOf(1))->reps, 2);
}

TEST(ProgressStore, ReviewsPerLocalDayIncludeEmptyDays) {
    QTemporaryDir dir;
    auto store = openIn(dir.path());
    ASSERT_TRUE(store);
    const QDate day(2026, 3, 1);
    const auto at = [](QDate d, int hour, int minute = 0) {
        return d.startOfDay().toMSecsSinceEpoch() + hour * kHour + minute * 60 * 1000;
    };
    // Just after midnight and just before the next one belong to their own days.
    ASSERT_TRUE(store->recordGrades({{idOf(1), at(day, 0, 1), G::Knew},
                                     {idOf(2), at(day, 23, 59), G::Knew},
                                     {idOf(1), at(day.addDays(2), 8), G::Vague},
                                     {idOf(3), at(day.addDays(2), 9), G::Forgot},
                                     {idOf(2), at(day.addDays(2), 10), G::Easy},
                                     {idOf(4), at(day.addDays(5), 10), G::Easy}}));
    const auto perDay = store->reviewsPerDay(day.addDays(-1), day.addDays(3));
    ASSERT_TRUE(perDay);
    const QMap<QDate, int> expected{{day.addDays(-1), 0},
                                    {day, 2},
                                    {day.addDays(1), 0},
                                    {day.addDays(2), 3},
                                    {day.addDays(3), 0}};
    EXPECT_EQ(*perDay, expected);
    EXPECT_TRUE(store->reviewsPerDay(day, day.addDays(-1))->isEmpty());
}

TEST(ProgressStore, PapersKeepTimeScoreDurationAndAnswers) {
    QTemporaryDir dir;
    QJsonArray answers;
    answers.append(QJsonObject{{"identity", idOf(1)}, {"answer", "B"}, {"right", true}});
    answers.append(QJsonObject{{"identity", idOf(2)}, {"answer", "对"}, {"right", false}});
    {
        auto store = openIn(dir.path());
        ASSERT_TRUE(store);
        ASSERT_TRUE(store->addPaper(
            {0, kT0 + kHour, QStringLiteral("科目一 第2套"), 92, 1800000, answers}));
        ASSERT_TRUE(store->addPaper({0, kT0, QStringLiteral("科目一 随机"), 85, 2400000, {}}));
    }
    auto store = openIn(dir.path());
    ASSERT_TRUE(store);
    const auto papers = store->papers();
    ASSERT_TRUE(papers);
    ASSERT_EQ(papers->size(), 2u);
    EXPECT_EQ((*papers)[0].paper, QStringLiteral("科目一 随机"));
    const ProgressStore::Paper& p = (*papers)[1];
    EXPECT_GT(p.id, 0);
    EXPECT_EQ(p.timeMs, kT0 + kHour);
    EXPECT_EQ(p.paper, QStringLiteral("科目一 第2套"));
    EXPECT_EQ(p.score, 92);
    EXPECT_EQ(p.durationMs, 1800000);
    EXPECT_EQ(p.answers, answers);
}

TEST(ProgressStore, TargetRetentionAppliesToLaterGrades) {
    QTemporaryDir dir;
    auto store = openIn(dir.path());
    ASSERT_TRUE(store);
    const auto relaxed = store->recordGrade(idOf(1), G::Easy, kT0);
    store->setScheduler(Fsrs(0.97));
    const auto strict = store->recordGrade(idOf(2), G::Easy, kT0);
    ASSERT_TRUE(relaxed && strict);
    EXPECT_EQ(relaxed->dueMs - kT0,
              Fsrs(0.9).intervalDays(relaxed->memory.stability) * Fsrs::kDayMs);
    EXPECT_EQ(strict->dueMs - kT0,
              Fsrs(0.97).intervalDays(strict->memory.stability) * Fsrs::kDayMs);
    EXPECT_LT(strict->dueMs, relaxed->dueMs);
}

TEST(ProgressStore, EmptyFileIsTakenForANewStore) {
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("progress.db")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    auto store = openIn(dir.path());
    ASSERT_TRUE(store);
    EXPECT_TRUE(store->recordGrade(idOf(1), G::Knew, kT0));
}

// A grade costs one flush of the write-ahead log instead of the four of a
// rollback journal; a file kept by an earlier version, with its journal,
// moves to the log when opened and keeps its grades.
TEST(ProgressStore, GradesAreCommittedThroughTheWriteAheadLog) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("progress.db"));
    const auto journalMode = [&] {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY);
        return db.execAndGet("PRAGMA journal_mode").getString();
    };
    {
        auto store = openIn(dir.path());
        ASSERT_TRUE(store);
        ASSERT_TRUE(store->recordGrade(idOf(1), G::Knew, kT0));
        EXPECT_EQ(journalMode(), "wal");
        EXPECT_GT(QFileInfo(path + QStringLiteral("-wal")).size(), 0);
    }
    {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
        ASSERT_EQ(db.execAndGet("PRAGMA journal_mode=DELETE").getString(), "delete");
    }
    ASSERT_EQ(journalMode(), "delete");
    auto store = openIn(dir.path());
    ASSERT_TRUE(store);
    EXPECT_EQ(journalMode(), "wal");
    EXPECT_EQ(store->card(idOf(1))->reps, 1);
    ASSERT_TRUE(store->recordGrade(idOf(1), G::Knew, kT0 + 3 * Fsrs::kDayMs));
    EXPECT_EQ(store->card(idOf(1))->reps, 2);
}
