// SPDX-License-Identifier: GPL-3.0-or-later
// The session's set as other parts of Study reach it while the editor holds
// the personal list for itself: the display's keys and its pictures.
#include "editor/editsession.h"
#include "questionbank/columns.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/examfields.h"
#include "questionbank/picturecolumn.h"
#include "questionbank/recordset.h"
#include "questionbank/storedpicture.h"

#include <optional>

namespace {
using Columns::kEnglish;

QString& examField(ExamFields& f, const QString& column) {
    if (column == ExamColumns::kKind) return f.kind;
    for (int i = 0; i < 4; ++i)
        if (column == ExamColumns::option(i)) return f.options[i];
    return f.explanation;
}

// Where the cursor stood: on a record, before the first or past the last.
struct Cursor {
    QString bookmark;
    bool pastEnd;
    explicit Cursor(RecordSet& rs) : bookmark(rs.Bookmark()), pastEnd(rs.atEOF() && !rs.atBOF()) {}
    void restore(RecordSet& rs) const {
        if (!bookmark.isEmpty())
            rs.setBookmark(bookmark);
        else
            outside(rs);
    }
    void outside(RecordSet& rs) const {
        if (pastEnd)
            rs.MoveLast(), rs.MoveNext();
        else
            rs.MoveFirst(), rs.MovePrevious();
    }
};
}  // namespace

void EditSession::addFromOutside(const QVariantMap& fields) {
    if (!rs_) throw DbError::make(DbError::NoCurrentRecord, path_.section(QLatin1Char('/'), -1));
    std::optional<Cursor> cursor;
    write([&] {
        // The record shown in the editor's boxes stays the current one.
        cursor.emplace(*rs_);
        try {
            rs_->AddNew();
            ExamFields exam;
            for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
                if (it.key().compare(PictureColumn::kName, Qt::CaseInsensitive) == 0)
                    rs_->setPicture(it.value().toByteArray());
                else if (ExamColumns::isExamColumn(it.key()))
                    examField(exam, it.key().toLower()) = it.value().toString();
                else
                    rs_->setField(it.key(), it.value());
            }
            // The set adds the exam columns when the list has none yet.
            if (!exam.isEmpty()) rs_->setExam(exam);
            rs_->Update();
        } catch (const DbError&) {
            cursor->restore(*rs_);
            throw;
        }
    });
    rs_->setBookmark(rs_->LastModified());
    const QString english = rs_->text(kEnglish);
    // The first record anchors the list positions from now on.
    if (firstBookmark_.isEmpty()) anchorFirst();
    cursor->restore(*rs_);
    emit rowInserted(rs_->RecordCount() - 1);
    emit addedFromOutside(english);
}

bool EditSession::removeFromOutside(qint64 index, const QString& english) {
    if (!rs_) throw DbError::make(DbError::NoCurrentRecord, path_.section(QLatin1Char('/'), -1));
    const Cursor cursor(*rs_);
    int row = -1;
    for (rs_->MoveFirst(); !rs_->atEOF(); rs_->MoveNext()) {
        if (rs_->field(QStringLiteral("index")).toLongLong() == index &&
            rs_->text(kEnglish) == english) {
            row = rs_->AbsolutePosition();
            break;
        }
    }
    if (row < 0) {
        cursor.restore(*rs_);
        return false;
    }
    try {
        write([&] { rs_->Delete(); });
    } catch (const DbError&) {
        cursor.restore(*rs_);
        throw;
    }
    const bool currentRemoved = cursor.bookmark == QString::number(index);
    emit rowRemoved(row);
    anchorFirst();
    if (rs_->RecordCount() > 0) {
        // Back to the record that was current, or beside the set as before.
        if (currentRemoved || cursor.bookmark.isEmpty())
            cursor.outside(*rs_);
        else
            rs_->setBookmark(cursor.bookmark);
    }
    emit removedFromOutside(english, currentRemoved);
    return true;
}

QByteArray EditSession::pictureOf(qint64 index, QString* error) {
    // Rows are addressed by their index, which the open checked to be the row id.
    if (!db_ || !rs_ || !rs_->hasPictureColumn()) return {};
    return StoredPicture::read(*db_, index, error);
}
