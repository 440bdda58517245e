// SPDX-License-Identifier: GPL-3.0-or-later
// RecordSet's writing half: the pending record, with its picture, its exam
// fields and the identity the file is keyed on, written in one transaction.
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <optional>

#include "platform/logging.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/examfields.h"
#include "questionbank/picturecolumn.h"
#include "questionbank/questionidentity.h"
#include "questionbank/recordset.h"
#include "questionbank/recordsetcells.h"

using namespace RecordSetCells;

namespace {
QVariant orNull(const QString& s) {
    return s.isEmpty() ? QVariant() : QVariant(s);
}

QList<QVariant> examValues(const ExamFields& f) {
    QList<QVariant> v{orNull(f.kind)};
    for (const QString& o : f.options) v << orNull(o);
    v << orNull(f.explanation);
    return v;
}
}  // namespace

void RecordSet::setExam(const ExamFields& fields) {
    if (pending_ == Pending::None) throw DbError::make(DbError::NoCurrentRecord, file_);
    pendingExam_ = std::make_shared<const ExamFields>(fields);
}

bool RecordSet::addExamColumns(Database& db) {
    if (hasExam_ || !pendingExam_ || pendingExam_->isEmpty()) return false;
    ExamColumns::add(db.sqlite());
    qCInfo(lcDb).noquote() << "added the exam columns to" << file_;
    return true;
}

// After the commit only: a rolled-back write leaves the set as it was.
void RecordSet::adoptExamColumns() {
    hasExam_ = true;
    for (const QString& n : ExamColumns::names())
        if (column(n) < 0) {
            columns_ << n;
            for (auto& row : rows_) row.emplace_back();
        }
}

std::unique_ptr<SQLite::Statement> RecordSet::writeStatement(Database& db, const QList<int>& order,
                                                             const QStringList& extra) {
    QStringList names;
    for (int c : order) names << quoted(columns_[c]);
    for (const QString& n : extra) names << quoted(n);
    if (pending_ == Pending::Adding) {
        const QString sql =
            names.isEmpty()
                ? QStringLiteral("INSERT INTO Word DEFAULT VALUES")
                : QStringLiteral("INSERT INTO Word (%1) VALUES (%2)")
                      .arg(names.join(QLatin1String(", ")),
                           QStringList(QList<QString>(names.size(), QStringLiteral("?")))
                               .join(QLatin1String(", ")));
        return std::make_unique<SQLite::Statement>(db.sqlite(), sql.toStdString());
    }
    if (names.isEmpty()) return nullptr;
    QStringList sets;
    for (const QString& n : names) sets << n + QStringLiteral(" = ?");
    const QString sql =
        QStringLiteral("UPDATE Word SET %1 WHERE rowid = ?").arg(sets.join(QLatin1String(", ")));
    return std::make_unique<SQLite::Statement>(db.sqlite(), sql.toStdString());
}

void RecordSet::Update() {
    if (pending_ == Pending::None) throw DbError::make(DbError::NoCurrentRecord, file_);
    requireWritable();
    const auto db = requireDb();
    if (pending_ == Pending::Editing && !hasCurrent())
        throw DbError::make(DbError::NoCurrentRecord, file_);
    try {
        // A picture, new columns and the identity go with the record: one
        // transaction for all. Without them: one statement in autocommit
        // mode, its own transaction.
        std::optional<SQLite::Transaction> tx;
        if (pendingPicture_ || pendingExam_ || keyed_) tx.emplace(db->sqlite());
        const bool examAdded = addExamColumns(*db);
        QList<int> order = buffer_.keys();
        std::sort(order.begin(), order.end());
        QStringList extra;
        QList<QVariant> extraValues;
        if (pendingExam_ && (hasExam_ || examAdded)) {
            // Exam fields set through setField as well are written once, from here.
            for (const QString& n : ExamColumns::names()) order.removeAll(column(n));
            extra = ExamColumns::names();
            extraValues = examValues(*pendingExam_);
        }
        const auto st = writeStatement(*db, order, extra);
        if (!st && !pendingPicture_) {
            pending_ = Pending::None;
            return;
        }
        if (st) {
            int i = 1;
            for (int c : order) bindVariant(*st, i++, buffer_.value(c));
            for (const QVariant& v : extraValues) bindVariant(*st, i++, v);
            if (pending_ == Pending::Editing) st->bind(i, static_cast<int64_t>(rowid(pos_)));
            st->exec();
        }
        const qint64 id =
            pending_ == Pending::Adding ? db->sqlite().getLastInsertRowid() : rowid(pos_);
        bool pictureAdded = false;
        if (pendingPicture_) pictureAdded = writePicture(*db, id);
        QuestionIdentity::refresh(db->sqlite(), id);
        if (tx) tx->commit();
        hasPicture_ = hasPicture_ || pictureAdded;
        if (examAdded) adoptExamColumns();
        takeWrittenRow(id);
    } catch (const SQLite::Exception& e) {
        qCInfo(lcDb).noquote() << "update failed on" << file_ << ":" << e.what();
        throw DbError::fromSqlite(e, file_);
    }
}

// After the commit: the set holds the row as the file has it now, and the
// edit is over.
void RecordSet::takeWrittenRow(qint64 id) {
    std::vector<QVariant> row;
    fetchRow(id, row);
    if (pending_ == Pending::Adding)
        rows_.push_back(std::move(row));
    else
        rows_[pos_] = std::move(row);
    lastModified_ = QString::number(id);
    qCInfo(lcDb).noquote() << (pending_ == Pending::Adding ? "added" : "changed") << "record" << id
                           << "in" << file_;
    pending_ = Pending::None;
    buffer_.clear();
    pendingPicture_.reset();
    pendingExam_.reset();
}

bool RecordSet::writePicture(Database& db, qint64 id) {
    bool added = false;
    if (!hasPicture_) {
        if (pendingPicture_->isEmpty()) return false;  // nothing to remove
        PictureColumn::add(db.sqlite());
        added = true;
        qCInfo(lcDb).noquote() << "added the picture column to" << file_;
    }
    SQLite::Statement st(db.sqlite(), "UPDATE Word SET picture = ? WHERE rowid = ?");
    if (pendingPicture_->isEmpty())
        st.bind(1);
    else
        st.bind(1, pendingPicture_->constData(), int(pendingPicture_->size()));
    st.bind(2, static_cast<int64_t>(id));
    st.exec();
    qCInfo(lcDb).noquote() << (pendingPicture_->isEmpty() ? "removed the picture of"
                                                          : "stored a picture for")
                           << "record" << id << "in" << file_ << "(" << pendingPicture_->size()
                           << "bytes)";
    return added;
}

void RecordSet::setPicture(const QByteArray& bytes) {
    if (pending_ == Pending::None) throw DbError::make(DbError::NoCurrentRecord, file_);
    pendingPicture_ = bytes;
}

bool RecordSet::updateAddsPictureColumn() const {
    return pending_ != Pending::None && !hasPicture_ && pendingPicture_ &&
           !pendingPicture_->isEmpty();
}
