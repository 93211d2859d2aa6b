#include "CliCommand.h"

#include "CliMessages.h"
#include "CliOutput.h"

#include "ext/ExtensionRegistries.h"
#include "ext/TaskExtensions.h"
#include "platform/SettingsBackend.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

#include <cstdio>

namespace {

CliOption Flag(const char* name) { return {QString::fromLatin1(name), false}; }
CliOption Valued(const char* name) { return {QString::fromLatin1(name), true}; }

std::vector<CliCommand> MakeCommands()
{
    return {
        {QStringLiteral("tasks"), QStringLiteral("list the installed modules' tasks"),
         QStringLiteral("Usage: vantrel-cli tasks [--json]\n"
                        "Lists every task of the installed modules, one a line: kind, name, description.\n"
                        "  --json  one JSON document: a list of objects with kind, name and description\n"),
         {Flag("--json")}, RunTasksCommand},
        {QStringLiteral("run"), QStringLiteral("run a task on a file or a stretch of it"),
         QStringLiteral("Usage: vantrel-cli run TASK FILE [--offset N] [--length N] [-o OUT] [--settings FILE.ini]\n"
                        "Runs the task named TASK as the editor's task commands do: a conversion writes the\n"
                        "converted bytes, an export its text, a checksum task prints its report, an import\n"
                        "reads FILE and writes the bytes. OUT \"-\" or no -o: standard output.\n"
                        "  --offset N, --length N  only this stretch of FILE (decimal, or 0x hexadecimal)\n"
                        "  -o OUT                  the output file, written whole or not at all\n"
                        "  --settings FILE.ini     the export layout from this settings file instead of the user's\n"),
         {Valued("--offset"), Valued("--length"), Valued("-o"), Valued("--settings")}, RunTaskCommand},
        {QStringLiteral("sum"), QStringLiteral("digests of a file by algorithm name"),
         QStringLiteral("Usage: vantrel-cli sum ALGORITHM... FILE [--offset N] [--length N] [--check HEX] [--json]\n"
                        "Prints the digests the installed modules compute (SHA-256, SHA-1, MD5, CRC-32, ...),\n"
                        "one a line: algorithm, value, file. \"vantrel-cli sum --list\" names them all.\n"
                        "  --offset N, --length N  only this stretch of FILE\n"
                        "  --check HEX             exit status 0 when the one digest asked for is HEX, 1 when not\n"
                        "  --json                  one JSON document\n"),
         {Valued("--offset"), Valued("--length"), Valued("--check"), Flag("--json"), Flag("--list")}, RunSumCommand},
        {QStringLiteral("find"), QStringLiteral("offsets of a text, bytes or a typed value"),
         QStringLiteral("Usage: vantrel-cli find FILE (--text T [--ignore-case] [--unicode] | --hex \"DE AD\" |\n"
                        "                          --value TYPE=VALUE) [--big-endian] [--from N] [--all] [--json]\n"
                        "Prints the offset of the first match from N on (every match with --all), in decimal.\n"
                        "Exit status 1 when nothing matches.\n"
                        "  --text T        the text in the 8-bit code page (UTF-16 with --unicode)\n"
                        "  --ignore-case   ASCII letters match either case (text only)\n"
                        "  --hex \"..\"      bytes as hexadecimal pairs\n"
                        "  --value T=V     a value of data type T (\"DWord=0x1234\", \"Float=1.5\")\n"
                        "  --big-endian    values and UTF-16 text in big-endian order\n"),
         {Valued("--text"), Flag("--ignore-case"), Flag("--unicode"), Valued("--hex"), Valued("--value"),
          Flag("--big-endian"), Valued("--from"), Flag("--all"), Flag("--json")},
         RunFindCommand},
        {QStringLiteral("compare"), QStringLiteral("differences between two files"),
         QStringLiteral("Usage: vantrel-cli compare A B [--min-match N] [--json]\n"
                        "Prints each difference (offset and length in both files) and a summary line.\n"
                        "Exit status 0 when the files are equal, 1 when they differ, 2 on trouble.\n"
                        "  --min-match N  bytes two files must agree over to be in step again (1 to 16384;\n"
                        "                 default: the editor's Minimum match length)\n"),
         {Valued("--min-match"), Flag("--json")}, RunCompareCommand},
        {QStringLiteral("inspect"), QStringLiteral("every data type at an offset"),
         QStringLiteral("Usage: vantrel-cli inspect FILE OFFSET [--big-endian] [--hex] [--json]\n"
                        "Prints the bytes at OFFSET as every data type, as the Data View shows them.\n"
                        "  --big-endian  big-endian byte order\n"
                        "  --hex         integer values in hexadecimal\n"),
         {Flag("--big-endian"), Flag("--hex"), Flag("--json")}, RunInspectCommand},
        {QStringLiteral("struct"), QStringLiteral("a structure laid over the bytes at an offset"),
         QStringLiteral("Usage: vantrel-cli struct FILE OFFSET --collection FILE.str --name NAME [--big-endian]\n"
                        "                            [--hex] [--json]\n"
                        "Lays the structure NAME of the collection over the bytes at OFFSET as the Structure\n"
                        "View does, arrays expanded; without --json the text of Copy Structure (name, value,\n"
                        "offset, size, tab-separated, two spaces of indent per level).\n"),
         {Valued("--collection"), Valued("--name"), Flag("--big-endian"), Flag("--hex"), Flag("--json")},
         RunStructCommand},
    };
}

QString OverallUsage()
{
    QString text = QStringLiteral("Usage: vantrel-cli COMMAND [ARGUMENTS]\n"
                                  "The engines and modules of the Vantrel hex editor, without a window.\n\n"
                                  "Commands:\n");
    for (const CliCommand& command : CliCommands())
        text += QStringLiteral("  %1  %2\n").arg(command.name, -8).arg(command.summary);
    text += QStringLiteral("\n\"vantrel-cli COMMAND --help\" describes each. Offsets and lengths are decimal or 0x\n"
                           "hexadecimal. Exit status: 0 success, 1 a negative answer (no match, differs, check\n"
                           "failed), 2 trouble. See also: man vantrel-cli.\n"
                           "       vantrel-cli --version  the version and the modules found\n");
    return text;
}

void PrintModules(const ExtensionManager& registry)
{
    for (int i = 0; i < registry.ModuleCount(); ++i) {
        const ExtensionModule& module = registry.Module(i);
        const QString firstLine = module.description.section(QLatin1Char('\n'), 0, 0).trimmed();
        PrintLine(QStringLiteral("  %1  %2").arg(QFileInfo(module.path).fileName(), firstLine));
    }
}

int PrintVersion()
{
    PrintLine(QStringLiteral("Vantrel %1").arg(QCoreApplication::applicationVersion()));
    TaskExtensions& tasks = LoadedTaskRegistry();
    TypeExtensions& types = TypeRegistry();
    types.Load();
    PrintLine(QStringLiteral("Modules in %1:").arg(tasks.SearchDirectory()));
    PrintModules(tasks);
    PrintModules(types);
    return kExitSuccess;
}

const CliCommand* FindCommand(const QString& name)
{
    for (const CliCommand& command : CliCommands())
        if (command.name == name)
            return &command;
    return nullptr;
}

int RunOneCommand(const CliCommand& command, const QStringList& words)
{
    std::vector<CliOption> options = command.options;
    options.push_back({QStringLiteral("--help"), false});
    QString error;
    const std::optional<CliArguments> arguments = CliArguments::Parse(words, options, error);
    if (!arguments)
        return Fail(QString(), QStringLiteral("%1: %2 (see \"vantrel-cli %1 --help\")").arg(command.name, error));
    if (arguments->Has(QStringLiteral("--help"))) {
        PrintLine(command.usage.chopped(1));
        return kExitSuccess;
    }
    return command.run(*arguments);
}

} // namespace

