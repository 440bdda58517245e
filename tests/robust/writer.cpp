// SPDX-License-Identifier: GPL-3.0-or-later
// robust_writer <bank> <seed>
// Saves (adds and changes) and deletes questions in a bank through the
// editor's classes, without end, the way Manager does: exclusive, one
// committed transaction per write. Before each operation it prints
// "begin <op> <key> <value>", after it "done"; both flushed, so a parent that
// kills it knows what was finished and what may have been in flight.
#include <QCoreApplication>
#include <QRandomGenerator>
#include <cstdio>

#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"

namespace {
void say(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) return 64;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const quint32 seed = QString::fromLatin1(argv[2]).toUInt();
    QRandomGenerator rng(seed);
    try {
        auto db = Database::open(path, {.exclusive = true}, Queries::kBankConnect);
        auto rs = RecordSet::open(db, QStringLiteral("SELECT * FROM Word ORDER BY index"));
        say(QStringLiteral("ready"));
        for (int n = 0;; ++n) {
            const int count = rs->RecordCount();
            const int roll = int(rng.bounded(3));
            // Keep the bank between 10 and 60 rows so every kind of write stays likely.
            const int op = count < 10 ? 0 : count > 60 ? 2 : roll;
            const QString value = QStringLiteral("v%1-%2 “引号” 'x' ;--").arg(seed).arg(n);
            if (op == 0) {
                const QString key = QStringLiteral("k%1-%2").arg(seed).arg(n);
                say(QStringLiteral("begin add ") + key + QLatin1Char(' ') + value);
                rs->AddNew();
                rs->setField(QStringLiteral("English"), key);
                rs->setField(QStringLiteral("Chinese"), value);
                rs->setField(QStringLiteral("category"), QStringLiteral("交通安全法律"));
                rs->Update();
            } else {
                rs->MoveFirst();
                const QString first = rs->Bookmark();
                rs->Move(int(rng.bounded(count)), first);
                const QString key = rs->text(QStringLiteral("English"));
                if (op == 1) {
                    say(QStringLiteral("begin edit ") + key + QLatin1Char(' ') + value);
                    rs->Edit();
                    rs->setField(QStringLiteral("Chinese"), value);
                    rs->Update();
                } else {
                    say(QStringLiteral("begin delete ") + key);
                    rs->Delete();
                }
            }
            say(QStringLiteral("done"));
        }
    } catch (const DbError& e) {
        std::fprintf(stderr, "robust_writer: %d %s\n", e.number(), e.message().toUtf8().constData());
        return 1;
    }
}
