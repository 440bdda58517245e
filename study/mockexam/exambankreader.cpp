// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/exambankreader.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>

#include <QSet>

#include "platform/folderpath.h"
#include "questionbank/columns.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/examfields.h"
#include "questionbank/picturecolumn.h"
#include "questionbank/progressstore.h"
#include "questionbank/queries.h"
#include "questionbank/questionidentity.h"
#include "study/mockexam/examlog.h"

namespace {

using Source = ExamQuestion::Source;

QString fileOf(Source source) {
    return source == Source::Bank ? Queries::kBankFile : Queries::kPersonalFile;
}

QString text(SQLite::Statement& q, int column) {
    return QString::fromUtf8(q.getColumn(column).getText());
}

// Which optional columns the file has, and so what the one query reads.
struct Shape {
    bool exam = false, picture = false, keyed = false, category = false;

    explicit Shape(SQLite::Database& db)
        : exam(ExamColumns::exist(db)),
          picture(PictureColumn::exists(db)),
          keyed(QuestionIdentity::keyed(db)) {
        // The personal list has no category column.
        SQLite::Statement q(db, "SELECT 1 FROM pragma_table_info('Word') WHERE name = 'category'");
        category = q.executeStep();
    }

    // "index", category, English, Chinese, kind, option_a..d, explanation,
    // identity, has picture, and the picture itself only where the identity
    // must be worked out from it (a file without the identity column).
    std::string query() const {
        const QString identity = keyed ? QStringLiteral("identity") : QStringLiteral("NULL");
        // length() of a BLOB reads its size, not its bytes.
        const QString has = picture ? QStringLiteral("length(picture) > 0") : QStringLiteral("0");
        const QString bytes =
            picture && !keyed ? QStringLiteral("picture") : QStringLiteral("NULL");
        return QStringLiteral(
                   "SELECT \"index\", %4, English, Chinese, kind, option_a, option_b,"
                   " option_c, option_d, explanation, %1, %2, %3 FROM Word"
                   " WHERE kind IS NOT NULL AND kind <> '' ORDER BY \"index\"")
            .arg(identity, has, bytes, category ? QStringLiteral("category") : QStringLiteral("''"))
            .toStdString();
    }
};

ExamQuestion questionFrom(SQLite::Statement& q, Source source) {
    ExamQuestion e;
    e.source = source;
    e.row = q.getColumn(0).getInt64();
    e.category = text(q, 1);
    e.text = text(q, 2);
    e.kind = text(q, 4);
    for (int i = 0; i < 4; ++i) e.options[size_t(i)] = text(q, 5 + i);
    e.answer = ExamAnswer::normalised(e.kind, text(q, 3));
    e.explanation = text(q, 9);
    e.hasPicture = q.getColumn(11).getInt() != 0;
    e.identity = ProgressStore::normalIdentity(text(q, 10));
    if (e.identity.isEmpty()) {
        const auto& blob = q.getColumn(12);
        const QByteArray picture(static_cast<const char*>(blob.getBlob()), blob.getBytes());
        e.identity = QuestionIdentity::of(e.text, e.options, picture);
    }
    return e;
}

bool sound(const ExamQuestion& e) {
    if (e.kind != ExamKind::kJudge && e.kind != ExamKind::kSingle && e.kind != ExamKind::kMultiple)
        return false;
    ExamFields f;
    f.kind = e.kind;
    f.options = e.options;
    return ExamAnswer::problems(f, e.answer).isEmpty();
}

}  // namespace

ExamBankReader::ExamBankReader(QString folder) : folder_(std::move(folder)) {}
ExamBankReader::~ExamBankReader() = default;

std::optional<std::vector<ExamQuestion>> ExamBankReader::bankQuestions() {
    return read(Source::Bank);
}

std::optional<std::vector<ExamQuestion>> ExamBankReader::personalQuestions() {
    return read(Source::PersonalList);
}

