// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/exambankreader.h"

#include "questionbank/database.h"

ExamBankReader::ExamBankReader(QString folder) : folder_(std::move(folder)) {}
ExamBankReader::~ExamBankReader() = default;

std::optional<std::vector<ExamQuestion>> ExamBankReader::bankQuestions() {
    return read(ExamQuestion::Source::Bank);
}

std::optional<std::vector<ExamQuestion>> ExamBankReader::personalQuestions() {
    return read(ExamQuestion::Source::PersonalList);
}

std::optional<std::vector<ExamQuestion>> ExamBankReader::read(ExamQuestion::Source) {
    return std::nullopt;  // stub: body follows
}

std::shared_ptr<Database> ExamBankReader::openFor(ExamQuestion::Source, QString*) {
    return nullptr;  // stub
}

QByteArray ExamBankReader::picture(const ExamQuestion&, QString*) {
    return {};  // stub
}

std::optional<QVariantMap> ExamBankReader::listFields(const ExamQuestion&, QString*) {
    return std::nullopt;  // stub
}
