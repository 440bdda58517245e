// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/questioneditor.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScreen>
#include <QToolButton>

#include "editor/footedlist.h"
#include "editor/picturepanel.h"
#include "editor/questioneditorbox.h"
#include "editor/questioneditorexam.h"
#include "platform/folderpath.h"
#include "platform/logging.h"
#include "platform/settingsstore.h"
#include "platform/widgets/messagebox.h"
#include "questionbank/categories.h"
#include "questionbank/columns.h"
#include "questionbank/dberror.h"
#include "questionbank/examfields.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"
#include "skin/skinbutton.h"
#include "skin/skinframe.h"

QString QuestionEditor::statusLine(int n, int total) {
    return QStringLiteral("第 ") + QString::number(n) + QStringLiteral(" 行，总数： ") +
           QString::number(total);
}

QuestionEditor::QuestionEditor(const EditorVariant& variant, const QString& dataFolder,
                               QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      v_(variant),
      session_(FolderPath::join(dataFolder, variant.databaseFile), variant.connect) {
    setObjectName(QStringLiteral("addedit"));
    build();
    followSession();
}

QuestionEditor::~QuestionEditor() {
    // The frame still lays out while QWidget's destructor takes the window
    // down, when this is no longer a QuestionEditor: it must not call back then.
    if (canvas_) disconnect(canvas_, nullptr, this, nullptr);
    // Study ending with the editor open ends it here.
    keepSize();
}

bool QuestionEditor::openAtKeptSize(SettingsStore& store) {
    sizeMemory_ = std::make_unique<WindowSizeMemory>(store, v_.frame, v_.sizeKeys);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const WindowSizeMemory::Size opened =
        sizeMemory_->restore(screen ? screen->availableGeometry() : QRect());
    setStartSize(opened.normal);
    return opened.maximised;
}

void QuestionEditor::keepSize() {
    // The size under a maximised window is the one a restore goes back to.
    if (sizeMemory_) sizeMemory_->keep({normalGeometry().size(), isMaximized()});
}

void QuestionEditor::followSession() {
    connect(&session_, &EditSession::addedFromOutside, this, &QuestionEditor::addedFromOutside);
    connect(&session_, &EditSession::removedFromOutside, this, &QuestionEditor::removedFromOutside);
}

// ---- loading ------------------------------------------------------------

bool QuestionEditor::load() {
    answerLabel_->setText(QStringLiteral("答案"));
    questionLabel_->setText(v_.questionLabel);
    if (v_.hasCategory()) {
        categoryBox_->addItems(Categories::names());
        categoryBox_->setCurrentIndex(-1);
        disableBrowsing();
        deleteButton_->setEnabled(false);
        saveButton_->setEnabled(false);
        return true;
    }
    QString error;
    if (!session_.openDatabase(&error)) {
        MessageBox::show(this, MessageBox::Icon::Critical,
                         error + QStringLiteral("\n新题目管理无法打开，生词本没有改动。"));
        return false;
    }
    try {
        session_.read(Queries::studyEditor());
    } catch (const DbError& e) {
        MessageBox::show(this, MessageBox::Icon::Critical, e.message());
        return false;
    }
    const RecordSet* rs = session_.records();
    showExamFields(rs->hasExamColumns());
    if (rs->atBOF() && rs->atEOF()) {
        clearFields();
        adding_ = true;
        return true;
    }
    loadFirstRecord();
    return true;
}

// Shared by loading and by a category with records.
void QuestionEditor::loadFirstRecord() {
    showExamFields(session_.records()->hasExamColumns());
    showFields();
    session_.anchorFirst();
    const RecordSet* rs = session_.records();
    selectListEntry(rs->AbsolutePosition());
    setStatus(rs->AbsolutePosition() + 1, rs->RecordCount());
    deleteButton_->setEnabled(true);
    enableBrowsing();
}

void QuestionEditor::onCategoryChosen() {
    // Every failure here is passed over; the form goes on with what it has.
    if (!session_.hasDatabase()) {
        QString error;
        if (!session_.openDatabase(&error))
            MessageBox::show(this, MessageBox::Icon::Critical, error);
    }
    try {
        session_.read(Queries::managerEditor(categoryBox_->currentText()));
    } catch (const DbError& e) {
        categoryUnreadable(e);
        return;
    }
    const RecordSet* rs = session_.records();
    if (rs) showExamFields(rs->hasExamColumns());
    if (!rs || (rs->atBOF() && rs->atEOF())) {
        clearFields();
        questionBox()->setFocus();
        adding_ = true;
        return;
    }
    loadFirstRecord();
}

void QuestionEditor::categoryUnreadable(const DbError& e) {
    // The set of the category chosen before belongs to that category: kept
    // under the new name, a save would move its record into this one. The
    // form goes back to how it stood before any category was chosen.
    qCInfo(lcDb).noquote() << "category" << categoryBox_->currentText() << "not read:" << e.number()
                           << e.message();
    session_.closeRecords();
    clearFields();
    statusBox_->clear();
    adding_ = true;
    disableBrowsing();
    deleteButton_->setEnabled(false);
    saveButton_->setEnabled(false);
    MessageBox::show(this, MessageBox::Icon::Critical,
                     e.message() + QStringLiteral("\n分类“%1”的题目无法读取，请选择其他分类。")
                                       .arg(categoryBox_->currentText()));
}

// ---- the question box -----------------------------------------------------

QWidget* QuestionEditor::questionBox() const {
    return questionLines_ ? static_cast<QWidget*>(questionLines_) : questionLine_;
}

QString QuestionEditor::questionText() const {
    return questionLines_ ? questionLines_->text() : questionLine_->text();
}

void QuestionEditor::showQuestion(const QString& text) {
    if (questionLines_) {
        questionLines_->setText(text);
        return;
    }
    questionLine_->setText(text);
    questionLine_->setCursorPosition(0);
}

// ---- browsing -----------------------------------------------------------

void QuestionEditor::setStatus(int n, int total) {
    statusBox_->setText(statusLine(n, total));
}

int QuestionEditor::currentRow() const {
    return list_->currentIndex().row();
}

void QuestionEditor::setCurrentRow(int row) {
    const QScopedValueRollback guard(followingSet_, true);
    list_->selectionModel()->setCurrentIndex(list_->model()->index(row, 0),
                                             QItemSelectionModel::ClearAndSelect);
}

void QuestionEditor::selectListEntry(int row) {
    // Selecting from code counts as the user's click.
    setCurrentRow(row);
    if (row >= 0 && row < list_->model()->rowCount()) onRowChosen();
}

void QuestionEditor::showFields() {
    // A long question or answer shows from its start.
    const RecordSet* rs = session_.records();
    showQuestion(rs->text(Columns::kEnglish));
    answerBox_->setText(rs->text(Columns::kChinese));
    answerBox_->setCursorPosition(0);
    if (examShown_) exam_->showFields(ExamFields::of(*rs));
    showPicture();
}

void QuestionEditor::showPicture() {
    RecordSet* rs = session_.records();
    picture_->setEditable(true);
    picture_->showRecord(rs, rs->Bookmark(), [rs](QString* error) { return rs->picture(error); });
}

bool QuestionEditor::seekShownRecord() {
    // After Previous on the first or Next on the last record the set stands
    // before or past its ends, while the boxes and the list still show that
    // record: make it current again.
    RecordSet* rs = session_.records();
    if (adding_ || !rs) return false;
    const int row = currentRow();
    if (row < 0 || row >= rs->RecordCount()) return false;
    if (rs->hasCurrent() && rs->AbsolutePosition() == row) return true;
    try {
        session_.moveToRow(row);
    } catch (const DbError& e) {
        qCDebug(lcDb) << "shown record not found:" << e.number();
        return false;
    }
    return rs->hasCurrent() && rs->AbsolutePosition() == row;
}

void QuestionEditor::showRecord() {
    const RecordSet* rs = session_.records();
    if (!rs || !rs->hasCurrent()) return;
    showFields();
    const int pos = rs->AbsolutePosition();
    selectListEntry(pos);
    setStatus(pos + 1, rs->RecordCount());
}

void QuestionEditor::onFirst() {
    if (RecordSet* rs = session_.records()) rs->MoveFirst(), showRecord();
}

void QuestionEditor::onLast() {
    if (RecordSet* rs = session_.records()) rs->MoveLast(), showRecord();
}

void QuestionEditor::onNext() {
    RecordSet* rs = session_.records();
    if (!rs || rs->atEOF()) return;
    rs->MoveNext();
    if (!rs->atEOF()) showRecord();
}

void QuestionEditor::onPrevious() {
    RecordSet* rs = session_.records();
    if (!rs || rs->atBOF()) return;
    rs->MovePrevious();
    if (!rs->atBOF()) showRecord();
}

void QuestionEditor::onRowChosen() {
    if (!session_.records() || inRowChosen_) return;
    inRowChosen_ = true;
    if (adding_) {
        adding_ = false;
        enableBrowsing();
    }
    const int i = currentRow();
    try {
        session_.moveToRow(i);
        showFields();
        setStatus(i + 1, session_.records()->RecordCount());
    } catch (const DbError& e) {
        qCDebug(lcDb) << "list selection without a record:" << e.number();
    }
    inRowChosen_ = false;
}

void QuestionEditor::clearFields() {
    showQuestion({});
    answerBox_->clear();
    if (exam_) exam_->clear();
    picture_->clear();
    picture_->setEditable(session_.records() != nullptr);
}

void QuestionEditor::disableBrowsing() {
    for (QWidget* w : std::initializer_list<QWidget*>{firstButton_, previousButton_, nextButton_,
                                                      lastButton_, addPictureButton_, addButton_})
        w->setEnabled(false);
}

void QuestionEditor::enableBrowsing() {
    for (QWidget* w : std::initializer_list<QWidget*>{firstButton_, previousButton_, nextButton_,
                                                      lastButton_, addPictureButton_, addButton_})
        w->setEnabled(true);
    if (v_.saveIsBrowsing) saveButton_->setEnabled(true);
}

void QuestionEditor::onAdd() {
    clearFields();
    disableBrowsing();
    questionBox()->setFocus();
    adding_ = true;
}

// ---- title bar and exit -------------------------------------------------

void QuestionEditor::end() {
    qCInfo(lcUi).noquote() << "editor" << v_.caption << "closed";
    keepSize();
    hide();
    if (closer_) closer_();
}

void QuestionEditor::onClose() {
    end();
}
void QuestionEditor::onMinimise() {
    showMinimized();
}
void QuestionEditor::onMaximise() {
    if (!v_.grows()) return;
    if (windowState() & Qt::WindowMaximized)
        showNormal();
    else
        showMaximized();
}
void QuestionEditor::onExit() {
    end();
}
