#include "ToolArguments.h"

#include "app/CommandWords.h"

std::optional<QStringList> ExpandToolArguments(const QString& argumentTemplate, const MacroContext& context)
{
    const std::optional<std::vector<CommandWord>> words = SplitCommandWords(argumentTemplate);
    if (!words)
        return std::nullopt;
    QStringList arguments;
    for (const CommandWord& word : *words) {
        const QString expanded = ExpandMacros(word.text, context);
        if (expanded.isEmpty() && !word.quoted)
            continue;
        arguments << expanded;
    }
    return arguments;
}

std::optional<QStringList> SplitTypedArguments(const QString& line)
{
    const std::optional<std::vector<CommandWord>> words = SplitCommandWords(line);
    if (!words)
        return std::nullopt;
    QStringList arguments;
    for (const CommandWord& word : *words)
        arguments << word.text;
    return arguments;
}

QString CommandFileName(const QString& command)
{
    const qsizetype slash = command.lastIndexOf(u'/');
    return slash < 0 ? command : command.mid(slash + 1);
}

QString ToolMenuText(const QString& title, bool promptForArgs)
{
    return promptForArgs ? title + QStringLiteral("...") : title;
}
