#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

#include "questionbank/bankschema.h"

// The question-bank source: UTF-8 CSV with the columns category, question,
// answer (RFC 4180 quoting), an optional header line "category,question,answer".
namespace BankCsv {

struct Result {
    std::vector<BankSchema::Question> questions;
    QString error;  // empty on success; names the line of the first fault
    bool ok() const { return error.isEmpty(); }
};

// Reads the text; refuses bad lines, empty fields, unknown categories and
// repeated questions, naming the line.
Result parse(const QByteArray& text, bool withCategory = true);

// Writes rows in the same format, quoting where needed.
QByteArray write(const std::vector<BankSchema::Question>& rows, bool withCategory = true);

}  // namespace BankCsv
