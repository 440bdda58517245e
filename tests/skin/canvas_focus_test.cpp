#include <QLineEdit>
#include <QTimer>
#include <QtTest/QTest>

#include "tests/skin/skintest.h"

namespace {

// Which skin set the holders show now: 1 active, 2 inactive, 0 neither.
int look(const SkinForm& f) {
    for (int set : {1, 2}) {
        const QString n = QString::number(set);
        bool all = true;
        for (const char* role : {"imgleft", "imgright", "imgtop", "imgtopmax", "imgbottom"})
            all &= f.image(QLatin1String(role))->pixmap().cacheKey() ==
                   f.image(QLatin1String(role) + n)->pixmap().cacheKey();
        if (all) return set;
    }
    return 0;
}

QTimer* timer(const SkinForm& f, const char* name) { return f.part<QTimer>(QLatin1String(name)); }

struct Activation : ::testing::Test {
    SkinForm f;
    QWidget other;
    QLineEdit* edit = nullptr;
    void SetUp() override {
        edit = new QLineEdit(f.canvas);
        edit->setGeometry(20, 50, 200, 24);
        edit->show();  // the form is already visible
        other.setGeometry(500, 100, 100, 100);
        f.form->show();
        f.form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f.form.get()));
    }
    void activate(QWidget* w) {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
};

TEST(CanvasFocus, BothWatchTimersRunFromCreation) {
    SkinForm f;
    EXPECT_EQ(look(f), 1);
    for (const char* name : {"Timer1", "Timer2"}) {
        EXPECT_TRUE(timer(f, name)->isActive()) << name;
        EXPECT_EQ(timer(f, name)->interval(), 10) << name;
    }
}

TEST_F(Activation, SettlesOnTheActiveLookWhenItsFormIsActive) {
    EXPECT_TRUE(QTest::qWaitFor([&] { return !timer(f, "Timer2")->isActive(); }, 200));
    EXPECT_EQ(look(f), 1);
}

TEST_F(Activation, AnotherWindowMakesItInactiveAndComingBackActive) {
    activate(&other);
    EXPECT_TRUE(QTest::qWaitFor([&] { return look(f) == 2; }, 200));
    EXPECT_FALSE(timer(f, "Timer1")->isActive());
    // The band shows the inactive picture, not just the holder.
    const QImage inactive = f.image(QStringLiteral("imgtop2"))->pixmap().toImage();
    EXPECT_EQ(rgb(f.band(), 172, 14), rgb(inactive, 33, 14));

    activate(f.form.get());
    EXPECT_TRUE(QTest::qWaitFor([&] { return look(f) == 1; }, 200));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !timer(f, "Timer2")->isActive(); }, 200));
}

TEST_F(Activation, FocusLeavingStartsBothTimersAndEnteringStopsTheInactiveWatch) {
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !timer(f, "Timer1")->isActive() && !timer(f, "Timer2")->isActive(); }, 200));
    activate(&other);
    EXPECT_TRUE(timer(f, "Timer2")->isActive()) << "watching for the form to come back";
    EXPECT_TRUE(QTest::qWaitFor([&] { return look(f) == 2; }, 200));
    activate(f.form.get());
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_FALSE(timer(f, "Timer1")->isActive());
    EXPECT_EQ(look(f), 1);
}

TEST_F(Activation, ActiveWatchAloneBringsTheLookBack) {
    // Focus leaves (both watches start), then nothing inside can take it
    // again, so only the active watch can notice the form coming back.
    edit->setFocus();
    f.canvas->setFocusPolicy(Qt::NoFocus);
    activate(&other);
    EXPECT_TRUE(QTest::qWaitFor([&] { return look(f) == 2; }, 200));
    edit->hide();
    activate(f.form.get());
    EXPECT_TRUE(QTest::qWaitFor([&] { return look(f) == 1; }, 200));
    EXPECT_FALSE(timer(f, "Timer2")->isActive());
}

TEST(CanvasFocus, SetFocusStopsTheWatchAndLooksActive) {
    SkinForm f;
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(QTest::qWaitFor([&] { return look(f) == 2; }, 200));
    f.canvas->SetFocus();
    EXPECT_EQ(look(f), 1);
    EXPECT_FALSE(timer(f, "Timer1")->isActive());
    EXPECT_FALSE(timer(f, "Timer2")->isActive());
    EXPECT_EQ(QApplication::activeWindow(), &other) << "nothing is activated";
    EXPECT_FALSE(f.canvas->hasFocus()) << "the keyboard focus does not move";
}

}  // namespace
