// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/recordset.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <sqlite3.h>

#include <QRegularExpression>

#include "platform/logging.h"
#include "questionbank/bankschema.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/examfields.h"
#include "questionbank/picturecolumn.h"
#include "questionbank/queries.h"
#include "questionbank/questionidentity.h"
#include "questionbank/recordsetcells.h"
#include "questionbank/storedpicture.h"

using namespace RecordSetCells;

namespace {

// Neither is a field of a record: the picture is read when its record is
// shown, the identity is the file's key, derived from the fields.
bool leftOut(const QString& column) {
    return column.compare(PictureColumn::kName, Qt::CaseInsensitive) == 0 ||
           column.compare(QuestionIdentity::kColumn, Qt::CaseInsensitive) == 0;
}

// "select * from word ..." names Word's other columns instead of the star when
// the table has pictures, so that opening the set never reads them.
QString withoutPicture(const QString& sql, SQLite::Database& db) {
    static const QRegularExpression star(
        QStringLiteral("^(\\s*select\\s+)\\*(\\s+from\\s+word\\b)"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = star.match(sql);
    if (!m.hasMatch()) return sql;
    QStringList cols;
    for (const QString& c : PictureColumn::otherColumns(db))
        if (!leftOut(c)) cols << quoted(c);
    return m.captured(1) + cols.join(QLatin1String(", ")) + sql.mid(m.capturedEnd(1) + 1);
}

}  // namespace

RecordSet::~RecordSet() = default;

std::unique_ptr<RecordSet> RecordSet::open(std::shared_ptr<Database> db, const QString& query) {
    std::unique_ptr<RecordSet> set(new RecordSet);
    set->file_ = db->path();
    set->connect_ = db->connectText();
    try {
        set->hasPicture_ = PictureColumn::exists(db->sqlite());
        set->keyed_ = QuestionIdentity::keyed(db->sqlite());
        QString sql = Queries::toSqlite(query);
        set->hasExam_ = ExamColumns::exist(db->sqlite());
        const bool hidden = set->hasPicture_ || set->keyed_;
        if (hidden) sql = withoutPicture(sql, db->sqlite());
        SQLite::Statement st(db->sqlite(), sql.toStdString());
        std::vector<int> kept;  // a picture column left in by another query text is skipped
        for (int i = 0; i < st.getColumnCount(); ++i) {
            const QString name = QString::fromUtf8(st.getColumnName(i));
            if (hidden && leftOut(name)) continue;
            set->columns_ << name;
            kept.push_back(i);
        }
        const int n = int(kept.size());
        set->indexColumn_ = set->column(QStringLiteral("index"));
        // Writes address rows by their index value; that is only sound when
        // the value is the row id itself.
        set->writable_ = set->indexColumn_ >= 0 && BankSchema::indexIsRowId(db->sqlite());
        while (st.executeStep()) {
            std::vector<QVariant> row;
            row.reserve(n);
            for (int i : kept) row.push_back(toVariant(st.getColumn(i)));
            set->rows_.push_back(std::move(row));
        }
    } catch (const SQLite::Exception& e) {
        qCInfo(lcDb).noquote() << "query failed on" << db->path() << ":" << query << ":"
                               << e.what();
        throw DbError::fromSqlite(e, db->path());
    }
    set->db_ = std::move(db);
    set->pos_ = set->rows_.empty() ? -1 : 0;
    qCInfo(lcDb).noquote() << "record set" << query << "->" << set->rows_.size() << "records";
    return set;
}

void RecordSet::detach() {
    db_.reset();
}

std::shared_ptr<Database> RecordSet::requireDb() const {
    if (!db_) throw DbError::make(DbError::ReadOnly, file_);
    return db_;
}

bool RecordSet::atBOF() const {
    return rows_.empty() || pos_ < 0;
}
bool RecordSet::atEOF() const {
    return rows_.empty() || pos_ >= int(rows_.size());
}
bool RecordSet::hasCurrent() const {
    return !deleted_ && pos_ >= 0 && pos_ < int(rows_.size());
}

void RecordSet::setPos(int pos) {
    pending_ = Pending::None;  // a move drops a pending record
    buffer_.clear();
    pendingPicture_.reset();
    pendingExam_.reset();
    deleted_ = false;
    pos_ = std::clamp(pos, -1, int(rows_.size()));
}

void RecordSet::MoveFirst() {
    setPos(rows_.empty() ? -1 : 0);
}
void RecordSet::MoveLast() {
    setPos(int(rows_.size()) - 1);
}

void RecordSet::MoveNext() {
    // After a delete the cursor already stands where the next record now is.
    setPos(deleted_ ? pos_ : pos_ + 1);
}

void RecordSet::MovePrevious() {
    setPos(pos_ - 1);
}

void RecordSet::Move(int rows, const QString& startBookmark) {
    const int start = rowOfBookmark(startBookmark);
    if (start < 0) throw DbError::make(DbError::NoCurrentRecord, file_);
    setPos(start + rows);
}

int RecordSet::AbsolutePosition() const {
    return hasCurrent() ? pos_ : -1;
}

qint64 RecordSet::rowid(int row) const {
    if (indexColumn_ < 0) return row;  // a set without the index column: position only
    return decoded(rows_[row][indexColumn_]).toLongLong();
}

QString RecordSet::Bookmark() const {
    return hasCurrent() ? QString::number(rowid(pos_)) : QString();
}

int RecordSet::rowOfBookmark(const QString& bookmark) const {
    bool ok = false;
    const qint64 id = bookmark.toLongLong(&ok);
    if (!ok) return -1;
    for (int i = 0; i < int(rows_.size()); ++i)
        if (rowid(i) == id) return i;
    return -1;
}

void RecordSet::setBookmark(const QString& bookmark) {
    const int row = rowOfBookmark(bookmark);
    if (row < 0) throw DbError::make(DbError::NoCurrentRecord, file_);
    setPos(row);
}

int RecordSet::column(const QString& name) const {
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QVariant RecordSet::field(const QString& name) const {
    const int c = column(name);
    if (c < 0 || !hasCurrent()) return {};
    return decoded(rows_[pos_][c]);
}

QVariant RecordSet::fieldAt(int row, const QString& name) const {
    const int c = column(name);
    if (c < 0 || row < 0 || row >= int(rows_.size())) return {};
    return decoded(rows_[row][c]);
}

void RecordSet::AddNew() {
    buffer_.clear();
    pendingPicture_.reset();
    pendingExam_.reset();
    pending_ = Pending::Adding;
}

void RecordSet::Edit() {
    if (!hasCurrent()) throw DbError::make(DbError::NoCurrentRecord, file_);
    buffer_.clear();
    pendingPicture_.reset();
    pendingExam_.reset();
    pending_ = Pending::Editing;
}

void RecordSet::setField(const QString& name, const QVariant& value) {
    const int c = column(name);
    if (c < 0 || c == indexColumn_) throw DbError::make(DbError::ItemNotFound, file_);
    if (pending_ == Pending::None) throw DbError::make(DbError::NoCurrentRecord, file_);
    buffer_.insert(c, value);
}

void RecordSet::fetchRow(qint64 id, std::vector<QVariant>& out) {
    QStringList cols;
    for (const QString& c : columns_) cols << quoted(c);
    SQLite::Statement st(db_->sqlite(), QStringLiteral("SELECT %1 FROM Word WHERE rowid = ?")
                                            .arg(cols.join(QLatin1String(", ")))
                                            .toStdString());
    st.bind(1, static_cast<int64_t>(id));
    out.clear();
    if (st.executeStep())
        for (int i = 0; i < int(columns_.size()); ++i) out.push_back(toVariant(st.getColumn(i)));
}

void RecordSet::requireWritable() const {
    if (!writable_) throw DbError::make(DbError::CannotUpdate, file_);
}

QByteArray RecordSet::picture(QString* error) {
    if (!hasPicture_ || !hasCurrent()) return {};
    const qint64 id = rowid(pos_);
    try {
        std::shared_ptr<Database> db = db_;
        // The display lets the file go after reading the records.
        if (!db) db = Database::open(file_, {.exclusive = false, .readOnly = true}, connect_);
        return StoredPicture::read(*db, id, error);
    } catch (const DbError& e) {
        qCInfo(lcDb).noquote() << "picture of record" << id << "in" << file_
                               << "not read:" << e.message();
        if (error) *error = e.message();
    }
    return {};
}

void RecordSet::Delete() {
    if (!hasCurrent()) throw DbError::make(DbError::NoCurrentRecord, file_);
    requireWritable();
    const auto db = requireDb();
    try {
        const qint64 id = rowid(pos_);
        SQLite::Statement st(db->sqlite(), "DELETE FROM Word WHERE rowid = ?");
        st.bind(1, static_cast<int64_t>(id));
        st.exec();
        rows_.erase(rows_.begin() + pos_);
        pending_ = Pending::None;
        buffer_.clear();
        pendingPicture_.reset();
        pendingExam_.reset();
        deleted_ = true;
        qCInfo(lcDb).noquote() << "deleted record" << id << "from" << file_;
    } catch (const SQLite::Exception& e) {
        qCInfo(lcDb).noquote() << "delete failed on" << file_ << ":" << e.what();
        throw DbError::fromSqlite(e, file_);
    }
}

void RecordSet::forgetCurrent() {
    if (!hasCurrent()) throw DbError::make(DbError::NoCurrentRecord, file_);
    rows_.erase(rows_.begin() + pos_);
    pending_ = Pending::None;
    buffer_.clear();
    deleted_ = true;
}
