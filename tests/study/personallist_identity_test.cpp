// SPDX-License-Identifier: GPL-3.0-or-later
// J's "已在生词本中" follows the question's identity: in a personal list with
// pictures the same text with another picture or other options goes in as
// another question; a list without those columns refuses the same text, as
// before. Directly and through Study's open editor.
#include <gtest/gtest.h>

#include "editor/editsession.h"
#include "questionbank/database.h"
#include "questionbank/examfields.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"
#include "study/personallist.h"
#include "tests/support/picturebytes.h"
#include "tests/support/testenv.h"

namespace {
QVariantMap question(const QByteArray& picture, const QString& optionA = {}) {
    QVariantMap q{{"English", "这是什么标志？"}, {"Chinese", "A"}};
    if (!picture.isEmpty()) q.insert("picture", picture);
    if (!optionA.isEmpty()) {
        q.insert("kind", "单选");
        q.insert("option_a", optionA);
        q.insert("option_b", "减速让行");
    }
    return q;
}

using Outcome = PersonalList::Outcome;

struct Lists {
    TestEnv env;
    std::unique_ptr<EditSession> session;
    PersonalList list{env.programDir(), [this] { return session.get(); }};

    Lists(BankSchema::Pictures layout, bool throughEditor) {
        BankSchema::build(env.file(Queries::kPersonalFile), BankSchema::Kind::PersonalList, {}, {},
                          layout);
        if (!throughEditor) return;
        session = std::make_unique<EditSession>(env.file(Queries::kPersonalFile), QString());
        QString error;
        EXPECT_TRUE(session->openDatabase(&error)) << error.toStdString();
        session->read(Queries::studyEditor());
    }
};
}  // namespace

TEST(PersonalListIdentity, TheSameTextWithAnotherPictureOrOptionsIsAnotherQuestion) {
    const QByteArray red = PictureBytes::encoded("PNG", 6, 6),
                     blue = PictureBytes::encoded("PNG", 6, 6, Qt::blue);
    for (bool throughEditor : {false, true}) {
        SCOPED_TRACE(throughEditor ? "through the editor" : "directly");
        Lists l(BankSchema::Pictures::WithColumn, throughEditor);
        EXPECT_EQ(l.list.add(question(red)).outcome, Outcome::Added);
        EXPECT_EQ(l.list.add(question(blue)).outcome, Outcome::Added);
        EXPECT_EQ(l.list.add(question({})).outcome, Outcome::Added);
        EXPECT_EQ(l.list.add(question({}, "停车让行")).outcome, Outcome::Added);
        EXPECT_EQ(l.list.add(question({}, "禁止通行")).outcome, Outcome::Added);
        const auto again = l.list.add(question(red));
        EXPECT_EQ(again.outcome, Outcome::AlreadyThere);
        EXPECT_EQ(again.text, "已在生词本中");
        EXPECT_EQ(l.list.add(question({}, "停车让行")).outcome, Outcome::AlreadyThere);
        if (throughEditor) EXPECT_EQ(l.session->records()->RecordCount(), 5);
        l.session.reset();
        auto rs = RecordSet::open(Database::open(l.env.file(Queries::kPersonalFile), {}),
                                  Queries::personalList());
        EXPECT_EQ(rs->RecordCount(), 5);
        rs->MoveLast();
        EXPECT_EQ(ExamFields::of(*rs).options[0], "禁止通行") << "the options go with the question";
    }
}

TEST(PersonalListIdentity, AListWithoutTheColumnsRefusesTheSameTextAsBefore) {
    for (bool throughEditor : {false, true}) {
        SCOPED_TRACE(throughEditor ? "through the editor" : "directly");
        Lists l(BankSchema::Pictures::WithoutColumn, throughEditor);
        EXPECT_EQ(l.list.add(question({})).outcome, Outcome::Added);
        EXPECT_EQ(l.list.add(question(PictureBytes::encoded("PNG", 6, 6))).outcome,
                  Outcome::AlreadyThere);
        EXPECT_EQ(l.list.add(question({}, "停车让行")).outcome, Outcome::AlreadyThere);
    }
}
