// SPDX-License-Identifier: GPL-3.0-or-later
// The edit session on its own, without a form: every way of writing goes
// through the one backup guard, and the list model follows the set.
#include <gtest/gtest.h>

#include "editor/editsession.h"
#include "editor/questionlistmodel.h"
#include "questionbank/dberror.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"
#include "tests/support/picturebytes.h"
#include "tests/support/testenv.h"

namespace {
struct Session {
    TestEnv env;
    EditSession session{env.file(Queries::kPersonalFile), QString()};
    QuestionListModel model{session};
    int backups = 0;

    explicit Session(const QStringList& questions) {
        std::vector<BankSchema::Question> qs;
        for (const QString& q : questions) qs.push_back({QString(), q, QStringLiteral("答") + q});
        env.makePersonalList(qs);
        session.setBeforeFirstWrite([this](Database&, QString*) { return ++backups, true; });
        QString error;
        EXPECT_TRUE(session.openDatabase(&error)) << error.toStdString();
        session.read(Queries::studyEditor());
        session.anchorFirst();
    }
    QStringList entries() const {
        QStringList out;
        for (int i = 0; i < model.rowCount(); ++i) out << model.index(i).data().toString();
        return out;
    }
};
}  // namespace

TEST(EditSession, EveryKindOfWriteTakesTheOneBackupOnce) {
    Session s({"甲", "乙"});
    EXPECT_EQ(s.backups, 0) << "opening and reading write nothing";
    ASSERT_TRUE(s.session.save(true, {"丙", "答丙", std::nullopt, std::nullopt}));
    s.session.anchorFirst();
    const QString first = s.entries().value(0);
    s.session.removeCurrent();
    EXPECT_FALSE(s.entries().contains(first));
    s.session.addFromOutside({{"English", "丁"}, {"Chinese", "答丁"}});
    const RecordSet& rs = *s.session.records();
    const QString second = rs.fieldAt(0, "English").toString();
    ASSERT_TRUE(s.session.removeFromOutside(rs.fieldAt(0, "index").toLongLong(), second));
    EXPECT_EQ(s.backups, 1);
    EXPECT_EQ(s.entries(), QStringList({"丙", "丁"}));
    EXPECT_EQ(QStringList({first, second}), QStringList({"乙", "甲"})) << "ordered by question";
}

TEST(EditSession, ARefusedBackupWritesNothingAndIsAskedAgain) {
    Session s({"甲"});
    s.session.setBeforeFirstWrite([&](Database&, QString* why) {
        *why = "no room";
        return ++s.backups > 1;
    });
    EXPECT_THROW(s.session.save(true, {"乙", "答乙", std::nullopt, std::nullopt}), DbError);
    EXPECT_EQ(s.entries(), QStringList({"甲"}));
    EXPECT_TRUE(s.session.save(true, {"乙", "答乙", std::nullopt, std::nullopt}));
    EXPECT_EQ(s.backups, 2);
    EXPECT_EQ(s.entries(), QStringList({"甲", "乙"}));
}

TEST(EditSession, ListRowIsTheRecordAtTheSamePosition) {
    Session s({"乙", "甲", "丙"});
    s.session.addFromOutside({{"English", "阿"}, {"Chinese", "答阿"}});
    // Added at the end although the set is otherwise ordered by question.
    ASSERT_EQ(s.model.rowCount(), s.session.records()->RecordCount());
    for (int row = 0; row < s.model.rowCount(); ++row) {
        s.session.moveToRow(row);
        EXPECT_EQ(s.model.index(row).data().toString(), s.session.records()->text("English"));
    }
    EXPECT_FALSE(s.session.save(false, {"  ", "答", std::nullopt, std::nullopt}))
        << "a blank question is not written";
    EXPECT_EQ(s.backups, 1);
}

// Manager's "Duplicate record !" comes from the session's refused save: in a
// bank with pictures a question is its text and its picture; a bank without
// the picture column refuses the same text as before.
TEST(EditSession, ADuplicateIsTheSameTextAndPictureWhereTheBankHasPictures) {
    const QByteArray red = PictureBytes::encoded("PNG", 6, 6),
                     blue = PictureBytes::encoded("PNG", 6, 6, Qt::blue);
    const auto saveIn = [&](BankSchema::Pictures layout, const QByteArray& picture) {
        TestEnv env;
        BankSchema::build(env.file(Queries::kBankFile), BankSchema::Kind::Bank,
                          {{"交通信号", "这是什么标志？", "停车让行",
                            layout == BankSchema::Pictures::WithColumn ? red : QByteArray()}},
                          Queries::kBankPassword, layout);
        EditSession session(env.file(Queries::kBankFile), Queries::kBankConnect);
        QString error;
        EXPECT_TRUE(session.openDatabase(&error)) << error.toStdString();
        session.read(Queries::managerEditor("交通信号"));
        session.anchorFirst();
        try {
            session.save(true, {"这是什么标志？", "减速让行", QString("交通信号"),
                                picture.isEmpty() ? std::nullopt : std::optional(picture)});
            return 0;
        } catch (const DbError& e) {
            return e.number();
        }
    };
    using BankSchema::Pictures;
    EXPECT_EQ(saveIn(Pictures::WithColumn, blue), 0) << "another picture: another question";
    EXPECT_EQ(saveIn(Pictures::WithColumn, {}), 0) << "no picture: another question";
    EXPECT_EQ(saveIn(Pictures::WithColumn, red), DbError::DuplicateKey);
    EXPECT_EQ(saveIn(Pictures::WithoutColumn, blue), DbError::DuplicateKey) << "keyed on the text";
    EXPECT_EQ(saveIn(Pictures::WithoutColumn, {}), DbError::DuplicateKey);
}

TEST(QuestionListModel, AQuestionOnSeveralLinesIsOneRowOfTheList) {
    Session s({QStringLiteral("第一行\n第二行\r\n\r\n第三行\u2028末"), QStringLiteral("甲")});
    // The list's order is the query's.
    EXPECT_EQ(s.entries(), QStringList({"甲", "第一行 第二行 第三行 末"}));
    // Editing takes the text as it is stored.
    EXPECT_EQ(s.model.index(1).data(Qt::EditRole).toString(),
              QStringLiteral("第一行\n第二行\r\n\r\n第三行\u2028末"));
}
