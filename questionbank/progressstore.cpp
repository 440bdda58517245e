// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/progressstore.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include <QJsonDocument>
#include <cctype>
#include <cmath>
#include <stdexcept>

#include "platform/logging.h"

namespace {

Fsrs::Card cardFrom(SQLite::Statement& q, int first) {
    Fsrs::Card c;
    c.memory.stability = q.getColumn(first).getDouble();
    c.memory.difficulty = q.getColumn(first + 1).getDouble();
    c.dueMs = q.getColumn(first + 2).getInt64();
    c.lastMs = q.getColumn(first + 3).getInt64();
    c.firstMs = q.getColumn(first + 4).getInt64();
    c.reps = q.getColumn(first + 5).getInt();
    c.lapses = q.getColumn(first + 6).getInt();
    // Numbers no grade could have left mean the file was changed behind our back.
    const bool sane = std::isfinite(c.memory.stability) && c.memory.stability > 0 &&
                      c.memory.difficulty >= 1 && c.memory.difficulty <= 10 && c.reps > 0 &&
                      c.lapses >= 0;
    if (!sane) throw std::runtime_error("a row no grade could have written");
    return c;
}

constexpr const char* kCardColumns = "stability, difficulty, due, last, first, reps, lapses";

ProgressStore::Review reviewFrom(SQLite::Statement& q) {
    const int grade = q.getColumn(2).getInt();
    if (grade < 1 || grade > 4) throw std::runtime_error("a row no grade could have written");
    return {QString::fromStdString(q.getColumn(0).getString()), q.getColumn(1).getInt64(),
            Fsrs::Grade(grade)};
}

}  // namespace

ProgressStore::ProgressStore(const QString& path, std::unique_ptr<SQLite::Database> db,
                             const Fsrs& fsrs)
    : path_(path), db_(std::move(db)), fsrs_(fsrs) {
    selectCard_ = std::make_unique<SQLite::Statement>(
        *db_, std::string("SELECT ") + kCardColumns + " FROM card WHERE identity = ?");
    insertReview_ = std::make_unique<SQLite::Statement>(
        *db_, "INSERT INTO review (identity, time, grade) VALUES (?, ?, ?)");
    upsertCard_ = std::make_unique<SQLite::Statement>(
        *db_, std::string("INSERT OR REPLACE INTO card (identity, ") + kCardColumns +
                  ") VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
}

ProgressStore::~ProgressStore() {
    selectCard_.reset();
    insertReview_.reset();
    upsertCard_.reset();
    qCDebug(lcDb).noquote() << "closed" << path_;
}

QString ProgressStore::normalIdentity(const QString& text) {
    if (text.size() != 64) return {};
    for (const QChar c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c.toLatin1()))) return {};
    return text.toLower();
}

bool ProgressStore::fail(Fault fault, const char* what) {
    fault_ = fault;
    failure_ = reasonFor(fault, path_);
    if (fault != Fault::None) writable_ = false;  // one note, then nothing more is written
    qCInfo(lcDb).noquote() << what << path_ << "failed:" << int(fault);
    return false;
}

template <typename F>
bool ProgressStore::writeTransaction(const char* what, F&& body) {
    if (!writable_) return false;
    try {
        db_->exec("BEGIN IMMEDIATE");
        try {
            body();
            db_->exec("COMMIT");
        } catch (...) {
            // A failed COMMIT (busy, say) leaves the transaction open.
            if (!sqlite3_get_autocommit(db_->getHandle())) db_->exec("ROLLBACK");
            throw;
        }
        return true;
    } catch (const SQLite::Exception& e) {
        qCDebug(lcDb).noquote() << what << "on" << path_ << ":" << e.what();
        return fail(faultOf(e), what);
    } catch (const std::exception& e) {
        qCDebug(lcDb).noquote() << what << "on" << path_ << ":" << e.what();
        return fail(Fault::Damaged, what);
    }
}

template <typename T, typename F>
std::optional<T> ProgressStore::read(const char* what, F&& body) {
    try {
        return body();
    } catch (const SQLite::Exception& e) {
        qCDebug(lcDb).noquote() << what << "on" << path_ << ":" << e.what();
        fail(faultOf(e), what);
    } catch (const std::exception& e) {
        qCDebug(lcDb).noquote() << what << "on" << path_ << ":" << e.what();
        fail(Fault::Damaged, what);
    }
    return std::nullopt;
}

Fsrs::Card ProgressStore::readCard(const QString& identity) {
    SQLite::Statement& q = *selectCard_;
    q.reset();
    q.bind(1, identity.toStdString());
    const Fsrs::Card c = q.executeStep() ? cardFrom(q, 0) : Fsrs::Card{};
    q.reset();
    return c;
}

