// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/questionlistmodel.h"

#include <QRegularExpression>

#include "editor/editsession.h"
#include "questionbank/columns.h"
#include "questionbank/recordset.h"

QuestionListModel::QuestionListModel(EditSession& session, QObject* parent)
    : QAbstractListModel(parent), session_(session) {
    connect(&session, &EditSession::recordsAboutToBeReset, this, [this] { beginResetModel(); });
    connect(&session, &EditSession::recordsReset, this, [this] {
        rows_ = session_.records() ? session_.records()->RecordCount() : 0;
        endResetModel();
    });
    connect(&session, &EditSession::rowInserted, this, [this](int row) {
        beginInsertRows({}, row, row);
        ++rows_;
        endInsertRows();
    });
    connect(&session, &EditSession::rowRemoved, this, [this](int row) {
        beginRemoveRows({}, row, row);
        --rows_;
        endRemoveRows();
    });
    connect(&session, &EditSession::rowChanged, this,
            [this](int row) { emit dataChanged(index(row), index(row), {Qt::DisplayRole}); });
}

int QuestionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant QuestionListModel::data(const QModelIndex& index, int role) const {
    const RecordSet* rs = session_.records();
    if (!rs || !index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    const QString text = rs->fieldAt(index.row(), Columns::kEnglish).toString();
    if (role == Qt::EditRole) return text;
    // A list row is one line: a question written on several shows its
    // lines side by side.
    static const QRegularExpression breaks(QStringLiteral("[\\r\\n\\x{2028}\\x{2029}]+"));
    return QString(text).replace(breaks, QStringLiteral(" "));
}
