// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/speech.h"
#include "platform/widgets/windowplacement.h"
#include "study/datacontrol.h"
#include "study/settingsrecord.h"
#include "study/studysettings.h"

class QLabel;
class QMenu;
class QuestionPicture;
class QAction;
class SettingsStore;
class FeedbackNote;
class PersonalList;
class addedit;

// Study's main window: one small plain window that shows one question with
// its answer after another and reaches every command through a pop-up menu.
class FrmShow : public QWidget {
    Q_OBJECT
public:
    using SpeechMaker = std::function<std::unique_ptr<Speech>()>;
    // Opens extra windows (options dialog, editor) that live in other files.
    using WindowOpener = std::function<void(FrmShow&)>;

    FrmShow(SettingsStore& store, SpeechMaker speech, QWidget* parent = nullptr);
    ~FrmShow() override;

    // The start-up sequence after the single-instance test: seeding, reading,
    // source selection, timer, window settings, voice, first record.
    void Form_Load();

    // Re-reads the settings and restarts the display from the first record.
    void frmForm_reload();
    // Fits the label and the window to the text, keeping the window on screen.
    void AdjustSize();

    const SettingsRecord& settings() const { return settings_; }
    // What the options dialog edits; the display follows its announcements.
    StudySettings& studySettings() { return studySettings_; }
    QLabel* LB() const { return LB_; }
    QuestionPicture* picture() const { return picture_; }
    QTimer* Timer6() { return &Timer6_; }
    bool isSpeaking() const { return speaking_; }
    const DataControl& Data1() const { return Data1_; }
    QMenu* mnumain() const { return mnumain_; }
    SettingsTable::Design design() const;

    void setOptionsOpener(WindowOpener f) { openOptions_ = std::move(f); }
    void setEditorOpener(WindowOpener f) { openEditor_ = std::move(f); }
    // What "end the process at once" does; tests replace it.
    void setTerminator(std::function<void()> f) { terminate_ = std::move(f); }
    // Finds Study's personal-list editor when it is open: changes to the
    // personal list then go through it.
    void setEditorFinder(std::function<addedit*()> f) { editorFinder_ = std::move(f); }

    // Keys of the display window, beyond the menu.
    void addShownToPersonalList();       // J
    void removeShownFromPersonalList();  // K, Delete
    void stepByKey(int direction);       // Right +1, Left -1
    void toggleAnswersAfterPause();      // H
    bool answerHidden() const { return answerHidden_; }
    QTimer* revealTimer() { return &revealTimer_; }
    FeedbackNote* note() const { return note_.get(); }
    // Whether the display shows the personal list itself (not the fallback).
    bool showingPersonalList() const;

    // Handlers, named by control and event.
    void Timer6_Timer();
    void YinPiaoLbl_Change();
    void Form_MouseDown(int button, int shift, int x, int y);
    void LB_MouseDown(int button, int shift, int x, int y) { Form_MouseDown(button, shift, x, y); }
    void mnustop_Click();
    void mnusetup_Click();
    void amewords_Click();
    void managewords_Click();
    void mnuhelp_Click();
    void mnuwebsite_Click();
    void aboutus_Click();
    void mnuquit_Click();

    static QString displayText(const QString& question, const QString& answer);
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
    void selectAndOpen();
    void openRecordSet();
    void showCurrentRecord();
    void renewVoice();
    void step(int direction, bool byKey);
    void speakShownRecord(const QString& question, const QString& answer);
    void speakTexts(const QStringList& texts);
    void revealAnswer();
    bool speechAllowed() const;
    void tell(const QString& text, int ms);
    void speechEnded(int request, bool played);
    // Stops the speech in progress and forgets what waited for its end.
    void stopSpeech();
    void applyWindowSettings();
    int labelWidth();
    // Shortens the shown record's text to what `room` shows at `width`; its height.
    int shortenToFit(int width, int room);
    void endProcess();
    void watchSystemMove(const QEvent* e);
    // Previews of the options dialog's changes (frmshowpreview.cpp).
    void followSettings();
    void previewFontSize(int points);
    void previewTextColour(std::uint32_t ole, bool withSample);
    void previewFormColour(std::uint32_t ole);

    SpeechMaker makeSpeech_;
    StudySettings studySettings_;
    // The record, for reading; changes go through studySettings_.
    const SettingsRecord& settings_ = studySettings_.record();
    DataControl Data1_;
    QTimer Timer6_;
    QLabel* LB_ = nullptr;
    QLabel* lb0_ = nullptr;
    QLabel* YinPiaoLbl_ = nullptr;
    QLabel* EnglishWordLbl_ = nullptr;
    QuestionPicture* picture_ = nullptr;  // above the text when the record has one
    QMenu* mnumain_ = nullptr;
    // The shown record's parts of the display text, and the text in LB when
    // the screen could not show it whole (empty otherwise).
    QString shownQuestion_, shownAnswer_, shortened_;
    FitOnScreen fitOnScreen_;
    QAction* mnustop_ = nullptr;
    std::unique_ptr<Speech> voice_;
    // Speech runs on while the window keeps answering. A tick that falls due
    // meanwhile waits for its end and then runs at once; further ones are not
    // queued, as with a coalescing platform timer.
    bool speaking_ = false;
    // A tick fell due meanwhile. Keys do not wait: they stop the speech.
    bool tickDue_ = false;
    // Answers after half a step (delayword): the answer is hidden until the
    // reveal timer fires; its speech, if any, waits for the question's.
    bool answerHidden_ = false;
    QTimer revealTimer_;
    QString answerToSpeak_;
    bool answerSpeechDue_ = false;
    std::unique_ptr<FeedbackNote> note_;
    std::function<addedit*()> editorFinder_;
    bool changingList_ = false;  // a J or K is in hand (its question may be open)
    int speechRequest_ = 0;      // tells a late notice of an abandoned request apart
    // After a failure (no sound device) the display stays silent until the
    // next reload, so the engine's complaints are not repeated every tick.
    bool speechSilenced_ = false;
    WindowOpener openOptions_, openEditor_;
    std::function<void()> terminate_;
    QPoint dragOffset_;
    bool manualDrag_ = false;
    bool moveOnMotion_ = false;  // the left button is down: a move drags the window
    SystemMoveWatch systemMove_;
};