std::shared_ptr<Database> ExamBankReader::openFor(Source source, QString* why) {
    std::shared_ptr<Database>& db = source == Source::Bank ? bank_ : personal_;
    if (db) return db;
    const QString path = FolderPath::join(folder_, fileOf(source));
    try {
        // Read-only: an exam never writes a bank, whatever happens.
        db = Database::open(path, {.readOnly = true},
                            source == Source::Bank ? Queries::kBankConnect : QString());
    } catch (const DbError& e) {
        if (why) *why = e.message();
        qCInfo(lcExam).noquote() << "cannot open" << path << ":" << e.message();
    }
    return db;
}

std::optional<std::vector<ExamQuestion>> ExamBankReader::read(Source source) {
    error_.clear();
    skipped_ = 0;
    const auto db = openFor(source, &error_);
    if (!db) return std::nullopt;
    try {
        std::vector<ExamQuestion> out;
        const Shape shape(db->sqlite());
        if (!shape.exam) return out;  // a file from before kinds: no exam questions
        SQLite::Statement q(db->sqlite(), shape.query());
        QSet<QString> seen;
        while (q.executeStep()) {
            ExamQuestion e = questionFrom(q, source);
            if (!sound(e) || seen.contains(e.identity)) {
                ++skipped_;
                continue;
            }
            seen.insert(e.identity);
            out.push_back(std::move(e));
        }
        qCInfo(lcExam).noquote() << "read" << out.size() << "questions from" << db->path()
                                 << "skipped" << skipped_;
        return out;
    } catch (const SQLite::Exception& e) {
        error_ = DbError::fromSqlite(e, db->path()).message();
    } catch (const std::exception& e) {
        error_ = DbError::make(DbError::Damaged, db->path()).message();
    }
    // A file that failed once is opened afresh next time.
    (source == Source::Bank ? bank_ : personal_).reset();
    qCInfo(lcExam).noquote() << "read failed:" << error_;
    return std::nullopt;
}

namespace {
// The row of q in db, still holding q's text; a message when it is gone.
QString rowMissing(const ExamQuestion& q, const QString& file) {
    qCInfo(lcExam).noquote() << "row" << q.row << "of" << file << "no longer holds the question";
    return QStringLiteral("“%1”中的这道题已被改动或删除").arg(file);
}
}  // namespace

QByteArray ExamBankReader::picture(const ExamQuestion& q, QString* why) {
    if (why) why->clear();
    if (!q.hasPicture) return {};
    const auto db = openFor(q.source, why);
    if (!db) return {};
    try {
        SQLite::Statement st(db->sqlite(), "SELECT English, picture FROM Word WHERE \"index\" = ?");
        st.bind(1, static_cast<int64_t>(q.row));
        if (!st.executeStep() || text(st, 0) != q.text) {
            if (why) *why = rowMissing(q, fileOf(q.source));
            return {};
        }
        const auto& blob = st.getColumn(1);
        return QByteArray(static_cast<const char*>(blob.getBlob()), blob.getBytes());
    } catch (const SQLite::Exception& e) {
        if (why) *why = DbError::fromSqlite(e, db->path()).message();
    }
    return {};
}

std::optional<QVariantMap> ExamBankReader::listFields(const ExamQuestion& q, QString* why) {
    if (why) why->clear();
    QVariantMap out;
    out.insert(Columns::kEnglish, q.text);
    // The answer as stored in the list: the normalised form is what a
    // build or the editor would store too.
    out.insert(Columns::kChinese, q.answer);
    out.insert(ExamColumns::kKind, q.kind);
    for (int i = 0; i < 4; ++i)
        if (!q.options[size_t(i)].isEmpty())
            out.insert(ExamColumns::option(i), q.options[size_t(i)]);
    if (!q.explanation.isEmpty()) out.insert(ExamColumns::kExplanation, q.explanation);
    if (!q.hasPicture) return out;
    QString error;
    const QByteArray bytes = picture(q, &error);
    if (bytes.isEmpty()) {
        // Without its picture it would be another question: leave it out.
        if (why) *why = error;
        return std::nullopt;
    }
    out.insert(PictureColumn::kName, bytes);
    return out;
}
