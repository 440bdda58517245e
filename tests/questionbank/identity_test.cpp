// SPDX-License-Identifier: GPL-3.0-or-later
// A question is its text, its options and its picture: the digest, the key
// of files that have those columns, and files without them keyed as before.
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QCryptographicHash>
#include <QtEndian>

#include "questionbank/bankschema.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/examfields.h"
#include "questionbank/questionidentity.h"
#include "questionbank/recordset.h"
#include "tests/support/picturebytes.h"
#include "tests/support/testenv.h"

namespace {
using Options = QuestionIdentity::Options;

// The documented canonical form, built by hand.
QString digestOfForm(const QList<QByteArray>& fields) {
    QByteArray form = "quillmere-question-identity/1";
    for (const QByteArray& f : fields) {
        char n[8];
        qToBigEndian<quint64>(quint64(f.size()), n);
        form += QByteArray(n, 8) + f;
    }
    return QString::fromLatin1(QCryptographicHash::hash(form, QCryptographicHash::Sha256).toHex());
}

std::shared_ptr<Database> openList(const TestEnv& env) {
    return Database::open(env.file("word.ocx"), {.exclusive = false, .readOnly = false});
}

// Adds a record through the set; the error number, or 0 when it was written.
int add(RecordSet& rs, const QString& text, const QByteArray& picture,
        const ExamFields& exam = {}) {
    rs.AddNew();
    rs.setField("English", text);
    rs.setField("Chinese", "答");
    if (!picture.isEmpty()) rs.setPicture(picture);
    if (!exam.isEmpty()) rs.setExam(exam);
    try {
        rs.Update();
        return 0;
    } catch (const DbError& e) {
        return e.number();
    }
}

ExamFields choice(const QString& a, const QString& b) {
    ExamFields f;
    f.kind = ExamKind::kSingle;
    f.options = {a, b, QString(), QString()};
    return f;
}
}  // namespace

TEST(QuestionIdentity, IsTheSha256OfTheDocumentedFormAndTellsEveryPartApart) {
    const QByteArray png = PictureBytes::encoded("PNG", 4, 4);
    const Options opts{"甲", "乙", "", ""};
    EXPECT_EQ(QuestionIdentity::of("停车", opts, png),
              digestOfForm({"停车", "甲", "乙", "", "", png}));
    EXPECT_EQ(QuestionIdentity::of("停车", {}, {}).size(), 64);
    QSet<QString> ids{
        QuestionIdentity::of("停车", {}, {}),
        QuestionIdentity::of("停车", {}, png),
        QuestionIdentity::of("停车", {}, PictureBytes::encoded("PNG", 4, 4, Qt::blue)),
        QuestionIdentity::of("停车", opts, {}),
        QuestionIdentity::of("停车", {"甲乙", "", "", ""}, {}),  // field bounds count
        QuestionIdentity::of("停车甲", {"乙", "", "", ""}, {}),
        QuestionIdentity::of("停车 ", {}, {}),  // stored text, not trimmed
    };
    EXPECT_EQ(ids.size(), 7);
    EXPECT_EQ(QuestionIdentity::of("停车", opts, png), QuestionIdentity::of("停车", opts, png));
}

TEST(QuestionIdentity, AFileWithPicturesTakesTheSameTextOncePerPictureOrOptions) {
    TestEnv env;
    const QByteArray red = PictureBytes::encoded("PNG", 4, 4),
                     blue = PictureBytes::encoded("PNG", 4, 4, Qt::blue);
    env.makePersonalList({{"", "这是什么标志？", "停车让行", red}});
    auto rs = RecordSet::open(openList(env), "select * from word");
    EXPECT_TRUE(rs->keyedOnIdentity());
    EXPECT_EQ(add(*rs, "这是什么标志？", blue), 0) << "another picture: another question";
    EXPECT_EQ(add(*rs, "这是什么标志？", {}), 0) << "no picture: another question";
    EXPECT_EQ(add(*rs, "这是什么标志？", red), DbError::DuplicateKey);
    EXPECT_EQ(add(*rs, "这是什么标志？", {}), DbError::DuplicateKey);
    EXPECT_EQ(add(*rs, "这是什么标志？", {}, choice("甲", "乙")), 0) << "options make it another";
    EXPECT_EQ(add(*rs, "这是什么标志？", {}, choice("甲", "乙")), DbError::DuplicateKey);
    EXPECT_EQ(rs->RecordCount(), 4);
    EXPECT_FALSE(rs->columns().contains("identity")) << "the key is no field of the record";

    // Changing a picture to one that makes it a repeat is refused too, and
    // the stored identity follows every change.
    rs->MoveFirst();
    rs->MoveNext();  // the blue one
    rs->Edit();
    rs->setPicture(red);
    EXPECT_THROW(rs->Update(), DbError);
    rs.reset();
    SQLite::Database check(env.file("word.ocx").toStdString());
    SQLite::Statement ids(check, "SELECT count(DISTINCT identity), count(*) FROM Word");
    ASSERT_TRUE(ids.executeStep());
    EXPECT_EQ(ids.getColumn(0).getInt(), 4);
    EXPECT_EQ(ids.getColumn(1).getInt(), 4);
}

