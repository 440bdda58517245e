// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/storedpicture.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "platform/logging.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/picturedecoder.h"

QByteArray StoredPicture::read(Database& db, qint64 rowid, QString* error) {
    try {
        // length() does not read the bytes, so a huge picture is refused unread.
        SQLite::Statement q(
            db.sqlite(),
            "SELECT length(picture), CASE WHEN length(picture) <= ? THEN picture END "
            "FROM Word WHERE rowid = ?");
        q.bind(1, static_cast<int64_t>(PictureDecoder::kMaxBytes));
        q.bind(2, static_cast<int64_t>(rowid));
        if (!q.executeStep() || q.getColumn(0).isNull()) return {};
        const qint64 size = q.getColumn(0).getInt64();
        if (size > PictureDecoder::kMaxBytes) {
            qCInfo(lcDb).noquote() << "picture of record" << rowid << "in" << db.path()
                                   << "not read:" << size << "bytes";
            if (error) *error = QStringLiteral("图片过大（%1 字节），不读取").arg(size);
            return {};
        }
        const SQLite::Column c = q.getColumn(1);
        return QByteArray(static_cast<const char*>(c.getBlob()), c.getBytes());
    } catch (const SQLite::Exception& e) {
        qCInfo(lcDb).noquote() << "picture of record" << rowid << "in" << db.path()
                               << "not read:" << e.what();
        if (error) *error = DbError::fromSqlite(e, db.path()).message();
    }
    return {};
}
