// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <functional>

#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"
#include "tests/support/testenv.h"

namespace {

// A bank of three questions of one category, added in the order c, a, b,
// so the editor's order (by question) differs from the order of addition.
struct Fixture {
    TestEnv env;
    std::shared_ptr<Database> db;
    std::unique_ptr<RecordSet> rs;
    Fixture() {
        env.makeBank({{"交通信号", "c", "3"}, {"交通信号", "a", "1"}, {"交通信号", "b", "2"},
                      {"文明驾驶", "z", "9"}});
        db = Database::open(env.file("reg.ocx"), {.exclusive = true}, Queries::kBankConnect);
        rs = RecordSet::open(db, Queries::managerEditor("交通信号"));
    }
    QString current() const { return rs->hasCurrent() ? rs->text("English") : QStringLiteral("-"); }
};

struct MoveCase {
    const char* name;
    std::function<void(RecordSet&)> act;
    const char* current;  // "-" for no current record
    bool bof, eof;
    int position;
};

}  // namespace

TEST(RecordSetMoves, TableOfMovesAndWhatTheyLeave) {
    const std::vector<MoveCase> cases = {
        {"after open", [](RecordSet&) {}, "a", false, false, 0},
        {"MoveLast", [](RecordSet& r) { r.MoveLast(); }, "c", false, false, 2},
        {"MoveNext", [](RecordSet& r) { r.MoveNext(); }, "b", false, false, 1},
        {"MoveNext past the end", [](RecordSet& r) { r.MoveLast(); r.MoveNext(); }, "-", false, true, -1},
        {"MovePrevious before the start", [](RecordSet& r) { r.MovePrevious(); }, "-", true, false, -1},
        {"Previous after passing the end", [](RecordSet& r) { r.MoveLast(); r.MoveNext(); r.MovePrevious(); },
         "c", false, false, 2},
        {"MoveFirst", [](RecordSet& r) { r.MoveLast(); r.MoveFirst(); }, "a", false, false, 0},
        {"Move 2 from first bookmark",
         [](RecordSet& r) { const QString b = r.Bookmark(); r.MoveNext(); r.Move(2, b); }, "c", false, false, 2},
        {"Move past the end from a bookmark", [](RecordSet& r) { r.Move(3, r.Bookmark()); }, "-", false, true, -1},
        {"Bookmark set", [](RecordSet& r) { r.MoveLast(); const QString b = r.Bookmark(); r.MoveFirst(); r.setBookmark(b); },
         "c", false, false, 2},
    };
    for (const MoveCase& c : cases) {
        Fixture f;
        c.act(*f.rs);
        EXPECT_EQ(f.current(), QString::fromUtf8(c.current)) << c.name;
        EXPECT_EQ(f.rs->atBOF(), c.bof) << c.name;
        EXPECT_EQ(f.rs->atEOF(), c.eof) << c.name;
        EXPECT_EQ(f.rs->AbsolutePosition(), c.position) << c.name;
        EXPECT_EQ(f.rs->RecordCount(), 3) << c.name;
    }
}

TEST(RecordSetMoves, EmptySetIsAtBothEnds) {
    Fixture f;
    auto empty = RecordSet::open(f.db, Queries::managerEditor("事故自救"));
    EXPECT_TRUE(empty->atBOF());
    EXPECT_TRUE(empty->atEOF());
    EXPECT_EQ(empty->RecordCount(), 0);
    empty->MoveFirst();
    empty->MoveNext();
    EXPECT_FALSE(empty->hasCurrent());
    EXPECT_EQ(empty->Bookmark(), QString());
}

TEST(RecordSetWrites, AddedRecordIsAppendedAtTheEndUntilReopened) {
    Fixture f;
    f.rs->AddNew();
    f.rs->setField("English", "0 first by text");
    f.rs->setField("Chinese", " kept untrimmed ");
    f.rs->setField("category", "交通信号");
    f.rs->Update();
    EXPECT_EQ(f.rs->RecordCount(), 4);
    EXPECT_EQ(f.current(), "a");  // the cursor stays where it was
    f.rs->setBookmark(f.rs->LastModified());
    EXPECT_EQ(f.rs->AbsolutePosition(), 3);
    EXPECT_EQ(f.rs->text("Chinese"), " kept untrimmed ");
    auto again = RecordSet::open(f.db, Queries::managerEditor("交通信号"));
    EXPECT_EQ(again->text("English"), "0 first by text");  // sorted in its place now
}

