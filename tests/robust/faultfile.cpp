// SPDX-License-Identifier: GPL-3.0-or-later
// faultfile make <path> <bank|personal> <password, empty for none>
// Builds a small question file with one question; one protected by a password
// other than the bank's is the kind of file our programs must refuse.
#include <QCoreApplication>
#include <cstdio>

#include "questionbank/bankschema.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5 || args[1] != QLatin1String("make")) {
        std::fprintf(stderr, "usage: faultfile make <path> <bank|personal> <password>\n");
        return 64;
    }
    const bool bank = args[3] == QLatin1String("bank");
    const QString category = bank ? QStringLiteral("交通安全法律") : QString();
    try {
        BankSchema::build(args[2], bank ? BankSchema::Kind::Bank : BankSchema::Kind::PersonalList,
                          {{category, QStringLiteral("外来题"), QStringLiteral("外来答")}}, args[4]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "faultfile: %s\n", e.what());
        return 1;
    }
    return 0;
}
