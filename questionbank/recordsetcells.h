// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How RecordSet keeps a field in memory and hands it back to SQLite; shared
// by its reading and its writing halves only.
#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace RecordSetCells {

// Text stays UTF-8 until a field is asked for: decoding every record's
// Chinese text when the set opens would cost more than reading it.
inline QVariant toVariant(const SQLite::Column& c) {
    switch (c.getType()) {
        case SQLITE_INTEGER:
            return QVariant::fromValue<qint64>(c.getInt64());
        case SQLITE_FLOAT:
            return c.getDouble();
        case SQLITE_NULL:
            return {};
        default:
            return QByteArray(c.getText(), c.getBytes());
    }
}

inline QVariant decoded(const QVariant& cell) {
    if (cell.typeId() != QMetaType::QByteArray) return cell;
    return QString::fromUtf8(*static_cast<const QByteArray*>(cell.constData()));
}

inline void bindVariant(SQLite::Statement& st, int i, const QVariant& v) {
    if (v.isNull())
        st.bind(i);
    else if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int)
        st.bind(i, static_cast<int64_t>(v.toLongLong()));
    else if (v.typeId() == QMetaType::Double)
        st.bind(i, v.toDouble());
    else
        st.bind(i, v.toString().toStdString());
}

inline QString quoted(const QString& name) {
    QString n = name;
    return QLatin1Char('"') + n.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

}  // namespace RecordSetCells
