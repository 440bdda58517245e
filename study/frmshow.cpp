// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/frmshow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "platform/datafolder.h"
#include "platform/logging.h"
#include "platform/olecolour.h"
#include "platform/programfolder.h"
#include "platform/settingsstore.h"
#include "platform/widgets/messagebox.h"
#include "platform/widgets/twips.h"
#include "questionbank/columns.h"
#include "questionbank/recordset.h"
#include "study/documentopener.h"
#include "study/feedbacknote.h"
#include "study/aboutdialog.h"
#include "study/module1.h"
#include "study/questionpicture.h"
#include "study/questionsource.h"
#include "study/voiceselection.h"

namespace {
QFont arial(int points) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(points);
    return f;
}
}  // namespace

const char* FrmShow::webSite() {
    return "https://gab.122.gov.cn/";
}

QString FrmShow::displayText(const QString& question, const QString& answer) {
    return question + QStringLiteral("  ") + QStringLiteral("(后面为答案）") +
           QStringLiteral("  ") + answer;
}

FrmShow::FrmShow(SettingsStore& store, SpeechMaker speech, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), makeSpeech_(std::move(speech)), studySettings_(store) {
    setObjectName(QStringLiteral("FrmShow"));
    setWindowTitle(QString());
    setAutoFillBackground(true);

    LB_ = new QLabel(this);
    LB_->setObjectName(QStringLiteral("LB"));
    LB_->setTextFormat(Qt::PlainText);
    LB_->setWordWrap(true);
    LB_->setFont(arial(12));
    LB_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LB_->installEventFilter(this);

    picture_ = new QuestionPicture(this);

    lb0_ = new QLabel(this);
    lb0_->setObjectName(QStringLiteral("lb0"));
    lb0_->setTextFormat(Qt::PlainText);
    lb0_->setFont(arial(12));
    lb0_->hide();

    YinPiaoLbl_ = new QLabel(this);
    YinPiaoLbl_->setObjectName(QStringLiteral("YinPiaoLbl"));
    YinPiaoLbl_->hide();
    EnglishWordLbl_ = new QLabel(this);
    EnglishWordLbl_->setObjectName(QStringLiteral("EnglishWordLbl"));
    EnglishWordLbl_->hide();

    Timer6_.setObjectName(QStringLiteral("Timer6"));
    connect(&Timer6_, &QTimer::timeout, this, &FrmShow::Timer6_Timer);
    revealTimer_.setSingleShot(true);
    connect(&revealTimer_, &QTimer::timeout, this, &FrmShow::revealAnswer);
    // Keys reach the window once it is clicked, as with any window.
    setFocusPolicy(Qt::StrongFocus);
    note_ = std::make_unique<FeedbackNote>(this);

    // The designed look, before any setting is applied.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, OleColour::toColor(OleColour::kDesktop));
    setPalette(pal);
    QPalette lp = LB_->palette();
    lp.setColor(QPalette::WindowText, OleColour::toColor(OleColour::kHighlightText));
    LB_->setPalette(lp);

    terminate_ = [] {
        for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
        QCoreApplication::exit(0);
    };
    buildMenu();
    followSettings();
}

FrmShow::~FrmShow() = default;

void FrmShow::buildMenu() {
    mnumain_ = new QMenu(this);
    mnumain_->setObjectName(QStringLiteral("mnumain"));
    auto add = [this](const char* name, const QString& caption, void (FrmShow::*slot)()) {
        QAction* a = mnumain_->addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    mnustop_ = add("mnustop", QStringLiteral("暂停(&P)"), &FrmShow::mnustop_Click);
    add("mnusetup", QStringLiteral("选项(&O)..."), &FrmShow::mnusetup_Click);
    add("amewords", QStringLiteral("题目管理(&E)"), &FrmShow::amewords_Click);
    add("managewords", QStringLiteral("新题目管理(&N)"), &FrmShow::managewords_Click);
    add("mnuhelp", QStringLiteral("帮助(&H)"), &FrmShow::mnuhelp_Click);
    mnumain_->addSeparator()->setObjectName(QStringLiteral("link"));
    add("mnuwebsite", QStringLiteral("学车网站(&W)"), &FrmShow::mnuwebsite_Click);
    add("aboutus", QStringLiteral("关于我们(&A)"), &FrmShow::aboutus_Click);
    mnumain_->addSeparator()->setObjectName(QStringLiteral("link2"));
    add("mnuquit", QStringLiteral("退出(&E)"), &FrmShow::mnuquit_Click);
}

SettingsTable::Design FrmShow::design() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    SettingsTable::Design d;  // the designed colours of the window and its label
    if (s) d.screenWidthTwips = Twips::fromPixels(s->geometry().width());
    return d;
}