void ProgressStore::writeGrade(const Review& review, Fsrs::Card* after) {
    const Fsrs::Card before = readCard(review.identity);
    const Fsrs::Card next = fsrs_.review(before, review.grade, review.timeMs);
    const std::string id = review.identity.toStdString();
    SQLite::Statement& ins = *insertReview_;
    ins.reset();
    ins.bind(1, id);
    ins.bind(2, static_cast<int64_t>(review.timeMs));
    ins.bind(3, int(review.grade));
    ins.exec();
    SQLite::Statement& up = *upsertCard_;
    up.reset();
    up.bind(1, id);
    up.bind(2, next.memory.stability);
    up.bind(3, next.memory.difficulty);
    up.bind(4, static_cast<int64_t>(next.dueMs));
    up.bind(5, static_cast<int64_t>(next.lastMs));
    up.bind(6, static_cast<int64_t>(next.firstMs));
    up.bind(7, next.reps);
    up.bind(8, next.lapses);
    up.exec();
    if (after) *after = next;
}

std::optional<Fsrs::Card> ProgressStore::recordGrade(const QString& identity, Fsrs::Grade grade,
                                                     qint64 nowMs) {
    const QString id = normalIdentity(identity);
    if (id.isEmpty() || int(grade) < 1 || int(grade) > 4) {
        qCWarning(lcDb).noquote() << "grade" << int(grade) << "for" << identity << "refused";
        return std::nullopt;
    }
    Fsrs::Card after;
    const bool ok = writeTransaction("record grade", [&] {
        writeGrade({id, nowMs, grade}, &after);
    });
    if (!ok) return std::nullopt;
    qCDebug(lcDb).noquote() << "graded" << id << int(grade) << "due" << after.dueMs;
    return after;
}

bool ProgressStore::recordGrades(const std::vector<Review>& reviews) {
    std::vector<Review> checked;
    checked.reserve(reviews.size());
    for (const Review& r : reviews) {
        const QString id = normalIdentity(r.identity);
        if (id.isEmpty() || int(r.grade) < 1 || int(r.grade) > 4) return false;
        checked.push_back({id, r.timeMs, r.grade});
    }
    return writeTransaction("record grades", [&] {
        for (const Review& r : checked) writeGrade(r, nullptr);
    });
}

void ProgressStore::insertPaper(const Paper& paper) {
    SQLite::Statement ins(*db_,
                          "INSERT INTO paper (time, paper, score, duration, answers) "
                          "VALUES (?, ?, ?, ?, ?)");
    ins.bind(1, static_cast<int64_t>(paper.timeMs));
    ins.bind(2, paper.paper.toStdString());
    ins.bind(3, paper.score);
    ins.bind(4, static_cast<int64_t>(paper.durationMs));
    ins.bind(5, QJsonDocument(paper.answers).toJson(QJsonDocument::Compact).toStdString());
    ins.exec();
}

bool ProgressStore::addPaper(Paper paper) {
    return writeTransaction("add paper", [&] { insertPaper(paper); });
}

std::optional<Fsrs::Card> ProgressStore::card(const QString& identity) {
    const QString id = normalIdentity(identity);
    if (id.isEmpty()) return Fsrs::Card{};
    return read<Fsrs::Card>("read card", [&] { return readCard(id); });
}

std::optional<QHash<QString, Fsrs::Card>> ProgressStore::allCards() {
    return read<QHash<QString, Fsrs::Card>>("read cards", [&] {
        QHash<QString, Fsrs::Card> all;
        SQLite::Statement q(*db_, std::string("SELECT identity, ") + kCardColumns + " FROM card");
        while (q.executeStep())
            all.insert(QString::fromStdString(q.getColumn(0).getString()), cardFrom(q, 1));
        return all;
    });
}

std::optional<QHash<QString, Fsrs::Card>> ProgressStore::cards(const QStringList& identities) {
    // One walk through the table beats thousands of lookups once a bank is large.
    if (identities.size() > 64) {
        auto all = allCards();
        if (!all) return std::nullopt;
        QHash<QString, Fsrs::Card> wanted;
        for (const QString& identity : identities) {
            const auto it = all->constFind(normalIdentity(identity));
            if (it != all->cend()) wanted.insert(it.key(), it.value());
        }
        return wanted;
    }
    return read<QHash<QString, Fsrs::Card>>("read cards", [&] {
        QHash<QString, Fsrs::Card> wanted;
        for (const QString& identity : identities) {
            const QString id = normalIdentity(identity);
            if (id.isEmpty()) continue;
            const Fsrs::Card c = readCard(id);
            if (!c.isNew()) wanted.insert(id, c);
        }
        return wanted;
    });
}

std::optional<std::vector<ProgressStore::Review>> ProgressStore::reviewsOf(
    const QString& identity) {
    return read<std::vector<Review>>("read reviews", [&] {
        std::vector<Review> all;
        SQLite::Statement q(*db_,
                            "SELECT identity, time, grade FROM review WHERE identity = ? "
                            "ORDER BY time, rowid");
        q.bind(1, normalIdentity(identity).toStdString());
        while (q.executeStep()) all.push_back(reviewFrom(q));
        return all;
    });
}

std::optional<std::vector<ProgressStore::Review>> ProgressStore::reviewsBetween(qint64 fromMs,
                                                                                qint64 toMs) {
    return read<std::vector<Review>>("read reviews", [&] {
        std::vector<Review> all;
        SQLite::Statement q(*db_,
                            "SELECT identity, time, grade FROM review WHERE time >= ? AND time < ? "
                            "ORDER BY time, rowid");
        q.bind(1, static_cast<int64_t>(fromMs));
        q.bind(2, static_cast<int64_t>(toMs));
        while (q.executeStep()) all.push_back(reviewFrom(q));
        return all;
    });
}

