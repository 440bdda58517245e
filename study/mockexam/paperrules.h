// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <vector>

// The rules of one paper: how many questions of each kind, from which
// categories, how long, how many points each and the pass line.
//
// The two papers follow the rules in force for the theory tests of a small
// car licence (机动车驾驶证申领和使用规定, Ministry of Public Security order
// No. 162, and the standard GA 1026 机动车驾驶人考试内容与方法): 科目一 has 100
// questions in 45 minutes, one point each, pass at 90; 科目四 has 50
// questions in 30 minutes, two points each, pass at 90. The split by kind is
// ours, close to the published test's: 科目一 40 判断 + 60 单选, 科目四 20
// 判断 + 20 单选 + 10 多选.
//
// Categories: 科目一 tests the law, signals and the vehicle
// (交通安全法律, 交通信号, 机动车知识); 科目四 tests safe and civil driving
// (文明驾驶, 复杂道路驾驶, 临危处置, 事故自救). The three vehicle-class
// categories (客车专用试题, 货车专用试题, 轮式机械车) are for other licence
// classes and feed neither paper; they stay open to practice. Within a
// paper the categories feed in proportion to their questions in the bank
// (every question of the right kind and category is equally likely).
struct PaperRules {
    enum class Subject { One, Four };

    struct KindCount {
        QString kind;  // ExamKind::kJudge, kSingle or kMultiple
        int count = 0;
    };

    Subject subject = Subject::One;
    QString name;                  // 科目一 or 科目四
    std::vector<KindCount> kinds;  // in the paper's order: 判断, 单选, 多选
    QStringList categories;
    qint64 durationMs = 0;
    int pointsEach = 1;
    int passPercent = 90;  // of the full score

    static PaperRules subjectOne();
    static PaperRules subjectFour();
    static PaperRules of(Subject subject);
    // The subject whose name is given (科目一 / 科目四); One when unknown.
    static Subject subjectNamed(const QString& name);

    int questionCount() const;
    int countOf(const QString& kind) const;  // 0 for a kind the paper has not
    int fullScore() const { return questionCount() * pointsEach; }
    // The lowest passing score: passPercent of the full score, rounded up
    // (90 for both full papers).
    int passScore() const;
    bool takes(const QString& category) const { return categories.contains(category); }

    // The same paper with fewer questions: each kind's count as given, the
    // time scaled by the question count and rounded up to a whole minute,
    // the points and pass percentage kept. Its name says it is shorter:
    // "科目一（60题）".
    PaperRules shortened(const std::vector<KindCount>& counts) const;
};
