// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/studyapp.h"

#include <QDateTime>

#include "editor/questioneditor.h"
#include "platform/datafolder.h"
#include "platform/widgets/windowplacement.h"
#include "questionbank/recordset.h"
#include "study/documentopener.h"
#include "study/feedbacknote.h"
#include "study/mockexam/mockexamwindow.h"
#include "study/optionsdialog.h"
#include "study/personallist.h"
#include "study/progresswindow.h"
#include "study/questionpicture.h"
#include "study/stepaside.h"

StudyApp::StudyApp(SettingsStore& store, QuestionWindow::SpeechMaker speech)
    : store_(store),
      frm_(std::make_unique<QuestionWindow>(store, std::move(speech))),
      stepAside_(std::make_unique<StepAside>(*frm_)) {
    frm_->setOptionsOpener([this](QuestionWindow&) { showOptions(); });
    frm_->setEditorOpener([this](QuestionWindow&) { showEditor(); });
    frm_->setProgressOpener([this](QuestionWindow&) { showProgress(); });
    frm_->setExamOpener([this](QuestionWindow&) { showExam(); });
    frm_->setEditorFinder([this] { return editSession(); });
    DocumentOpener::install(frm_.get());
    // While the editor holds the personal list for itself, no other
    // connection can read it: the display's pictures of it come through its session.
    frm_->picture()->setReader([this](RecordSet& shown, QString* why) {
        if (!frm_->showingPersonalList()) return shown.picture(why);
        return PersonalList(DataFolder::path(), [this] { return editSession(); })
            .pictureOf(shown, why);
    });
}

StudyApp::~StudyApp() {
    delete progress_;
    delete exam_;
    delete editor_;
}

void StudyApp::start() {
    frm_->load();
    frm_->show();
    tellKeptBank();
}

// Once per newer installed bank: the log alone reaches nobody.
void StudyApp::tellKeptBank() {
    const QList<DataFolder::KeptCopy> kept = DataFolder::untoldKeptCopies();
    if (kept.isEmpty()) return;
    frm_->note()->say(
        QStringLiteral("软件更新带来了新的题库，但您改过的题库已保留，新题目没有加入：\n"
                       "%1\n"
                       "怎样把新题目加进来，见帮助（F1）第 9 节「文件存放位置」。")
            .arg(kept.first().copy),
        FeedbackNote::kNoticeMs);
    for (const DataFolder::KeptCopy& k : kept) DataFolder::markTold(DataFolder::userFolder(), k);
}

void StudyApp::activate() {
    frm_->show();
    frm_->raise();
    frm_->activateWindow();
}

void StudyApp::showEditor() {
    // One editor at a time; a second use only brings it forward.
    if (editor_) {
        editor_->showNormal();
        editor_->raise();
        editor_->activateWindow();
        return;
    }
    auto* editor = new QuestionEditor(EditorVariant::study(), DataFolder::path());
    const bool maximised = editor->openAtKeptSize(store_);
    if (!editor->load()) {
        delete editor;
        return;
    }
    // Closing releases the form and its database; the next use loads afresh.
    editor->setCloser([editor] { editor->deleteLater(); });
    editor_ = editor;
    // Beside the display, so that both stay in view.
    WindowPlacement::placeBeside(*editor, *frm_);
    if (maximised)
        editor->showMaximized();
    else
        editor->show();
}

void StudyApp::showOptions() {
    if (options_) {  // at most one dialog
        options_->raise();
        options_->activateWindow();
        return;
    }
    options_ = new OptionsDialog(frm_->studySettings());
    connect(options_, &OptionsDialog::saved, frm_.get(), &QuestionWindow::reload);
    WindowPlacement::placeBeside(*options_, *frm_);
    const QPointer<OptionsDialog> dialog = options_;
    const QPointer<StudyApp> alive(this);
    dialog->exec();
    // Released, so the next opening starts from the record.
    delete dialog.data();
    if (alive) frm_->reload();
}

void StudyApp::showProgress() {
    if (progress_) {  // one window; a second use brings it forward, brought up to date
        progress_->refresh();
        progress_->showNormal();
        progress_->raise();
        progress_->activateWindow();
        return;
    }
    progress_ = new ProgressWindow([this] {
        return ProgressReport::load(frm_->progress(), DataFolder::path(),
                                    QDateTime::currentMSecsSinceEpoch());
    });
    progress_->refresh();
    WindowPlacement::placeBeside(*progress_, *frm_);
    progress_->show();
}

ProgressWindow* StudyApp::progressWindow() const {
    return progress_;
}

void StudyApp::showExam() {
    if (exam_) {
        exam_->showNormal();
        exam_->raise();
        exam_->activateWindow();
        return;
    }
    auto* exam =
        new MockExamWindow(frm_->progress(), DataFolder::path(), [this] { return editSession(); });
    exam->setAttribute(Qt::WA_DeleteOnClose);
    connect(exam, &MockExamWindow::closed, frm_.get(), &QuestionWindow::goOnAfterExam);
    exam_ = exam;
    frm_->waitWhileExamOpen();
    exam->show();
    exam->activateWindow();
}