std::optional<QMap<QDate, int>> ProgressStore::reviewsPerDay(QDate first, QDate last) {
    if (!first.isValid() || !last.isValid() || last < first) return QMap<QDate, int>{};
    return read<QMap<QDate, int>>("count reviews", [&] {
        QMap<QDate, int> perDay;
        for (QDate d = first; d <= last; d = d.addDays(1)) perDay.insert(d, 0);
        SQLite::Statement q(*db_,
                            "SELECT time FROM review WHERE time >= ? AND time < ? ORDER BY time");
        q.bind(1, static_cast<int64_t>(first.startOfDay().toMSecsSinceEpoch()));
        q.bind(2, static_cast<int64_t>(last.addDays(1).startOfDay().toMSecsSinceEpoch()));
        // Times come in order, so each day's end is worked out once.
        QDate day = first;
        qint64 dayEnd = day.addDays(1).startOfDay().toMSecsSinceEpoch();
        while (q.executeStep()) {
            const qint64 t = q.getColumn(0).getInt64();
            while (t >= dayEnd) {
                day = day.addDays(1);
                dayEnd = day.addDays(1).startOfDay().toMSecsSinceEpoch();
            }
            ++perDay[day];
        }
        return perDay;
    });
}

std::optional<std::vector<ProgressStore::Paper>> ProgressStore::papers() {
    return read<std::vector<Paper>>("read papers", [&] {
        std::vector<Paper> all;
        SQLite::Statement q(*db_,
                            "SELECT id, time, paper, score, duration, answers FROM paper "
                            "ORDER BY time, id");
        while (q.executeStep()) {
            const QByteArray json = QByteArray::fromStdString(q.getColumn(5).getString());
            all.push_back({q.getColumn(0).getInt64(), q.getColumn(1).getInt64(),
                           QString::fromStdString(q.getColumn(2).getString()),
                           q.getColumn(3).getInt(), q.getColumn(4).getInt64(),
                           QJsonDocument::fromJson(json).array()});
        }
        return all;
    });
}

// The running paper is one row (id 1); the lists are kept as JSON arrays.
namespace {
std::string jsonOf(const QStringList& list) {
    return QJsonDocument(QJsonArray::fromStringList(list))
        .toJson(QJsonDocument::Compact)
        .toStdString();
}

QStringList listOf(const std::string& json) {
    QStringList out;
    for (const QJsonValue& v : QJsonDocument::fromJson(QByteArray::fromStdString(json)).array())
        out << v.toString();
    return out;
}
}  // namespace

bool ProgressStore::addSubmittedPaper(Paper paper) {
    return writeTransaction("add submitted paper", [&] {
        insertPaper(paper);
        db_->exec("DELETE FROM running_paper");
    });
}

bool ProgressStore::saveRunningPaper(const RunningPaper& r) {
    return writeTransaction("save running paper", [&] {
        SQLite::Statement q(*db_,
                            "INSERT OR REPLACE INTO running_paper (id, paper, subject, questions,"
                            " responses, current, duration, remaining, saved)"
                            " VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?)");
        q.bind(1, r.paper.toStdString());
        q.bind(2, r.subject.toStdString());
        q.bind(3, jsonOf(r.identities));
        q.bind(4, jsonOf(r.responses));
        q.bind(5, r.current);
        q.bind(6, static_cast<int64_t>(r.durationMs));
        q.bind(7, static_cast<int64_t>(r.remainingMs));
        q.bind(8, static_cast<int64_t>(r.savedMs));
        q.exec();
    });
}

std::optional<ProgressStore::RunningPaper> ProgressStore::runningPaper() {
    auto found = read<std::optional<RunningPaper>>("read running paper", [&] {
        SQLite::Statement q(*db_,
                            "SELECT paper, subject, questions, responses, current, duration,"
                            " remaining, saved FROM running_paper WHERE id = 1");
        if (!q.executeStep()) return std::optional<RunningPaper>{};
        RunningPaper r;
        r.paper = QString::fromStdString(q.getColumn(0).getString());
        r.subject = QString::fromStdString(q.getColumn(1).getString());
        r.identities = listOf(q.getColumn(2).getString());
        r.responses = listOf(q.getColumn(3).getString());
        r.current = q.getColumn(4).getInt();
        r.durationMs = q.getColumn(5).getInt64();
        r.remainingMs = q.getColumn(6).getInt64();
        r.savedMs = q.getColumn(7).getInt64();
        if (r.identities.isEmpty() || r.responses.size() != r.identities.size())
            throw std::runtime_error("a running paper no save could have written");
        return std::optional<RunningPaper>(r);
    });
    return found ? *found : std::nullopt;
}

bool ProgressStore::clearRunningPaper() {
    return writeTransaction("clear running paper", [&] { db_->exec("DELETE FROM running_paper"); });
}
