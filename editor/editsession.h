// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <optional>

#include "questionbank/examfields.h"

class Database;
class RecordSet;

// What the question editor edits, without its widgets: the open database,
// the record set of the list, the anchor of list positions, and every write,
// whether from the editor's buttons or from outside (the display's keys).
// Study's editor holds the personal list for exclusive use, so the display's
// changes to it come through here too, and the editor's list follows them
// through the signals.
class EditSession : public QObject {
    Q_OBJECT
public:
    // `path`: the database file; `connect`: its connect text (";pwd=…").
    EditSession(QString path, QString connect, QObject* parent = nullptr);
    ~EditSession() override;

    // Runs before the first write of the session; a false result cancels it.
    // Manager keeps its backup copy here.
    using BeforeFirstWrite = std::function<bool(Database&, QString* error)>;
    void setBeforeFirstWrite(BeforeFirstWrite f) { beforeFirstWrite_ = std::move(f); }

    // Opens the file for exclusive use, read-write. False, with the reason,
    // when it cannot be opened or its rows cannot be told apart for sure.
    bool openDatabase(QString* error);
    bool hasDatabase() const { return db_ != nullptr; }

    // Reads `query` afresh into the set of the list. Throws DbError; the set
    // read before then stays.
    void read(const QString& query);
    // Drops the set: no list, no writes.
    void closeRecords();
    RecordSet* records() const { return rs_.get(); }

    // The first record becomes current and anchors the list positions.
    void anchorFirst();
    const QString& firstBookmark() const { return firstBookmark_; }
    // The record of list entry `row` becomes current. Throws DbError.
    void moveToRow(int row);

    // The fields the editor's save writes; the category only in a bank.
    struct Question {
        QString english, chinese;
        std::optional<QString> category;
        std::optional<QByteArray> picture;  // only a changed picture
        std::optional<ExamFields> exam;     // only in a file with the exam columns
    };
    // Starts a new record (`adding`) or changes the current one, and writes
    // it unless the question or the answer is blank (false then: nothing is
    // written). The written record becomes current. Throws DbError, 3022
    // for a question already there.
    bool save(bool adding, const Question& q);
    // Deletes the current record; the first record becomes current, and
    // anchors the list when the deleted one was the first. Throws DbError.
    void removeCurrent();

    // ---- changes made from outside the editor ------------------------------
    // Appends a record with these fields (by column name). The current record
    // stays current. Throws DbError, 3022 for a question already there; then
    // nothing changes.
    void addFromOutside(const QVariantMap& fields);
    // Removes the record with this index if it still holds this question;
    // false when no record does. Throws DbError; then nothing changes.
    bool removeFromOutside(qint64 index, const QString& english);
    // The stored picture of the record with this index, read through the
    // session's own connection (another one cannot read the file meanwhile).
    // Empty without one; on failure also empty, with the reason in `error`.
    QByteArray pictureOf(qint64 index, QString* error);

signals:
    void recordsAboutToBeReset();
    void recordsReset();
    void rowInserted(int row);
    void rowRemoved(int row);
    void rowChanged(int row);
    // After a change from outside: `english` added or removed, and whether
    // the record that was current is gone.
    void addedFromOutside(const QString& english);
    void removedFromOutside(const QString& english, bool currentRemoved);

private:
    // The one place that keeps the backup before the first write.
    void write(const std::function<void()>& w);
    void replaceRecords(std::unique_ptr<RecordSet> rs);

    QString path_;
    QString connect_;
    std::shared_ptr<Database> db_;
    std::unique_ptr<RecordSet> rs_;
    QString firstBookmark_;
    bool wrote_ = false;
    BeforeFirstWrite beforeFirstWrite_;
};
