// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/examwindow/examwindowfixture.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QAbstractButton>

#include "questionbank/database.h"
#include "questionbank/examfields.h"
#include "questionbank/fsrs.h"
#include "questionbank/queries.h"
#include "tests/support/picturebytes.h"

namespace {
const QStringList kCategories{QStringLiteral("交通安全法律"), QStringLiteral("交通信号"),
                              QStringLiteral("机动车知识"),   QStringLiteral("文明驾驶"),
                              QStringLiteral("复杂道路驾驶"), QStringLiteral("临危处置"),
                              QStringLiteral("事故自救")};

BankSchema::Question row(const QString& category, const QString& kind, int n,
                         const QByteArray& picture) {
    BankSchema::Question q;
    q.category = category;
    q.question =
        QStringLiteral("%1的%2题第%3道：遇到这种情况应当怎样做？").arg(category, kind).arg(n);
    q.picture = picture;
    q.exam.kind = kind;
    q.exam.explanation = QStringLiteral("解析%1-%2").arg(kind).arg(n);
    if (kind == ExamKind::kJudge) {
        q.answer = n % 2 ? QStringLiteral("正确") : QStringLiteral("错误");
        return q;
    }
    for (int i = 0; i < 4; ++i)
        q.exam.options[size_t(i)] = QStringLiteral("选项%1%2").arg(QChar(u'甲' + i)).arg(n);
    if (kind == ExamKind::kSingle)
        q.answer = QString(QChar(u'A' + n % 4));
    else
        q.answer = n % 2 ? QStringLiteral("AC") : QStringLiteral("ABD");
    return q;
}
}  // namespace

ExamWindowFixture::ExamWindowFixture(int judge, int single, int multiple) {
    MessageBox::setHook([this](const MessageBox::Shown& s) { messages.push_back(s); });
    MessageBox::setAnswerHook([this](const MessageBox::Shown&) { return answer; });
    const QByteArray png = PictureBytes::encoded("PNG", 120, 80, Qt::darkGreen);
    std::vector<BankSchema::Question> rows;
    for (const QString& c : kCategories) {
        for (int n = 0; n < judge; ++n) rows.push_back(row(c, ExamKind::kJudge, n, {}));
        for (int n = 0; n < single; ++n)
            rows.push_back(row(c, ExamKind::kSingle, n, n % 3 == 0 ? png : QByteArray()));
        for (int n = 0; n < multiple; ++n) rows.push_back(row(c, ExamKind::kMultiple, n, {}));
    }
    env.makeBank(rows);
    env.makePersonalList({});
    progress = std::make_unique<LearnerProgress>([this] { return env.programDir(); },
                                                 [] { return Fsrs::kDefaultRetention; });
}

ExamWindowFixture::~ExamWindowFixture() {
    window.reset();
    MessageBox::setHook({});
    MessageBox::setAnswerHook({});
}

MockExamWindow& ExamWindowFixture::open() {
    window = std::make_unique<MockExamWindow>(*progress, env.programDir(), [] { return nullptr; });
    window->setClock([this] { return clockMs; });
    window->setWallClock([this] { return wallMs; });
    window->setSeed(11);
    window->show();
    return *window;
}

void ExamWindowFixture::close() {
    window->close();
    window.reset();
}

void ExamWindowFixture::click(const char* name) {
    auto* b = window->findChild<QAbstractButton*>(QLatin1String(name));
    ASSERT_NE(b, nullptr) << name;
    ASSERT_TRUE(b->isVisible() && b->isEnabled()) << name;
    QTest::mouseClick(b, Qt::LeftButton);
}

int ExamWindowFixture::messagesContaining(const QString& part) const {
    int n = 0;
    for (const auto& m : messages) n += m.text.contains(part) ? 1 : 0;
    return n;
}

QStringList ExamWindowFixture::personalRows() {
    auto db = Database::open(env.file(Queries::kPersonalFile), {.readOnly = true});
    QStringList out;
    SQLite::Statement q(db->sqlite(), "select English from Word order by \"index\"");
    while (q.executeStep()) out << QString::fromStdString(q.getColumn(0).getString());
    return out;
}

std::vector<int> keysFor(const QString& kind, const QString& response, int variant) {
    if (kind == ExamKind::kJudge) {
        const bool yes = response == QStringLiteral("正确");
        return {variant % 2 ? (yes ? Qt::Key_Y : Qt::Key_N) : (yes ? Qt::Key_1 : Qt::Key_2)};
    }
    std::vector<int> keys;
    for (const QChar c : response) {
        const int i = c.unicode() - u'A';
        keys.push_back(variant % 2 ? Qt::Key_A + i : Qt::Key_1 + i);
    }
    if (kind == ExamKind::kMultiple) keys.push_back(variant % 2 ? Qt::Key_Return : Qt::Key_Enter);
    return keys;
}

QString wrongResponseFor(const ExamQuestion& q) {
    if (q.isJudge())
        return q.answer == QStringLiteral("正确") ? QStringLiteral("错误") : QStringLiteral("正确");
    // One letter that is not the answer: wrong for a single choice and for
    // every 多选 of two or more letters.
    for (const QChar c : QStringLiteral("ABCD"))
        if (q.answer != c) return QString(c);
    return {};
}

void ExamWindowFixture::answerByKeys(bool right) {
    const ExamQuestion& q = session().currentQuestion();
    const QString response = right ? q.answer : wrongResponseFor(q);
    for (const int k : keysFor(q.kind, response, session().current())) key(k);
}
