// SPDX-License-Identifier: GPL-3.0-or-later
// bankctl: builds, exports and checks the question files.
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QHash>
#include <QTextStream>
#include <cstdio>

#include "tools/bankcommands.h"

namespace {

// Status of a command line bankctl cannot follow; the commands' own statuses
// are 0, 1 and, for check, 2 and 3.
constexpr int kUsageError = 2;

const char* const kDescription =
    "Builds, exports and checks the question files reg.ocx and word.ocx.\n\n"
    "  bankctl build <bank.csv> <folder>   write <folder>/reg.ocx and, unless one is\n"
    "                                      there, an empty word.ocx\n"
    "  bankctl export <file.ocx> <out.csv|->\n"
    "  bankctl check <file.ocx>\n\n"
    "The CSV is UTF-8 with the columns category,question,answer and, named in its\n"
    "header in any order after them, the optional ones: picture (a PNG, JPEG, GIF,\n"
    "WebP or SVG file, its path relative to the CSV and inside the CSV's folder),\n"
    "kind (单选, 多选 or 判断), option_a .. option_d and explanation; any optional\n"
    "cell may be empty. A choice question's answer is its letter or letters (B,\n"
    "ABD), a 判断 question's 正确 or 错误 (对/错, √/× accepted). For example:\n"
    "  category,question,answer,kind,option_a,option_b,option_c,option_d,explanation,picture\n"
    "  交通信号,这是什么标志？,B,单选,禁止通行,禁止驶入,,,,signs/no-entry.png\n"
    "  文明驾驶,遇到行人通过人行横道时应当怎样做？,AC,多选,减速,鸣喇叭,停车让行,,,\n"
    "  交通安全法律,饮酒后可以驾驶机动车。,错误,判断,,,,,饮酒后不得驾驶,\n"
    "A question is its text, options and picture: the same text with another\n"
    "picture or other options is another question. build checks every row and\n"
    "every picture and names all faults with their line numbers, every repeated\n"
    "question included, before it writes anything. export writes the pictures into a\n"
    "folder beside the CSV (bank.csv -> bank-pictures/); check decodes every picture\n"
    "and counts them, counts the questions of each kind and those with options,\n"
    "checks each question's options and answer against its kind and each stored\n"
    "identity against its question, and names every problem in one run. build refuses a bank or personal list that Study's list editor\n"
    "or Manager holds open, and leaves it as it was.\n\n"
    "Exit status: 0 done; 1 the command failed (a file missing, unreadable or held\n"
    "open, a CSV with faults); 2 a command line bankctl cannot follow, or check found\n"
    "the file damaged or questions in it faulty; 3 check found a file the editors will not write to (its index\n"
    "is not the row id).";

const char* const kUsage =
    "用法：bankctl [--replace-personal] [--skip-repeats] build <bank.csv> <folder>；"
    "bankctl export <file.ocx> <out.csv|->；bankctl check <file.ocx>（详见 bankctl --help）";

int usageError(const QString& what) {
    QTextStream err(stderr);
    err << "bankctl: " << what << "\n" << QString::fromUtf8(kUsage) << "\n";
    return kUsageError;
}

// The fault of a command line that parsed, or empty when it can be followed.
// buildOption: a build-only option that was given, or empty.
QString commandLineFault(const QStringList& args, const QString& buildOption) {
    static const QHash<QString, QStringList> operands = {
        {QStringLiteral("build"), {QStringLiteral("<bank.csv>"), QStringLiteral("<folder>")}},
        {QStringLiteral("export"), {QStringLiteral("<file.ocx>"), QStringLiteral("<out.csv|->")}},
        {QStringLiteral("check"), {QStringLiteral("<file.ocx>")}}};
    if (args.isEmpty()) return QStringLiteral("没有给出命令（build、export 或 check）");
    const QString cmd = args[0];
    if (!operands.contains(cmd))
        return QStringLiteral("未知的命令“%1”（应为 build、export 或 check）").arg(cmd);
    const QStringList& wanted = operands[cmd];
    if (args.size() - 1 != wanted.size())
        return QStringLiteral("%1 需要 %2 个参数 %3，给出的是 %4 个")
            .arg(cmd)
            .arg(wanted.size())
            .arg(wanted.join(QLatin1Char(' ')))
            .arg(args.size() - 1);
    if (!buildOption.isEmpty() && cmd != QLatin1String("build"))
        return QStringLiteral("选项 --%1 只用于 build").arg(buildOption);
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    // Checking a picture draws it (an SVG's text needs fonts); no window is
    // ever shown, so no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("bankctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLMERE_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(kDescription));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption replace(
        QStringLiteral("replace-personal"),
        QStringLiteral("build: replace an existing word.ocx with an empty one"));
    QCommandLineOption skipRepeats(
        QStringLiteral("skip-repeats"),
        QStringLiteral("build: keep the first of questions repeated with the same answer; repeats "
                       "whose answers differ are still refused"));
    parser.addOption(replace);
    parser.addOption(skipRepeats);
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("build, export or check"));
    // parse() rather than process(): a wrong command line is answered in the
    // interface's language with the usage line, and with our own status.
    if (!parser.parse(app.arguments())) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty())
            return usageError(QStringLiteral("命令行有误：") + parser.errorText());
        const QString dashes =
            unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
        return usageError(QStringLiteral("未知的选项“%1%2”").arg(dashes, unknown.first()));
    }
    parser.process(app);  // --help, --help-all and --version; the line parsed, so nothing else
    const QStringList args = parser.positionalArguments();
    const QString buildOption = parser.isSet(replace)       ? replace.names().first()
                                : parser.isSet(skipRepeats) ? skipRepeats.names().first()
                                                            : QString();
    if (const QString fault = commandLineFault(args, buildOption); !fault.isEmpty())
        return usageError(fault);

    QTextStream out(stdout), err(stderr);
    const QString& cmd = args[0];
    if (cmd == QLatin1String("build"))
        return BankCommands::build(args[1], args[2], parser.isSet(replace), out, err,
                                   parser.isSet(skipRepeats));
    if (cmd == QLatin1String("export")) return BankCommands::exportCsv(args[1], args[2], out, err);
    return BankCommands::check(args[1], out, err);
}
