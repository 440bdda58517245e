// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's record set as other parts of Study reach it while the editor
// holds the personal list for itself: the display's keys and its pictures.
#include "platform/logging.h"
#include "questionbank/addedit.h"
#include "questionbank/columns.h"
#include "questionbank/dberror.h"
#include "questionbank/picturecolumn.h"
#include "questionbank/recordset.h"
#include "questionbank/storedpicture.h"
#include "skin/skinbutton.h"

#include <QLineEdit>
#include <QListWidget>

namespace {
using Columns::kEnglish;
}  // namespace

// ---- changes made from outside the form -----------------------------------

void addedit::addFromOutside(const QVariantMap& fields) {
    if (!rs_) throw DbError::make(DbError::NoCurrentRecord, v_.databaseFile);
    if (!wroteThisSession_ && beforeFirstWrite_) {
        QString why;
        if (!beforeFirstWrite_(*db_, &why)) throw DbError(DbError::Other, why);
    }
    // The record shown in the boxes stays the current one.
    const QString current = rs_->Bookmark();
    const bool pastEnd = rs_->atEOF() && !rs_->atBOF();
    auto restore = [&] {
        if (!current.isEmpty())
            rs_->setBookmark(current);
        else if (pastEnd)
            rs_->MoveLast(), rs_->MoveNext();
        else
            rs_->MoveFirst(), rs_->MovePrevious();
    };
    try {
        rs_->AddNew();
        for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
            if (it.key().compare(PictureColumn::kName, Qt::CaseInsensitive) == 0)
                rs_->setPicture(it.value().toByteArray());
            else
                rs_->setField(it.key(), it.value());
        }
        rs_->Update();
    } catch (const DbError&) {
        restore();
        throw;
    }
    wroteThisSession_ = true;
    rs_->setBookmark(rs_->LastModified());
    const QString english = rs_->text(kEnglish);
    if (FirstBookmark_.isEmpty()) {
        // The first record anchors the list positions from now on.
        rs_->MoveFirst();
        FirstBookmark_ = rs_->Bookmark();
    }
    restore();
    {
        const QSignalBlocker block(List1_);
        List1_->addItem(english);
    }
    if (rs_->hasCurrent()) setStatus(rs_->AbsolutePosition() + 1, rs_->RecordCount());
    qCInfo(lcUi).noquote() << "editor" << v_.caption << "added from outside:" << english;
}

bool addedit::removeFromOutside(qint64 index, const QString& english) {
    if (!rs_) throw DbError::make(DbError::NoCurrentRecord, v_.databaseFile);
    const QString current = rs_->Bookmark();
    const bool pastEnd = rs_->atEOF() && !rs_->atBOF();
    auto restore = [&] {
        if (!current.isEmpty())
            rs_->setBookmark(current);
        else if (pastEnd)
            rs_->MoveLast(), rs_->MoveNext();
        else
            rs_->MoveFirst(), rs_->MovePrevious();
    };
    int row = -1;
    for (rs_->MoveFirst(); !rs_->atEOF(); rs_->MoveNext()) {
        if (rs_->field(QStringLiteral("index")).toLongLong() == index &&
            rs_->text(kEnglish) == english) {
            row = rs_->AbsolutePosition();
            break;
        }
    }
    if (row < 0) {
        restore();
        return false;
    }
    try {
        if (!wroteThisSession_ && beforeFirstWrite_) {
            QString why;
            if (!beforeFirstWrite_(*db_, &why)) throw DbError(DbError::Other, why);
        }
        rs_->Delete();
    } catch (const DbError&) {
        restore();
        throw;
    }
    wroteThisSession_ = true;
    const bool shownRemoved = current == QString::number(index);
    {
        const QSignalBlocker block(List1_);
        delete List1_->takeItem(row);
    }
    rs_->MoveFirst();
    FirstBookmark_ = rs_->Bookmark();
    if (rs_->RecordCount() == 0) {
        // As after deleting the last record with the form's own button.
        ClearFields();
        DisableBrowsing();
        AddMode_ = true;
        cmdDelete_->setEnabled(false);
        txtGCurent_->clear();
    } else if (shownRemoved && !AddMode_) {
        ClearFields();
        selectListEntry(rs_->AbsolutePosition());
        setStatus(rs_->AbsolutePosition() + 1, rs_->RecordCount());
    } else {
        if (shownRemoved || current.isEmpty()) {
            if (!pastEnd)
                rs_->MovePrevious();
            else
                rs_->MoveLast(), rs_->MoveNext();
        } else {
            rs_->setBookmark(current);
        }
        {
            const QSignalBlocker block(List1_);
            if (rs_->hasCurrent()) List1_->setCurrentRow(rs_->AbsolutePosition());
        }
        if (rs_->hasCurrent()) setStatus(rs_->AbsolutePosition() + 1, rs_->RecordCount());
    }
    List1_->update();
    qCInfo(lcUi).noquote() << "editor" << v_.caption << "removed from outside:" << english;
    return true;
}

QByteArray addedit::pictureOf(qint64 index, QString* error) {
    // Rows are addressed by their index, which the open checked to be the row id.
    if (!db_ || !rs_ || !rs_->hasPictureColumn()) return {};
    return StoredPicture::read(*db_, index, error);
}
