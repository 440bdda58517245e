// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/progressinput.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "platform/folderpath.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/examfields.h"
#include "questionbank/picturecolumn.h"
#include "questionbank/progressstore.h"
#include "questionbank/queries.h"
#include "questionbank/questionidentity.h"

namespace ProgressInput {

namespace {

QString textOf(const SQLite::Column& c) {
    return c.isNull() ? QString() : QString::fromUtf8(c.getText(), c.getBytes());
}

// The personal list has no category. Pictures are read only for rows whose identity is not stored:
// a keyed bank of thousands of pictures is then read without touching one.
std::string selectText(SQLite::Database& db) {
    const bool keyed = QuestionIdentity::keyed(db);
    const bool exam = ExamColumns::exist(db);
    const bool picture = PictureColumn::exists(db);
    SQLite::Statement has(db, "SELECT 1 FROM pragma_table_info('Word') WHERE name = 'category'");
    const QString category =
        has.executeStep() ? QStringLiteral("category") : QStringLiteral("NULL");
    const QString identity = keyed ? QStringLiteral("identity") : QStringLiteral("NULL");
    const QString options = exam ? QStringLiteral("option_a, option_b, option_c, option_d")
                                 : QStringLiteral("NULL, NULL, NULL, NULL");
    const QString bytes =
        picture ? QStringLiteral("CASE WHEN %1 IS NULL THEN picture END").arg(identity)
                : QStringLiteral("NULL");
    return QStringLiteral("SELECT %1, English, %2, %3, %4, %5 FROM Word")
        .arg(category, exam ? QStringLiteral("kind") : QStringLiteral("NULL"), identity, options,
             bytes)
        .toStdString();
}

ProgressSummary::Question questionFrom(SQLite::Statement& q) {
    ProgressSummary::Question out;
    out.category = textOf(q.getColumn(0));
    out.kind = textOf(q.getColumn(2));
    out.identity = ProgressStore::normalIdentity(textOf(q.getColumn(3)));
    if (!out.identity.isEmpty()) return out;
    QuestionIdentity::Options options;
    for (int i = 0; i < 4; ++i) options[size_t(i)] = textOf(q.getColumn(4 + i));
    const SQLite::Column p = q.getColumn(8);
    const QByteArray bytes =
        p.isNull() ? QByteArray() : QByteArray(static_cast<const char*>(p.getBlob()), p.getBytes());
    out.identity = QuestionIdentity::of(textOf(q.getColumn(1)), options, bytes);
    return out;
}

}  // namespace

std::vector<ProgressSummary::Question> readQuestions(const QString& path, const QString& connect) {
    auto db = Database::open(path, {.readOnly = true}, connect);
    try {
        std::vector<ProgressSummary::Question> out;
        SQLite::Statement q(db->sqlite(), selectText(db->sqlite()));
        while (q.executeStep()) out.push_back(questionFrom(q));
        return out;
    } catch (const SQLite::Exception& e) {
        throw DbError::fromSqlite(e, path);
    }
}

namespace {

void readStore(ProgressStore& store, qint64 nowMs, Gathered& g) {
    auto cards = store.allCards();
    auto reviews = cards ? store.reviewsBetween(0, nowMs + 1) : std::nullopt;
    auto papers = reviews ? store.papers() : std::nullopt;
    if (!papers) {
        g.problems << store.failure();
        return;
    }
    g.input.cards = std::move(*cards);
    g.input.reviews = std::move(*reviews);
    g.input.papers = std::move(*papers);
}

}  // namespace

Gathered gather(const QString& folder, ProgressStore* store, qint64 nowMs) {
    Gathered g;
    g.input.nowMs = nowMs;
    try {
        g.input.bank =
            readQuestions(FolderPath::join(folder, Queries::kBankFile), Queries::kBankConnect);
    } catch (const DbError& e) {
        g.problems << e.message();
    }
    try {
        g.input.personal = readQuestions(FolderPath::join(folder, Queries::kPersonalFile));
    } catch (const DbError& e) {
        g.problems << e.message();
    }
    if (store) readStore(*store, nowMs, g);
    return g;
}

}  // namespace ProgressInput
