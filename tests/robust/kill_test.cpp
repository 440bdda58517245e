// SPDX-License-Identifier: GPL-3.0-or-later
// A writer killed with SIGKILL at random moments, 200 times or more: afterwards the
// bank passes the integrity check, opens for reading the way Study opens it,
// holds every write the writer reported done, and otherwise only the one
// write that was in flight, whole or not at all.
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <map>
#include <optional>

#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/queries.h"
#include "tests/support/testenv.h"

namespace {

struct Row {
    qint64 index = -1;  // -1: added by the writer, number not known beforehand
    QString answer;
    QString category;
    bool operator==(const Row& o) const {
        return (index < 0 || o.index < 0 || index == o.index) && answer == o.answer && category == o.category;
    }
};
using Bank = std::map<QString, Row>;

struct Op {
    QString kind, key, value;
};

Op parseOp(const QString& line) {
    // "begin add <key> <value>" / "begin edit <key> <value>" / "begin delete <key>"
    const QStringList parts = line.split(QLatin1Char(' '));
    Op op{parts.value(1), parts.value(2), {}};
    if (parts.size() > 3) op.value = parts.mid(3).join(QLatin1Char(' '));
    return op;
}

void applyOp(Bank& bank, const Op& op) {
    if (op.kind == QLatin1String("add")) bank[op.key] = {-1, op.value, QStringLiteral("交通安全法律")};
    else if (op.kind == QLatin1String("edit")) bank[op.key].answer = op.value;
    else if (op.kind == QLatin1String("delete")) bank.erase(op.key);
}

// Reads the bank as Study does (shared, read-only) and checks its integrity.
Bank readBank(const QString& path, QString* integrity) {
    auto db = Database::open(path, {.readOnly = true}, Queries::kBankConnect);
    SQLite::Statement ic(db->sqlite(), "PRAGMA integrity_check");
    ic.executeStep();
    *integrity = QString::fromStdString(ic.getColumn(0).getString());
    Bank bank;
    SQLite::Statement q(db->sqlite(), "SELECT \"index\", English, Chinese, category FROM Word");
    while (q.executeStep())
        bank[QString::fromStdString(q.getColumn(1).getString())] = {
            q.getColumn(0).getInt64(), QString::fromStdString(q.getColumn(2).getString()),
            QString::fromStdString(q.getColumn(3).getString())};
    return bank;
}

}  // namespace

TEST(KilledWriter, BankKeepsEveryFinishedWriteAndNothingHalfDone) {
    TestEnv env;
    std::vector<BankSchema::Question> start;
    for (int i = 0; i < 30; ++i)
        start.push_back({QStringLiteral("交通安全法律"), QStringLiteral("q%1").arg(i), QStringLiteral("a%1").arg(i)});
    env.makeBank(start);
    const QString path = env.file(Queries::kBankFile);

    QString integrity;
    Bank model = readBank(path, &integrity);
    ASSERT_EQ(model.size(), 30u);

    constexpr quint32 kSeed = 24011;
    QRandomGenerator rng(kSeed);
    int done = 0, inFlightKept = 0, inFlightLost = 0, hotJournals = 0;
    // At least 200 kills, and on a loaded machine (fewer writes per kill) more
    // until more than 200 writes have finished, so the test always covers as many.
    int run = 0;
    for (; run < 200 || (done <= 200 && run < 2000); ++run) {
        SCOPED_TRACE(QStringLiteral("run %1 (seed %2)").arg(run).arg(kSeed).toStdString());
        QProcess writer;
        writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        writer.start(QStringLiteral(WRITER_PATH), {path, QString::number(run)});
        ASSERT_TRUE(writer.waitForStarted());
        QByteArray out;
        while (!out.contains("ready\n") && writer.waitForReadyRead(5000)) out += writer.readAllStandardOutput();
        ASSERT_TRUE(out.contains("ready\n")) << out.constData();
        QThread::usleep(rng.bounded(1000u, 80000u));
        writer.kill();  // SIGKILL
        ASSERT_TRUE(writer.waitForFinished(5000));
        out += writer.readAllStandardOutput();

        // Every line but the last complete pair is done; an unpaired begin is in flight.
        std::optional<Op> pending;
        for (const QString& line : QString::fromUtf8(out).split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("begin "))) pending = parseOp(line);
            else if (line == QLatin1String("done") && pending) {
                applyOp(model, *pending);
                pending.reset();
                ++done;
            }
        }
        if (QFileInfo(path + QStringLiteral("-journal")).size() > 0) ++hotJournals;

        Bank after;
        try {
            after = readBank(path, &integrity);
        } catch (const DbError& e) {
            FAIL() << "the bank no longer opens for reading: " << e.number() << " " << e.message().toStdString();
        }
        ASSERT_EQ(integrity, QStringLiteral("ok"));
        if (after == model) {
            if (pending) ++inFlightLost;
        } else {
            ASSERT_TRUE(pending) << "the bank differs from the finished writes and nothing was in flight";
            Bank withPending = model;
            applyOp(withPending, *pending);
            ASSERT_TRUE(after == withPending) << "the bank holds neither the state before nor after the write in flight: "
                                              << pending->kind.toStdString() << " " << pending->key.toStdString();
            ++inFlightKept;
        }
        model = after;
    }
    std::printf("killed %d times: %d writes done, in flight %d kept / %d lost, %d hot journals left\n", run,
                done, inFlightKept, inFlightLost, hotJournals);
    EXPECT_GT(done, 200);
}
