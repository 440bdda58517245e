// SPDX-License-Identifier: GPL-3.0-or-later
// J and K on the display: the shown question into the personal list and out
// of it, directly or through Study's open editor, and nothing changed when the
// file cannot be written.
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <QLineEdit>
#include <QListView>
#include <QTest>

#include "editor/questioneditor.h"
#include "questionbank/recordset.h"
#include "study/studyapp.h"
#include "tests/study/keysfixture.h"
#include "tests/support/picturebytes.h"

namespace {
std::vector<BankSchema::Question> personal(std::initializer_list<const char*> questions) {
    std::vector<BankSchema::Question> out;
    for (const char* q : questions)
        out.push_back(
            {QString(), QString::fromUtf8(q), QStringLiteral("答") + QString::fromUtf8(q)});
    return out;
}
}  // namespace

TEST(KeysPersonalList, JAddsTheShownQuestionOnce) {
    KeysFixture f;
    f.env.makeBank(threeQuestions());
    f.env.makePersonalList({});
    f.start();
    f.key(Qt::Key_J);
    EXPECT_EQ(f.note(), "已加入");
    EXPECT_EQ(f.personalRows(), QStringList({"问题1|答案1"}));
    f.key(Qt::Key_J);
    EXPECT_EQ(f.note(), "已在生词本中") << "a question already there is said so, not added again";
    EXPECT_EQ(f.personalRows(), QStringList({"问题1|答案1"}));
    f.frm->cycle().onStepTimer();
    f.key(Qt::Key_J);
    EXPECT_EQ(f.personalRows(), QStringList({"问题1|答案1", "问题2|答案2"}));
    // The note goes by itself.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !f.frm->note()->isVisible(); }, 5000));
}

TEST(KeysPersonalList, JGoesThroughTheOpenEditorWhoseListShowsIt) {
    KeysFixture f;
    f.env.makeBank(threeQuestions());
    f.env.makePersonalList(personal({"旧题"}));
    f.store = std::make_unique<SettingsStore>();
    auto app =
        std::make_unique<StudyApp>(*f.store, [] { return std::make_unique<SilentSpeech>(); });
    app->start();
    app->showEditor();
    QuestionEditor* editor = app->editor();
    ASSERT_NE(editor, nullptr);
    auto* list = editor->findChild<QListView*>("List1")->model();
    auto* status = editor->findChild<QLineEdit*>("txtGCurent");
    QTest::keyClick(&app->main(), Qt::Key_J);
    EXPECT_EQ(app->main().note()->text(), "已加入") << "not refused as a file in use";
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->index(1, 0).data().toString(), "问题1");
    EXPECT_EQ(status->text(), QuestionEditor::statusLine(1, 2));
    EXPECT_EQ(editor->findChild<QLineEdit*>("text1")->text(), "旧题")
        << "the editor's boxes keep their record";
    QTest::keyClick(&app->main(), Qt::Key_J);
    EXPECT_EQ(app->main().note()->text(), "已在生词本中");
    EXPECT_EQ(list->rowCount(), 2);
    // Clicking the new entry shows the new record: the list and the set agree.
    editor->findChild<QListView*>("List1")->setCurrentIndex(list->index(1, 0));
    EXPECT_EQ(editor->findChild<QLineEdit*>("text2")->text(), "答案1");
    app.reset();
    EXPECT_EQ(f.personalRows(), QStringList({"旧题|答旧题", "问题1|答案1"}));
}

TEST(KeysPersonalList, JIntoAnEmptyListThroughTheEditorAnchorsItsList) {
    KeysFixture f;
    f.env.makeBank(threeQuestions());
    f.env.makePersonalList({});
    f.store = std::make_unique<SettingsStore>();
    auto app =
        std::make_unique<StudyApp>(*f.store, [] { return std::make_unique<SilentSpeech>(); });
    app->start();
    app->showEditor();
    QTest::keyClick(&app->main(), Qt::Key_J);
    auto* list = app->editor()->findChild<QListView*>("List1");
    ASSERT_EQ(list->model()->rowCount(), 1);
    list->setCurrentIndex(list->model()->index(0, 0));
    EXPECT_EQ(app->editor()->findChild<QLineEdit*>("text1")->text(), "问题1");
}

