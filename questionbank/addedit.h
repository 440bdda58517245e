// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QVariantMap>
#include <QWidget>
#include <functional>
#include <memory>

#include "questionbank/editorvariant.h"

class Database;
class DbError;
class PicturePanel;
class RecordSet;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;
class SkinFrame;
class SkinButton;
class TitleBarButtons;

// The question editor: browse a list of questions, change a question and its
// answer, add new ones and delete them. Study uses it over the personal list,
// Manager over one category of the bank; the variant describes the difference.
//
// Invariant: entry i of List1 shows the question of record i of the set.
class addedit : public QWidget {
    Q_OBJECT
public:
    addedit(const EditorVariant& variant, const QString& dataFolder, QWidget* parent = nullptr);
    ~addedit() override;

    // Loads the form. For the personal list this opens the database; when it
    // cannot be opened for exclusive use it says so and returns false, and
    // the form should be closed without being shown.
    bool Form_Load();

    // Runs before the first write of the session; a false result cancels it.
    // Manager keeps its backup copy here.
    void setBeforeFirstWrite(std::function<bool(Database&, QString* error)> f) {
        beforeFirstWrite_ = std::move(f);
    }
    // What ends the program (Manager) or releases the form (Study).
    void setCloser(std::function<void()> f) { closer_ = std::move(f); }

    // Handlers, named by control and event.
    void cmdGFirst_Click();
    void cmdPrev_Click();
    void cmdNext_Click();
    void cmdGLast_Click();
    void cmdGAdd_Click();
    void CmdAdd_Click() { cmdGAdd_Click(); }
    void cmdSave_Click() { SaveCurrent(); }
    void cmdDelete_Click();
    void List1_Click();
    void Combo1_Click();
    void Command1_Click();
    void xptopbuttons1_Click();
    void xptopbuttons3_Click();

    void ClearFields();
    void DisableBrowsing();
    void EnableBrowsing();
    void SaveCurrent();

    bool AddMode() const { return AddMode_; }
    QString FirstBookmark() const { return FirstBookmark_; }
    RecordSet* recordset() const { return rs_.get(); }
    const EditorVariant& variant() const { return v_; }

    static QString StatusLine(int n, int total);

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void build();
    QList<QWidget*> browsingControls() const;
    template <class T>
    T* place(T* w, const char* name);
    void showRecord();
    void showFields();
    bool seekShownRecord();
    void fillList();
    void selectListEntry(int row);
    void setStatus(int n, int total);
    void loadFirstRecord();
    bool openDatabase(QString* error);
    void categoryUnreadable(const DbError& e);
    void end();

    const EditorVariant& v_;
    QString folder_;
    std::shared_ptr<Database> db_;
    std::unique_ptr<RecordSet> rs_;
    bool AddMode_ = false;
    QString FirstBookmark_;
    bool wroteThisSession_ = false;
    bool inListClick_ = false;
    bool rowChangedByPress_ = false;
    std::function<bool(Database&, QString*)> beforeFirstWrite_;
    std::function<void()> closer_;

    SkinFrame* canvas_ = nullptr;
    TitleBarButtons *top1_ = nullptr, *top2_ = nullptr, *top3_ = nullptr;
    QLabel *label5_ = nullptr, *label6_ = nullptr, *label2_ = nullptr;
    QLineEdit *text1_ = nullptr, *text2_ = nullptr, *txtGCurent_ = nullptr;
    SkinButton *cmdSave_ = nullptr, *CmdAdd_ = nullptr, *cmdDelete_ = nullptr, *Command1_ = nullptr;
    QComboBox* Combo1_ = nullptr;
    QListWidget* List1_ = nullptr;
    QToolButton *cmdGFirst_ = nullptr, *cmdPrev_ = nullptr, *cmdNext_ = nullptr,
                *cmdGLast_ = nullptr, *cmdGAdd_ = nullptr;

    // The question's picture: its thumbnail and the button of its menu.
    void buildPicture();
    void showPicture();
    PicturePanel* picture_ = nullptr;
    SkinButton* cmdPicture_ = nullptr;

    // ---- changes made from outside the form -------------------------------
    // While the form holds its file for exclusive use, another part of the
    // program (the display's keys) changes the list through it, so that the
    // list shows the change, and the display reads its pictures through it.
    // What the user is typing stays in the boxes.
public:
    // Appends a record with these fields (by column name) to the set and its
    // question to the list. Throws DbError, 3022 for a question already there;
    // then nothing changes.
    void addFromOutside(const QVariantMap& fields);
    // Removes the record with this index if it still holds this question;
    // false when no record does. Throws DbError; then nothing changes.
    bool removeFromOutside(qint64 index, const QString& english);
    // The stored picture of the record with this index, read through the
    // form's own connection (another one cannot read the file meanwhile).
    // Empty without one; on failure also empty, with the reason in `error`.
    QByteArray pictureOf(qint64 index, QString* error);
};
