// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/questionwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
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
#include "questionbank/recordset.h"
#include "study/aboutdialog.h"
#include "study/documentopener.h"
#include "study/feedbacknote.h"
#include "study/module1.h"
#include "study/picturezoom.h"
#include "study/questionpicture.h"
#include "study/questionsource.h"

namespace {
QFont arial(int points) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(points);
    return f;
}
}  // namespace

const char* QuestionWindow::webSite() {
    return "https://gab.122.gov.cn/";
}

QString QuestionWindow::displayText(const QString& question, const QString& answer,
                                    bool markerOnOwnLine) {
    return question + (markerOnOwnLine ? QStringLiteral("\n") : QStringLiteral("  ")) +
           QStringLiteral("(后面为答案）") + QStringLiteral("  ") + answer;
}

QString QuestionWindow::shownText() const {
    return displayText(cycle_.shownQuestion(), cycle_.shownAnswer(), markerOnOwnLine_);
}

QuestionWindow::QuestionWindow(SettingsStore& store, SpeechMaker speech, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      studySettings_(store),
      progress_([] { return DataFolder::path(); }, [this] { return settings_.retention / 100.0; }),
      order_(
          Data1_, records_, progress_, [this] { return orderSettings(); },
          [this] { return clock_ ? clock_() : QDateTime::currentMSecsSinceEpoch(); }),
      cycle_(
          order_, [this] { return cycleSettings(); }, std::move(speech)) {
    setObjectName(QStringLiteral("FrmShow"));
    records_.setExplanationShown([this] { return settings_.explainword == 1; });
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
    // The step waits for the end of an animation's first play: its subject
    // may appear only late in it.
    connect(picture_, &QuestionPicture::firstLoopStarted, &cycle_, &StudyCycle::firstLoopStarted);
    connect(picture_, &QuestionPicture::firstLoopEnded, &cycle_, &StudyCycle::firstLoopEnded);

    lb0_ = new QLabel(this);
    lb0_->setObjectName(QStringLiteral("lb0"));
    lb0_->setTextFormat(Qt::PlainText);
    lb0_->setFont(arial(12));
    lb0_->hide();

    connect(&cycle_, &StudyCycle::recordChanged, this, &QuestionWindow::showRecord);
    connect(&cycle_, &StudyCycle::textChanged, this, &QuestionWindow::showText);
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

QuestionWindow::~QuestionWindow() = default;

void QuestionWindow::buildMenu() {
    mnumain_ = new QMenu(this);
    mnumain_->setObjectName(QStringLiteral("mnumain"));
    auto add = [this](const char* name, const QString& caption, void (QuestionWindow::*slot)()) {
        QAction* a = mnumain_->addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    mnustop_ = add("mnustop", QStringLiteral("暂停(&P)"), &QuestionWindow::togglePause);
    add("mnusetup", QStringLiteral("选项(&O)..."), &QuestionWindow::showOptions);
    add("amewords", QStringLiteral("题目管理(&E)"), &QuestionWindow::handOverToManager);
    add("managewords", QStringLiteral("新题目管理(&N)"), &QuestionWindow::showEditor);
    add("mnuhelp", QStringLiteral("帮助(&H)"), &QuestionWindow::openHelp);
    mnumain_->addSeparator()->setObjectName(QStringLiteral("link"));
    add("mnuwebsite", QStringLiteral("学车网站(&W)"), &QuestionWindow::openWebSite);
    add("aboutus", QStringLiteral("关于我们(&A)"), &QuestionWindow::showAbout);
    mnumain_->addSeparator()->setObjectName(QStringLiteral("link2"));
    // Entries beyond the documented menu, one group above the exit.
    mnuexplain_ =
        add("mnuexplain", QStringLiteral("显示解析(&S)"), &QuestionWindow::toggleExplanations);
    mnuexplain_->setCheckable(true);
    mnumemory_ =
        add("mnumemory", QStringLiteral("按记忆复习(&M)"), &QuestionWindow::toggleMemoryOrder);
    mnumemory_->setCheckable(true);
    add("mnuprogress", QStringLiteral("学习进度(&J)"), &QuestionWindow::showProgress);
    add("mnuexam", QStringLiteral("模拟考试(&K)"), &QuestionWindow::showExam);
    mnumain_->addSeparator()->setObjectName(QStringLiteral("link3"));
    add("mnuquit", QStringLiteral("退出(&E)"), &QuestionWindow::quit);
}

SettingsTable::Design QuestionWindow::design() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    SettingsTable::Design d;  // the designed colours of the window and its label
    if (s) d.screenWidthTwips = Twips::fromPixels(s->geometry().width());
    return d;
}

void QuestionWindow::load() {
    studySettings_.seed(design());
    studySettings_.read(design());
    selectSource(settings_, DataFolder::path(), Data1_, this);
    applyWindowSettings();
    cycle_.start([this] { openRecordSet(); });
    // Centred when first shown; the layout has sized it to the first text.
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

void QuestionWindow::applyWindowSettings() {
    setWindowFlag(Qt::WindowStaysOnTopHint, settings_.ontopword != 0);
    mnuexplain_->setChecked(settings_.explainword == 1);
    mnumemory_->setChecked(settings_.studyorder == 1);
    LB_->move(Twips::toPixels(60), Twips::toPixels(80));
    QPalette lp = LB_->palette();
    lp.setColor(QPalette::WindowText,
                OleColour::toColor(OleColour::fromNumber(settings_.txtColor)));
    LB_->setPalette(lp);
    QFont f = LB_->font();
    f.setPointSize(settings_.FontSizeNumber);
    LB_->setFont(f);
    picture_->setFontPoints(settings_.FontSizeNumber);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, OleColour::toColor(OleColour::fromNumber(settings_.formColor)));
    setPalette(pal);
}

void QuestionWindow::reload() {
    studySettings_.read(design());
    selectSource(settings_, DataFolder::path(), Data1_, this);
    cycle_.reload([this] { openRecordSet(); });
}

StudyCycle::Settings QuestionWindow::cycleSettings() {
    // By memory the learner answers in mind before the answer shows, as with H.
    return {settings_.ctimeword, settings_.voice == 1, settings_.isnoSpeak == 1,
            settings_.delayword == 1 || memoryInEffect()};
}

void QuestionWindow::openRecordSet() {
    QString error;
    if (!Data1_.Refresh(&error)) MessageBox::show(this, MessageBox::Icon::Critical, error);
    order_.opened();
}

void QuestionWindow::showRecord() {
    picture_->showRecord(cycle_.hasRecord() ? Data1_.Recordset() : nullptr);
    showText();
    if (isVisible()) tellUntoldFault();
}

void QuestionWindow::showText() {
    shortened_.clear();
    markerOnOwnLine_ = records_.examForm();
    LB_->setText(cycle_.hasRecord() ? shownText() : QString());
    LB_->repaint();
    fitToText();
}

void QuestionWindow::togglePause() {
    cycle_.togglePause();
    // The entry offers what the learner chose last; a reload runs the cycle
    // again without changing it.
    mnustop_->setText(cycle_.pace() == StudyCycle::Pace::Running ? QStringLiteral("暂停(&P)")
                                                                 : QStringLiteral("继续(&C)"));
}

void QuestionWindow::toggleExplanations() {
    studySettings_.toggleExplanations();
    mnuexplain_->setChecked(settings_.explainword == 1);
    cycle_.rereadAnswer();
}

void QuestionWindow::showOptions() {
    if (openOptions_) openOptions_(*this);
}

void QuestionWindow::showEditor() {
    if (openEditor_) openEditor_(*this);
}

void QuestionWindow::showProgress() {
    if (openProgress_) openProgress_(*this);
}

void QuestionWindow::showExam() {
    if (openExam_) openExam_(*this);
}

void QuestionWindow::waitWhileExamOpen() {
    if (examPaused_) return;
    // A zoom open meanwhile hands its pause over: its close must not run
    // the cycle while the exam is open.
    if (zoomPaused_) {
        zoomPaused_ = false;
        examPaused_ = true;
    } else {
        examPaused_ = cycle_.isRunning();
        if (!examPaused_) return;
        if (cycle_.pace() != StudyCycle::Pace::Running) cycle_.togglePause();
        togglePause();
    }
    qCInfo(lcDisplay) << "display waits while the mock exam is open";
}

void QuestionWindow::goOnAfterExam() {
    if (!examPaused_) return;
    examPaused_ = false;
    // A zoom still open keeps the cycle waiting until it closes.
    if (zoom_ && zoom_->isOpen()) {
        zoomPaused_ = true;
        return;
    }
    if (cycle_.pace() == StudyCycle::Pace::Paused) togglePause();
    qCInfo(lcDisplay) << "display goes on after the mock exam";
}

void QuestionWindow::handOverToManager() {
    Data1_.DatabaseName.clear();
    Data1_.clear();
    const bool started =
        QProcess::startDetached(ProgramFolder::file(QStringLiteral("Manager")), {});
    qCInfo(lcDisplay) << "hand-over to Manager" << (started ? "started" : "failed to start");
    endProcess();
}

void QuestionWindow::openHelp() {
    const QString page = ProgramFolder::file(QStringLiteral("help.html"));
    DocumentOpener::open(this, QUrl::fromLocalFile(page),
                         QStringLiteral("没有找到可以打开帮助页的浏览器。\n\n帮助页文件在：\n%1\n"
                                        "可以用其他方式（例如文件管理器）打开它。")
                             .arg(page));
}

void QuestionWindow::openWebSite() {
    const QString site = QString::fromLatin1(webSite());
    DocumentOpener::open(
        this, QUrl(site),
        QStringLiteral("没有找到可以打开网页的浏览器。\n\n网站地址：%1").arg(site));
}

void QuestionWindow::showAbout() {
    AboutDialog about(this);
    about.exec();
}

void QuestionWindow::quit() {
    endProcess();
}

void QuestionWindow::closeEvent(QCloseEvent* e) {
    // A close by the system ends the process like the exit command.
    e->accept();
    endProcess();
}

void QuestionWindow::endProcess() {
    // A picture still zoomed must not run the cycle again as it closes.
    zoomPaused_ = false;
    examPaused_ = false;
    if (zoom_) zoom_->hide();
    cycle_.stop();
    note_->hide();
    qCInfo(lcDisplay) << "ending";
    if (terminate_) terminate_();
}
