// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "questionbank/bankschema.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/picturecolumn.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"
#include "tests/support/picturebytes.h"
#include "tests/support/testenv.h"

namespace {
using BankSchema::Pictures;

bool fileHasColumn(const QString& path) {
    SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY);
    return PictureColumn::exists(db);
}

std::unique_ptr<RecordSet> openAt(std::shared_ptr<Database> db, const QString& query,
                                  const QString& question) {
    auto rs = RecordSet::open(db, query);
    for (rs->MoveFirst(); !rs->atEOF(); rs->MoveNext())
        if (rs->text("English") == question) return rs;
    ADD_FAILURE() << "no record " << question.toStdString();
    return rs;
}
}  // namespace

TEST(PictureColumn, AFileWithoutItWorksAsBeforeAndReadingNeverAddsIt) {
    TestEnv env;
    BankSchema::build(env.file("reg.ocx"), BankSchema::Kind::Bank, {{"交通信号", "q", "a"}},
                      Queries::kBankPassword, Pictures::WithoutColumn);
    const QByteArray before = readFile(env.file("reg.ocx"));
    for (bool readOnly : {true, false}) {
        auto db =
            Database::open(env.file("reg.ocx"), {.readOnly = readOnly}, Queries::kBankConnect);
        for (const QString& q : {Queries::displayAll(), Queries::displayCategory("交通信号"),
                                 Queries::managerEditor("交通信号")}) {
            auto rs = RecordSet::open(db, q);
            EXPECT_FALSE(rs->hasPictureColumn());
            EXPECT_EQ(rs->columns(), QStringList({"index", "English", "Chinese", "category"}));
            EXPECT_EQ(rs->text("Chinese"), "a");
            EXPECT_TRUE(rs->picture().isEmpty());
        }
    }
    EXPECT_EQ(readFile(env.file("reg.ocx")), before);
}

TEST(PictureColumn, PicturesAreLeftOutOfTheRecordsAndReadOnDemand) {
    TestEnv env;
    const QByteArray png = PictureBytes::encoded("PNG", 30, 20);
    env.makeBank({{"交通信号", "with", "1", png}, {"交通信号", "without", "2"}});
    const QByteArray before = readFile(env.file("reg.ocx"));
    auto db = Database::open(env.file("reg.ocx"), {.readOnly = true}, Queries::kBankConnect);
    auto rs = openAt(db, Queries::displayAll(), "with");
    EXPECT_TRUE(rs->hasPictureColumn());
    EXPECT_FALSE(rs->columns().contains("picture", Qt::CaseInsensitive));
    EXPECT_TRUE(rs->field("picture").isNull());
    EXPECT_EQ(rs->picture(), png);
    rs->detach();  // as the display does: the file is opened again for the read
    EXPECT_EQ(rs->picture(), png);
    rs->MoveFirst();
    while (rs->text("English") != "without") rs->MoveNext();
    QString error;
    EXPECT_TRUE(rs->picture(&error).isEmpty());
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(readFile(env.file("reg.ocx")), before);
}

