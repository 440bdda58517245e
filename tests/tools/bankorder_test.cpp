// SPDX-License-Identifier: GPL-3.0-or-later
// A bank built from a CSV is shown in the CSV's order: a real bank is often
// written in the examination's order, which the display keeps.
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>

#include <QFile>
#include <map>

#include "questionbank/bankschema.h"
#include "questionbank/categories.h"
#include "questionbank/database.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"
#include "study/datacontrol.h"
#include "study/questionsource.h"
#include "study/settingsrecord.h"
#include "tests/support/testenv.h"
#include "tools/bankcommands.h"

namespace {

int buildBank(const QString& csv, const QString& outDir) {
    QString o, e;
    QTextStream out(&o), err(&e);
    const int code = BankCommands::build(csv, outDir, false, out, err);
    err.flush();
    if (code != 0) ADD_FAILURE() << e.toStdString();
    return code;
}

// The questions of the display's record set for guageword, first to last.
QStringList displayed(const QString& folder, qint16 guageword) {
    SettingsRecord s;
    s.guageword = guageword;
    DataControl data;
    EXPECT_TRUE(selectSource(s, folder, data, nullptr));
    QString error;
    EXPECT_TRUE(data.Refresh(&error)) << error.toStdString();
    QStringList shown;
    RecordSet* rs = data.Recordset();
    for (rs->MoveFirst(); !rs->atEOF(); rs->MoveNext())
        shown << rs->text(QStringLiteral("English"));
    return shown;
}

}  // namespace

TEST(BankOrder, EachCategoryIsShownInTheCsvsOrder) {
    TestEnv env;
    const QStringList names = Categories::names();
    // Questions whose text runs against the CSV's order, the categories
    // interleaved, so that neither the text nor the category order can pass.
    QByteArray csv = "category,question,answer\n";
    QStringList all;
    std::map<QString, QStringList> byCategory;
    for (int i = 0; i < 60; ++i) {
        const QString category = names[(i * 7) % names.size()];
        const QString question =
            QStringLiteral("第%1题 %2").arg(QChar(0x9F98 - i * 37)).arg(59 - i, 2, 10, QChar('0'));
        csv += (category + "," + question + ",答\n").toUtf8();
        all << question;
        byCategory[category] << question;
    }
    writeFile(env.root() + "/bank.csv", csv);
    ASSERT_EQ(buildBank(env.root() + "/bank.csv", env.programDir()), 0);

    EXPECT_EQ(displayed(env.programDir(), 0), all);
    for (int filter = 1; filter <= 9; ++filter) {
        const QString category = names[filter - 1];
        const QStringList shown = displayed(env.programDir(), qint16(filter));
        EXPECT_FALSE(shown.isEmpty()) << category.toStdString();
        EXPECT_EQ(shown, byCategory[category]) << category.toStdString();
        QStringList sorted = shown;
        sorted.sort();
        EXPECT_NE(shown, sorted) << "the text order would pass as well: " << category.toStdString();
    }

    // Manager's editor lists a category by its text, as it always has.
    auto db = Database::open(env.file("reg.ocx"), {.readOnly = true}, Queries::kBankConnect);
    QStringList listed, expected = byCategory[names[0]];
    for (auto rs = RecordSet::open(db, Queries::managerEditor(names[0])); !rs->atEOF();
         rs->MoveNext())
        listed << rs->text(QStringLiteral("English"));
    expected.sort();
    EXPECT_EQ(listed, expected);
}

// A bank written before keeps its index; nothing but a new build changes it.
TEST(BankOrder, CheckSaysWhenABankStillShowsItsCategoriesInTextOrder) {
    TestEnv env;
    env.makeFileWith(
        "reg.ocx",
        {R"(CREATE TABLE Word ("index" INTEGER PRIMARY KEY AUTOINCREMENT, English TEXT UNIQUE, )"
         "Chinese TEXT, category TEXT)",
         "CREATE INDEX WordCategory ON Word (category, English)",
         "INSERT INTO Word (English, Chinese, category) VALUES ('乙', '1', '交通信号')",
         "INSERT INTO Word (English, Chinese, category) VALUES ('丙', '2', '交通信号')"},
        Queries::kBankPassword);
    const QByteArray before = readFile(env.file("reg.ocx"));
    const qint16 signals_ = qint16(Categories::names().indexOf("交通信号") + 1);
    EXPECT_EQ(displayed(env.programDir(), signals_), QStringList({"丙", "乙"}))
        << "the old index's order";
    QString o, e;
    QTextStream out(&o), err(&e);
    EXPECT_EQ(BankCommands::check(env.file("reg.ocx"), out, err), 0);
    out.flush();
    EXPECT_TRUE(o.contains("按题目文字的顺序")) << o.toStdString();
    EXPECT_EQ(readFile(env.file("reg.ocx")), before) << "check only reads";

    // Exported and built again, the bank shows its own order.
    const QString csv = env.root() + "/again.csv";
    ASSERT_EQ(BankCommands::exportCsv(env.file("reg.ocx"), csv, out, err), 0);
    ASSERT_EQ(buildBank(csv, env.programDir()), 0);
    EXPECT_EQ(displayed(env.programDir(), signals_), QStringList({"乙", "丙"}));
    o.clear();
    EXPECT_EQ(BankCommands::check(env.file("reg.ocx"), out, err), 0);
    out.flush();
    EXPECT_FALSE(o.contains("按题目文字的顺序")) << o.toStdString();
}