TEST(RecordSetWrites, EditChangesInPlace) {
    Fixture f;
    f.rs->MoveNext();
    f.rs->Edit();
    f.rs->setField("Chinese", "two");
    f.rs->Update();
    EXPECT_EQ(f.rs->LastModified(), f.rs->Bookmark());
    EXPECT_EQ(f.rs->text("Chinese"), "two");
    EXPECT_EQ(f.rs->RecordCount(), 3);
    auto again = RecordSet::open(f.db, Queries::managerEditor("交通信号"));
    again->MoveNext();
    EXPECT_EQ(again->text("Chinese"), "two");
}

TEST(RecordSetWrites, DuplicateQuestionIsError3022AndChangesNothing) {
    Fixture f;
    f.rs->AddNew();
    f.rs->setField("English", "z");  // exists in another category
    f.rs->setField("Chinese", "x");
    try {
        f.rs->Update();
        FAIL() << "duplicate accepted";
    } catch (const DbError& e) {
        EXPECT_EQ(e.number(), 3022);
    }
    EXPECT_EQ(f.rs->RecordCount(), 3);
    SQLite::Statement n(f.db->sqlite(), "SELECT count(*) FROM Word");
    n.executeStep();
    EXPECT_EQ(n.getColumn(0).getInt(), 4);
    EXPECT_TRUE(f.rs->editing());  // the typed record can be corrected and saved again
    f.rs->setField("English", "y");
    f.rs->Update();
    EXPECT_EQ(f.rs->RecordCount(), 4);
}

TEST(RecordSetWrites, PendingRecordIsDroppedByAMove) {
    Fixture f;
    f.rs->AddNew();
    f.rs->setField("English", "never");
    f.rs->MoveFirst();
    EXPECT_FALSE(f.rs->editing());
    EXPECT_THROW(f.rs->Update(), DbError);
    EXPECT_EQ(f.rs->RecordCount(), 3);
}

TEST(RecordSetWrites, DeleteLeavesNoCurrentRecordUntilAMove) {
    Fixture f;
    f.rs->MoveNext();  // b
    f.rs->Delete();
    EXPECT_FALSE(f.rs->hasCurrent());
    EXPECT_EQ(f.rs->RecordCount(), 2);
    EXPECT_THROW(f.rs->Delete(), DbError);
    f.rs->MoveNext();
    EXPECT_EQ(f.current(), "c");
    f.rs->MoveFirst();
    f.rs->Delete();
    f.rs->MoveFirst();
    EXPECT_EQ(f.current(), "c");
    f.rs->Delete();
    f.rs->MoveFirst();
    EXPECT_TRUE(f.rs->atBOF() && f.rs->atEOF());
    auto again = RecordSet::open(f.db, Queries::managerEditor("交通信号"));
    EXPECT_EQ(again->RecordCount(), 0);
}

TEST(RecordSetWrites, DetachedSetStaysReadableButRefusesWrites) {
    Fixture f;
    f.rs->detach();
    f.db.reset();
    EXPECT_EQ(f.current(), "a");
    f.rs->AddNew();
    f.rs->setField("English", "q");
    EXPECT_THROW(f.rs->Update(), DbError);
    // The exclusive lock went with the last reference.
    TestEnv& env = f.env;
    EXPECT_NO_THROW(Database::open(env.file("reg.ocx"), {.exclusive = true}, Queries::kBankConnect));
}

TEST(RecordSetQueries, EveryDocumentedQueryRuns) {
    Fixture f;
    EXPECT_EQ(RecordSet::open(f.db, Queries::displayAll())->RecordCount(), 4);
    EXPECT_EQ(RecordSet::open(f.db, Queries::displayCategory("文明驾驶"))->RecordCount(), 1);
    EXPECT_EQ(RecordSet::open(f.db, Queries::displayWeatherFallback())->RecordCount(), 0);
    TestEnv& env = f.env;
    env.makePersonalList({{"", "later", "1"}, {"", "earlier", "2"}});
    auto word = Database::open(env.file("word.ocx"), {});
    auto byIndex = RecordSet::open(word, Queries::personalList());
    EXPECT_EQ(byIndex->text("English"), "later");
    auto byText = RecordSet::open(word, Queries::studyEditor());
    EXPECT_EQ(byText->text("english"), "earlier");
}