TEST(KeysPersonalList, AnUnwritableListIsReportedAndLeftAlone) {
    KeysFixture f;
    f.env.makeBank(threeQuestions());
    QuestionWindow& w = f.start();
    // Missing.
    f.key(Qt::Key_J);
    EXPECT_TRUE(f.note().contains("找不到")) << f.note().toStdString();
    EXPECT_TRUE(f.note().contains("生词本没有改动"));
    EXPECT_FALSE(QFile::exists(f.env.file("word.ocx"))) << "a missing list is not created";
    // Damaged.
    const QByteArray garbage(4096, 'x');
    writeFile(f.env.file("word.ocx"), garbage);
    f.key(Qt::Key_J);
    EXPECT_TRUE(f.note().contains("生词本没有改动")) << f.note().toStdString();
    EXPECT_EQ(readFile(f.env.file("word.ocx")), garbage);
    // Held by another program.
    f.env.makePersonalList({});
    {
        auto holder = Database::open(f.env.file("word.ocx"), {.exclusive = true});
        f.key(Qt::Key_J);
        EXPECT_TRUE(f.note().contains("独占")) << f.note().toStdString();
    }
    EXPECT_TRUE(f.personalRows().isEmpty());
    EXPECT_TRUE(f.messages.empty()) << "a brief note, no box that stops the display";
    // The display goes on.
    EXPECT_TRUE(w.cycle().stepTimer()->isActive());
    w.cycle().onStepTimer();
    EXPECT_EQ(f.shownQuestion(), "问题2");
}

TEST(KeysPersonalList, KRemovesTheShownQuestionAfterAskingAndGoesOn) {
    KeysFixture f;
    f.env.makeBank(threeQuestions());
    f.env.makePersonalList(personal({"甲", "乙", "丙"}));
    f.settings({{"guageword", "10"}, {"voice", "1"}});
    bool answer = false;
    MessageBox::setAnswerHook([&](const MessageBox::Shown&) { return answer; });
    QuestionWindow& w = f.start();
    f.key(Qt::Key_K);
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_TRUE(f.messages[0].text.contains("从生词本中删除这道题吗")) << "asked in Chinese";
    EXPECT_TRUE(f.messages[0].text.contains("甲"));
    EXPECT_EQ(f.personalRows().size(), 3) << "No keeps the question";
    answer = true;
    f.key(Qt::Key_Delete);
    EXPECT_EQ(f.note(), "已从生词本删除");
    EXPECT_EQ(f.personalRows(), QStringList({"乙|答乙", "丙|答丙"}));
    EXPECT_EQ(f.shownQuestion(), "乙") << "the display goes on with the next one";
    EXPECT_EQ(f.speech.spoken.last(), "乙");
    w.cycle().onStepTimer();
    EXPECT_EQ(f.shownQuestion(), "丙");
    w.cycle().onStepTimer();
    EXPECT_EQ(f.shownQuestion(), "乙") << "the removed one is gone from the cycle";
    // The last of the list: the next one is the first.
    w.cycle().onStepTimer();
    f.key(Qt::Key_K);
    EXPECT_EQ(f.shownQuestion(), "乙");
    MessageBox::setAnswerHook({});
}

