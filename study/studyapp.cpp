#include "study/studyapp.h"

#include "study/form3.h"

StudyApp::StudyApp(SettingsStore& store, FrmShow::SpeechMaker speech)
    : frm_(std::make_unique<FrmShow>(store, std::move(speech))) {
    frm_->setOptionsOpener([](FrmShow& main) { Form3::showModal(main); });
}

StudyApp::~StudyApp() = default;

void StudyApp::start() {
    frm_->Form_Load();
    frm_->show();
}

void StudyApp::activate() {
    frm_->show();
    frm_->raise();
    frm_->activateWindow();
}