namespace {

// Files whose index field is not SQLite's row id: each holds the rows
// (index, English) = (2, "a"), (1, "b") added in this order, so that the
// index of "a" is the row id of "b" where the table has row ids at all.
struct OddLayout {
    const char* name;
    const char* create;
};
const OddLayout kOddLayouts[] = {
    {"INTEGER without key",
     R"(CREATE TABLE Word ("index" INTEGER, English TEXT UNIQUE, Chinese TEXT))"},
    {"INT PRIMARY KEY",
     R"(CREATE TABLE Word ("index" INT PRIMARY KEY, English TEXT UNIQUE, Chinese TEXT))"},
    {"INTEGER PRIMARY KEY DESC",
     R"(CREATE TABLE Word ("index" INTEGER PRIMARY KEY DESC, English TEXT UNIQUE, Chinese TEXT))"},
    {"TEXT PRIMARY KEY",
     R"(CREATE TABLE Word ("index" TEXT PRIMARY KEY, English TEXT UNIQUE, Chinese TEXT))"},
    {"WITHOUT ROWID",
     R"(CREATE TABLE Word ("index" INTEGER PRIMARY KEY, English TEXT UNIQUE, Chinese TEXT) WITHOUT ROWID)"},
    {"no index field", R"(CREATE TABLE Word (English TEXT UNIQUE, Chinese TEXT))"},
};

QStringList oddRows(const char* create) {
    const bool withIndex = !QByteArray(create).contains("(English");
    if (!withIndex)
        return {create, "INSERT INTO Word VALUES ('a', '1')", "INSERT INTO Word VALUES ('b', '2')"};
    return {create, "INSERT INTO Word VALUES (2, 'a', '1')",
            "INSERT INTO Word VALUES (1, 'b', '2')"};
}

QStringList contents(const QString& path) {
    auto db = Database::open(path, {.readOnly = true});
    SQLite::Statement q(db->sqlite(),
                        "SELECT English || '|' || Chinese FROM Word ORDER BY English");
    QStringList out;
    while (q.executeStep()) out << QString::fromStdString(q.getColumn(0).getString());
    return out;
}

}  // namespace

TEST(RecordSetRowIds, WritesToAFileWhoseIndexIsNotTheRowIdAreRefused) {
    for (const OddLayout& layout : kOddLayouts) {
        TestEnv env;
        env.makeFileWith("word.ocx", oddRows(layout.create));
        {
            auto db = Database::open(env.file("word.ocx"), {.exclusive = true});
            auto rs = RecordSet::open(db, Queries::studyEditor());
            ASSERT_EQ(rs->RecordCount(), 2) << layout.name;
            EXPECT_EQ(rs->text("English"), "a");
            rs->Edit();
            rs->setField("Chinese", "changed");
            try {
                rs->Update();
                ADD_FAILURE() << layout.name << ": update accepted";
            } catch (const DbError& e) {
                EXPECT_EQ(e.number(), DbError::CannotUpdate) << layout.name;
                EXPECT_TRUE(e.message().contains("word.ocx")) << layout.name;
            }
            EXPECT_THROW(rs->Delete(), DbError) << layout.name;
            rs->AddNew();
            rs->setField("English", "c");
            rs->setField("Chinese", "3");
            EXPECT_THROW(rs->Update(), DbError) << layout.name;
            EXPECT_EQ(rs->RecordCount(), 2) << layout.name;
        }
        EXPECT_EQ(contents(env.file("word.ocx")), QStringList({"a|1", "b|2"})) << layout.name;
    }
}

TEST(RecordSetRowIds, AnIntegerPrimaryKeyWithoutAutoincrementIsTheRowId) {
    TestEnv env;
    env.makeFileWith(
        "word.ocx",
        {R"(CREATE TABLE Word ("index" INTEGER PRIMARY KEY, English TEXT UNIQUE, Chinese TEXT))",
         "INSERT INTO Word VALUES (2, 'a', '1')", "INSERT INTO Word VALUES (1, 'b', '2')"});
    {
        auto db = Database::open(env.file("word.ocx"), {.exclusive = true});
        auto rs = RecordSet::open(db, Queries::studyEditor());
        rs->Edit();
        rs->setField("Chinese", "changed");
        rs->Update();
        rs->MoveLast();
        rs->Delete();
    }
    EXPECT_EQ(contents(env.file("word.ocx")), QStringList({"a|changed"}));
}
