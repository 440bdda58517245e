// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

class Database;
struct ExamFields;
namespace SQLite {
class Statement;
}

// The records of one query, read to the end when the set opens, with a
// current-record cursor and the write operations of an updatable set.
// A record added through the set stays at its end until the set is opened
// again, so list positions and record positions stay equal.
//
// The cursor lies on a record, before the first (BOF) or past the last (EOF).
// (EOF is a C macro, hence atEOF/atBOF.)
class RecordSet {
public:
    // Throws DbError. The set keeps the database for its writes.
    static std::unique_ptr<RecordSet> open(std::shared_ptr<Database> db, const QString& query);
    ~RecordSet();

    // Drops the connection: the records stay readable, writes then fail.
    void detach();

    bool atBOF() const;
    bool atEOF() const;
    bool hasCurrent() const;

    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    // The current record becomes the one `rows` rows after the bookmarked one.
    void Move(int rows, const QString& startBookmark);

    // Zero-based position of the current record; -1 without one.
    int AbsolutePosition() const;
    int RecordCount() const { return int(rows_.size()); }

    QString Bookmark() const;  // empty without a current record
    void setBookmark(const QString& bookmark);
    QString LastModified() const { return lastModified_; }

    // A field of the current record by name (any case); null without one.
    QVariant field(const QString& name) const;
    QString text(const QString& name) const { return field(name).toString(); }
    // A field of the record at `row` by name, without moving the cursor (a
    // list shows any row without walking the set); null outside the set.
    QVariant fieldAt(int row, const QString& name) const;
    const QStringList& columns() const { return columns_; }

    void AddNew();
    void Edit();  // throws DbError without a current record
    void setField(const QString& name, const QVariant& value);
    // Writes the pending record in its own committed transaction; throws
    // DbError (3022 for a duplicate key). The pending record stays on failure.
    // Update and Delete throw DbError (CannotUpdate) on a set whose rows
    // cannot be told apart for sure: without the index field, or in a file
    // whose index is not SQLite's row id.
    void Update();
    // Removes the current record; afterwards there is none until the set moves.
    void Delete();

    bool editing() const { return pending_ != Pending::None; }

    // Pictures: the optional column `picture` of table Word is never read
    // with the records (columns() leaves it out); a picture is read when its
    // record is shown.
    bool hasPictureColumn() const { return hasPicture_; }
    // The current record's picture bytes, read from the file now (a detached
    // set opens the file again, read-only, for the read). Empty without a
    // current record, a column or a picture; also empty, with the reason in
    // `error`, when the read fails or the bytes exceed PictureDecoder::kMaxBytes.
    QByteArray picture(QString* error = nullptr);
    // During AddNew or Edit: the picture that Update writes with the record,
    // in the same transaction; empty bytes remove it. Throws DbError without
    // a pending record.
    void setPicture(const QByteArray& bytes);
    // The pending Update stores a picture in a file without the column, so
    // it adds the column (the file's layout changes).
    bool updateAddsPictureColumn() const;
    // During AddNew or Edit: the exam-form fields that Update writes with the
    // record. In a file without their columns, Update adds them only when
    // something is written into them. Throws DbError without a pending record.
    void setExam(const ExamFields& fields);
    bool hasExamColumns() const { return hasExam_; }
    // True in a file keyed on the question's identity (text, options and
    // picture) rather than on its text: Update then stores the identity and
    // refuses (3022) a second row that is the same question.
    bool keyedOnIdentity() const { return keyed_; }
    // Drops the current record from the set only, leaving the file alone: for
    // a set read into memory whose record was deleted through another
    // connection. Afterwards there is none until the set moves, as after Delete.
    void forgetCurrent();

private:
    RecordSet() = default;
    enum class Pending { None, Adding, Editing };
    int column(const QString& name) const;
    qint64 rowid(int row) const;
    int rowOfBookmark(const QString& bookmark) const;
    void setPos(int pos);
    void fetchRow(qint64 rowid, std::vector<QVariant>& out);
    std::shared_ptr<Database> requireDb() const;
    void requireWritable() const;

    std::shared_ptr<Database> db_;
    QString file_;
    QStringList columns_;
    int indexColumn_ = -1;
    bool writable_ = false;  // index is the row id: Update and Delete hit the right row
    std::vector<std::vector<QVariant>> rows_;
    int pos_ = -1;          // -1: BOF; rows_.size(): EOF
    bool deleted_ = false;  // the record at pos_ was deleted; none is current
    QString lastModified_;
    Pending pending_ = Pending::None;
    QHash<int, QVariant> buffer_;
    QString connect_;
    bool hasPicture_ = false;
    std::optional<QByteArray> pendingPicture_;
    bool writePicture(Database& db, qint64 id);
    void takeWrittenRow(qint64 id);
    bool addExamColumns(Database& db);
    std::unique_ptr<SQLite::Statement> writeStatement(Database& db, const QList<int>& order,
                                                      const QStringList& extra);
    void adoptExamColumns();
    bool keyed_ = false;
    bool hasExam_ = false;
    std::shared_ptr<const ExamFields> pendingExam_;
};
