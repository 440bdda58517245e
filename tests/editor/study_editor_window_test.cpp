// SPDX-License-Identifier: GPL-3.0-or-later
// Study's editor grows like Manager's window: resized or maximised, the
// boxes and the list grow with it; at its documented size every control
// stands where it did. A personal list with the exam-form columns shows the
// kind, options and explanation, and saves them; one without them shows the
// form as before. The size it ends at is kept for the next opening, and
// only once the user changed it.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QSettings>

#include "editor/questioneditorexam.h"
#include "platform/settingsstore.h"
#include "questionbank/columns.h"
#include "tests/editor/editorfixture.h"

namespace {

const EditorVariant& study() {
    return EditorVariant::study();
}

QRect documented(const char* name) {
    return study().geometry.value(QLatin1String(name));
}

ExamFields multiple() {
    ExamFields f;
    f.kind = ExamKind::kMultiple;
    f.options = {"减速", "鸣喇叭催促", "停车让行", "绕行通过"};
    f.explanation = "行人优先。";
    return f;
}

struct StudyWindow : EditorFixture {
    explicit StudyWindow(bool examColumns) {
        if (examColumns)
            env.makePersonalList({{"", "遇到行人通过人行横道时怎样做？", "AC", {}, multiple()},
                                  {"", "红灯亮时？", "停", {}, {}}});
        else
            env.makePersonalList({{"", "红灯亮时？", "停"}, {"", "绿灯亮时？", "行"}});
    }
    bool open() {
        const bool ok = EditorFixture::open(study());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return ok;
    }
    QRect at(const char* name) const { return w(name)->geometry(); }
    ExamPanel* panel() const { return w<ExamPanel>("examFields"); }
    void resizeTo(QSize size) const {
        form->resize(size);
        EXPECT_TRUE(QTest::qWaitFor([&] { return form->size() == size; }))
            << form->width() << "x" << form->height();
    }
    void expectDocumentedPlaces(const std::string& when) const {
        for (auto it = study().geometry.begin(); it != study().geometry.end(); ++it)
            EXPECT_EQ(w(it.key().toLatin1().constData())->geometry(), it.value())
                << it.key().toStdString() << ", " << when;
    }
};

QStringList keysOf(const TestEnv& env) {
    QSettings ini(env.settingsFile(), QSettings::IniFormat);
    return ini.allKeys();
}

}  // namespace

TEST(StudyEditorWindow, GrowsWithItsFrameAndStandsAsDocumentedAtItsSize) {
    StudyWindow f(false);
    ASSERT_TRUE(f.open());
    EXPECT_EQ(f.form->size(), study().frame);
    EXPECT_EQ(f.form->minimumSize(), study().frame);
    f.expectDocumentedPlaces("opened");
    EXPECT_NE(f.form->findChild<QLineEdit*>("text1"), nullptr) << "still a one-line box";
    EXPECT_FALSE(f.panel()->isVisible()) << "no exam-form fields without their columns";

    f.resizeTo(study().frame + QSize(200, 300));
    EXPECT_EQ(f.at("text1"), documented("text1").adjusted(0, 0, 200, 0));
    EXPECT_EQ(f.at("text2"), documented("text2").adjusted(0, 0, 200, 0));
    EXPECT_EQ(f.at("List1"), documented("List1").adjusted(0, 0, 200, 300));
    EXPECT_EQ(f.at("cmdSave"), documented("cmdSave"));
    EXPECT_EQ(f.at("CmdAdd"), documented("CmdAdd").translated(100, 0)) << "kept in the middle";
    EXPECT_EQ(f.at("cmdDelete"), documented("cmdDelete").translated(200, 0));
    EXPECT_EQ(f.at("txtGCurent"), documented("txtGCurent").adjusted(0, 300, 200, 300));
    EXPECT_EQ(f.at("cmdGAdd"), documented("cmdGAdd").translated(200, 300));
    EXPECT_EQ(f.at("xptopbuttons1"), documented("xptopbuttons1").translated(200, 0));
    EXPECT_EQ(f.at("cmdPicture"), study().pictureButton.translated(200, 0));
    EXPECT_EQ(f.w("xp_canvas1")->size(), f.form->size());

    f.form->resize(study().frame - QSize(50, 50));
    EXPECT_EQ(f.form->size(), study().frame) << "not below the documented size";
    f.expectDocumentedPlaces("back at the documented size");
}

TEST(StudyEditorWindow, TheTitleButtonMaximisesAndRestores) {
    StudyWindow f(false);
    ASSERT_TRUE(f.open());
    ASSERT_TRUE(f.enabled("xptopbuttons2"));
    f.click("xptopbuttons2");
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.form->size() != study().frame; }));
    EXPECT_TRUE(f.form->isMaximized());
    EXPECT_EQ(f.w<TitleBarButtons>("xptopbuttons2")->value(), 3);
    EXPECT_GT(f.at("List1").width(), documented("List1").width());
    f.click("xptopbuttons2");
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.form->size() == study().frame; }));
    f.expectDocumentedPlaces("restored");
}