void FrmShow::Form_Load() {
    studySettings_.seed(design());
    studySettings_.read(design());
    selectSource(settings_, DataFolder::path(), Data1_, this);
    Timer6_.setInterval(settings_.ctimeword * 1000);
    Timer6_.start();
    applyWindowSettings();
    renewVoice();
    openRecordSet();
    // Centred when first shown; the layout has sized it to the first text.
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

void FrmShow::applyWindowSettings() {
    setWindowFlag(Qt::WindowStaysOnTopHint, settings_.ontopword != 0);
    LB_->move(Twips::toPixels(60), Twips::toPixels(80));
    QPalette lp = LB_->palette();
    lp.setColor(QPalette::WindowText,
                OleColour::toColor(OleColour::fromNumber(settings_.txtColor)));
    LB_->setPalette(lp);
    QFont f = LB_->font();
    f.setPointSize(settings_.FontSizeNumber);
    LB_->setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, OleColour::toColor(OleColour::fromNumber(settings_.formColor)));
    setPalette(pal);
}

void FrmShow::frmForm_reload() {
    studySettings_.read(design());
    selectSource(settings_, DataFolder::path(), Data1_, this);
    Timer6_.setInterval(settings_.ctimeword * 1000);
    openRecordSet();
    Timer6_.start();
    tickDue_ = false;
    speechSilenced_ = false;
    // A voice still speaking the previous record is left to finish: the
    // engine changes no voice while it speaks, and the next spoken tick
    // renews the voice anyway.
    if (!speaking_) renewVoice();
}

void FrmShow::openRecordSet() {
    QString error;
    if (!Data1_.Refresh(&error)) MessageBox::show(this, MessageBox::Icon::Critical, error);
    showCurrentRecord();
}

void FrmShow::showCurrentRecord() {
    const RecordSet* rs = Data1_.Recordset();
    const bool has = rs && rs->hasCurrent();
    YinPiaoLbl_->setText(has ? rs->text(Columns::kEnglish) : QString());
    EnglishWordLbl_->setText(has ? rs->text(Columns::kChinese) : QString());
    // Every new record starts its own step: a reveal or an answer's speech
    // left from the previous one no longer applies.
    revealTimer_.stop();
    answerToSpeak_.clear();
    answerSpeechDue_ = false;
    answerHidden_ = has && settings_.delayword == 1;
    if (answerHidden_) revealTimer_.start(settings_.ctimeword * 500);
    if (has)
        qCInfo(lcDisplay).noquote() << "record" << rs->AbsolutePosition() + 1 << "of"
                                    << rs->RecordCount() << ":" << YinPiaoLbl_->text();
    else
        qCInfo(lcDisplay) << "no record to show";
    picture_->showRecord(has ? Data1_.Recordset() : nullptr);
    YinPiaoLbl_Change();
}

void FrmShow::YinPiaoLbl_Change() {
    const RecordSet* rs = Data1_.Recordset();
    const bool has = rs && rs->hasCurrent();
    shownQuestion_ = has ? YinPiaoLbl_->text() : QString();
    shownAnswer_ = has && !answerHidden_ ? EnglishWordLbl_->text() : QString();
    shortened_.clear();
    LB_->setText(has ? displayText(shownQuestion_, shownAnswer_) : QString());
    LB_->repaint();
    AdjustSize();
}

void FrmShow::renewVoice() {
    // With speech off no voice is made, so the speech engine is not even
    // started until speech is first needed.
    voice_ = makeSpeech_ && settings_.voice == 1 ? makeSpeech_() : nullptr;
    if (voice_) selectChineseVoice(*voice_);
}

void FrmShow::Timer6_Timer() {
    if (speaking_) {
        tickDue_ = true;  // ticks do not pile up behind the speech
        return;
    }
    step(1, false);
}

void FrmShow::stepByKey(int direction) {
    qCInfo(lcDisplay) << "step by key" << direction;
    // A learner who steps on does not want the old record read to its end:
    // its speech stops and the step runs now, so each press is one step.
    if (speaking_) stopSpeech();
    step(direction, true);
}

void FrmShow::step(int direction, bool byKey) {
    RecordSet* rs = Data1_.Recordset();
    if (!rs || rs->RecordCount() == 0) return;  // nothing to show: the display stays empty
    // A step asked for by a key starts the interval again from here.
    if (byKey && Timer6_.isActive()) Timer6_.start();
    if (direction >= 0) {
        if (rs->atEOF()) {
            rs->MoveFirst();
        } else {
            rs->MoveNext();
            if (rs->atEOF()) rs->MoveFirst();
        }
    } else if (rs->atBOF()) {
        rs->MoveLast();
    } else {
        rs->MovePrevious();
        if (rs->atBOF()) rs->MoveLast();
    }
    showCurrentRecord();
    const QString answer = EnglishWordLbl_->text();
    const QString question = YinPiaoLbl_->text();
    // From here on nothing may stop the cycle: speech failures are ignored.
    if (!speechAllowed()) return;
    renewVoice();
    if (voice_) speakShownRecord(question, answer);
}

