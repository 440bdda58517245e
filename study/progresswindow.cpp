// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/progresswindow.h"

#include <QChart>
#include <QChartView>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/logging.h"
#include "study/progresscharts.h"

namespace {

QChartView* chartView(const char* name, QWidget* parent) {
    auto* view = new QChartView(parent);
    view->setObjectName(QLatin1String(name));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(360, 240);
    return view;
}

// The view takes the new chart over; the one it showed before goes with it.
void replaceChart(QChartView* view, QChart* chart) {
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

QTableWidgetItem* cell(const QString& text, bool number) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

ProgressWindow::ProgressWindow(Loader loader, QWidget* parent)
    : QWidget(parent, Qt::Window), loader_(std::move(loader)) {
    setObjectName(QStringLiteral("progresswindow"));
    setWindowTitle(QStringLiteral("学习进度"));
    setAttribute(Qt::WA_DeleteOnClose);

    problems_ = new QLabel(this);
    problems_->setObjectName(QStringLiteral("progressProblems"));
    problems_->setWordWrap(true);
    problems_->setTextFormat(Qt::PlainText);
    problems_->setStyleSheet(QStringLiteral("color: #a00000;"));
    problems_->hide();
    estimate_ = new QLabel(this);
    estimate_->setObjectName(QStringLiteral("progressEstimate"));
    estimate_->setWordWrap(true);
    estimate_->setTextFormat(Qt::PlainText);

    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("progressTable"));
    table_->setColumnCount(int(columnHeads().size()));
    table_->setHorizontalHeaderLabels(columnHeads());
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    // All twelve rows in view at once, without scrolling.
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    reviews_ = chartView("reviewsChart", this);
    recall_ = chartView("recallChart", this);
    papers_ = chartView("papersChart", this);
    table_->setToolTip(QStringLiteral(
        "新题：还没学过；学习中：学过，现在的预测记忆率低于 90%；已掌握：不低于 90%。\n"
        "今天到期：今天结束前该复习的学过的题，与学习中、已掌握有重叠。"));
    recall_->setToolTip(
        QStringLiteral("每天结束时题库所有题目预测记忆率的平均值，没学过的题按 0 计；"
                       "今天按现在计。"));
    noPapers_ = new QLabel(QStringLiteral("还没有模拟考试记录。交卷后，成绩会显示在这里。"), this);
    noPapers_->setObjectName(QStringLiteral("noPapers"));
    noPapers_->setAlignment(Qt::AlignCenter);

    auto* grid = new QGridLayout;
    grid->addWidget(table_, 0, 0);
    grid->addWidget(reviews_, 0, 1);
    grid->addWidget(recall_, 1, 0);
    grid->addWidget(papers_, 1, 1);
    grid->addWidget(noPapers_, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(problems_);
    layout->addWidget(estimate_);
    layout->addLayout(grid, 1);
    resize(1040, 720);
}

QStringList ProgressWindow::columnHeads() {
    return {QStringLiteral("类别"),   QStringLiteral("题数"),   QStringLiteral("新题"),
            QStringLiteral("学习中"), QStringLiteral("已掌握"), QStringLiteral("今天到期")};
}

QString ProgressWindow::estimateText(const ProgressSummary::Estimate& e) {
    if (e.questions == 0) return QStringLiteral("题库中没有考试题，无法估计模拟考试得分。");
    return QStringLiteral(
               "模拟考试预计得分：%1 分（及格 %2 分）。按题库 %3 道考试题现在的预测记忆率"
               "估算；没学过的题按猜对的机会计：判断题 1/2，单选题 1/4，多选题 1/11。")
        .arg(qRound(e.score))
        .arg(ProgressSummary::kPassScore)
        .arg(e.questions);
}

void ProgressWindow::refresh() {
    QElapsedTimer timer;
    timer.start();
    display(loader_());
    qCInfo(lcDisplay) << "progress window filled in" << timer.elapsed() << "ms";
}

void ProgressWindow::display(const ProgressReport& report) {
    problems_->setText(report.problems.join(QLatin1Char('\n')));
    problems_->setVisible(!report.problems.isEmpty());
    estimate_->setText(estimateText(report.summary.estimate));
    showRows(report.summary.rows);
    replaceChart(reviews_, ProgressCharts::reviewsPerDay(report.summary.days));
    replaceChart(recall_, ProgressCharts::meanRecall(report.summary.days));
    showPapers(report.summary.papers);
}

void ProgressWindow::showRows(const std::vector<ProgressSummary::Row>& rows) {
    table_->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const ProgressSummary::Counts& c = rows[size_t(r)].counts;
        table_->setItem(r, 0, cell(rows[size_t(r)].name, false));
        const int values[] = {c.total, c.fresh, c.learning, c.known, c.due};
        for (int i = 0; i < 5; ++i)
            table_->setItem(r, i + 1, cell(QString::number(values[i]), true));
    }
}

void ProgressWindow::showPapers(const std::vector<ProgressStore::Paper>& papers) {
    papers_->setVisible(!papers.empty());
    noPapers_->setVisible(papers.empty());
    if (!papers.empty()) replaceChart(papers_, ProgressCharts::paperScores(papers));
}
