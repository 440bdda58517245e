// SPDX-License-Identifier: GPL-3.0-or-later
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

// The title band shows the picture of the given set, not just its holder.
bool bandShows(const SkinForm& f, int set) {
    const QImage top = f.image(QStringLiteral("imgtop%1").arg(set))->pixmap().toImage();
    return rgb(f.band(), 172, 14) == rgb(top, 33, 14);
}

// Only the events already queued: no timer gets a chance to tick in between.
void deliverQueued() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

struct Activation : ::testing::Test {
    SkinForm f;
    QWidget other;
    QLineEdit* edit = nullptr;
    void SetUp() override {
        edit = new QLineEdit(f.frame);
        edit->setGeometry(20, 50, 200, 24);
        edit->show();  // the form is already visible
        other.setGeometry(500, 100, 100, 100);
        f.form->show();
        f.form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f.form.get()));
        deliverQueued();
    }
    void activate(QWidget* w) {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
};

TEST(SkinFrameFocus, StartsActiveAndSettlesOnTheFormsActivationOnceShown) {
    SkinForm f;  // shown, but nothing activates it
    EXPECT_EQ(look(f), 1) << "a new frame looks active";
    deliverQueued();
    EXPECT_EQ(look(f), QApplication::activeWindow() == f.form.get() ? 1 : 2);
}

TEST_F(Activation, ActiveFormLooksActive) {
    EXPECT_EQ(look(f), 1);
    EXPECT_TRUE(bandShows(f, 1));
}

TEST_F(Activation, AnotherWindowMakesItInactiveAndComingBackActive) {
    activate(&other);
    deliverQueued();
    EXPECT_EQ(look(f), 2) << "as soon as the activation is delivered";
    EXPECT_TRUE(bandShows(f, 2));

    activate(f.form.get());
    deliverQueued();
    EXPECT_EQ(look(f), 1);
    EXPECT_TRUE(bandShows(f, 1));
}

TEST_F(Activation, FocusInsideComesBackWithTheForm) {
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    activate(&other);
    deliverQueued();
    EXPECT_EQ(look(f), 2);
    activate(f.form.get());
    deliverQueued();
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(look(f), 1);
}

TEST_F(Activation, ActivationAloneBringsTheLookBack) {
    // Nothing inside can take the focus again, so no focus handler runs:
    // only the form's activation can tell the frame it is back.
    edit->setFocus();
    f.frame->setFocusPolicy(Qt::NoFocus);
    activate(&other);
    deliverQueued();
    EXPECT_EQ(look(f), 2);
    edit->hide();
    activate(f.form.get());
    deliverQueued();
    EXPECT_EQ(look(f), 1);
    EXPECT_TRUE(bandShows(f, 1));
}

// A layout runs to its end without handling anything else: what comes in
// meanwhile (an activation, another layout asked for by a handler of Resize)
// is handled after it, once, and the frame ends on the look of the form's
// activation as it is when everything has run.
TEST_F(Activation, ChangesDuringALayoutComeAfterItAndTheLastWins) {
    other.show();
    other.activateWindow();
    ASSERT_EQ(QApplication::activeWindow(), f.form.get()) << "the activation waits in the queue";
    f.frame->setCaption(QStringLiteral("增加问题"));  // a layout
    EXPECT_EQ(QApplication::activeWindow(), f.form.get()) << "not delivered inside the layout";
    deliverQueued();
    ASSERT_EQ(QApplication::activeWindow(), &other);
    EXPECT_EQ(look(f), 2);
    EXPECT_TRUE(bandShows(f, 2));

    // A handler of Resize that asks for another layout: it runs after the
    // first, not within it, and only once however often it was asked for.
    int depth = 0, deepest = 0, layouts = 0;
    bool asked = false;
    auto conn = QObject::connect(f.frame, &SkinFrame::Resize, &other, [&] {
        ++layouts;
        deepest = std::max(deepest, ++depth);
        if (!asked) {
            asked = true;
            f.frame->setCaption(QStringLiteral("题目管理"));
            f.frame->setFixedFrame(false);
            f.frame->resize(f.frame->size());
        }
        --depth;
    });
    f.frame->refreshActive();
    EXPECT_EQ(layouts, 1);
    EXPECT_EQ(f.frame->caption(), QStringLiteral("题目管理")) << "the text is set at once";
    deliverQueued();
    EXPECT_EQ(layouts, 2) << "the layouts asked for meanwhile are one";
    EXPECT_EQ(deepest, 1) << "no layout inside another";
    QObject::disconnect(conn);

    // Away and back from within a layout: the last change wins.
    asked = false;
    QObject::connect(f.frame, &SkinFrame::Resize, &other, [&] {
        if (asked) return;
        asked = true;
        f.form->activateWindow();
        other.activateWindow();
        f.form->activateWindow();
    });
    f.frame->setCaption(QStringLiteral("增加问题"));
    deliverQueued();
    EXPECT_EQ(QApplication::activeWindow(), f.form.get());
    EXPECT_EQ(look(f), 1);
    EXPECT_TRUE(bandShows(f, 1));
    // And the other way round: a focus handler's active look that a
    // deactivation follows.
    edit->setFocus();
    other.activateWindow();
    f.frame->refreshActive();  // active look, a layout; the deactivation comes after it
    EXPECT_EQ(look(f), 1);
    deliverQueued();
    EXPECT_EQ(QApplication::activeWindow(), &other);
    EXPECT_EQ(look(f), 2);
    EXPECT_TRUE(bandShows(f, 2));
}

TEST_F(Activation, NothingTicksWhileActiveOrInactive) {
    EXPECT_EQ(ownTimerEvents(f.frame, 60), 0) << "active";
    activate(&other);
    EXPECT_EQ(ownTimerEvents(f.frame, 60), 0) << "inactive";
    edit->setFocus();
    activate(f.form.get());
    EXPECT_EQ(ownTimerEvents(f.frame, 60), 0) << "active again, focus inside";
    for (QTimer* t : f.frame->findChildren<QTimer*>(Qt::FindDirectChildrenOnly))
        EXPECT_FALSE(t->isActive()) << qPrintable(t->objectName());
}

TEST(SkinFrameFocus, RefreshActiveLooksActiveWithoutMovingTheFocus) {
    SkinForm f;
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    deliverQueued();
    EXPECT_EQ(look(f), 2);
    f.frame->refreshActive();
    EXPECT_EQ(look(f), 1);
    EXPECT_TRUE(bandShows(f, 1));
    EXPECT_EQ(QApplication::activeWindow(), &other) << "nothing is activated";
    EXPECT_FALSE(f.frame->hasFocus()) << "the keyboard focus does not move";
}

}  // namespace
