// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/widgets/windowplacement.h"
#include "study/datacontrol.h"
#include "study/learnerprogress.h"
#include "study/memoryorder.h"
#include "study/recordsetcursor.h"
#include "study/settingsrecord.h"
#include "study/studycycle.h"
#include "study/studysettings.h"

class QLabel;
class QMenu;
class QuestionPicture;
class PictureZoom;
class QAction;
class SettingsStore;
class FeedbackNote;
class PersonalList;
class EditSession;

// Study's main window, the view of the display cycle: one small plain window
// that shows the cycle's record and reaches every command through a pop-up
// menu (objectName "FrmShow").
class QuestionWindow : public QWidget {
    Q_OBJECT
public:
    using SpeechMaker = StudyCycle::SpeechMaker;
    // Opens extra windows (options dialog, editor) that live in other files.
    using WindowOpener = std::function<void(QuestionWindow&)>;

    QuestionWindow(SettingsStore& store, SpeechMaker speech, QWidget* parent = nullptr);
    ~QuestionWindow() override;

    // The start-up sequence after the single-instance test: seeding, reading,
    // source selection, timer, window settings, voice, first record.
    void load();

    // Re-reads the settings and restarts the display from the first record.
    void reload();
    // Fits the label and the window to the text, keeping the window on screen.
    void fitToText();

    const SettingsRecord& settings() const { return settings_; }
    // What the options dialog edits; the display follows its announcements.
    StudySettings& studySettings() { return studySettings_; }
    QLabel* LB() const { return LB_; }
    QuestionPicture* picture() const { return picture_; }
    StudyCycle& cycle() { return cycle_; }
    const DataControl& Data1() const { return Data1_; }
    QMenu* mnumain() const { return mnumain_; }
    SettingsTable::Design design() const;

    void setOptionsOpener(WindowOpener f) { openOptions_ = std::move(f); }
    void setEditorOpener(WindowOpener f) { openEditor_ = std::move(f); }
    void setProgressOpener(WindowOpener f) { openProgress_ = std::move(f); }
    void setExamOpener(WindowOpener f) { openExam_ = std::move(f); }
    // What "end the process at once" does; tests replace it.
    void setTerminator(std::function<void()> f) { terminate_ = std::move(f); }
    // Finds the edit session of Study's personal-list editor when it is
    // open: changes to the personal list then go through it.
    void setEditorFinder(std::function<EditSession*()> f) { editorFinder_ = std::move(f); }

    // Keys of the display window, beyond the menu.
    void addShownToPersonalList();                                  // J
    void removeShownFromPersonalList();                             // K, Delete
    void stepByKey(int direction) { cycle_.stepByKey(direction); }  // Right +1, Left -1
    void toggleAnswersAfterPause();                                 // H
    // While the answer shows in the order by memory: 1 忘了 .. 4 简单. A
    // grade is written, told in a note and moves on to the next question.
    void gradeShown(Fsrs::Grade grade);
    // J: the shown question into the personal list, and in the order by
    // memory, once the answer shows, a grade 忘了 as well.
    void forgetShown();
    MemoryOrder& order() { return order_; }
    // The order's clock; tests set the time.
    void setClock(MemoryOrder::Clock clock) { clock_ = std::move(clock); }
    // The picture at its own size over the display; the cycle waits meanwhile.
    void zoomPicture();  // Z, or a click on the picture
    // The mock exam's window is open: no step meanwhile, and the cycle goes
    // on when it closes (unless the learner had paused it).
    void waitWhileExamOpen();
    void goOnAfterExam();
    PictureZoom* zoom() const { return zoom_; }
    FeedbackNote* note() const { return note_.get(); }
    // The learner's progress store, shared with the windows the menu opens.
    LearnerProgress& progress() { return progress_; }
    // Whether the display shows the personal list itself (not the fallback).
    bool showingPersonalList() const;

    // Mouse down on the window or its label: the button value is 1 left,
    // 2 right, 4 middle, summed over the buttons held.
    void mouseDown(int button);
    // The menu's commands.
    void togglePause();
    void showOptions();
    void handOverToManager();
    void showEditor();
    void showExam();  // the menu's 模拟考试, or E
    // Shows or hides the explanations of exam-form questions, from the next
    // text on (the shown one included).
    void toggleExplanations();
    // The order by memory on or off (menu entry 按记忆复习).
    void toggleMemoryOrder();
    void showProgress();
    void openHelp();
    void openWebSite();
    void showAbout();
    void quit();

    // Question, answer marker, answer. An exam-form question puts the marker
    // (and the answer after it) on a line of its own, under its options.
    static QString displayText(const QString& question, const QString& answer,
                               bool markerOnOwnLine = false);
    static const char* webSite();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    bool event(QEvent* e) override;

private:
    void buildMenu();
    void openRecordSet();
    void showRecord();
    void showText();
    QString shownText() const;
    StudyCycle::Settings cycleSettings();
    void tell(const QString& text, int ms);
    void applyWindowSettings();
    int labelWidth();
    // Shortens the shown record's text to what `room` shows at `width`; its height.
    int shortenToFit(int width, int room);
    void endProcess();
    void watchSystemMove(const QEvent* e);
    // Previews of the options dialog's changes (questionwindowpreview.cpp).
    void followSettings();
    void previewFontSize(int points);
    void previewTextColour(std::uint32_t ole, bool withSample);
    void previewFormColour(std::uint32_t ole);
    void resumeAfterZoom();
    // The display's grades (questionwindowgrades.cpp).
    MemoryOrder::Settings orderSettings() const;
    bool memoryInEffect();
    QString recordGrade(Fsrs::Grade grade, bool listed);
    bool tellUntoldFault();
    MemoryOrder::Clock clock_;

    StudySettings studySettings_;
    // The record, for reading; changes go through studySettings_.
    const SettingsRecord& settings_ = studySettings_.record();
    DataControl Data1_;
    RecordSetCursor records_{Data1_};
    LearnerProgress progress_;
    MemoryOrder order_;  // what the cycle steps through, in either order
    StudyCycle cycle_;
    QLabel* LB_ = nullptr;
    QLabel* lb0_ = nullptr;
    QuestionPicture* picture_ = nullptr;  // above the text when the record has one
    PictureZoom* zoom_ = nullptr;         // made at the first look
    bool zoomPaused_ = false;             // the zoom, not the learner, paused the cycle
    bool examPaused_ = false;             // the mock exam's window did
    QMenu* mnumain_ = nullptr;
    // The text in LB when the screen could not show the record whole (empty
    // otherwise).
    QString shortened_;
    bool markerOnOwnLine_ = false;  // the shown record is an exam-form question
    FitOnScreen fitOnScreen_;
    QAction* mnustop_ = nullptr;
    QAction* mnuexplain_ = nullptr;
    QAction* mnumemory_ = nullptr;
    std::unique_ptr<FeedbackNote> note_;
    std::function<EditSession*()> editorFinder_;
    bool changingList_ = false;  // a J or K is in hand (its question may be open)
    WindowOpener openOptions_, openEditor_, openProgress_, openExam_;
    std::function<void()> terminate_;
    QPoint dragOffset_;
    bool manualDrag_ = false;
    bool moveOnMotion_ = false;  // the left button is down: a move drags the window
    SystemMoveWatch systemMove_;
};