TEST(PictureColumn, OpeningNeverReadsThePictures) {
    // The overflow pages of a large picture are damaged: a set that read
    // pictures at open would fail; this one opens, and only that picture fails.
    TestEnv env;
    const QByteArray big(400 * 1024, 'P');
    env.makeBank({{"交通信号", "damaged", "1", big}, {"交通信号", "plain", "2"}});
    QByteArray file = readFile(env.file("reg.ocx"));
    const QByteArray run(4092, 'P');
    int damaged = 0;
    for (int page = 0; page + 4096 <= file.size(); page += 4096)
        if (file.mid(page + 4, 4092) == run) {
            file.replace(page, 4, QByteArray(4, '\xFF'));
            ++damaged;
        }
    ASSERT_GT(damaged, 10);
    writeFile(env.file("reg.ocx"), file);
    auto db = Database::open(env.file("reg.ocx"), {.readOnly = true}, Queries::kBankConnect);
    auto rs = openAt(db, Queries::displayAll(), "damaged");
    EXPECT_EQ(rs->RecordCount(), 2);
    QString error;
    EXPECT_TRUE(rs->picture(&error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFile(env.file("reg.ocx")), file);
}

TEST(PictureColumn, AnOversizedPictureIsNotRead) {
    TestEnv env;
    env.makeBank({{"交通信号", "huge", "1", QByteArray(17 * 1024 * 1024, 'x')}});
    auto db = Database::open(env.file("reg.ocx"), {.readOnly = true}, Queries::kBankConnect);
    auto rs = RecordSet::open(db, Queries::displayAll());
    QString error;
    EXPECT_TRUE(rs->picture(&error).isEmpty());
    EXPECT_TRUE(error.contains("过大")) << error.toStdString();
}

TEST(PictureWrite, TheFirstPictureAddsTheColumnWithTheRecordInOneTransaction) {
    TestEnv env;
    BankSchema::build(env.file("reg.ocx"), BankSchema::Kind::Bank,
                      {{"交通信号", "a", "1"}, {"交通信号", "b", "2"}}, Queries::kBankPassword,
                      Pictures::WithoutColumn);
    auto db = Database::open(env.file("reg.ocx"), {.exclusive = true}, Queries::kBankConnect);
    auto rs = RecordSet::open(db, Queries::managerEditor("交通信号"));
    const QByteArray png = PictureBytes::encoded("PNG", 8, 8);

    // Removing a picture that cannot exist changes nothing.
    rs->Edit();
    rs->setPicture({});
    EXPECT_FALSE(rs->updateAddsPictureColumn());
    rs->Update();
    EXPECT_FALSE(rs->hasPictureColumn());

    // A failed write (duplicate question) takes the new column back with it.
    rs->Edit();
    rs->setField("English", "b");
    rs->setPicture(png);
    EXPECT_TRUE(rs->updateAddsPictureColumn());
    try {
        rs->Update();
        FAIL() << "duplicate accepted";
    } catch (const DbError& e) {
        EXPECT_EQ(e.number(), 3022);
    }
    EXPECT_FALSE(rs->hasPictureColumn());
    db.reset();
    rs.reset();
    EXPECT_FALSE(fileHasColumn(env.file("reg.ocx")));

    db = Database::open(env.file("reg.ocx"), {.exclusive = true}, Queries::kBankConnect);
    rs = RecordSet::open(db, Queries::managerEditor("交通信号"));
    rs->Edit();
    rs->setField("Chinese", "changed");
    rs->setPicture(png);
    rs->Update();
    EXPECT_TRUE(rs->hasPictureColumn());
    EXPECT_EQ(rs->picture(), png);
    EXPECT_EQ(rs->text("Chinese"), "changed");
    EXPECT_FALSE(rs->columns().contains("picture"));
    db.reset();
    rs.reset();
    EXPECT_TRUE(fileHasColumn(env.file("reg.ocx")));
}

TEST(PictureWrite, AddReplaceAndRemoveThroughTheSet) {
    TestEnv env;
    env.makePersonalList({{"", "old", "1"}});
    auto db = Database::open(env.file("word.ocx"), {.exclusive = true});
    auto rs = RecordSet::open(db, Queries::studyEditor());
    const QByteArray jpeg = PictureBytes::encoded("JPEG", 8, 8);
    const QByteArray svg = PictureBytes::svgSign();
    rs->AddNew();
    rs->setField("English", "new");
    rs->setField("Chinese", "2");
    rs->setPicture(jpeg);
    rs->Update();
    rs->setBookmark(rs->LastModified());
    EXPECT_EQ(rs->picture(), jpeg);

    rs->Edit();
    rs->setPicture(svg);  // the picture alone changes
    rs->Update();
    EXPECT_EQ(rs->picture(), svg);

    rs->Edit();
    rs->setPicture(jpeg);
    rs->MoveFirst();  // a move drops the pending picture with the record
    rs->setBookmark(rs->LastModified());
    EXPECT_EQ(rs->picture(), svg);

    rs->Edit();
    rs->setPicture({});
    rs->Update();
    EXPECT_TRUE(rs->picture().isEmpty());
    EXPECT_THROW(rs->setPicture(jpeg), DbError) << "no pending record";
    SQLite::Statement q(db->sqlite(), "SELECT count(*) FROM Word WHERE picture IS NOT NULL");
    ASSERT_TRUE(q.executeStep());
    EXPECT_EQ(q.getColumn(0).getInt(), 0);
}

TEST(PictureColumn, ReadingAllRecordsOfABuiltBankSkipsThePicturePages) {
    TestEnv env;
    const QByteArray png = PictureBytes::encoded("PNG", 300, 200);
    // Row order differs from the questions' order and from the categories'.
    env.makeBank(
        {{"交通信号", "丙", "1", png}, {"安全行车", "甲", "2"}, {"交通信号", "乙", "3", png}});
    SQLite::Database sq(env.file("reg.ocx").toStdString(), SQLite::OPEN_READONLY);
    const auto plan = [&sq](const QString& sql) {
        SQLite::Statement q(sq, ("EXPLAIN QUERY PLAN " + sql).toStdString());
        QString detail;
        while (q.executeStep()) detail += QString::fromUtf8(q.getColumn(3).getText());
        return detail;
    };
    // The columns the display reads (all but the picture), from an index
    // whose pages hold no picture.
    EXPECT_TRUE(plan(R"(select "index", "English", "Chinese", "category" from word)")
                    .contains("COVERING INDEX"));
    // A category still comes in the order of its own index.
    EXPECT_TRUE(
        plan(
            R"(select "index", "English", "Chinese", "category" from word where category='交通信号')")
            .contains("WordCategory"));

    auto db = Database::open(env.file("reg.ocx"), {.readOnly = true}, Queries::kBankConnect);
    QStringList all, category;
    for (auto rs = RecordSet::open(db, Queries::displayAll()); !rs->atEOF(); rs->MoveNext())
        all << rs->text("English") + rs->text("Chinese");
    EXPECT_EQ(all, QStringList({"丙1", "甲2", "乙3"})) << "the table's order";
    for (auto rs = RecordSet::open(db, Queries::displayCategory("交通信号")); !rs->atEOF();
         rs->MoveNext())
        category << rs->text("English");
    EXPECT_EQ(category, QStringList({"丙", "乙"})) << "the category index's order";
}
