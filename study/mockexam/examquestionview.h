// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <array>
#include <functional>

#include "questionbank/examfields.h"
#include "study/mockexam/examquestion.h"

class QGridLayout;
class QLabel;
class QPushButton;
class PictureZoom;
class QuestionPicture;

// One question as the exam and practice show it: a heading, the text, the
// picture (animations play; a click on it or Z shows it at its own size),
// and the options as buttons, "A" to "D" beside their texts or 正确/错误 for
// a judgement. For a 多选 a confirm button follows. The buttons take no
// focus, so the window's keys always reach the page.
class ExamQuestionView : public QWidget {
    Q_OBJECT
public:
    // The picture bytes of a question, read when it is shown; empty: none.
    using PictureReader = std::function<QByteArray(const ExamQuestion&)>;

    explicit ExamQuestionView(QWidget* parent = nullptr);
    ~ExamQuestionView() override;

    void setPictureReader(PictureReader reader) { reader_ = std::move(reader); }
    // Shows q under `heading` with `response` marked (letters, or 正确/错误).
    void showQuestion(const ExamQuestion& q, const QString& heading, const QString& response);
    // Marks the options of `response` on the shown question.
    void setResponse(const QString& response);
    // After a practice answer: the right options and a wrong choice are
    // coloured, and the options take no more clicks until the next question.
    void reveal(const QString& answer, const QString& response);
    // The text that a confirm button carries (多选 only).
    void setConfirmText(const QString& text);

    // The response an option makes: its letter, or 正确/错误 for a judgement.
    static QString responseOf(const ExamQuestion& q, int option);
    // The question's exam fields, as ExamText writes them out.
    static ExamFields fieldsOf(const ExamQuestion& q);
    // Whether option i is part of `response`.
    static bool isChosen(const ExamQuestion& q, const QString& response, int option);

    // The shown picture at its own size; false (and nothing opens) without one.
    bool zoomPicture();
    PictureZoom* zoom() const { return zoom_; }
    QuestionPicture* picture() const { return picture_; }
    QPushButton* optionButton(int i) const { return buttons_.at(size_t(i)); }
    QPushButton* confirmButton() const { return confirm_; }
    QLabel* questionLabel() const { return text_; }

signals:
    // The learner clicked option i (0..3; a judgement: 0 正确, 1 错误).
    void optionClicked(int option);
    void confirmClicked();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QGridLayout* optionRows(const QFont& font);
    void mark(QPushButton* b, const char* look);

    ExamQuestion question_;
    PictureReader reader_;
    QLabel* heading_ = nullptr;
    QLabel* text_ = nullptr;
    QWidget* pictureBox_ = nullptr;
    QuestionPicture* picture_ = nullptr;
    PictureZoom* zoom_ = nullptr;
    std::array<QPushButton*, 4> buttons_{};
    std::array<QLabel*, 4> optionTexts_{};
    QPushButton* confirm_ = nullptr;
};