TEST(KeysPersonalList, KWhileTheDisplayMovesOnGoesOnFromWhereTheDisplayIs) {
    KeysFixture f;
    f.env.makeBank(threeQuestions());
    f.env.makePersonalList(personal({"甲", "乙", "丙", "丁"}));
    f.settings({{"guageword", "10"}, {"voice", "1"}});
    QuestionWindow& w = f.start();
    ASSERT_EQ(f.shownQuestion(), "甲");
    // Two steps fall due while the question is open.
    MessageBox::setAnswerHook([&](const MessageBox::Shown&) {
        w.cycle().onStepTimer();
        w.cycle().onStepTimer();
        return true;
    });
    f.key(Qt::Key_K);
    MessageBox::setAnswerHook({});
    EXPECT_EQ(f.personalRows(), QStringList({"乙|答乙", "丙|答丙", "丁|答丁"}))
        << "the question asked about is the one removed";
    EXPECT_EQ(f.shownQuestion(), "丙") << "the display stays where it is";
    EXPECT_EQ(f.speech.spoken, QStringList({"乙", "丙"})) << "and is not spoken again";
    w.cycle().onStepTimer();
    EXPECT_EQ(f.shownQuestion(), "丁");
    w.cycle().onStepTimer();
    EXPECT_EQ(f.shownQuestion(), "乙") << "the removed one is gone from the cycle";
}

TEST(KeysPersonalList, KOnTheLastEntryBehavesAsAnEmptyListAtReload) {
    KeysFixture f;
    f.env.makeBank(threeQuestions());
    f.env.makePersonalList(personal({"独"}));
    f.settings({{"guageword", "10"}});
    QuestionWindow& w = f.start();
    EXPECT_TRUE(w.showingPersonalList());
    f.key(Qt::Key_K);
    EXPECT_TRUE(f.personalRows().isEmpty());
    EXPECT_EQ(f.messagesContaining("Error:New Words book is empty."), 1);
    EXPECT_EQ(w.Data1().RecordSource, Queries::displayWeatherFallback());
    EXPECT_FALSE(w.showingPersonalList());
    EXPECT_EQ(w.LB()->text(), "");
    // Now nothing of the personal list is shown: K asks nothing.
    const size_t before = f.messages.size();
    f.key(Qt::Key_K);
    EXPECT_EQ(f.messages.size(), before);
    EXPECT_EQ(f.note(), "显示生词本时才能删除题目");
    w.cycle().onStepTimer();  // an empty display ticks on without fault
}

TEST(KeysPersonalList, KOnlyWhileThePersonalListIsShown) {
    KeysFixture f;
    f.env.makeBank(threeQuestions());
    f.env.makePersonalList(personal({"问题1"}));
    f.start();
    f.key(Qt::Key_K);
    EXPECT_TRUE(f.messages.empty()) << "a bank question is never deleted from the list";
    EXPECT_EQ(f.personalRows().size(), 1);
}

TEST(KeysPersonalList, KThroughTheOpenEditor) {
    KeysFixture f;
    f.env.makeBank(threeQuestions());
    f.env.makePersonalList(personal({"甲", "乙"}));
    f.settings({{"guageword", "10"}});
    f.store = std::make_unique<SettingsStore>();
    auto app =
        std::make_unique<StudyApp>(*f.store, [] { return std::make_unique<SilentSpeech>(); });
    app->start();
    app->showEditor();
    auto* list = app->editor()->findChild<QListView*>("List1")->model();
    ASSERT_EQ(list->rowCount(), 2);
    QTest::keyClick(&app->main(), Qt::Key_K);
    EXPECT_EQ(app->main().note()->text(), "已从生词本删除");
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->index(0, 0).data().toString(), "乙");
    EXPECT_EQ(app->editor()->findChild<QLineEdit*>("text1")->text(), "乙")
        << "the editor shows a record still there";
    EXPECT_EQ(app->editor()->findChild<QLineEdit*>("txtGCurent")->text(),
              QuestionEditor::statusLine(1, 1));
    EXPECT_EQ(app->main().LB()->text().left(1), "乙");
    // The last one, with the editor holding the file: the empty list's fallback.
    QTest::keyClick(&app->main(), Qt::Key_K);
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_EQ(f.messagesContaining("Error:New Words book is empty."), 1);
    app.reset();
    EXPECT_TRUE(f.personalRows().isEmpty());
}

