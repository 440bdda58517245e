// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/studyapp.h"

#include "platform/datafolder.h"
#include "platform/windowplacement.h"
#include "questionbank/addedit.h"
#include "questionbank/recordset.h"
#include "study/form3.h"
#include "study/personallist.h"
#include "study/questionpicture.h"

StudyApp::StudyApp(SettingsStore& store, FrmShow::SpeechMaker speech)
    : frm_(std::make_unique<FrmShow>(store, std::move(speech))) {
    frm_->setOptionsOpener([](FrmShow& main) { Form3::showModal(main); });
    frm_->setEditorOpener([this](FrmShow&) { showEditor(); });
    frm_->setEditorFinder([this]() -> addedit* { return editor(); });
    // While the editor holds the personal list for itself, no other
    // connection can read it: the display's pictures of it come through the editor.
    frm_->picture()->setReader([this](RecordSet& shown, QString* why) {
        if (!frm_->showingPersonalList()) return shown.picture(why);
        return PersonalList(DataFolder::path(), [this] { return editor(); }).pictureOf(shown, why);
    });
}

StudyApp::~StudyApp() { delete editor_; }

void StudyApp::start() {
    frm_->Form_Load();
    frm_->show();
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
    auto* editor = new addedit(EditorVariant::study(), DataFolder::path());
    if (!editor->Form_Load()) {
        delete editor;
        return;
    }
    // Closing releases the form and its database; the next use loads afresh.
    editor->setCloser([editor] { editor->deleteLater(); });
    editor_ = editor;
    // Beside the display, which stays on top and would hide part of the list.
    WindowPlacement::placeBeside(*editor, *frm_);
    editor->show();
}
