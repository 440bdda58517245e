// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAbstractListModel>

class EditSession;

// The editor's list: row i is the question of record i of the session's
// set, read from the set itself, so list and set cannot disagree. Rows
// follow the session's signals; only the rows in view are ever read.
class QuestionListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit QuestionListModel(EditSession& session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    EditSession& session_;
    // The rows the view was told of: the set changes first, then the view
    // hears of it.
    int rows_ = 0;
};
