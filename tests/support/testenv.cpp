// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/testenv.h"

#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "questionbank/database.h"
#include "questionbank/queries.h"

namespace {
const char* const kVars[6] = {"HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_DATA_HOME",
                              "QUILLMERE_PROGRAM_DIR", "XDG_CACHE_HOME"};
}

TestEnv::TestEnv() {
    const QString sub[6] = {"home", "config", "runtime", "data", "program", "cache"};
    for (int i = 0; i < 6; ++i) {
        saved_[i] = qgetenv(kVars[i]);
        const QString path = dir_.path() + QLatin1Char('/') + sub[i];
        QDir().mkpath(path);
        if (i == 2) QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv(kVars[i], QFile::encodeName(path));
    }
}

TestEnv::~TestEnv() {
    for (int i = 0; i < 6; ++i) {
        if (saved_[i].isNull()) qunsetenv(kVars[i]);
        else qputenv(kVars[i], saved_[i]);
    }
}

void TestEnv::makeBank(const std::vector<BankSchema::Question>& questions) {
    BankSchema::build(file(Queries::kBankFile), BankSchema::Kind::Bank, questions, Queries::kBankPassword);
}

void TestEnv::makePersonalList(const std::vector<BankSchema::Question>& questions) {
    BankSchema::build(file(Queries::kPersonalFile), BankSchema::Kind::PersonalList, questions, {});
}

void TestEnv::makeFileWith(const QString& name, const QStringList& statements,
                           const QString& password) {
    QFile::remove(file(name));
    SQLite::Database db(file(name).toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    for (const QString& sql : statements) db.exec(sql.toStdString());
    if (!password.isEmpty()) Database::protect(db, password);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

#ifdef QUILLMERE_BENCH_MAIN
#include "bench/ratioreporter.h"
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return 0;
}
#else
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Study"));
    return RUN_ALL_TESTS();
}
#endif
