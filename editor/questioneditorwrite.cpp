// SPDX-License-Identifier: GPL-3.0-or-later
// The question editor's writes: its own save and delete, and what it shows
// after the display's keys changed the set through the session.
#include <QComboBox>
#include <QLineEdit>

#include "editor/picturepanel.h"
#include "editor/questioneditor.h"
#include "editor/questioneditorexam.h"
#include "platform/logging.h"
#include "platform/widgets/messagebox.h"
#include "questionbank/dberror.h"
#include "questionbank/recordset.h"
#include "skin/skinbutton.h"

void QuestionEditor::onSave() {
    if (!session_.records()) return;
    if (!adding_ && !seekShownRecord()) {
        // Never drop typed text without a word: it stays in the boxes.
        MessageBox::show(this, MessageBox::Icon::Critical,
                         QStringLiteral("没有正在显示的题目可以修改，输入的内容没有保存。"));
        return;
    }
    EditSession::Question q{questionText(), answerBox_->text(), std::nullopt,
                            picture_->pendingChange()};
    if (v_.hasCategory()) q.category = categoryBox_->currentText();
    if (examShown_) q.exam = exam_->fields();
    try {
        if (!session_.save(adding_, q)) return;
        session_.anchorFirst();
        const RecordSet* rs = session_.records();
        selectListEntry(rs->AbsolutePosition());
        setStatus(rs->AbsolutePosition() + 1, rs->RecordCount());
        enableBrowsing();
        adding_ = false;
        deleteButton_->setEnabled(true);
    } catch (const DbError& e) {
        saveFailed(e.number(), e.message());
        return;
    }
    clearFields();
    onAdd();
}

void QuestionEditor::saveFailed(int error, const QString& message) {
    // Either way what was typed stays, for correcting or saving again.
    if (error == DbError::DuplicateKey)
        MessageBox::show(this, MessageBox::Icon::Critical, QStringLiteral("Duplicate record !"));
    else
        MessageBox::show(this, MessageBox::Icon::Critical,
                         message + QStringLiteral("\n题目没有保存。"));
}

void QuestionEditor::onDelete() {
    const RecordSet* rs = session_.records();
    if (!rs) return;
    const bool empty = rs->atBOF() && rs->atEOF();
    // Only the record the boxes show is deleted; while adding they show none.
    if (!empty && !seekShownRecord()) return;
    if (rs->RecordCount() == v_.deleteThreshold) {
        disableBrowsing();
        adding_ = true;
        deleteButton_->setEnabled(false);
    }
    if (empty) {
        adding_ = true;
        MessageBox::show(this, MessageBox::Icon::Critical, v_.emptyMessage);
        return;
    }
    try {
        session_.removeCurrent();
    } catch (const DbError& e) {
        // The record is still there, so the list keeps its entry.
        MessageBox::show(this, MessageBox::Icon::Critical,
                         e.message() + QStringLiteral("\n题目没有删除。"));
        return;
    }
    clearFields();
    selectListEntry(rs->AbsolutePosition());
    setStatus(rs->AbsolutePosition() + 1, rs->RecordCount());
}

// ---- changes made from outside the form -----------------------------------
// What the user is typing stays in the boxes.

void QuestionEditor::addedFromOutside(const QString& english) {
    const RecordSet* rs = session_.records();
    // The first exam-form question added from the display brings its columns.
    showExamFields(rs->hasExamColumns());
    if (rs->hasCurrent()) setStatus(rs->AbsolutePosition() + 1, rs->RecordCount());
    qCInfo(lcUi).noquote() << "editor" << v_.caption << "added from outside:" << english;
}

void QuestionEditor::removedFromOutside(const QString& english, bool currentRemoved) {
    const RecordSet* rs = session_.records();
    if (rs->RecordCount() == 0) {
        // As after deleting the last record with the form's own button.
        clearFields();
        disableBrowsing();
        adding_ = true;
        deleteButton_->setEnabled(false);
        statusBox_->clear();
    } else if (currentRemoved && !adding_) {
        clearFields();
        selectListEntry(0);
        setStatus(rs->AbsolutePosition() + 1, rs->RecordCount());
    } else if (rs->hasCurrent()) {
        setCurrentRow(rs->AbsolutePosition());
        setStatus(rs->AbsolutePosition() + 1, rs->RecordCount());
    }
    qCInfo(lcUi).noquote() << "editor" << v_.caption << "removed from outside:" << english;
}
