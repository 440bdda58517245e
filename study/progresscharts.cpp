// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/progresscharts.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>

namespace ProgressCharts {

namespace {

QChart* plainChart(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 16, 4));  // room for the last date
    // Drawn at once: an animation would only delay what the learner came for.
    chart->setAnimationOptions(QChart::NoAnimation);
    return chart;
}

QValueAxis* percentAxis(QChart* chart, const QString& title) {
    auto* y = new QValueAxis;
    y->setRange(0, 100);
    y->setTickCount(6);
    y->setLabelFormat(QStringLiteral("%d"));
    y->setTitleText(title);
    chart->addAxis(y, Qt::AlignLeft);
    return y;
}

QDateTimeAxis* dayAxis(QChart* chart, qint64 fromMs, qint64 toMs) {
    auto* x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("M/d"));
    x->setTickCount(6);
    x->setRange(QDateTime::fromMSecsSinceEpoch(fromMs), QDateTime::fromMSecsSinceEpoch(toMs));
    chart->addAxis(x, Qt::AlignBottom);
    return x;
}

qint64 noon(QDate day) {
    return day.startOfDay().toMSecsSinceEpoch() + 12 * 3600 * 1000LL;
}

}  // namespace

QChart* reviewsPerDay(const std::vector<ProgressSummary::Day>& days) {
    QChart* chart = plainChart(QStringLiteral("每天复习的题数（最近 %1 天）").arg(days.size()));
    auto* set = new QBarSet(QStringLiteral("复习"));
    int most = 0;
    for (const ProgressSummary::Day& d : days) {
        *set << d.reviews;
        most = std::max(most, d.reviews);
    }
    auto* series = new QBarSeries;
    series->append(set);
    chart->addSeries(series);
    // A value axis under the bars (bar i stands at i), labelled every five
    // days: thirty dates side by side would not fit.
    auto* x = new QCategoryAxis;
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    x->setRange(-0.5, double(days.size()) - 0.5);
    const size_t today = days.empty() ? 0 : days.size() - 1;
    for (size_t i = today % 5; i < days.size(); i += 5)
        x->append(days[i].day.toString(QStringLiteral("M/d")), double(i));
    x->setGridLineVisible(false);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto* y = new QValueAxis;
    y->setRange(0, std::max(10, most));
    y->setLabelFormat(QStringLiteral("%d"));
    y->applyNiceNumbers();
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    return chart;
}

QChart* meanRecall(const std::vector<ProgressSummary::Day>& days) {
    QChart* chart = plainChart(QStringLiteral("题库的平均记忆率（每天结束时，%）"));
    auto* line = new QLineSeries;
    line->setPointsVisible(true);
    for (const ProgressSummary::Day& d : days)
        line->append(double(noon(d.day)), 100 * d.meanRecall);
    chart->addSeries(line);
    const qint64 from = days.empty() ? 0 : noon(days.front().day);
    const qint64 to = days.empty() ? 0 : noon(days.back().day);
    line->attachAxis(dayAxis(chart, from, to));
    line->attachAxis(percentAxis(chart, {}));
    return chart;
}

QChart* paperScores(const std::vector<ProgressStore::Paper>& papers) {
    QChart* chart =
        plainChart(QStringLiteral("模拟考试成绩（及格线 %1 分）").arg(ProgressSummary::kPassScore));
    auto* scores = new QLineSeries;
    scores->setName(QStringLiteral("成绩"));
    scores->setPointsVisible(true);
    for (const ProgressStore::Paper& p : papers)
        scores->append(double(p.timeMs), ProgressSummary::scoreOf100(p));
    // A single paper still gets a span to draw the pass line across.
    const qint64 from = papers.front().timeMs - Fsrs::kDayMs / 2;
    const qint64 to = papers.back().timeMs + Fsrs::kDayMs / 2;
    auto* pass = new QLineSeries;
    pass->setName(QStringLiteral("及格线"));
    pass->append(double(from), ProgressSummary::kPassScore);
    pass->append(double(to), ProgressSummary::kPassScore);
    QPen dashed(Qt::red);
    dashed.setStyle(Qt::DashLine);
    dashed.setWidth(2);
    pass->setPen(dashed);
    chart->addSeries(pass);
    chart->addSeries(scores);
    QDateTimeAxis* x = dayAxis(chart, from, to);
    QValueAxis* y = percentAxis(chart, QStringLiteral("分"));
    for (QLineSeries* s : {pass, scores}) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    chart->legend()->show();
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

}  // namespace ProgressCharts
