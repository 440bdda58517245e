// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/questioneditorexam.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "editor/questioneditorbox.h"

ExamPanel::ExamPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("examFields"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("examKind"));
    // A question without a kind is a plain question and answer.
    kind_->addItem(QStringLiteral("问答"), QString());
    for (const QString& k : {ExamKind::kJudge, ExamKind::kSingle, ExamKind::kMultiple})
        kind_->addItem(k, k);
    grid->addWidget(new QLabel(QStringLiteral("题型"), this), 0, 0);
    grid->addWidget(kind_, 0, 1);
    for (int i = 0; i < 4; ++i) {
        const QChar letter(u'A' + i);
        options_[i] = new QLineEdit(this);
        options_[i]->setObjectName(QStringLiteral("option") + letter);
        grid->addWidget(new QLabel(QString(letter), this), i + 1, 0);
        grid->addWidget(options_[i], i + 1, 1);
    }
    explanation_ = new QuestionBox(this);
    explanation_->setObjectName(QStringLiteral("explanation"));
    grid->addWidget(new QLabel(QStringLiteral("解析"), this), 5, 0, Qt::AlignTop);
    grid->addWidget(explanation_, 5, 1);
    grid->setRowStretch(5, 1);
}

void ExamPanel::showFields(const ExamFields& fields) {
    // A kind written by another tool stays what it was when saved again.
    if (kind_->findData(fields.kind) < 0) kind_->addItem(fields.kind, fields.kind);
    kind_->setCurrentIndex(kind_->findData(fields.kind));
    for (int i = 0; i < 4; ++i) {
        options_[i]->setText(fields.options[i]);
        options_[i]->setCursorPosition(0);
    }
    explanation_->setText(fields.explanation);
}

ExamFields ExamPanel::fields() const {
    ExamFields f;
    f.kind = kind_->currentData().toString();
    for (int i = 0; i < 4; ++i) f.options[i] = options_[i]->text();
    f.explanation = explanation_->text();
    return f;
}
