// bankctl: builds, exports and checks the question files.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "tools/bankcommands.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("bankctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLMERE_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Builds, exports and checks the question files reg.ocx and word.ocx.\n\n"
        "  bankctl build <bank.csv> <folder>   write <folder>/reg.ocx and an empty word.ocx\n"
        "  bankctl export <file.ocx> <out.csv|->\n"
        "  bankctl check <file.ocx>\n\n"
        "build refuses a file that an editor holds open. check exits with 2 for a damaged\n"
        "file and 3 for one the editors will not write to (its index is not the row id)."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption replace(QStringLiteral("replace-personal"),
                               QStringLiteral("build: replace an existing word.ocx with an empty one"));
    parser.addOption(replace);
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("build, export or check"));
    parser.process(app);

    QTextStream out(stdout), err(stderr);
    const QStringList args = parser.positionalArguments();
    const QString cmd = args.value(0);
    if (cmd == QLatin1String("build") && args.size() == 3)
        return BankCommands::build(args[1], args[2], parser.isSet(replace), out, err);
    if (cmd == QLatin1String("export") && args.size() == 3)
        return BankCommands::exportCsv(args[1], args[2], out, err);
    if (cmd == QLatin1String("check") && args.size() == 2) return BankCommands::check(args[1], out, err);
    err << parser.helpText();
    return 64;
}
