// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/questionidentity.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <openssl/evp.h>

#include <QtEndian>
#include <memory>

#include "questionbank/examfields.h"
#include "questionbank/picturecolumn.h"

namespace QuestionIdentity {

namespace {
// OpenSSL's SHA-256 rather than Qt's: it uses the processor's SHA
// instructions, about seven times as fast, and a build hashes every picture.
struct Sha256 {
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx{EVP_MD_CTX_new(), &EVP_MD_CTX_free};
    Sha256() { EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr); }
    void add(QByteArrayView bytes) {
        EVP_DigestUpdate(ctx.get(), bytes.data(), size_t(bytes.size()));
    }
    QByteArray result() {
        unsigned char md[EVP_MAX_MD_SIZE];
        unsigned int n = 0;
        EVP_DigestFinal_ex(ctx.get(), md, &n);
        return QByteArray(reinterpret_cast<const char*>(md), int(n));
    }
};

void addField(Sha256& h, QByteArrayView bytes) {
    char length[8];
    qToBigEndian<quint64>(quint64(bytes.size()), length);
    h.add(QByteArrayView(length, 8));
    h.add(bytes);
}

QString textOf(const SQLite::Column& c) {
    return c.isNull() ? QString() : QString::fromUtf8(c.getText(), c.getBytes());
}
}  // namespace

QString of(const QString& text, const Options& options, const QByteArray& picture) {
    Sha256 h;
    h.add(QByteArrayView("quillmere-question-identity/1"));
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
