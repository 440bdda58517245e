// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <memory>

#include "questionbank/queries.h"

class RecordSet;

// The display's data source: a database file, a connect text and a record
// source. Refresh reads the records into memory and lets the file go, so the
// editors can open it for exclusive use while the display runs.
class DataControl {
public:
    QString DatabaseName;
    QString Connect = Queries::kDefaultConnect;
    QString RecordSource;

    // Opens the set on its first record. On failure the set is empty and
    // `error` holds a message for the user. An empty DatabaseName gives an
    // empty set without error.
    bool Refresh(QString* error = nullptr);

    RecordSet* Recordset() const { return set_.get(); }
    void clear();

private:
    std::unique_ptr<RecordSet> set_;
};
