// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/questionidentity.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QCryptographicHash>
#include <QtEndian>

#include "questionbank/examfields.h"
#include "questionbank/picturecolumn.h"

namespace QuestionIdentity {

namespace {
void addField(QCryptographicHash& h, QByteArrayView bytes) {
    char length[8];
    qToBigEndian<quint64>(quint64(bytes.size()), length);
    h.addData(QByteArrayView(length, 8));
    h.addData(bytes);
}

QString textOf(const SQLite::Column& c) {
    return c.isNull() ? QString() : QString::fromUtf8(c.getText(), c.getBytes());
}
}  // namespace

QString of(const QString& text, const Options& options, const QByteArray& picture) {
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(QByteArrayView("quillmere-question-identity/1"));
    addField(h, text.toUtf8());
    for (const QString& o : options) addField(h, o.toUtf8());
    addField(h, picture);
    return QString::fromLatin1(h.result().toHex());
}

bool keyed(SQLite::Database& db) {
    SQLite::Statement q(db, "SELECT 1 FROM pragma_table_info('Word') WHERE name = 'identity'");
    return q.executeStep();
}

void addKey(SQLite::Database& db) {
    db.exec("ALTER TABLE Word ADD COLUMN identity TEXT");
    db.exec("CREATE UNIQUE INDEX WordIdentity ON Word (identity)");
}

void refresh(SQLite::Database& db, qint64 rowid) {
    if (!keyed(db)) return;
    const bool picture = PictureColumn::exists(db);
    const bool options = ExamColumns::exist(db);
    const QString sql = QStringLiteral("SELECT English, %1, %2 FROM Word WHERE rowid = ?")
                            .arg(options ? QStringLiteral("option_a, option_b, option_c, option_d")
                                         : QStringLiteral("NULL, NULL, NULL, NULL"),
                                 picture ? QStringLiteral("picture") : QStringLiteral("NULL"));
    SQLite::Statement q(db, sql.toStdString());
    q.bind(1, static_cast<int64_t>(rowid));
    if (!q.executeStep()) return;
    Options o;
    for (int i = 0; i < 4; ++i) o[i] = textOf(q.getColumn(1 + i));
    const SQLite::Column p = q.getColumn(5);
    const QByteArray bytes =
        p.isNull() ? QByteArray() : QByteArray(static_cast<const char*>(p.getBlob()), p.getBytes());
    const QString id = of(textOf(q.getColumn(0)), o, bytes);
    q.reset();
    SQLite::Statement up(db, "UPDATE Word SET identity = ? WHERE rowid = ?");
    up.bind(1, id.toStdString());
    up.bind(2, static_cast<int64_t>(rowid));
    up.exec();
}

}  // namespace QuestionIdentity
