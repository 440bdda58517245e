// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/datacontrol.h"

#include "platform/logging.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/recordset.h"

void DataControl::clear() { set_.reset(); }

bool DataControl::Refresh(QString* error) {
    set_.reset();
    if (DatabaseName.isEmpty()) return true;
    try {
        auto db = Database::open(DatabaseName, {.exclusive = false, .readOnly = true}, Connect);
        set_ = RecordSet::open(db, RecordSource);
        set_->detach();
        return true;
    } catch (const DbError& e) {
        if (error) *error = e.message();
        return false;
    }
}
