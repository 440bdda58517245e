// SPDX-License-Identifier: GPL-3.0-or-later
// The order by memory on the display: its menu entry, the grades on keys 1
// to 4 and J, the note after a grade, the personal list filled by itself,
// and a progress store that cannot be used.
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QSettings>

#include "questionbank/questionidentity.h"
#include "tests/study/keysfixture.h"

namespace {

struct GradeFixture : KeysFixture {
    QString progressFile() const { return env.file(QLatin1String(ProgressStore::kFileName)); }
    // The reviews written, as "question text:grade" in time order.
    QStringList reviews() {
        QStringList out;
        if (!QFile::exists(progressFile())) return out;
        SQLite::Database db(progressFile().toStdString(), SQLite::OPEN_READONLY);
        SQLite::Statement q(db, "SELECT identity, grade FROM review ORDER BY time, rowid");
        while (q.executeStep()) {
            const QString id = QString::fromStdString(q.getColumn(0).getString());
            QString text = id;
            for (int n = 1; n <= 3; ++n)
                if (id == QuestionIdentity::of(QStringLiteral("问题%1").arg(n), {}, {}))
                    text = QStringLiteral("问题%1").arg(n);
            out << text + QLatin1Char(':') + QString::number(q.getColumn(1).getInt());
        }
        return out;
    }
    // Waits out the answer's pause.
    void revealAnswer() {
        ASSERT_TRUE(frm->cycle().answerHidden());
        frm->cycle().onRevealTimer();
        ASSERT_FALSE(frm->cycle().answerHidden());
    }
    QAction* memoryEntry() const {
        return frm->mnumain()->findChild<QAction*>(QStringLiteral("mnumemory"));
    }
};

}  // namespace

TEST(GradeKeys, EachKeyWritesItsGradeTellsWhenTheQuestionComesAgainAndMovesOn) {
    GradeFixture f;
    f.env.makeBank(threeQuestions());
    f.settings({{"guageword", "1"}, {"studyorder", "1"}});
    f.start();
    EXPECT_EQ(f.shownQuestion(), "问题1");
    EXPECT_TRUE(f.frm->cycle().answerHidden()) << "by memory the answer waits, H or not";

    f.key(Qt::Key_3);
    EXPECT_EQ(f.note(), "答案显示后再评分");
    EXPECT_TRUE(f.reviews().isEmpty());
    f.key(Qt::Key_H);
    f.key(Qt::Key_H);
    EXPECT_EQ(f.note(), "稍后显示答案：关（按记忆复习时答案仍在停顿后显示）");
    EXPECT_TRUE(f.frm->cycle().answerHidden());

    // FSRS-5's first stabilities (days) at a 90% target: 0.40, 1.18, 3.17, 15.69.
    const std::pair<Qt::Key, const char*> cases[] = {
        {Qt::Key_3, "记得 · 下次：3 天后"},
        {Qt::Key_1, "忘了 · 下次：1 天后"},
        {Qt::Key_4, "简单 · 下次：16 天后"},
    };
    QStringList shown{f.shownQuestion()};
    for (const auto& [key, note] : cases) {
        f.revealAnswer();
        f.key(key);
        EXPECT_EQ(f.note(), note);
        shown << f.shownQuestion();
    }
    EXPECT_EQ(f.reviews(), QStringList({"问题1:3", "问题2:1", "问题3:4"}));
    EXPECT_EQ(shown, QStringList({"问题1", "问题2", "问题3", "问题2"}))
        << "each grade moves on; the forgotten one is the weakest once none is new";

    f.revealAnswer();
    f.key(Qt::Key_2);
    EXPECT_TRUE(f.note().startsWith("模糊 · 下次：")) << f.note().toStdString();
    EXPECT_EQ(f.reviews().size(), 4);
}

