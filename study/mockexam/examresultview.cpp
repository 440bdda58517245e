// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/examresultview.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "questionbank/examfields.h"
#include "study/examtext.h"
#include "study/mockexam/examquestionview.h"
#include "study/mockexam/paperdraw.h"

namespace {
QLabel* label(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setWordWrap(true);
    return l;
}
}  // namespace

ExamResultView::ExamResultView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("examresult"));
    score_ = label("lblscore", this);
    QFont big = score_->font();
    big.setPointSize(18);
    big.setBold(true);
    score_->setFont(big);
    verdict_ = label("lblverdict", this);
    verdict_->setFont(big);
    time_ = label("lbltime", this);
    kept_ = label("lblkept", this);
    kept_->setStyleSheet(QStringLiteral("color: #b03a2e;"));
    book_ = label("lblbook", this);

    categories_ = new QTableWidget(0, 4, this);
    categories_->setObjectName(QStringLiteral("tblcategory"));
    categories_->setHorizontalHeaderLabels({QStringLiteral("类别"), QStringLiteral("题数"),
                                            QStringLiteral("答对"), QStringLiteral("得分")});
    categories_->verticalHeader()->hide();
    categories_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    categories_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    categories_->setFocusPolicy(Qt::NoFocus);

    review_ = new QListWidget(this);
    review_->setObjectName(QStringLiteral("lstreview"));
    review_->setWordWrap(true);
    review_->setAlternatingRowColors(true);

    addWrong_ = new QPushButton(QStringLiteral("错题加入生词本"), this);
    addWrong_->setObjectName(QStringLiteral("cmdaddwrong"));
    auto* again = new QPushButton(QStringLiteral("再考一次"), this);
    again->setObjectName(QStringLiteral("cmdagain"));
    again_ = again;
    auto* back = new QPushButton(QStringLiteral("返回"), this);
    back->setObjectName(QStringLiteral("cmdback"));
    connect(addWrong_, &QPushButton::clicked, this, &ExamResultView::addWrongClicked);
    connect(again, &QPushButton::clicked, this, &ExamResultView::againClicked);
    connect(back, &QPushButton::clicked, this, &ExamResultView::backClicked);

    auto* top = new QHBoxLayout;
    top->addWidget(score_);
    top->addWidget(verdict_);
    top->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addWrong_);
    buttons->addWidget(book_, 1);
    buttons->addWidget(again);
    buttons->addWidget(back);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(time_);
    layout->addWidget(kept_);
    layout->addWidget(categories_);
    layout->addWidget(new QLabel(QStringLiteral("错题和未答的题："), this));
    layout->addWidget(review_, 1);
    layout->addLayout(buttons);
}

QString ExamResultView::durationText(qint64 ms) {
    const qint64 seconds = std::max<qint64>(ms, 0) / 1000;
    return QStringLiteral("%1 分 %2 秒").arg(seconds / 60).arg(seconds % 60);
}

QString ExamResultView::reviewText(int number, const ExamQuestion& q, const QString& response) {
    const ExamFields f = ExamQuestionView::fieldsOf(q);
    QString text = QStringLiteral("第 %1 题（%2题）%3\n").arg(number).arg(q.kind, q.category);
    text += ExamText::question(q.text, f);
    text += QStringLiteral("\n你的答案：") +
            (response.isEmpty() ? QStringLiteral("未作答") : ExamText::answer(response, f, false));
    text += QStringLiteral("\n正确答案：") + ExamText::answer(q.answer, f, true);
    return text;
}

void ExamResultView::showResult(const ExamResult& result, const DrawnPaper& paper,
                                const QStringList& responses, bool kept) {
    score_->setText(QStringLiteral("%1　得分 %2 / %3")
                        .arg(result.paper)
                        .arg(result.score)
                        .arg(result.fullScore));
    verdict_->setText(result.passed ? QStringLiteral("合格") : QStringLiteral("不合格"));
    verdict_->setStyleSheet(result.passed ? QStringLiteral("color: #2e8b46;")
                                          : QStringLiteral("color: #c23b32;"));
    QString time = QStringLiteral("用时 %1（%2 分合格；答对 %3 题，已答 %4 / %5 题）")
                       .arg(durationText(result.usedMs))
                       .arg(result.passScore)
                       .arg(result.right)
                       .arg(result.answered)
                       .arg(paper.questions.size());
    if (result.ending == ExamResult::Ending::TimeUp) time += QStringLiteral("　时间到，已自动交卷");
    time_->setText(time);
    kept_->setText(kept ? QString() : QStringLiteral("学习进度文件无法使用，这次的成绩没有保存。"));
    kept_->setVisible(!kept);
    fillCategories(result);

    review_->clear();
    for (const int i : result.wrong)
        review_->addItem(reviewText(i + 1, paper.questions.at(size_t(i)), responses.value(i)));
    addWrong_->setEnabled(!result.wrong.empty());
    book_->setText(result.wrong.empty() ? QStringLiteral("全部答对") : QString());
    // A paper taken by keys goes on by keys: Space takes another.
    again_->setFocus();
}

void ExamResultView::fillCategories(const ExamResult& result) {
    categories_->setRowCount(int(result.perCategory.size()));
    int row = 0;
    for (const ExamResult::CategoryScore& c : result.perCategory) {
        const QStringList cells{c.category, QString::number(c.questions), QString::number(c.right),
                                QStringLiteral("%1 / %2").arg(c.score).arg(c.full)};
        for (int col = 0; col < cells.size(); ++col)
            categories_->setItem(row, col, new QTableWidgetItem(cells[col]));
        ++row;
    }
    // As tall as its rows: the review below gets the room.
    int height =
        categories_->horizontalHeader()->sizeHint().height() + 2 * categories_->frameWidth();
    for (int r = 0; r < categories_->rowCount(); ++r) height += categories_->rowHeight(r);
    categories_->setFixedHeight(height);
}

void ExamResultView::showBookOutcome(const QString& text) {
    addWrong_->setEnabled(false);
    book_->setText(text);
}
