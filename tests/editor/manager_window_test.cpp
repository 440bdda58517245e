// SPDX-License-Identifier: GPL-3.0-or-later
// Manager's window grows: resized by its frame or maximised by its title
// button or a double click on the title, the list, the boxes and the picture
// grow with it; restored, everything stands at its documented place again.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QScrollBar>
#include <QTextBlock>

#include "editor/picturepanel.h"
#include "tests/editor/editorfixture.h"

namespace {

const EditorVariant& manager() {
    return EditorVariant::manager();
}

QRect documented(const char* name) {
    return manager().geometry.value(QLatin1String(name));
}

struct ManagerWindow : EditorFixture {
    ManagerWindow() {
        env.makeBank({{"交通信号", "信号a", "1"}, {"交通信号", "信号b", "2"}});
        EXPECT_TRUE(open(manager()));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    QRect at(const char* name) const { return w(name)->geometry(); }
    QuestionBox* box() const { return w<QuestionBox>("text1"); }
    TitleBarButtons* maximise() const { return w<TitleBarButtons>("xptopbuttons2"); }
    // Every control with a documented place stands there (the drop-down
    // takes its own height).
    void expectDocumentedPlaces(const std::string& when) const {
        for (auto it = manager().geometry.begin(); it != manager().geometry.end(); ++it) {
            const QRect now = w(it.key().toLatin1().constData())->geometry();
            if (it.key() == "Combo1")
                EXPECT_EQ(QRect(now.topLeft(), QSize(now.width(), it.value().height())), it.value())
                    << when;
            else
                EXPECT_EQ(now, it.value()) << it.key().toStdString() << ", " << when;
        }
        EXPECT_EQ(at("picture"), manager().pictureBox) << when;
        EXPECT_EQ(at("cmdPicture"), manager().pictureButton) << when;
    }
    void waitForSize(QSize size) const {
        EXPECT_TRUE(QTest::qWaitFor([&] { return form->size() == size; }))
            << form->width() << "x" << form->height();
    }
};

}  // namespace

TEST(EditorStretch, EdgesMoveByTheirShareOfTheExtraSize) {
    using A = Stretch::Across;
    using D = Stretch::Down;
    const QRect r(10, 20, 100, 50);
    const Stretch grows{A::Column, A::Edge, D::Question, D::Edge};
    EXPECT_EQ(grows.apply(r, {0, 0}), r);
    EXPECT_EQ(grows.apply(r, {-30, -10}), r) << "a smaller form counts as documented";
    // 90 wider: the column moves a third (30), the right edge all of it;
    // 60 taller: the question share is 20.
    EXPECT_EQ(grows.apply(r, {90, 60}), QRect(40, 40, 160, 90));
    EXPECT_EQ(Stretch::follow(A::Middle, D::Stay).apply(r, {90, 60}), QRect(70, 20, 100, 50))
        << "the middle of the right column's growth: 30 + 60 / 2";
    EXPECT_EQ(Stretch::fixed().apply(r, {90, 60}), r);
    // Room of 30 opened from y 45 down: the bottom edge (69) moves down by it
    // as well, the top edge (20) does not; from y 70 down nothing of it moves.
    EXPECT_EQ(grows.apply(r, {90, 60}, {45, 30}), QRect(40, 40, 160, 120));
    EXPECT_EQ(grows.apply(r, {90, 60}, {70, 30}), QRect(40, 40, 160, 90));
    EXPECT_EQ(grows.apply(r, {0, 0}, {0, 30}), r.translated(0, 30));
}

TEST(ManagerWindowGrows, ResizedTheControlsFollowAndRestoredTheyStandAsDocumented) {
    ManagerWindow f;
    f.expectDocumentedPlaces("at the documented size");
    const QRect list = f.at("List1"), box = f.at("text1"), answer = f.at("text2");
    const QRect picture = f.at("picture"), save = f.at("cmdSave");
    f.form->resize(manager().frame + QSize(300, 330));
    f.waitForSize(manager().frame + QSize(300, 330));
    EXPECT_EQ(f.w("xp_canvas1")->size(), f.form->size());
    // The list: a third of the width, all of the height.
    EXPECT_EQ(f.at("List1"), list.adjusted(0, 0, 100, 330));
    // The boxes: the rest of the width; the question box a third of the height.
    EXPECT_EQ(f.at("text1"), box.adjusted(100, 0, 300, 110));
    EXPECT_EQ(f.at("text2"), answer.translated(100, 110).adjusted(0, 0, 200, 0));
    EXPECT_EQ(f.at("picture"), picture.translated(100, 110).adjusted(0, 0, 200, 220));
    EXPECT_EQ(f.at("cmdSave"), save.translated(100, 330));
    EXPECT_EQ(
        f.at("xptopbuttons1").right(),
        f.form->width() - 1 - (manager().frame.width() - 1 - documented("xptopbuttons1").right()));
    EXPECT_EQ(f.at("txtGCurent").bottom(),
              f.form->height() - (manager().frame.height() - documented("txtGCurent").bottom()));
    // Nothing of the right column runs into its neighbour below.
    EXPECT_LT(f.at("text1").bottom(), f.at("Label_5").top());
    EXPECT_LT(f.at("text2").bottom(), f.at("picture").top());
    EXPECT_LT(f.at("picture").bottom(), f.at("cmdPicture").top());
    EXPECT_LT(f.at("List1").right(), f.at("text1").left());

    f.form->resize(manager().frame);
    f.waitForSize(manager().frame);
    f.expectDocumentedPlaces("back at the documented size");
}

TEST(ManagerWindowGrows, TheTitleButtonMaximisesAndRestores) {
    ManagerWindow f;
    ASSERT_TRUE(f.maximise()->isEnabled());
    EXPECT_EQ(f.maximise()->value(), 1);
    f.click("xptopbuttons2");
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.form->size() != manager().frame; }));
    EXPECT_TRUE(f.form->isMaximized());
    EXPECT_EQ(f.maximise()->value(), 3) << "the restore picture";
    const QSize extra = f.form->size() - manager().frame;
    ASSERT_GT(extra.width(), 0);
    ASSERT_GT(extra.height(), 0);
    EXPECT_EQ(f.at("List1").height(), documented("List1").height() + extra.height());
    EXPECT_GT(f.at("text1").width(), documented("text1").width());
    EXPECT_GT(f.at("text1").height(), documented("text1").height());
    EXPECT_GT(f.at("picture").height(), manager().pictureBox.height());
    EXPECT_TRUE(f.form->mask().isEmpty() || f.form->mask() == QRegion(f.form->rect()))
        << "a maximised window has square corners";

    f.click("xptopbuttons2");
    f.waitForSize(manager().frame);
    EXPECT_FALSE(f.form->isMaximized());
    EXPECT_EQ(f.maximise()->value(), 1);
    f.expectDocumentedPlaces("restored");
}

