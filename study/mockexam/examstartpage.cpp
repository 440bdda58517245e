// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/examstartpage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "questionbank/categories.h"

namespace {
QPushButton* button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QString paperCaption(const PaperRules& r) {
    return QStringLiteral("%1（%2 题，%3 分钟，%4 分合格）")
        .arg(r.name)
        .arg(r.questionCount())
        .arg(r.durationMs / 60000)
        .arg(r.passScore());
}
}  // namespace

const QString& ExamStartPage::personalListName() {
    static const QString name = QStringLiteral("生词本");
    return name;
}

ExamStartPage::ExamStartPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("examstart"));
    info_ = new QLabel(this);
    info_->setObjectName(QStringLiteral("lblinfo"));
    info_->setWordWrap(true);
    info_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(resumeBox());
    layout->addWidget(paperBox());
    layout->addWidget(practiceBox());
    layout->addWidget(info_);
    layout->addStretch(1);
}

QWidget* ExamStartPage::resumeBox() {
    resume_ = new QFrame(this);
    resume_->setObjectName(QStringLiteral("fraresume"));
    resume_->setFrameShape(QFrame::StyledPanel);
    resumeText_ = new QLabel(resume_);
    resumeText_->setObjectName(QStringLiteral("lblresume"));
    resumeText_->setWordWrap(true);
    resumeButton_ = button(QStringLiteral("继续考试"), "cmdresume", resume_);
    QPushButton* discard = button(QStringLiteral("放弃这张试卷"), "cmddiscard", resume_);
    connect(resumeButton_, &QPushButton::clicked, this, &ExamStartPage::resumeChosen);
    connect(discard, &QPushButton::clicked, this, &ExamStartPage::discardChosen);
    auto* layout = new QHBoxLayout(resume_);
    layout->addWidget(resumeText_, 1);
    layout->addWidget(resumeButton_);
    layout->addWidget(discard);
    resume_->hide();
    return resume_;
}

QWidget* ExamStartPage::paperBox() {
    auto* box = new QGroupBox(QStringLiteral("模拟考试"), this);
    QPushButton* one = button(paperCaption(PaperRules::subjectOne()), "cmdsubject1", box);
    subjectOne_ = one;
    QPushButton* four = button(paperCaption(PaperRules::subjectFour()), "cmdsubject4", box);
    connect(one, &QPushButton::clicked, this,
            [this] { emit subjectChosen(PaperRules::Subject::One); });
    connect(four, &QPushButton::clicked, this,
            [this] { emit subjectChosen(PaperRules::Subject::Four); });
    shortage_ = new QLabel(box);
    shortage_->setObjectName(QStringLiteral("lblshortage"));
    shortage_->setWordWrap(true);
    shortage_->hide();
    shorter_ = button(QStringLiteral("考较短的试卷"), "cmdshorter", box);
    shorter_->hide();
    connect(shorter_, &QPushButton::clicked, this, &ExamStartPage::shorterChosen);
    auto* hint = new QLabel(
        QStringLiteral("按 A–D 或 1–4 选择（判断题：1/Y 正确，2/N 错误），多选题按 Enter 确定；"
                       "← → 换题，Z 看大图，Ctrl+Enter 交卷。"),
        box);
    hint->setWordWrap(true);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(one);
    layout->addWidget(four);
    layout->addWidget(shortage_);
    layout->addWidget(shorter_, 0, Qt::AlignLeft);
    layout->addWidget(hint);
    return box;
}

QWidget* ExamStartPage::practiceBox() {
    auto* box = new QGroupBox(QStringLiteral("练习（不计时，答完即看答案和解析）"), this);
    practice_ = new QComboBox(box);
    practice_->setObjectName(QStringLiteral("cbopractice"));
    practice_->addItems(Categories::names());
    practice_->addItem(personalListName());
    auto* sequential = new QRadioButton(QStringLiteral("顺序"), box);
    sequential->setObjectName(QStringLiteral("optsequential"));
    sequential->setChecked(true);
    auto* random = new QRadioButton(QStringLiteral("随机"), box);
    random->setObjectName(QStringLiteral("optrandom"));
    order_ = new QButtonGroup(box);
    order_->addButton(sequential, int(PracticeSession::Order::Sequential));
    order_->addButton(random, int(PracticeSession::Order::Random));
    QPushButton* start = button(QStringLiteral("开始练习"), "cmdpractice", box);
    connect(start, &QPushButton::clicked, this, [this] {
        emit practiceChosen(practice_->currentText(), PracticeSession::Order(order_->checkedId()));
    });
    auto* layout = new QHBoxLayout(box);
    layout->addWidget(practice_, 1);
    layout->addWidget(sequential);
    layout->addWidget(random);
    layout->addWidget(start);
    return box;
}

void ExamStartPage::offerResume(const QString& text, bool canResume) {
    resumeText_->setText(text);
    resumeButton_->setVisible(canResume);
    resume_->setVisible(!text.isEmpty());
}

void ExamStartPage::showShortage(const QString& text, bool shorterOffered) {
    shortage_->setText(text);
    shortage_->setVisible(!text.isEmpty());
    shorter_->setVisible(shorterOffered);
}

void ExamStartPage::focusChoice() {
    if (resume_->isVisibleTo(this) && resumeButton_->isVisibleTo(this))
        resumeButton_->setFocus();
    else
        subjectOne_->setFocus();
}

void ExamStartPage::say(const QString& text) {
    info_->setText(text);
    info_->setVisible(!text.isEmpty());
}
