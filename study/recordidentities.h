// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>

class DataControl;
class RecordSet;

// The identity of each record the display holds, as the learner's progress
// knows the question. The display's record set leaves the identity and the
// picture out, so a file keyed on the identity is read once more for that
// column alone, right after the set was opened; in a file without pictures
// the identity follows from the fields the set holds. Records are found by
// their index, so a record dropped from the set (K) leaves the others right.
class RecordIdentities {
public:
    // Reads the identities of the set the data control holds now. False when
    // the file could not be read again (an editor took it meanwhile): then
    // no identity is known.
    bool load(const DataControl& data);
    void clear();
    bool known() const { return known_; }
    // The identity of the record at row of set; empty when not known.
    QString at(const RecordSet& set, int row) const;

private:
    void workOut(const RecordSet& set, const QHash<qint64, QByteArray>& pictures);
    bool known_ = false;
    QHash<qint64, QString> byIndex_;
};
