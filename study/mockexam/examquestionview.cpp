// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/examquestionview.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "study/picturezoom.h"
#include "study/questionpicture.h"

namespace {
// Chosen options are filled; after a practice answer the right ones turn
// green and a wrong choice red.
const char* const kLook = R"(
QPushButton[role="option"] { min-width: 3.2em; min-height: 2.2em; font-size: 12pt; }
QPushButton[role="option"]:checked { background: #2f6fc0; color: white; border: 1px solid #1d4f91; }
QPushButton[mark="right"] { background: #2e8b46; color: white; border: 1px solid #1e6632; }
QPushButton[mark="wrong"] { background: #c23b32; color: white; border: 1px solid #8e2720; }
)";
// Larger than the display's 12 points: the exam window is read up close.
constexpr int kTextPoints = 14;
const QString kLetters = QStringLiteral("ABCD");
}  // namespace

ExamQuestionView::ExamQuestionView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("examquestion"));
    setStyleSheet(QString::fromLatin1(kLook));
    auto* layout = new QVBoxLayout(this);
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("lblheading"));
    layout->addWidget(heading_);

    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("lblquestion"));
    text_->setTextFormat(Qt::PlainText);
    text_->setWordWrap(true);
    QFont f = text_->font();
    f.setPointSize(kTextPoints);
    text_->setFont(f);
    layout->addWidget(text_);

    // The picture sizes itself; its box takes that size and the clicks
    // (the picture lets them through).
    pictureBox_ = new QWidget(this);
    pictureBox_->setObjectName(QStringLiteral("picturebox"));
    pictureBox_->setCursor(Qt::PointingHandCursor);
    pictureBox_->installEventFilter(this);
    picture_ = new QuestionPicture(pictureBox_);
    picture_->setFontPoints(kTextPoints);
    pictureBox_->hide();
    layout->addWidget(pictureBox_, 0, Qt::AlignLeft);

    layout->addLayout(optionRows(f));

    confirm_ = new QPushButton(QStringLiteral("确定"), this);
    confirm_->setObjectName(QStringLiteral("cmdconfirm"));
    confirm_->setFocusPolicy(Qt::NoFocus);
    connect(confirm_, &QPushButton::clicked, this, &ExamQuestionView::confirmClicked);
    layout->addWidget(confirm_, 0, Qt::AlignLeft);
    layout->addStretch(1);
}

// A button per option with its text beside it, word-wrapped.
QGridLayout* ExamQuestionView::optionRows(const QFont& font) {
    auto* options = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(this);
        b->setObjectName(QStringLiteral("cmdoption%1").arg(i));
        b->setProperty("role", QStringLiteral("option"));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        // The check follows the session, not the click.
        connect(b, &QPushButton::clicked, this, [this, b, i] {
            b->setChecked(!b->isChecked());
            emit optionClicked(i);
        });
        auto* t = new QLabel(this);
        t->setObjectName(QStringLiteral("lbloption%1").arg(i));
        t->setTextFormat(Qt::PlainText);
        t->setWordWrap(true);
        t->setFont(font);
        options->addWidget(b, i, 0, Qt::AlignTop);
        options->addWidget(t, i, 1);
        buttons_[size_t(i)] = b;
        optionTexts_[size_t(i)] = t;
    }
    options->setColumnStretch(1, 1);
    return options;
}

ExamQuestionView::~ExamQuestionView() = default;

QString ExamQuestionView::responseOf(const ExamQuestion& q, int option) {
    if (q.isJudge())
        return option == 0   ? QStringLiteral("正确")
               : option == 1 ? QStringLiteral("错误")
                             : QString();
    return option >= 0 && option < 4 ? QString(kLetters[option]) : QString();
}

ExamFields ExamQuestionView::fieldsOf(const ExamQuestion& q) {
    ExamFields f;
    f.kind = q.kind;
    f.options = q.options;
    f.explanation = q.explanation;
    return f;
}

bool ExamQuestionView::isChosen(const ExamQuestion& q, const QString& response, int option) {
    if (response.isEmpty()) return false;
    if (q.isJudge()) return response == responseOf(q, option);
    return response.contains(kLetters[option]);
}

void ExamQuestionView::showQuestion(const ExamQuestion& q, const QString& heading,
                                    const QString& response) {
    question_ = q;
    heading_->setText(heading);
    text_->setText(q.text);
    const bool judge = q.isJudge();
    for (int i = 0; i < 4; ++i) {
        QPushButton* b = buttons_[size_t(i)];
        QLabel* t = optionTexts_[size_t(i)];
        const QString option = q.options[size_t(i)];
        const bool visible = judge ? i < 2 : !option.isEmpty();
        b->setText(judge ? responseOf(q, i) : QString(kLetters[i]));
        b->setEnabled(true);
        b->setVisible(visible);
        mark(b, "");
        t->setText(judge ? QString() : option);
        t->setVisible(visible && !judge);
    }
    confirm_->setVisible(q.isMultiple());
    confirm_->setEnabled(true);
    setResponse(response);

    const QByteArray bytes = q.hasPicture && reader_ ? reader_(q) : QByteArray();
    if (bytes.isEmpty() || !picture_->showBytes(bytes)) picture_->clear();
    pictureBox_->setFixedSize(picture_->shown() ? picture_->pictureSize() : QSize(0, 0));
    pictureBox_->setVisible(picture_->shown());
    if (zoom_) zoom_->hide();
}

void ExamQuestionView::setResponse(const QString& response) {
    for (int i = 0; i < 4; ++i) buttons_[size_t(i)]->setChecked(isChosen(question_, response, i));
}

void ExamQuestionView::reveal(const QString& answer, const QString& response) {
    for (int i = 0; i < 4; ++i) {
        QPushButton* b = buttons_[size_t(i)];
        const bool right = isChosen(question_, answer, i);
        const bool chosen = isChosen(question_, response, i);
        b->setChecked(false);
        mark(b, right ? "right" : chosen ? "wrong" : "");
        b->setEnabled(false);
    }
    confirm_->setEnabled(false);
}

void ExamQuestionView::setConfirmText(const QString& text) {
    confirm_->setText(text);
}

void ExamQuestionView::mark(QPushButton* b, const char* look) {
    if (b->property("mark").toString() == QLatin1String(look)) return;
    b->setProperty("mark", QLatin1String(look));
    b->style()->unpolish(b);
    b->style()->polish(b);
}

bool ExamQuestionView::zoomPicture() {
    if (!picture_->shown()) return false;
    if (!zoom_) zoom_ = new PictureZoom(window());
    const QScreen* s = screen();
    const QRect available = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
    return zoom_->open(picture_->bytes(), available);
}

bool ExamQuestionView::eventFilter(QObject* o, QEvent* e) {
    if (o == pictureBox_ && e->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        zoomPicture();
        return true;
    }
    return QWidget::eventFilter(o, e);
}
