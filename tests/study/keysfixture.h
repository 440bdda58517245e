// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include "questionbank/database.h"
#include "questionbank/queries.h"
#include "study/feedbacknote.h"
#include "tests/study/studyfixture.h"

// Study's display driven by its keys, with the personal list read back.
struct KeysFixture : StudyFixture {
    // Rows of word.ocx as "question|answer" in the order of addition.
    QStringList personalRows() {
        auto db = Database::open(env.file(Queries::kPersonalFile), {.readOnly = true});
        QStringList out;
        SQLite::Statement q(db->sqlite(),
                            "select English || '|' || Chinese from Word order by \"index\"");
        while (q.executeStep()) out << QString::fromStdString(q.getColumn(0).getString());
        return out;
    }
    void key(Qt::Key k) { QTest::keyClick(frm.get(), k); }
    QString note() const { return frm->note()->isVisible() ? frm->note()->text() : QString(); }
    int messagesContaining(const QString& part) const {
        int n = 0;
        for (const auto& m : messages) n += m.text.contains(part) ? 1 : 0;
        return n;
    }
};
