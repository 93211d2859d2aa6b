#pragma once
// The subcommands of vantrel-cli: each has a name, a one-line summary for
// the overall help, its usage text for "--help", the options it accepts and
// the function that runs it and returns the exit status.
#include "CliArguments.h"
#include "settings/AppSettings.h"

#include <QString>
#include <QStringList>

#include <vector>

struct CliCommand {
    QString name;
    QString summary;
    QString usage;
    std::vector<CliOption> options;
    int (*run)(const CliArguments& arguments) = nullptr;
};

const std::vector<CliCommand>& CliCommands();

// Runs the words after the program's name; returns the exit status.
int RunCommandLine(const QStringList& words);

// The settings the editor uses (or those of the INI file named), read-only:
// the command line never writes them back. Tasks run afterwards see their
// display layout.
AppSettings LoadCliSettings(const QString& iniPath = QString());

// The subcommands.
int RunTasksCommand(const CliArguments& arguments);
int RunTaskCommand(const CliArguments& arguments);
int RunSumCommand(const CliArguments& arguments);
int RunFindCommand(const CliArguments& arguments);
int RunCompareCommand(const CliArguments& arguments);
int RunInspectCommand(const CliArguments& arguments);
int RunStructCommand(const CliArguments& arguments);
