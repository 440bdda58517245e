// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

namespace CommandLine {

namespace {
// The options QGuiApplication, QApplication and the xcb plugin take from the
// command line (Qt's QGuiApplication and QApplication reference pages).
// They stay out of --help: they are Qt's, not the program's.
void addQtOptions(QCommandLineParser& parser) {
    const char* withValue[] = {"platform",
                               "platformpluginpath",
                               "platformtheme",
                               "plugin",
                               "qwindowgeometry",
                               "qwindowicon",
                               "qwindowtitle",
                               "session",
                               "display",
                               "geometry",
                               "title",
                               "icon",
                               "name",
                               "visual",
                               "style",
                               "stylesheet",
                               "qmljsdebugger"};
    const char* flags[] = {"reverse", "widgetcount", "sync", "nograb", "dograb", "testability"};
    for (const char* name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : flags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// The refused argument as it was typed (without a "=value"), or the parser's
// own words when no single option is to blame.
QString refused(const QStringList& args, const QCommandLineParser& parser) {
    const QStringList unknown = parser.unknownOptionNames();
    for (const QString& arg : args.mid(1)) {
        if (arg == QLatin1String("--")) break;
        if (!arg.startsWith(QLatin1Char('-'))) continue;
        const QString typed = arg.section(QLatin1Char('='), 0, 0);
        QString name = typed;
        while (name.startsWith(QLatin1Char('-'))) name.remove(0, 1);
        if (unknown.contains(name)) return QStringLiteral("未知的选项“%1”").arg(typed);
    }
    return parser.errorText();
}

int print(std::FILE* to, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fflush(to);
    return 0;
}
}  // namespace

std::optional<int> answerBeforeStart(int argc, char** argv, const QString& program,
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
    addQtOptions(parser);
    if (!parser.parse(args)) {
        const QString typedName = args.isEmpty() ? program : QFileInfo(args.first()).fileName();
        print(stderr, QStringLiteral("%1：%2；可用的选项见 %1 --help\n")
                          .arg(typedName, refused(args, parser)));
        return 2;
    }
    const bool wantsHelp = parser.isSet(help) || parser.isSet(QStringLiteral("help-all"));
    if (!wantsHelp && !parser.isSet(version)) return std::nullopt;

    // helpText() names the program from the application's arguments.
    int coreArgc = 1;
    QCoreApplication core(coreArgc, argv);
    return print(stdout, parser.isSet(version)
                             ? program + QLatin1Char(' ') + QStringLiteral(QUILLMERE_VERSION) +
                                   QLatin1Char('\n')
                             : parser.helpText());
}

}  // namespace CommandLine