TEST(GradeKeys, TheTargetRecallSettingChangesTheInterval) {
    GradeFixture f;
    f.env.makeBank(threeQuestions());
    // At 80% the interval is S / (19/81) * (0.8^-2 - 1), about 2.4 S: 3.17 days give 8.
    f.settings({{"guageword", "1"}, {"studyorder", "1"}, {"retention", "80"}});
    f.start();
    f.revealAnswer();
    f.key(Qt::Key_3);
    EXPECT_EQ(f.note(), "记得 · 下次：8 天后");
}

TEST(GradeKeys, ForgottenTwiceAQuestionGoesIntoThePersonalListByItself) {
    GradeFixture f;
    f.env.makeBank(threeQuestions());
    f.env.makePersonalList({});
    f.settings({{"guageword", "1"}, {"studyorder", "1"}});
    f.start();
    f.revealAnswer();
    f.key(Qt::Key_1);
    EXPECT_EQ(f.note(), "忘了 · 下次：1 天后");
    EXPECT_TRUE(f.personalRows().isEmpty());

    f.key(Qt::Key_Left);
    ASSERT_EQ(f.shownQuestion(), "问题1");
    f.revealAnswer();
    f.key(Qt::Key_1);
    EXPECT_EQ(f.note(), "忘了 · 下次：1 天后\n忘了 2 次，已自动加入生词本");
    EXPECT_EQ(f.personalRows(), QStringList({"问题1|答案1"}));

    // Already there: left as it is, and the note says only the grade.
    f.key(Qt::Key_Left);
    f.revealAnswer();
    f.key(Qt::Key_1);
    EXPECT_EQ(f.note(), "忘了 · 下次：1 天后");
    EXPECT_EQ(f.personalRows(), QStringList({"问题1|答案1"}));
    // Remembered later, it stays in the list.
    f.key(Qt::Key_Left);
    f.revealAnswer();
    f.key(Qt::Key_4);
    EXPECT_EQ(f.personalRows(), QStringList({"问题1|答案1"}));
    EXPECT_EQ(f.reviews(), QStringList({"问题1:1", "问题1:1", "问题1:1", "问题1:4"}));
}

TEST(GradeKeys, JAddsToThePersonalListAndCountsAsForgotOnceTheAnswerShows) {
    GradeFixture f;
    f.env.makeBank(threeQuestions());
    f.env.makePersonalList({});
    f.settings({{"guageword", "1"}, {"studyorder", "1"}});
    f.start();
    f.key(Qt::Key_J);  // answer still hidden: only the usual add
    EXPECT_EQ(f.note(), "已加入");
    EXPECT_EQ(f.shownQuestion(), "问题1");
    EXPECT_TRUE(f.reviews().isEmpty());

    f.revealAnswer();
    f.key(Qt::Key_J);
    EXPECT_EQ(f.note(), "忘了 · 下次：1 天后 · 已在生词本中");
    EXPECT_EQ(f.shownQuestion(), "问题2");
    f.revealAnswer();
    f.key(Qt::Key_J);
    EXPECT_EQ(f.note(), "忘了 · 下次：1 天后 · 已加入");
    EXPECT_EQ(f.reviews(), QStringList({"问题1:1", "问题2:1"}));
    EXPECT_EQ(f.personalRows(), QStringList({"问题1|答案1", "问题2|答案2"}));
}

TEST(GradeKeys, InTheDocumentedOrderNothingChangesAndNoProgressFileIsMade) {
    GradeFixture f;
    f.env.makeBank(threeQuestions());
    f.env.makePersonalList({});
    f.settings({{"guageword", "1"}});
    f.start();
    EXPECT_FALSE(f.frm->cycle().answerHidden());
    for (Qt::Key k : {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4}) {
        f.key(k);
        EXPECT_EQ(f.note(), "按记忆复习时才能评分（右键菜单「按记忆复习」）");
    }
    EXPECT_EQ(f.shownQuestion(), "问题1");
    f.key(Qt::Key_J);
    EXPECT_EQ(f.note(), "已加入");
    EXPECT_EQ(f.shownQuestion(), "问题1");
    QStringList shown;
    for (int i = 0; i < 3; ++i) {
        f.frm->cycle().onStepTimer();
        shown << f.shownQuestion();
    }
    EXPECT_EQ(shown, QStringList({"问题2", "问题3", "问题1"}));
    EXPECT_FALSE(f.memoryEntry()->isChecked());
    EXPECT_FALSE(QFile::exists(f.progressFile()));
    QSettings s(f.env.settingsFile(), QSettings::IniFormat);
    EXPECT_FALSE(s.contains("studyorder"));
}

