// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "study/mockexam/exambankreader.h"
#include "study/mockexam/examsession.h"
#include "study/mockexam/paperrules.h"
#include "study/mockexam/practicesession.h"
#include "study/personallist.h"

class QStackedWidget;
class LearnerProgress;
class ExamKeeper;
class ExamStartPage;
class ExamPaperPage;
class ExamResultView;
class ExamPracticeView;

// 模拟考试: the view of the mock exam and of practice, in one normal window
// (objectName "FrmExam"). It starts on a choice of paper or practice, shows
// a paper as it is answered, then its result; practice shows each answer's
// outcome at once. What happens lives in the core (ExamSession, ExamKeeper,
// PracticeSession, WrongBook); the banks are only read. A paper still
// running when the window closes is saved and offered again at the next
// opening.
class MockExamWindow : public QWidget {
    Q_OBJECT
public:
    enum class Page { Start, Paper, Result, Practice };

    // folder: where reg.ocx and word.ocx are; editor: Study's personal-list
    // editor's session while it is open (the wrong ones go in through it).
    MockExamWindow(LearnerProgress& progress, QString folder, PersonalList::SessionFinder editor,
                   QWidget* parent = nullptr);
    ~MockExamWindow() override;

    // Tests: the papers' monotonic clock, the wall clock of the kept papers
    // and grades (ms since the epoch), and a fixed seed for the draws.
    void setClock(ExamSession::Clock clock) { clock_ = std::move(clock); }
    void setWallClock(std::function<qint64()> now) { wallClock_ = std::move(now); }
    void setSeed(std::optional<quint32> seed) { seed_ = seed; }

    // The start page's commands. A paper the bank is too small for is not
    // started: the start page says what the bank has and offers the
    // shorter one (startShorter).
    bool startPaper(PaperRules::Subject subject);
    bool startShorter();
    bool startPractice(const QString& category, PracticeSession::Order order);
    bool resume();
    void discard();
    // The result's button: the wrong and unanswered ones into the book.
    void addWrongToBook();
    void showStart();

    Page page() const;
    ExamSession* session() const { return session_.get(); }
    PracticeSession* practice() const { return practice_.get(); }
    ExamStartPage* startPage() const { return start_; }
    ExamPaperPage* paperPage() const { return paper_; }
    ExamResultView* resultView() const { return result_; }
    ExamPracticeView* practiceView() const { return practiceView_; }

signals:
    void closed();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    const std::vector<ExamQuestion>* bank();
    PaperDraw& draw();
    void begin(DrawnPaper paper, std::optional<ExamSession::Resume> resume = {});
    void logAnswers() const;
    void onSubmitted(const ExamResult& result);
    void offerResume();
    void tellStoreFault();
    void showPage(QWidget* page);
    QByteArray pictureOf(const ExamQuestion& q);
    qint64 now() const;
    ProgressStore* store();

    LearnerProgress& progress_;
    QString folder_;
    PersonalList::SessionFinder editor_;
    ExamBankReader reader_;
    std::optional<std::vector<ExamQuestion>> bank_;
    std::unique_ptr<PaperDraw> draw_;
    std::optional<PaperRules> shorter_;  // the shorter paper offered
    std::optional<PaperRules> lastRules_;
    std::unique_ptr<ExamKeeper> keeper_;
    std::unique_ptr<ExamSession> session_;
    std::unique_ptr<PracticeSession> practice_;
    ExamSession::Clock clock_;
    std::function<qint64()> wallClock_;
    std::optional<quint32> seed_;
    bool faultTold_ = false;

    QStackedWidget* stack_ = nullptr;
    ExamStartPage* start_ = nullptr;
    ExamPaperPage* paper_ = nullptr;
    ExamResultView* result_ = nullptr;
    ExamPracticeView* practiceView_ = nullptr;
};