TEST(KeysPersonalList, AHundredKeysDuringSpeechLoseAndDoubleNothing) {
    KeysFixture f;
    f.env.makeBank(threeQuestions());
    f.env.makePersonalList(personal({"旧"}));
    f.settings({{"voice", "1"}, {"isnoSpeak", "1"}, {"delayword", "1"}});
    f.speech.hold = true;
    QuestionWindow& w = f.start();
    w.cycle().onStepTimer();
    ASSERT_TRUE(w.cycle().isSpeaking());
    const Qt::Key keys[] = {Qt::Key_J, Qt::Key_Right, Qt::Key_J, Qt::Key_Left,  Qt::Key_K,
                            Qt::Key_H, Qt::Key_Space, Qt::Key_J, Qt::Key_Right, Qt::Key_Delete};
    for (int i = 0; i < 100; ++i) {
        f.key(keys[i % 10]);
        if (i % 7 == 0) w.cycle().onStepTimer();
        if (i % 13 == 0) f.speech.finish();
    }
    while (f.speech.finish()) {
    }
    QStringList rows = f.personalRows();
    EXPECT_EQ(rows.first(), "旧|答旧") << "no row lost";
    rows.removeDuplicates();
    EXPECT_EQ(rows.size(), f.personalRows().size()) << "no row twice";
    for (const QString& r : rows)
        EXPECT_TRUE(r == "旧|答旧" || r.startsWith("问题")) << r.toStdString();
    EXPECT_FALSE(w.cycle().isSpeaking());
}

namespace {
QByteArray personalPicture(const QString& file, const QString& question) {
    SQLite::Database db(file.toStdString());
    SQLite::Statement st(db, "SELECT picture FROM Word WHERE English = ?");
    st.bind(1, question.toStdString());
    if (!st.executeStep() || st.getColumn(0).isNull()) return {};
    const auto& c = st.getColumn(0);
    return QByteArray(static_cast<const char*>(c.getBlob()), c.getBytes());
}
}  // namespace

TEST(KeysPersonalList, JTakesThePictureAlongIntoAListWithoutTheColumn) {
    KeysFixture f;
    auto bank = threeQuestions();
    bank[0].picture = PictureBytes::svgSign();
    f.env.makeBank(bank);
    BankSchema::build(f.env.file("word.ocx"), BankSchema::Kind::PersonalList, {}, {},
                      BankSchema::Pictures::WithoutColumn);
    f.start();
    f.key(Qt::Key_J);
    EXPECT_EQ(f.note(), "已加入");
    EXPECT_EQ(personalPicture(f.env.file("word.ocx"), "问题1"), PictureBytes::svgSign())
        << "the column is added and the picture stored with the question";
    f.frm->cycle().onStepTimer();
    f.key(Qt::Key_J);
    EXPECT_EQ(f.personalRows(), QStringList({"问题1|答案1", "问题2|答案2"}));
    EXPECT_TRUE(personalPicture(f.env.file("word.ocx"), "问题2").isEmpty());
}

TEST(KeysPersonalList, JTakesThePictureAlongThroughTheOpenEditor) {
    KeysFixture f;
    auto bank = threeQuestions();
    bank[0].picture = PictureBytes::svgSign();
    f.env.makeBank(bank);
    f.env.makePersonalList(personal({"旧题"}));
    f.store = std::make_unique<SettingsStore>();
    auto app =
        std::make_unique<StudyApp>(*f.store, [] { return std::make_unique<SilentSpeech>(); });
    app->start();
    app->showEditor();
    ASSERT_NE(app->editor(), nullptr);
    QTest::keyClick(&app->main(), Qt::Key_J);
    EXPECT_EQ(app->main().note()->text(), "已加入");
    app.reset();  // the editor lets go of the file
    EXPECT_EQ(personalPicture(f.env.file("word.ocx"), "问题1"), PictureBytes::svgSign());
}
