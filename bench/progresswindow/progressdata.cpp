// SPDX-License-Identifier: GPL-3.0-or-later
// Writes progress.db beside the bank in a folder: a year of study ending
// today and a mock exam a week, for looking at the progress window.
// Usage: bench_progressdata <folder with reg.ocx>
#include <QCoreApplication>
#include <cstdio>

#include "bench/progresswindow/studiedbank.h"
#include "questionbank/dberror.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_progressdata <folder>\n");
        return 2;
    }
    QString why;
    const auto s = StudiedBank::fill(QString::fromLocal8Bit(argv[1]), 100000,
                                     QDate::currentDate().addDays(-365), &why);
    if (!s) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return 1;
    }
    std::printf("%d rows, %zu reviews\n", s->rows, s->reviews);
    return 0;
}