TEST(GradeKeys, TheMenuEntrySwitchesTheOrderAndWritesItsKey) {
    GradeFixture f;
    f.env.makeBank(threeQuestions());
    f.settings({{"guageword", "1"}});
    f.start();
    QAction* entry = f.memoryEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->isCheckable());
    // Grade a question while the order is on, then switch it off and on again.
    entry->trigger();
    EXPECT_TRUE(entry->isChecked());
    EXPECT_EQ(QSettings(f.env.settingsFile(), QSettings::IniFormat).value("studyorder"), "1");
    EXPECT_TRUE(f.frm->cycle().answerHidden());
    EXPECT_EQ(f.note(), "按记忆复习：开");
    f.revealAnswer();
    const QString graded = f.shownQuestion();
    f.key(Qt::Key_4);
    EXPECT_EQ(f.reviews(), QStringList({graded + ":4"}));

    entry->trigger();
    EXPECT_FALSE(entry->isChecked());
    EXPECT_EQ(QSettings(f.env.settingsFile(), QSettings::IniFormat).value("studyorder"), "0");
    EXPECT_FALSE(f.frm->cycle().answerHidden()) << "the answer shows again at once";
    EXPECT_EQ(f.note(), "按记忆复习：关");
}

TEST(GradeKeys, AStoreThatCannotBeUsedIsToldOnceAndTheDocumentedOrderGoesOn) {
    GradeFixture f;
    f.env.makeBank(threeQuestions());
    writeFile(f.progressFile(), QByteArray(4096, 'x'));
    f.settings({{"guageword", "1"}, {"studyorder", "1"}});
    f.start();
    const QString told = f.note();
    EXPECT_TRUE(told.endsWith("题目按原来的顺序显示。")) << told.toStdString();
    EXPECT_EQ(f.shownQuestion(), "问题1");
    EXPECT_FALSE(f.frm->cycle().answerHidden());
    f.frm->note()->hide();

    QStringList shown;
    f.key(Qt::Key_3);  // no grade is written; the display moves on
    shown << f.shownQuestion();
    f.frm->cycle().onStepTimer();
    shown << f.shownQuestion();
    f.frm->cycle().onStepTimer();
    shown << f.shownQuestion();
    EXPECT_EQ(shown, QStringList({"问题2", "问题3", "问题1"}));
    EXPECT_EQ(f.note(), "") << "told once";
    EXPECT_EQ(readFile(f.progressFile()), QByteArray(4096, 'x'));
}

// By memory on the personal list, K still takes the shown question out: the
// order goes on among the questions left, and never comes back to it.
TEST(GradeKeys, KOnThePersonalListByMemoryGoesOnAmongTheRest) {
    GradeFixture f;
    f.env.makeBank(threeQuestions());
    f.env.makePersonalList(
        {{{}, "问题1", "答案1"}, {{}, "问题2", "答案2"}, {{}, "问题3", "答案3"}});
    f.settings({{"guageword", "10"}, {"studyorder", "1"}});
    f.start();
    ASSERT_EQ(f.shownQuestion(), "问题1");
    f.key(Qt::Key_K);  // the hook answers yes
    EXPECT_EQ(f.note(), "已从生词本删除");
    QStringList shown{f.shownQuestion()};
    for (int i = 0; i < 4; ++i) {
        f.frm->cycle().onStepTimer();
        shown << f.shownQuestion();
    }
    EXPECT_EQ(shown, QStringList({"问题2", "问题3", "问题2", "问题3", "问题2"}));
    f.revealAnswer();
    f.key(Qt::Key_3);
    EXPECT_EQ(f.reviews(), QStringList({"问题2:3"}));
}
