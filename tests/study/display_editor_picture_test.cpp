// SPDX-License-Identifier: GPL-3.0-or-later
// The display over the personal list goes on showing its pictures while
// Study's editor holds the file for itself, and reads the file again once
// the editor has let it go.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListView>
#include <QTest>

#include "editor/picturepanel.h"
#include "editor/questioneditor.h"
#include "study/questionpicture.h"
#include "study/studyapp.h"
#include "tests/study/keysfixture.h"
#include "tests/support/picturebytes.h"

namespace {
const QByteArray kPng = PictureBytes::encoded("PNG", 60, 40, Qt::blue);

struct DisplayAndEditor : KeysFixture {
    std::unique_ptr<StudyApp> app;
    DisplayAndEditor() {
        env.makeBank(threeQuestions());
        env.makePersonalList({{{}, QStringLiteral("甲"), QStringLiteral("答甲"), {}},
                              {{}, QStringLiteral("乙"), QStringLiteral("答乙"), kPng},
                              {{}, QStringLiteral("丙"), QStringLiteral("答丙"), {}}});
        settings({{"guageword", "10"}});
        store = std::make_unique<SettingsStore>();
        app = std::make_unique<StudyApp>(*store, [] { return std::make_unique<SilentSpeech>(); });
        app->start();
    }
    QuestionWindow& display() { return app->main(); }
    QString shown() { return display().LB()->text().left(1); }
};
}  // namespace

TEST(DisplayWithTheEditorOpen, ShowsThePicturesOfThePersonalList) {
    DisplayAndEditor f;
    ASSERT_TRUE(f.display().showingPersonalList());
    ASSERT_EQ(f.shown(), "甲");
    f.app->showEditor();
    QuestionEditor* editor = f.app->editor();
    ASSERT_NE(editor, nullptr);
    const QString editing = editor->findChild<QLineEdit*>("text1")->text();
    f.display().cycle().onStepTimer();
    ASSERT_EQ(f.shown(), "乙");
    EXPECT_TRUE(f.display().picture()->shown())
        << "the picture is read while the editor holds the file";
    EXPECT_EQ(f.display().picture()->pictureSize(), QSize(60, 40));
    EXPECT_EQ(editor->findChild<QLineEdit*>("text1")->text(), editing)
        << "the editor keeps its record";
    f.display().cycle().onStepTimer();
    EXPECT_FALSE(f.display().picture()->shown()) << "丙 has none";

    // A picture saved in the editor is the one the display shows next.
    auto* list = editor->findChild<QListView*>("List1");
    list->setCurrentIndex(
        list->model()
            ->match(list->model()->index(0, 0), Qt::DisplayRole, "乙", 1, Qt::MatchExactly)
            .value(0));
    ASSERT_EQ(editor->findChild<QLineEdit*>("text1")->text(), "乙");
    QImage tall(30, 50, QImage::Format_RGB32);
    tall.fill(Qt::red);
    ASSERT_TRUE(editor->findChild<PicturePanel*>("picture")->takeImage(tall));
    editor->onSave();
    f.display().cycle().onStepTimer();  // 甲
    f.display().cycle().onStepTimer();
    ASSERT_EQ(f.shown(), "乙");
    EXPECT_EQ(f.display().picture()->pictureSize(), QSize(30, 50));
    EXPECT_TRUE(f.messages.empty());

    // With the editor closed the file is read directly again.
    editor->onClose();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.app->editor() == nullptr; }, 5000));
    f.display().cycle().onStepTimer();
    f.display().cycle().onStepTimer();
    f.display().cycle().onStepTimer();
    ASSERT_EQ(f.shown(), "乙");
    EXPECT_EQ(f.display().picture()->pictureSize(), QSize(30, 50));
}