TEST(ManagerWindowGrows, ADoubleClickOnTheTitleMaximisesAndRestores) {
    ManagerWindow f;
    QWidget* band = f.w("pictop");
    QTest::mouseDClick(band, Qt::LeftButton, {}, QPoint(200, 15));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return f.form->isMaximized() && f.form->size() != manager().frame; }));
    EXPECT_EQ(f.maximise()->value(), 3);
    QTest::mouseDClick(band, Qt::LeftButton, {}, QPoint(200, 15));
    f.waitForSize(manager().frame);
    EXPECT_EQ(f.maximise()->value(), 1);
    f.expectDocumentedPlaces("restored by a double click");
}

TEST(ManagerWindowGrows, TheFrameSizesTheWindowButNotBelowTheDocumentedSize) {
    ManagerWindow f;
    QWidget* grip = f.w("imgresize4");
    const QPoint from = grip->rect().center();
    auto drag = [&](QPoint delta) {
        for (auto [type, button, held] : {std::tuple{QEvent::MouseButtonPress, Qt::LeftButton,
                                                     Qt::MouseButtons(Qt::LeftButton)},
                                          std::tuple{QEvent::MouseButtonRelease, Qt::LeftButton,
                                                     Qt::MouseButtons(Qt::NoButton)}}) {
            const QPoint at = from + (type == QEvent::MouseButtonRelease ? delta : QPoint());
            QMouseEvent e(type, QPointF(at), QPointF(grip->mapToGlobal(at)), button, held, {});
            QApplication::sendEvent(grip, &e);
        }
    };
    const QPoint topLeft = f.form->pos();
    drag({120, 90});
    f.waitForSize(manager().frame + QSize(120, 90));
    EXPECT_EQ(f.form->pos(), topLeft);
    EXPECT_EQ(f.at("List1").height(), documented("List1").height() + 90);
    drag({-400, -400});
    f.waitForSize(manager().frame);
    EXPECT_EQ(f.form->pos(), topLeft);
    f.expectDocumentedPlaces("dragged smaller than documented");
}
