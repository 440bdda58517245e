// SPDX-License-Identifier: GPL-3.0-or-later
// The progress window: what it shows of a summary, and how Study opens it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QTableWidget>
#include <QTest>

#include "platform/datafolder.h"
#include "questionbank/questionidentity.h"
#include "study/progresswindow.h"
#include "study/studyapp.h"
#include "tests/study/studyfixture.h"

namespace {

ProgressReport twoPapers() {
    ProgressReport r;
    ProgressSummary::Counts c;
    c.total = 7, c.fresh = 1, c.learning = 2, c.known = 4, c.due = 3;
    r.summary.rows = {{QStringLiteral("交通信号"), c}, {QStringLiteral("生词本"), {}}};
    const QDate today = QDate::currentDate();
    for (int i = 0; i < 30; ++i) r.summary.days.push_back({today.addDays(i - 29), i % 4, 0.01 * i});
    r.summary.estimate = {120, 61.6};
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    r.summary.papers = {{1, now - Fsrs::kDayMs, QStringLiteral("科目一"), 84, 1000, {}},
                        {2, now, QStringLiteral("科目四"), 94, 1000, {}}};
    return r;
}

QStringList rowTexts(QTableWidget* t, int row) {
    QStringList out;
    for (int c = 0; c < t->columnCount(); ++c) out << t->item(row, c)->text();
    return out;
}

template <typename T>
T* seriesOf(QChartView* view, int i) {
    return qobject_cast<T*>(view->chart()->series().value(i));
}

int progressWindows() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        n += qobject_cast<ProgressWindow*>(w) != nullptr && w->isVisible();
    return n;
}

}  // namespace

TEST(ProgressWindow, ShowsTheTableChartsEstimateAndProblems) {
    ProgressReport report = twoPapers();
    report.problems = {QStringLiteral("学习记录文件已损坏")};
    ProgressWindow w([&] { return report; });
    w.refresh();
    EXPECT_EQ(w.windowTitle(), "学习进度");
    EXPECT_FALSE(w.windowFlags() & Qt::WindowStaysOnTopHint);

    auto* table = w.findChild<QTableWidget*>("progressTable");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(rowTexts(table, 0), QStringList({"交通信号", "7", "1", "2", "4", "3"}));
    EXPECT_EQ(table->horizontalHeaderItem(5)->text(), "今天到期");
    EXPECT_TRUE(w.findChild<QLabel*>("progressEstimate")->text().contains("62 分"));
    EXPECT_TRUE(w.findChild<QLabel*>("progressProblems")->isVisibleTo(&w));

    auto* bars = seriesOf<QBarSeries>(w.findChild<QChartView*>("reviewsChart"), 0);
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->barSets().size(), 1);
    ASSERT_EQ(bars->barSets()[0]->count(), 30);
    for (int i = 0; i < 30; ++i) EXPECT_EQ(bars->barSets()[0]->at(i), i % 4) << i;
    auto* recall = seriesOf<QLineSeries>(w.findChild<QChartView*>("recallChart"), 0);
    ASSERT_NE(recall, nullptr);
    ASSERT_EQ(recall->count(), 30);
    EXPECT_DOUBLE_EQ(recall->at(29).y(), 29.0) << "in percent";

    auto* papers = w.findChild<QChartView*>("papersChart");
    EXPECT_TRUE(papers->isVisibleTo(&w));
    EXPECT_FALSE(w.findChild<QLabel*>("noPapers")->isVisibleTo(&w));
    auto* pass = seriesOf<QLineSeries>(papers, 0);
    auto* scores = seriesOf<QLineSeries>(papers, 1);
    ASSERT_TRUE(pass && scores);
    ASSERT_EQ(pass->count(), 2);
    EXPECT_EQ(pass->at(0).y(), 90);
    EXPECT_EQ(pass->at(1).y(), 90);
    ASSERT_EQ(scores->count(), 2);
    EXPECT_EQ(scores->at(0).y(), 84);
    EXPECT_EQ(scores->at(1).y(), 94);

    // Read again without papers and without a problem: the text instead of the chart.
    report.summary.papers.clear();
    report.problems.clear();
    report.summary.estimate = {};
    w.refresh();
    EXPECT_FALSE(papers->isVisibleTo(&w));
    EXPECT_TRUE(w.findChild<QLabel*>("noPapers")->isVisibleTo(&w));
    EXPECT_FALSE(w.findChild<QLabel*>("progressProblems")->isVisibleTo(&w));
    EXPECT_TRUE(w.findChild<QLabel*>("progressEstimate")->text().contains("没有考试题"));
}

TEST(ProgressWindow, OpensFromTheMenuOnceAndReadsAfreshAtEveryUse) {
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    f.env.makePersonalList({});
    f.store = std::make_unique<SettingsStore>();
    StudyApp app(*f.store, [] { return std::make_unique<SilentSpeech>(); });
    app.start();
    QAction* entry = app.main().mnumain()->findChild<QAction*>("mnuprogress");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->text(), "学习进度(&J)");

    entry->trigger();
    ProgressWindow* w = app.progressWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(progressWindows(), 1);
    auto* table = w->findChild<QTableWidget*>("progressTable");
    ASSERT_EQ(table->rowCount(), 12);
    EXPECT_EQ(rowTexts(table, 0), QStringList({"交通安全法律", "3", "3", "0", "0", "0"}));

    ProgressStore* store = app.main().progress().store();
    ASSERT_NE(store, nullptr);
    const QString first = QuestionIdentity::of(QStringLiteral("问题1"), {}, {});
    ASSERT_TRUE(store->recordGrade(first, Fsrs::Grade::Knew, QDateTime::currentMSecsSinceEpoch()));
    entry->trigger();
    EXPECT_EQ(app.progressWindow(), w) << "a second use brings the same window forward";
    EXPECT_EQ(progressWindows(), 1);
    EXPECT_EQ(rowTexts(table, 0), QStringList({"交通安全法律", "3", "2", "0", "1", "0"}));
    EXPECT_TRUE(app.main().cycle().stepTimer()->isActive()) << "the display keeps running";

    w->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return app.progressWindow() == nullptr; }, 5000))
        << "closing releases it";
}

TEST(ProgressWindow, ADamagedStoreIsNamedAndEveryQuestionCountsAsNew) {
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    f.env.makePersonalList({});
    const QString path = f.env.file(QLatin1String(ProgressStore::kFileName));
    {
        QFile junk(path);
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
    }
    f.store = std::make_unique<SettingsStore>();
    StudyApp app(*f.store, [] { return std::make_unique<SilentSpeech>(); });
    app.start();
    app.showProgress();
    ProgressWindow* w = app.progressWindow();
    ASSERT_NE(w, nullptr);
    auto* problems = w->findChild<QLabel*>("progressProblems");
    EXPECT_TRUE(problems->isVisibleTo(w));
    EXPECT_TRUE(problems->text().contains(path)) << problems->text().toStdString();
    auto* table = w->findChild<QTableWidget*>("progressTable");
    EXPECT_EQ(rowTexts(table, 0), QStringList({"交通安全法律", "3", "3", "0", "0", "0"}));
    EXPECT_TRUE(app.main().progress().takeUntoldFault().isEmpty())
        << "told in the window, not once more by the display";
    EXPECT_EQ(QFile(path).size(), 4096);
}
