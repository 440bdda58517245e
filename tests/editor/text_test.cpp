// SPDX-License-Identifier: GPL-3.0-or-later
// Awkward text through both editors: quotes, SQL metacharacters, 10,000
// characters, emoji and mixed scripts are saved, listed and shown again
// exactly as typed.
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QComboBox>

#include "questionbank/categories.h"
#include "tests/editor/editorfixture.h"

namespace {

QString longText() {
    QString s;
    while (s.size() < 10000) s += QStringLiteral("长文本ab，");
    s.truncate(10000);
    return s;
}

struct Text {
    const char* name;
    QString question, answer;
};

std::vector<Text> texts() {
    return {
        {"quotes", QStringLiteral("他说：\"靠右行驶\"，'单引号' “全角” ‘单’"), QStringLiteral("\"\"''\"")},
        {"sql", QStringLiteral("'; DROP TABLE Word; -- \"index\" OR 1=1 %_\\"), QStringLiteral("') ; DELETE FROM Word WHERE ('1'='1")},
        {"long", longText(), longText().replace(QLatin1Char('a'), QLatin1Char('z'))},
        {"emoji", QStringLiteral("🚗🚦 红灯停 👍🏽 👨‍👩‍👧"), QStringLiteral("😀 \U0001F6D1 stop")},
        {"scripts", QStringLiteral("Ελληνικά русский العربية עברית 日本語 한국어 हिन्दी"), QStringLiteral("mixed: ДА 是 نعم")},
    };
}

struct Variant {
    const char* name;
    const EditorVariant& (*variant)();
    const char* file;
};

class EditorText : public ::testing::TestWithParam<Variant> {};

}  // namespace

TEST_P(EditorText, SavedListedAndShownVerbatim) {
    const Variant v = GetParam();
    const bool bank = std::string(v.file) == "reg.ocx";
    EditorFixture f;
    // Manager saves only in a category that has questions (an empty one keeps
    // the save button disabled), so the bank starts with one.
    const QString seed = QStringLiteral("种子题");
    if (bank) f.env.makeBank({{Categories::names().at(0), seed, QStringLiteral("种子答")}});
    else f.env.makePersonalList({});
    ASSERT_TRUE(f.open(v.variant()));
    auto chooseCategory = [&] {
        auto* combo = f.w<QComboBox>("Combo1");
        combo->setCurrentIndex(0);
        emit combo->activated(0);
    };
    if (bank) chooseCategory();
    for (const Text& t : texts()) {
        f.click("cmdGAdd");
        f.type(f.text1(), t.question);
        f.type(f.text2(), t.answer);
        f.click("cmdSave");
        ASSERT_TRUE(f.messages.empty()) << t.name << ": " << f.messages.back().text.toStdString();
    }
    QStringList want;
    for (const Text& t : texts()) want << t.question;
    if (bank) want << seed;
    QStringList listed = f.listEntries();
    std::sort(want.begin(), want.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, want);

    // A fresh form shows each record as it was typed.
    ASSERT_TRUE(f.open(v.variant()));
    if (bank) chooseCategory();
    ASSERT_EQ(f.rowCount(), int(texts().size()) + (bank ? 1 : 0));
    for (int row = 0; row < f.rowCount(); ++row) {
        f.clickRow(row);
        const QString q = f.text1()->text();
        bool found = false;
        for (const Text& t : texts())
            if (t.question == q) {
                found = true;
                EXPECT_EQ(f.text2()->text(), t.answer) << t.name;
                EXPECT_EQ(f.entry(row), t.question) << t.name;
            }
        if (bank && q == seed) continue;
        EXPECT_TRUE(found) << "row " << row << " shows a question never typed: " << q.left(80).toStdString();
    }

    // And the file holds the very characters.
    const QStringList rows = f.rows(QString::fromLatin1(v.file));
    QStringList expected;
    if (bank) expected << seed + QStringLiteral("|种子答");
    for (const Text& t : texts()) expected << t.question + QLatin1Char('|') + t.answer;
    EXPECT_EQ(rows, expected);
}

INSTANTIATE_TEST_SUITE_P(Editors, EditorText,
                         ::testing::Values(Variant{"study", &EditorVariant::study, "word.ocx"},
                                           Variant{"manager", &EditorVariant::manager, "reg.ocx"}),
                         [](const auto& info) { return std::string(info.param.name); });
