// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QTextStream>

#include "tools/bankcommands.h"

// bankctl build as the tests run it: its status and what it wrote to its
// two streams.
struct BuildOutcome {
    int code;
    QString out, err;
};

inline BuildOutcome runBuild(const QString& csv, const QString& outDir, bool replacePersonal,
                             bool skipRepeats = false) {
    QString o, e;
    QTextStream out(&o), err(&e);
    const int code = BankCommands::build(csv, outDir, replacePersonal, out, err, skipRepeats);
    out.flush();
    err.flush();
    return {code, o, e};
}
