// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// The shipped bank.csv as its rows, read here by header name rather than
// through bankctl's reader, so that what the file says can be checked even
// where the reader would refuse it.
struct ShippedRow {
    QString category, question, answer, picture, kind, explanation;
    QStringList options;  // A to D, "" where a column is empty

    // What the right answer says: the right options' texts for a choice
    // question, the statement itself for a true one, nothing for a false one.
    QString answerText() const;
};

// RFC 4180 text with a header line; columns missing from the header stay "".
std::vector<ShippedRow> readBankRows(const QByteArray& text);
std::vector<ShippedRow> shippedBankRows();