TEST(QuestionIdentity, AFileWithoutTheColumnsKeepsItsKeyOnTheText) {
    TestEnv env;
    BankSchema::build(env.file("word.ocx"), BankSchema::Kind::PersonalList,
                      {{"", "这是什么标志？", "停车让行"}}, {},
                      BankSchema::Pictures::WithoutColumn);
    auto rs = RecordSet::open(openList(env), "select * from word");
    EXPECT_FALSE(rs->keyedOnIdentity());
    EXPECT_EQ(add(*rs, "这是什么标志？", PictureBytes::encoded("PNG", 4, 4)),
              DbError::DuplicateKey);
    EXPECT_EQ(add(*rs, "这是什么标志？", {}, choice("甲", "乙")), DbError::DuplicateKey);
    rs.reset();
    SQLite::Database check(env.file("word.ocx").toStdString());
    SQLite::Statement cols(check, "SELECT group_concat(name) FROM pragma_table_info('Word')");
    ASSERT_TRUE(cols.executeStep());
    EXPECT_EQ(QString::fromUtf8(cols.getColumn(0).getText()), "index,English,Chinese")
        << "a refused write adds no column";
}

TEST(ExamColumns, AreAddedOnlyWhenSomethingIsWrittenIntoThemAndReadBack) {
    TestEnv env;
    env.makePersonalList({{"", "甲", "答"}});
    auto rs = RecordSet::open(openList(env), "select * from word");
    EXPECT_FALSE(rs->hasExamColumns());
    EXPECT_EQ(add(*rs, "乙", {}, ExamFields{}), 0);
    EXPECT_FALSE(rs->hasExamColumns()) << "nothing written into them";
    ExamFields f = choice("左转", "右转");
    f.explanation = "看箭头";
    EXPECT_EQ(add(*rs, "丙", {}, f), 0);
    EXPECT_TRUE(rs->hasExamColumns());
    rs->MoveLast();
    EXPECT_EQ(ExamFields::of(*rs), f);
    EXPECT_EQ(ExamFields::at(*rs, 0), ExamFields{}) << "earlier rows read as plain questions";
    auto again = RecordSet::open(openList(env), "select * from word");
    again->MoveLast();
    EXPECT_EQ(ExamFields::of(*again), f);
}

TEST(ExamAnswer, ImportFormsAreNormalisedAndEveryProblemIsNamed) {
    using ExamAnswer::normalised;
    EXPECT_EQ(normalised("判断", "对"), "正确");
    EXPECT_EQ(normalised("判断", "√"), "正确");
    EXPECT_EQ(normalised("判断", "×"), "错误");
    EXPECT_EQ(normalised("判断", "错"), "错误");
    EXPECT_EQ(normalised("多选", "d, b a"), "ABD");
    EXPECT_EQ(normalised("单选", "c"), "C");
    EXPECT_EQ(normalised("", "对"), "对") << "a plain question's answer stays as written";

    ExamFields judge;
    judge.kind = "判断";
    EXPECT_TRUE(ExamAnswer::problems(judge, "正确").isEmpty());
    judge.options[0] = "甲";
    EXPECT_EQ(ExamAnswer::problems(judge, "也许").size(), 2) << "options and the answer";

    ExamFields multi;
    multi.kind = "多选";
    multi.options = {"甲", "", "丙", ""};
    // B is empty before C; B has no option; one letter is too few.
    EXPECT_EQ(ExamAnswer::problems(multi, "B").size(), 3);
    multi.options[1] = "乙";
    EXPECT_TRUE(ExamAnswer::problems(multi, "AC").isEmpty());
    EXPECT_FALSE(ExamAnswer::problems(multi, "AD").isEmpty()) << "D has no option";

    ExamFields unknown;
    unknown.kind = "填空";
    EXPECT_FALSE(ExamAnswer::problems(unknown, "x").isEmpty());
    ExamFields noKind;
    noKind.options[0] = "甲";
    EXPECT_FALSE(ExamAnswer::problems(noKind, "A").isEmpty());
}
