// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <functional>

#include "study/progressreport.h"

class QChartView;
class QLabel;
class QTableWidget;

// 学习进度: a plain window that shows the learner's progress per category,
// the last thirty days as charts, the mock-exam scores against the pass line
// and the estimated score. It only reads; the display goes on meanwhile.
class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    using Loader = std::function<ProgressReport()>;

    explicit ProgressWindow(Loader loader, QWidget* parent = nullptr);

    // Reads everything again and shows it.
    void refresh();
    void display(const ProgressReport& report);

    // The table's column heads, in order.
    static QStringList columnHeads();
    // The sentence under the title for an estimate.
    static QString estimateText(const ProgressSummary::Estimate& estimate);

private:
    void showRows(const std::vector<ProgressSummary::Row>& rows);
    void showPapers(const std::vector<ProgressStore::Paper>& papers);

    Loader loader_;
    QLabel* problems_ = nullptr;
    QLabel* estimate_ = nullptr;
    QTableWidget* table_ = nullptr;
    QChartView* reviews_ = nullptr;
    QChartView* recall_ = nullptr;
    QChartView* papers_ = nullptr;
    QLabel* noPapers_ = nullptr;
};
