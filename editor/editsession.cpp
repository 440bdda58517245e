// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editsession.h"

#include <SQLiteCpp/Exception.h>

#include "questionbank/bankschema.h"
#include "questionbank/columns.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/recordset.h"

namespace {
using Columns::kChinese;
using Columns::kEnglish;

QString trimSpaces(const QString& s) {
    // Only U+0020 counts: a question of tabs or full-width blanks is kept.
    int b = 0, e = s.size();
    while (b < e && s[b] == QLatin1Char(' ')) ++b;
    while (e > b && s[e - 1] == QLatin1Char(' ')) --e;
    return s.mid(b, e - b);
}
}  // namespace

EditSession::EditSession(QString path, QString connect, QObject* parent)
    : QObject(parent), path_(std::move(path)), connect_(std::move(connect)) {}

EditSession::~EditSession() = default;

void EditSession::write(const std::function<void()>& w) {
    if (!wrote_ && beforeFirstWrite_) {
        QString why;
        if (!beforeFirstWrite_(*db_, &why)) throw DbError(DbError::Other, why);
    }
    w();
    wrote_ = true;
}

bool EditSession::openDatabase(QString* error) {
    const QString file = path_.section(QLatin1Char('/'), -1);
    try {
        auto db = Database::open(path_, {.exclusive = true, .readOnly = false}, connect_);
        // Rows are addressed by their index: a file whose index is not the
        // row id could have the wrong question changed or deleted.
        if (!BankSchema::indexIsRowId(db->sqlite()))
            throw DbError::make(DbError::CannotUpdate, path_);
        db_ = std::move(db);
        return true;
    } catch (const DbError& e) {
        if (error) *error = e.message();
        return false;
    } catch (const SQLite::Exception& e) {
        if (error) *error = DbError::fromSqlite(e, file).message();
        return false;
    }
}

void EditSession::replaceRecords(std::unique_ptr<RecordSet> rs) {
    emit recordsAboutToBeReset();
    rs_ = std::move(rs);
    firstBookmark_.clear();
    emit recordsReset();
}

void EditSession::read(const QString& query) {
    if (!db_) return;
    replaceRecords(RecordSet::open(db_, query));
}

void EditSession::closeRecords() {
    replaceRecords(nullptr);
}

void EditSession::anchorFirst() {
    rs_->MoveFirst();
    firstBookmark_ = rs_->Bookmark();
}

void EditSession::moveToRow(int row) {
    rs_->Move(row, firstBookmark_);
}

bool EditSession::save(bool adding, const Question& q) {
    if (adding)
        rs_->AddNew();
    else
        rs_->Edit();
    // The started record is dropped at the next move or save.
    if (trimSpaces(q.chinese).isEmpty() || trimSpaces(q.english).isEmpty()) return false;
    write([&] {
        rs_->setField(kEnglish, q.english);
        rs_->setField(kChinese, q.chinese);
        if (q.category) rs_->setField(QStringLiteral("category"), *q.category);
        if (q.picture) rs_->setPicture(*q.picture);
        if (q.exam) rs_->setExam(*q.exam);
        rs_->Update();
    });
    rs_->setBookmark(rs_->LastModified());
    if (adding)
        emit rowInserted(rs_->AbsolutePosition());
    else
        emit rowChanged(rs_->AbsolutePosition());
    return true;
}

void EditSession::removeCurrent() {
    const int row = rs_->AbsolutePosition();
    write([&] { rs_->Delete(); });
    emit rowRemoved(row);
    rs_->MoveFirst();
    if (row == 0) firstBookmark_ = rs_->Bookmark();
}
