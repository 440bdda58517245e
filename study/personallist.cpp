// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/personallist.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include "editor/editsession.h"
#include "platform/folderpath.h"
#include "platform/logging.h"
#include "questionbank/columns.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/examfields.h"
#include "questionbank/picturecolumn.h"
#include "questionbank/queries.h"
#include "questionbank/questionidentity.h"
#include "questionbank/recordset.h"

namespace {
using Columns::kChinese;
using Columns::kEnglish;
const QString kPicture = QStringLiteral("picture");

QString failed(const DbError& e) {
    qCInfo(lcDb).noquote() << "personal list unchanged:" << e.number() << e.message();
    return e.message() + QStringLiteral("\n生词本没有改动。");
}

// Only the fields the target table has: a list without a picture column
// still takes the question and its answer.
QVariantMap fitting(const QVariantMap& question, const QStringList& columns) {
    QVariantMap out;
    for (auto it = question.cbegin(); it != question.cend(); ++it)
        for (const QString& c : columns)
            if (c.compare(it.key(), Qt::CaseInsensitive) == 0) out.insert(c, it.value());
    return out;
}

QStringList columnsOf(SQLite::Database& db) {
    QStringList out;
    SQLite::Statement st(db, "PRAGMA table_info(Word)");
    while (st.executeStep()) out << QString::fromUtf8(st.getColumn(1).getText());
    return out;
}

bool hasExamField(const QVariantMap& question) {
    for (auto it = question.cbegin(); it != question.cend(); ++it)
        if (ExamColumns::isExamColumn(it.key()) && !it.value().toString().isEmpty()) return true;
    return false;
}

QString quoted(const QString& name) {
    return QLatin1Char('"') + name + QLatin1Char('"');
}
}  // namespace

PersonalList::PersonalList(QString dataFolder, SessionFinder session)
    : folder_(std::move(dataFolder)), session_(std::move(session)) {}

QString PersonalList::path() const {
    return FolderPath::join(folder_, Queries::kPersonalFile);
}

QVariantMap PersonalList::questionOf(RecordSet& shown) {
    QVariantMap q;
    q.insert(kEnglish, shown.text(kEnglish));
    q.insert(kChinese, shown.text(kChinese));
    // The picture of a bank question, where the bank has one, goes with it.
    // One that cannot be read is left behind: the question still goes in.
    QString error;
    const QByteArray picture = shown.picture(&error);
    if (!picture.isEmpty())
        q.insert(kPicture, picture);
    else if (!error.isEmpty())
        qCInfo(lcDb).noquote() << "picture not copied:" << error;
    // Options are part of what the question is: the copy keeps them, and its
    // kind and explanation with them.
    for (const QString& c : ExamColumns::names())
        if (const QString v = shown.text(c); !v.isEmpty()) q.insert(c, v);
    return q;
}

PersonalList::Result PersonalList::add(const QVariantMap& question) {
    const QString english = question.value(kEnglish).toString();
    try {
        if (EditSession* session = session_ ? session_() : nullptr; session && session->records()) {
            QStringList columns = session->records()->columns();
            // The session adds these columns when it stores something in them.
            columns << kPicture << ExamColumns::names();
            session->addFromOutside(fitting(question, columns));
        } else {
            auto db = Database::open(path(), {.exclusive = true, .readOnly = false});
            try {
                SQLite::Transaction tx(db->sqlite());
                QStringList columns = columnsOf(db->sqlite());
                if (question.contains(kPicture) && !PictureColumn::exists(db->sqlite())) {
                    PictureColumn::add(db->sqlite());  // undone with the transaction
                    columns << kPicture;
                }
                if (hasExamField(question) && !ExamColumns::exist(db->sqlite())) {
                    ExamColumns::add(db->sqlite());
                    columns << ExamColumns::names();
                }
                const QVariantMap fields = fitting(question, columns);
                QStringList names, marks;
                for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
                    names << quoted(it.key());
                    marks << QStringLiteral("?");
                }
                SQLite::Statement st(
                    db->sqlite(),
                    QStringLiteral("INSERT INTO Word (%1) VALUES (%2)")
                        .arg(names.join(QLatin1String(", ")), marks.join(QLatin1String(", ")))
                        .toStdString());
                int i = 1;
                for (const QVariant& v : fields) {
                    if (v.typeId() == QMetaType::QByteArray) {
                        const QByteArray bytes = v.toByteArray();
                        st.bind(i++, bytes.constData(), int(bytes.size()));
                    } else {
                        st.bind(i++, v.toString().toStdString());
                    }
                }
                st.exec();
                // A list keyed on the identity refuses the same question again here.
                QuestionIdentity::refresh(db->sqlite(), db->sqlite().getLastInsertRowid());
                tx.commit();
            } catch (const SQLite::Exception& e) {
                throw DbError::fromSqlite(e, db->path());
            }
        }
    } catch (const DbError& e) {
        if (e.number() == DbError::DuplicateKey) {
            qCInfo(lcDb).noquote() << "personal list already holds" << english;
            return {Outcome::AlreadyThere, QStringLiteral("已在生词本中")};
        }
        return {Outcome::Failed, failed(e)};
    }
    qCInfo(lcDb).noquote() << "personal list: added" << english;
    return {Outcome::Added, QStringLiteral("已加入")};
}

PersonalList::Result PersonalList::remove(qint64 index, const QString& english) {
    bool removed = false;
    try {
        if (EditSession* session = session_ ? session_() : nullptr; session && session->records()) {
            removed = session->removeFromOutside(index, english);
        } else {
            auto db = Database::open(path(), {.exclusive = true, .readOnly = false});
            try {
                SQLite::Statement st(db->sqlite(),
                                     "DELETE FROM Word WHERE \"index\" = ? AND English = ?");
                st.bind(1, static_cast<int64_t>(index));
                st.bind(2, english.toStdString());
                removed = st.exec() > 0;
            } catch (const SQLite::Exception& e) {
                throw DbError::fromSqlite(e, db->path());
            }
        }
    } catch (const DbError& e) {
        return {Outcome::Failed, failed(e)};
    }
    if (!removed) return {Outcome::NotThere, QStringLiteral("生词本中已经没有这道题")};
    qCInfo(lcDb).noquote() << "personal list: removed" << index << english;
    return {Outcome::Removed, QStringLiteral("已从生词本删除")};
}

QByteArray PersonalList::pictureOf(RecordSet& shown, QString* why) const {
    if (!shown.hasCurrent()) return {};
    if (EditSession* session = session_ ? session_() : nullptr; session && session->records())
        return session->pictureOf(shown.field(QStringLiteral("index")).toLongLong(), why);
    return shown.picture(why);
}
