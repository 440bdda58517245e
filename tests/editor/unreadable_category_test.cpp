// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QComboBox>
#include <QFile>

#include "questionbank/categories.h"
#include "editor/picturepanel.h"
#include "tests/editor/editorfixture.h"

// Manager over a bank where one category cannot be read (a damaged page of
// the category index) while the others can: the list never shows another
// category's questions under its name, and nothing is written anywhere.

namespace {

// Long enough that the damaged category fills whole pages of the table; its
// many rows fill whole pages of the category index too (an entry there is
// only the category and the row id).
QString padded(const QString& head, int i) {
    return head + QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')) +
           QString(40, QLatin1Char('x'));
}

std::vector<BankSchema::Question> bankWith(const QString& damaged) {
    std::vector<BankSchema::Question> out;
    for (const QString& c : Categories::names()) {
        const int n = c == damaged ? 1000 : 3;
        for (int i = 0; i < n; ++i)
            out.push_back({c, padded(c, i), QStringLiteral("答") + QString::number(i)});
    }
    return out;
}

// Spoils the page-type byte of every leaf page of the category index that
// holds entries of `category` only: the query for it fails as on a disk
// that lost a sector, while the neighbours' pages stay whole. Returns how
// many pages were spoilt.
int damageCategoryIndex(const QString& path, const QString& category) {
    QList<qint64> leaves;
    int pageSize = 0;
    {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY);
        pageSize = db.execAndGet("PRAGMA page_size").getInt();
        SQLite::Statement q(
            db, "SELECT pageno FROM dbstat WHERE name = 'WordCategory' AND pagetype = 'leaf'");
        while (q.executeStep()) leaves << q.getColumn(0).getInt64();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) return 0;
    int spoilt = 0;
    for (qint64 page : leaves) {
        file.seek((page - 1) * pageSize);
        const QByteArray bytes = file.read(pageSize);
        bool others = false;
        for (const QString& c : Categories::names())
            others = others || (c != category && bytes.contains(c.toUtf8()));
        if (others || !bytes.contains(category.toUtf8())) continue;
        file.seek((page - 1) * pageSize);
        file.write(QByteArray(1, '\x55'));  // no b-tree page has this type
        ++spoilt;
    }
    return spoilt;
}

struct DamagedBank : EditorFixture {
    const QString good = Categories::names().at(1);
    const QString damaged = Categories::names().at(5);
    DamagedBank() {
        env.makeBank(bankWith(damaged));
        EXPECT_GT(damageCategoryIndex(env.file("reg.ocx"), damaged), 0);
    }
    void choose(const QString& category) {
        auto* combo = w<QComboBox>("Combo1");
        combo->setCurrentIndex(combo->findText(category));
        emit combo->activated(combo->currentIndex());
    }
};

}  // namespace

TEST(EditorUnreadableCategory, ShowsAnEmptyListAndSaysSo) {
    DamagedBank f;
    ASSERT_TRUE(f.open(EditorVariant::manager()));
    f.choose(f.good);
    ASSERT_EQ(f.rowCount(), 3);
    ASSERT_TRUE(f.messages.empty());
    f.choose(f.damaged);
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_EQ(f.messages[0].icon, MessageBox::Icon::Critical);
    EXPECT_TRUE(f.messages[0].text.contains(f.damaged)) << f.messages[0].text.toStdString();
    EXPECT_TRUE(f.messages[0].text.contains("无法读取")) << f.messages[0].text.toStdString();
    EXPECT_EQ(f.rowCount(), 0) << "no question of the category chosen before";
    EXPECT_EQ(f.text1()->text(), "");
    EXPECT_EQ(f.text2()->text(), "");
    EXPECT_EQ(f.status(), "");
    EXPECT_EQ(f.form->session().records(), nullptr);
    for (const char* name : {"cmdSave", "cmdDelete", "CmdAdd", "cmdGAdd", "cmdNext", "cmdPicture"})
        EXPECT_FALSE(f.enabled(name)) << name;
    EXPECT_FALSE(f.w<PicturePanel>("picture")->editable());
    // The other categories still open.
    f.choose(Categories::names().at(6));
    EXPECT_EQ(f.rowCount(), 3);
    EXPECT_EQ(f.messages.size(), 1u);
    EXPECT_TRUE(f.enabled("cmdSave"));
}

TEST(EditorUnreadableCategory, NothingIsWrittenIntoIt) {
    DamagedBank f;
    const QByteArray before = readFile(f.env.file("reg.ocx"));
    ASSERT_TRUE(f.open(EditorVariant::manager()));
    f.choose(f.good);
    f.clickRow(1);
    f.choose(f.damaged);
    ASSERT_EQ(f.rowCount(), 0);
    // Whatever reaches the form, from its buttons or from code, writes nothing.
    f.type(f.text1(), padded(f.good, 1));
    f.type(f.text2(), "改了");
    f.click("cmdSave");
    f.form->onSave();
    f.form->onDelete();
    f.form->onAdd();
    f.type(f.text1(), "新题");
    f.type(f.text2(), "新答");
    f.form->onSave();
    f.form->onNext();
    f.form->onRowChosen();
    EXPECT_EQ(f.messages.size(), 1u);
    f.form.reset();
    EXPECT_EQ(readFile(f.env.file("reg.ocx")), before);
}