const std::vector<CliCommand>& CliCommands()
{
    static const std::vector<CliCommand> commands = MakeCommands();
    return commands;
}

int RunCommandLine(const QStringList& words)
{
    if (words.isEmpty()) {
        PrintProblem(QString(), QStringLiteral("no command given"));
        std::fputs(OverallUsage().toUtf8().constData(), stderr);
        return kExitTrouble;
    }
    const QString& first = words.first();
    if (first == u"--help" || first == u"-h" || first == u"help") {
        PrintLine(OverallUsage().chopped(1));
        return kExitSuccess;
    }
    if (first == u"--version")
        return PrintVersion();
    const CliCommand* command = FindCommand(first);
    if (!command)
        return Fail(QString(), QStringLiteral("unknown command \"%1\" (see \"vantrel-cli --help\")").arg(first));
    return RunOneCommand(*command, words.mid(1));
}

AppSettings LoadCliSettings(const QString& iniPath)
{
    AppSettings settings;
    if (iniPath.isEmpty()) {
        LoadSettings(settings);
    } else {
        QSettings store(iniPath, QSettings::IniFormat);
        LoadSettings(settings, store);
    }
    // Tasks see the layout of the settings the command was given.
    LoadedTaskRegistry().SetLayoutSource([layout = TaskLayoutOf(settings)] { return layout; });
    return settings;
}
