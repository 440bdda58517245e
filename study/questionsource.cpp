// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/questionsource.h"

#include "platform/folderpath.h"
#include "platform/widgets/messagebox.h"
#include "questionbank/categories.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"
#include "study/datacontrol.h"
#include "study/settingsrecord.h"

namespace {
void openPersonalList(const QString& folder, DataControl& data) {
    data.DatabaseName = FolderPath::join(folder, Queries::kPersonalFile);
    data.RecordSource = Queries::personalList();
}
}  // namespace

void selectEmptyListFallback(const QString& folder, DataControl& data, QWidget* parent) {
    MessageBox::show(parent, MessageBox::Icon::None, QStringLiteral("Error:New Words book is empty."));
    data.DatabaseName = FolderPath::join(folder, Queries::kBankFile);
    data.Connect = Queries::kBankConnect;
    data.RecordSource = Queries::displayWeatherFallback();
}

bool selectSource(const SettingsRecord& s, const QString& folder, DataControl& data, QWidget* parent) {
    if (s.guageword >= 10) {
        int count = 0;
        try {
            // Only the count is needed; the connection goes right after it.
            auto db = Database::open(FolderPath::join(folder, Queries::kPersonalFile), {.readOnly = true});
            count = RecordSet::open(db, Queries::personalList())->RecordCount();
        } catch (const DbError& e) {
            MessageBox::show(parent, MessageBox::Icon::Critical, e.message());
            data.DatabaseName.clear();
            data.RecordSource.clear();
            return false;
        }
        if (count > 0) {
            openPersonalList(folder, data);
            return true;
        }
        selectEmptyListFallback(folder, data, parent);
        return true;
    }
    // A negative filter cannot come from the store (reading falls back to the
    // first category); treat one set in memory the same way.
    const int filter = s.guageword < 0 ? 1 : s.guageword;
    data.DatabaseName = FolderPath::join(folder, Queries::kBankFile);
    data.Connect = Queries::kBankConnect;
    data.RecordSource = filter == 0 ? Queries::displayAll()
                                    : Queries::displayCategory(Categories::names().at(filter - 1));
    return true;
}
