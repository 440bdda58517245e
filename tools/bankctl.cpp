// SPDX-License-Identifier: GPL-3.0-or-later
// bankctl: builds, exports and checks the question files.
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

#include "tools/bankcommands.h"

int main(int argc, char** argv) {
    // Checking a picture draws it (an SVG's text needs fonts); no window is
    // ever shown, so no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("bankctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLMERE_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Builds, exports and checks the question files reg.ocx and word.ocx.\n\n"
        "  bankctl build <bank.csv> <folder>   write <folder>/reg.ocx and, unless one is\n"
        "                                      there, an empty word.ocx\n"
        "  bankctl export <file.ocx> <out.csv|->\n"
        "  bankctl check <file.ocx>\n\n"
        "The CSV is UTF-8 with the columns category,question,answer and an optional\n"
        "fourth, picture: a PNG, JPEG, GIF, WebP or SVG file, its path relative to the\n"
        "CSV (the cell may be empty). build checks every row and every picture and names\n"
        "all faults with their line numbers, every repeated question included, before it\n"
        "writes anything. export writes the pictures into a folder beside the CSV\n"
        "(bank.csv -> bank-pictures/); check decodes every picture and counts them.\n"
        "build refuses a file that an editor holds open. check exits with 2 for a damaged\n"
        "file and 3 for one the editors will not write to (its index is not the row id)."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption replace(QStringLiteral("replace-personal"),
                               QStringLiteral("build: replace an existing word.ocx with an empty one"));
    QCommandLineOption skipRepeats(
        QStringLiteral("skip-repeats"),
        QStringLiteral("build: keep the first of questions repeated with the same answer; repeats "
                       "whose answers differ are still refused"));
    parser.addOption(replace);
    parser.addOption(skipRepeats);
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("build, export or check"));
    parser.process(app);

    QTextStream out(stdout), err(stderr);
    const QStringList args = parser.positionalArguments();
    const QString cmd = args.value(0);
    if (cmd == QLatin1String("build") && args.size() == 3)
        return BankCommands::build(args[1], args[2], parser.isSet(replace), out, err,
                                   parser.isSet(skipRepeats));
    if (cmd == QLatin1String("export") && args.size() == 3)
        return BankCommands::exportCsv(args[1], args[2], out, err);
    if (cmd == QLatin1String("check") && args.size() == 2) return BankCommands::check(args[1], out, err);
    err << parser.helpText();
    return 64;
}
