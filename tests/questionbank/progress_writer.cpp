// SPDX-License-Identifier: GPL-3.0-or-later
// progress_writer grades <folder> <seed> <start-ms>
//   Records grades for 40 questions without end, the way Study records them:
//   before each it prints "begin <identity> <grade> <time>", after it "done",
//   both flushed, so a parent that kills it knows which grades were
//   acknowledged and which one may have been in flight.
// progress_writer open <folder>
//   Opens the store and records one grade; prints "opened", "graded" or
//   "refused <fault>", for tests that must run as a user who cannot write.
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QRandomGenerator>
#include <cstdio>

#include "questionbank/progressstore.h"

namespace {

void say(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QString identity(int n) {
    return QString::fromLatin1(
        QCryptographicHash::hash(QByteArray::number(n), QCryptographicHash::Sha256).toHex());
}

int grades(const QString& folder, quint32 seed, qint64 startMs) {
    ProgressStore::Fault fault;
    auto store = ProgressStore::open(folder, Fsrs(), &fault);
    if (!store) {
        say(QStringLiteral("refused %1").arg(int(fault)));
        return 1;
    }
    QRandomGenerator rng(seed);
    say(QStringLiteral("ready"));
    for (qint64 n = 0;; ++n) {
        const QString id = identity(int(rng.bounded(40)));
        const int grade = int(rng.bounded(1, 5));
        // Minutes to days apart, so that every kind of step is taken.
        const qint64 time = startMs + n * 6 * 60 * 60 * 1000 + rng.bounded(60000);
        say(QStringLiteral("begin %1 %2 %3").arg(id).arg(grade).arg(time));
        if (!store->recordGrade(id, Fsrs::Grade(grade), time)) {
            say(QStringLiteral("refused %1").arg(int(store->fault())));
            return 1;
        }
        say(QStringLiteral("done"));
    }
}

int openOnce(const QString& folder) {
    ProgressStore::Fault fault;
    auto store = ProgressStore::open(folder, Fsrs(), &fault);
    if (!store) {
        say(QStringLiteral("refused %1").arg(int(fault)));
        return 0;
    }
    say(QStringLiteral("opened"));
    if (store->recordGrade(identity(1), Fsrs::Grade::Knew, 1'700'000'000'000))
        say(QStringLiteral("graded"));
    else
        say(QStringLiteral("refused %1").arg(int(store->fault())));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QLatin1String("grades"))
        return grades(args[2], args[3].toUInt(), args[4].toLongLong());
    if (args.size() == 3 && args[1] == QLatin1String("open")) return openOnce(args[2]);
    std::fputs("usage: progress_writer grades <folder> <seed> <start-ms> | open <folder>\n",
               stderr);
    return 64;
}
