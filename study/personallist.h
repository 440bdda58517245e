// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <QVariantMap>
#include <functional>

class EditSession;
class RecordSet;

// The learner's personal list word.ocx as the display's keys change it: one
// question added, one removed. While Study's own editor is open it holds the
// file for exclusive use, so the change then goes through the editor's edit
// session, whose list shows it; otherwise the file is opened for exclusive use like the
// editor does, for this one change. A file that cannot be written is left
// exactly as it was.
class PersonalList {
public:
    enum class Outcome { Added, AlreadyThere, Removed, NotThere, Failed };
    struct Result {
        Outcome outcome;
        QString text;  // what the display tells the learner, in Chinese
    };
    // The open editor's session, or null.
    using SessionFinder = std::function<EditSession*()>;

    PersonalList(QString dataFolder, SessionFinder session);

    // The fields of the shown record that go into the personal list, by name.
    // This is the one place that decides what is copied; a picture goes along
    // where the shown record has one.
    static QVariantMap questionOf(RecordSet& shown);

    Result add(const QVariantMap& question);
    // Removes the record with this index if it still holds this question.
    Result remove(qint64 index, const QString& english);

    // The picture of `shown`, a record of the personal list on the display:
    // through the editor's session while it holds the file, else read from the file.
    // Empty without one; on failure also empty, with the reason in `why`.
    QByteArray pictureOf(RecordSet& shown, QString* why) const;

private:
    QString path() const;
    QString folder_;
    SessionFinder session_;
};
