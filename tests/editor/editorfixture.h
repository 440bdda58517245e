// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Statement.h>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <memory>

#include "editor/questioneditor.h"
#include "editor/questioneditorbox.h"
#include "platform/widgets/messagebox.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"
#include "skin/skinbutton.h"
#include "skin/titlebarbuttons.h"
#include "tests/support/testenv.h"

// The question box of either editor, one line (Study) or several (Manager):
// what the tests read of it.
struct QuestionField {
    QWidget* box;
    QLineEdit* line() const { return qobject_cast<QLineEdit*>(box); }
    QuestionBox* lines() const { return qobject_cast<QuestionBox*>(box); }
    QString text() const { return line() ? line()->text() : lines()->text(); }
    int cursorPosition() const {
        return line() ? line()->cursorPosition() : lines()->cursorPosition();
    }
    bool hasFocus() const { return box->hasFocus(); }
    QVariant inputMethodQuery(Qt::InputMethodQuery q) const { return box->inputMethodQuery(q); }
    const QuestionField* operator->() const { return this; }
    operator QWidget*() const { return box; }
};

// One editor over a private program folder, driven through its widgets.
struct EditorFixture {
    TestEnv env;
    std::vector<MessageBox::Shown> messages;
    std::unique_ptr<QuestionEditor> form;
    int closed = 0;

    EditorFixture() {
        MessageBox::setHook([this](const MessageBox::Shown& s) { messages.push_back(s); });
    }
    ~EditorFixture() {
        form.reset();
        MessageBox::setHook({});
    }

    bool open(const EditorVariant& v) {
        form = std::make_unique<QuestionEditor>(v, env.programDir());
        form->setCloser([this] { ++closed; });
        const bool ok = form->load();
        form->show();
        return ok;
    }

    template <class T = QWidget>
    T* w(const char* name) const {
        T* c = form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    QuestionField text1() const {
        QWidget* box = w("text1");
        EXPECT_TRUE(qobject_cast<QLineEdit*>(box) || qobject_cast<QuestionBox*>(box));
        return {box};
    }
    QLineEdit* text2() const { return w<QLineEdit>("text2"); }
    QListView* list() const { return w<QListView>("List1"); }
    // The list's entries as its model gives them to the view.
    int rowCount() const { return list()->model()->rowCount(); }
    QString entry(int row) const { return list()->model()->index(row, 0).data().toString(); }
    int currentRow() const { return list()->currentIndex().row(); }
    QString status() const { return w<QLineEdit>("txtGCurent")->text(); }
    bool enabled(const char* name) const { return w(name)->isEnabled(); }

    void click(const char* name) {
        QWidget* c = w(name);
        QTest::mouseClick(c, Qt::LeftButton, {}, c->rect().center());
    }
    void clickRow(int row) {
        const QRect r = list()->visualRect(list()->model()->index(row, 0));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, r.center());
    }
    template <class Box>
    void type(Box* box, const QString& text) {
        // keyClicks knows only ASCII keys; insert() types like a user does.
        box->setFocus();
        box->clear();
        box->insert(text);
    }
    void type(const QuestionField& field, const QString& text) {
        if (field.line())
            type(field.line(), text);
        else
            type(field.lines(), text);
    }
    QStringList listEntries() const {
        QStringList out;
        for (int i = 0; i < rowCount(); ++i) out << entry(i);
        return out;
    }
    // The rows of a file, read after the form has let it go.
    QStringList rows(
        const QString& file,
        const QString& query = "select English || '|' || Chinese from Word order by \"index\"") {
        form.reset();
        auto db = Database::open(env.file(file), {.readOnly = true}, Queries::kBankConnect);
        QStringList out;
        SQLite::Statement q(db->sqlite(), query.toStdString());
        while (q.executeStep()) out << QString::fromStdString(q.getColumn(0).getString());
        return out;
    }
};
