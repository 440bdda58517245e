// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QPointer>
#include <memory>

#include "editor/questioneditor.h"
#include "study/mockexam/mockexamwindow.h"
#include "study/questionwindow.h"

class OptionsDialog;
class ProgressWindow;
class SettingsStore;
class StepAside;

// Study's windows: the main window and the windows its menu opens.
class StudyApp : public QObject {
    Q_OBJECT
public:
    StudyApp(SettingsStore& store, QuestionWindow::SpeechMaker speech);
    ~StudyApp() override;

    void start();
    QuestionWindow& main() { return *frm_; }
    // The personal-list editor, when it is open.
    QuestionEditor* editor() const { return editor_; }
    // Its edit session, through which the display's keys change the list.
    EditSession* editSession() const { return editor_ ? &editor_->session() : nullptr; }
    void showEditor();
    // The options dialog: built afresh, run modally (the display keeps
    // ticking in the nested loop), released, then the display reloads.
    void showOptions();
    // The progress window: one at a time, read afresh at every use; the
    // display keeps running beside it.
    void showProgress();
    ProgressWindow* progressWindow() const;
    // The mock exam's window: one at a time (a second use brings it
    // forward); the display waits while it is open.
    void showExam();
    MockExamWindow* exam() const { return exam_; }

public slots:
    // Brings the main window forward, for a second start of the program.
    void activate();

private:
    void tellKeptBank();

    SettingsStore& store_;
    std::unique_ptr<QuestionWindow> frm_;
    // Declared after the display, so it goes first and never outlives it.
    std::unique_ptr<StepAside> stepAside_;
    QPointer<QuestionEditor> editor_;
    QPointer<OptionsDialog> options_;
    QPointer<ProgressWindow> progress_;
    QPointer<MockExamWindow> exam_;
};
