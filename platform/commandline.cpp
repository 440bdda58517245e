// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace CommandLine {

std::optional<int> answerInfoOptions(int argc, char** argv, const QString& program,
                                     const QString& description) {
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    // Qt's own options are single-dash words (-platform, -reverse); read as
    // compacted short options they would contain -v or -h.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(description);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.parse(args);  // unknown arguments belong to QApplication
    const bool wantsHelp = parser.isSet(help) || parser.isSet(QStringLiteral("help-all"));
    if (!wantsHelp && !parser.isSet(version)) return std::nullopt;

    // helpText() names the program from the application's arguments.
    int coreArgc = 1;
    QCoreApplication core(coreArgc, argv);
    const QString text =
        parser.isSet(version)
            ? program + QLatin1Char(' ') + QStringLiteral(QUILLMERE_VERSION) + QLatin1Char('\n')
            : parser.helpText();
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
    return 0;
}

}  // namespace CommandLine
