// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/recordidentities.h"

#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>

#include "platform/logging.h"
#include "questionbank/columns.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/examfields.h"
#include "questionbank/picturecolumn.h"
#include "questionbank/questionidentity.h"
#include "questionbank/recordset.h"
#include "study/datacontrol.h"

namespace {
const QString kIndex = QStringLiteral("index");
}

void RecordIdentities::clear() {
    known_ = false;
    byIndex_.clear();
}

// Identities worked out from the set's own fields, with pictures by index.
void RecordIdentities::workOut(const RecordSet& set, const QHash<qint64, QByteArray>& pictures) {
    for (int row = 0; row < set.RecordCount(); ++row) {
        const qint64 index = set.fieldAt(row, kIndex).toLongLong();
        byIndex_.insert(
            index, QuestionIdentity::of(set.fieldAt(row, Columns::kEnglish).toString(),
                                        ExamFields::at(set, row).options, pictures.value(index)));
    }
}

bool RecordIdentities::load(const DataControl& data) {
    clear();
    const RecordSet* set = data.Recordset();
    if (!set) return false;
    if (!set->keyedOnIdentity() && !set->hasPictureColumn()) {
        workOut(*set, {});
        known_ = true;
        return true;
    }
    try {
        auto db = Database::open(data.DatabaseName, {.readOnly = true}, data.Connect);
        // A file with pictures but no stored identity (none is written so
        // now) has its identities worked out from the pictures' bytes.
        const bool keyed = QuestionIdentity::keyed(db->sqlite());
        const QString column = keyed ? QuestionIdentity::kColumn : PictureColumn::kName;
        SQLite::Statement q(
            db->sqlite(),
            QStringLiteral("SELECT \"index\", %1 FROM Word").arg(column).toStdString());
        QHash<qint64, QByteArray> pictures;
        while (q.executeStep()) {
            const qint64 index = q.getColumn(0).getInt64();
            const SQLite::Column value = q.getColumn(1);
            if (keyed)
                byIndex_.insert(index, QString::fromStdString(value.getString()).toLower());
            else
                pictures.insert(
                    index, QByteArray(static_cast<const char*>(value.getBlob()), value.getBytes()));
        }
        if (!keyed) workOut(*set, pictures);
        known_ = true;
    } catch (const DbError& e) {
        qCInfo(lcDisplay).noquote() << "question identities not read:" << e.message();
    } catch (const SQLite::Exception& e) {
        qCInfo(lcDisplay).noquote() << "question identities not read:" << e.what();
    }
    return known_;
}

QString RecordIdentities::at(const RecordSet& set, int row) const {
    if (!known_ || row < 0 || row >= set.RecordCount()) return {};
    return byIndex_.value(set.fieldAt(row, kIndex).toLongLong());
}