TEST(StudyEditorWindow, AnExamFormListShowsEditsAndSavesItsFields) {
    StudyWindow f(true);
    ASSERT_TRUE(f.open());
    ASSERT_TRUE(f.panel()->isVisible());
    const int room = ExamPanel::kHeight;
    EXPECT_EQ(f.form->size(), study().frame + QSize(0, room)) << "the window makes room";
    EXPECT_EQ(f.at("text2"), documented("text2"));
    EXPECT_GT(f.panel()->geometry().top(), f.at("text2").bottom());
    EXPECT_LT(f.panel()->geometry().bottom(), f.at("cmdSave").top());
    EXPECT_EQ(f.at("cmdSave"), documented("cmdSave").translated(0, room));
    EXPECT_EQ(f.at("List1"), documented("List1").translated(0, room));
    const int choice = f.listEntries().indexOf("遇到行人通过人行横道时怎样做？");
    ASSERT_GE(choice, 0);
    f.clickRow(choice);
    ASSERT_EQ(f.text1()->text(), "遇到行人通过人行横道时怎样做？");
    EXPECT_EQ(f.panel()->fields(), multiple());

    f.clickRow(1 - choice);
    ASSERT_EQ(f.text1()->text(), "红灯亮时？");
    EXPECT_TRUE(f.panel()->fields().isEmpty());
    f.clickRow(choice);
    auto* kind = f.w<QComboBox>("examKind");
    kind->setCurrentIndex(kind->findData(ExamKind::kSingle));
    f.type(f.w<QLineEdit>("optionD"), "掉头");
    f.type(f.text2(), "C");
    f.click("cmdSave");
    ASSERT_TRUE(f.messages.empty()) << f.messages.back().text.toStdString();
    EXPECT_EQ(f.rows(Queries::kPersonalFile,
                     "select Chinese || '|' || kind || '|' || option_d || '|' || explanation "
                     "from Word where English = '遇到行人通过人行横道时怎样做？'"),
              QStringList({"C|单选|掉头|行人优先。"}));
}

TEST(StudyEditorWindow, TheFieldsComeWithTheFirstExamFormQuestionAddedFromOutside) {
    StudyWindow f(false);
    ASSERT_TRUE(f.open());
    ASSERT_FALSE(f.panel()->isVisible());
    QVariantMap q{{Columns::kEnglish, "驾驶人饮酒后可以驾驶机动车。"},
                  {Columns::kChinese, "错误"},
                  {ExamColumns::kKind, ExamKind::kJudge},
                  {ExamColumns::kExplanation, "饮酒后不得驾驶机动车"}};
    f.form->session().addFromOutside(q);
    EXPECT_TRUE(f.panel()->isVisible());
    EXPECT_EQ(f.form->height(), study().frame.height() + ExamPanel::kHeight);
    EXPECT_EQ(f.at("cmdSave"), documented("cmdSave").translated(0, ExamPanel::kHeight));
}

TEST(StudyEditorWindow, ItsSizeIsKeptOnlyOnceTheUserChangedIt) {
    StudyWindow f(true);
    {
        SettingsStore store;
        f.form = std::make_unique<QuestionEditor>(study(), f.env.programDir());
        EXPECT_FALSE(f.form->openAtKeptSize(store));
        ASSERT_TRUE(f.form->load());
        f.form->show();
        ASSERT_EQ(f.form->height(), study().frame.height() + ExamPanel::kHeight);
        f.form->onClose();
        EXPECT_TRUE(keysOf(f.env).isEmpty())
            << "grown by the form alone: nothing to keep " << keysOf(f.env).join(' ').toStdString();

        f.form = std::make_unique<QuestionEditor>(study(), f.env.programDir());
        f.form->openAtKeptSize(store);
        ASSERT_TRUE(f.form->load());
        f.form->show();
        f.resizeTo({600, 800});
        f.form->onClose();
    }
    QSettings ini(f.env.settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(ini.value("StudyEditorWidth").toString(), "600");
    EXPECT_EQ(ini.value("StudyEditorHeight").toString(), "800");
    EXPECT_FALSE(ini.contains("StudyEditorMaximised")) << "unchanged, so not written";
    EXPECT_FALSE(ini.contains("ManagerWidth")) << "Manager's size is its own";

    // Study ending while the editor is open keeps its size too.
    SettingsStore store;
    f.form = std::make_unique<QuestionEditor>(study(), f.env.programDir());
    f.form->openAtKeptSize(store);
    EXPECT_EQ(f.form->size(), QSize(600, 800));
    ASSERT_TRUE(f.form->load());
    f.form->show();
    f.form->showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.form->isMaximized(); }));
    f.form.reset();
    EXPECT_EQ(SettingsStore().read("StudyEditorMaximised"), "1");
}