bool FrmShow::speechAllowed() const {
    return settings_.voice == 1 && !speechSilenced_;
}

void FrmShow::speakShownRecord(const QString& question, const QString& answer) {
    // The marker between question and answer is never spoken. A hidden
    // answer is spoken when it is shown.
    QStringList texts{question};
    if (settings_.isnoSpeak == 1) {
        if (answerHidden_)
            answerToSpeak_ = answer;
        else
            texts << answer;
    }
    speakTexts(texts);
}

void FrmShow::revealAnswer() {
    if (!answerHidden_) return;
    answerHidden_ = false;
    qCInfo(lcDisplay) << "answer shown";
    YinPiaoLbl_Change();
    if (answerToSpeak_.isEmpty()) return;
    // The question is still being spoken: the answer follows it.
    if (speaking_) {
        answerSpeechDue_ = true;
        return;
    }
    const QString answer = std::exchange(answerToSpeak_, QString());
    if (speechAllowed() && voice_) speakTexts({answer});
}

void FrmShow::speakTexts(const QStringList& texts) {
    for (const QString& t : texts) qCInfo(lcSpeech).noquote() << "speak" << t;
    const int request = ++speechRequest_;
    speaking_ = true;
    const bool started =
        voice_->speak(texts, [this, request](bool played) { speechEnded(request, played); });
    if (!started) speechEnded(request, false);
}

void FrmShow::stopSpeech() {
    if (speaking_ && voice_) voice_->cancel();
    speaking_ = false;
    ++speechRequest_;  // a late notice of the stopped request is ignored
    answerSpeechDue_ = false;
    tickDue_ = false;
}

void FrmShow::speechEnded(int request, bool played) {
    if (request != speechRequest_ || !speaking_) return;
    speaking_ = false;
    if (played) {
        qCInfo(lcSpeech) << "spoken";
    } else {
        speechSilenced_ = true;
        qCInfo(lcSpeech) << "speech failed (no sound device?); silent until the next reload";
    }
    if (answerSpeechDue_) {
        answerSpeechDue_ = false;
        const QString answer = std::exchange(answerToSpeak_, QString());
        if (speechAllowed() && voice_) speakTexts({answer});
        if (speaking_) return;  // a step due meanwhile waits for the answer too
    }
    if (std::exchange(tickDue_, false)) step(1, false);
}

void FrmShow::mnustop_Click() {
    // Decided by the caption alone, not by the timer.
    if (mnustop_->text() != QStringLiteral("暂停(&P)")) {
        mnustop_->setText(QStringLiteral("暂停(&P)"));
        // After a reload the cycle already runs: restarting it would put the
        // next step a full interval after the click.
        if (!Timer6_.isActive()) Timer6_.start();
    } else {
        Timer6_.stop();
        tickDue_ = false;  // a stopped timer has no tick due
        mnustop_->setText(QStringLiteral("继续(&C)"));
    }
}

void FrmShow::mnusetup_Click() {
    if (openOptions_) openOptions_(*this);
}

void FrmShow::managewords_Click() {
    if (openEditor_) openEditor_(*this);
}

void FrmShow::amewords_Click() {
    Data1_.DatabaseName.clear();
    Data1_.clear();
    const bool started =
        QProcess::startDetached(ProgramFolder::file(QStringLiteral("Manager")), {});
    qCInfo(lcDisplay) << "hand-over to Manager" << (started ? "started" : "failed to start");
    endProcess();
}

void FrmShow::mnuhelp_Click() {
    const QString page = ProgramFolder::file(QStringLiteral("help.html"));
    DocumentOpener::open(this, QUrl::fromLocalFile(page),
                         QStringLiteral("没有找到可以打开帮助页的浏览器。\n\n帮助页文件在：\n%1\n"
                                        "可以用其他方式（例如文件管理器）打开它。")
                             .arg(page));
}

void FrmShow::mnuwebsite_Click() {
    const QString site = QString::fromLatin1(webSite());
    DocumentOpener::open(
        this, QUrl(site),
        QStringLiteral("没有找到可以打开网页的浏览器。\n\n网站地址：%1").arg(site));
}

void FrmShow::aboutus_Click() {
    AboutDialog about(this);
    about.exec();
}

void FrmShow::mnuquit_Click() {
    endProcess();
}

void FrmShow::closeEvent(QCloseEvent* e) {
    // A close by the system ends the process like the exit command.
    e->accept();
    endProcess();
}

void FrmShow::endProcess() {
    Timer6_.stop();
    revealTimer_.stop();
    note_->hide();
    stopSpeech();
    qCInfo(lcDisplay) << "ending";
    if (terminate_) terminate_();
}
