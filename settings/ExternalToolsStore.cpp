#include "ExternalToolsStore.h"

#include "settings/SettingsValues.h"

namespace {

const QString kToolsGroup = QStringLiteral("ExternalTools");

QString NumberedKey(const char* name, int number) { return QLatin1StringView(name) + QString::number(number); }

} // namespace

std::vector<ExternalTool> LoadExternalTools(const QSettings& settings)
{
    // QSettings groups are not const operations, but reading through a
    // full key path leaves the caller's object untouched.
    const auto key = [](const char* name, int number) { return kToolsGroup + u'/' + NumberedKey(name, number); };
    std::vector<ExternalTool> tools;
    for (int number = 1; number <= kMaxExternalTools; ++number) {
        ExternalTool tool;
        tool.title = ReadText(settings, key("Title", number), QString());
        if (tool.title.isEmpty())
            break;
        // A program or folder chosen with Browse may have a name that is not
        // UTF-8; it is stored as bytes, as the recent-file list stores names.
        tool.command = ReadFileName(settings, key("Command", number), QString());
        if (tool.command.isEmpty())
            break;
        tool.initialDir = ReadFileName(settings, key("InitialDir", number), QString());
        tool.arguments = ReadText(settings, key("Arguments", number), QString());
        tool.promptForArgs = ReadFlag(settings, key("PromptForArgs", number), false);
        tools.push_back(tool);
    }
    return tools;
}

void SaveExternalTools(QSettings& settings, const std::vector<ExternalTool>& tools)
{
    settings.remove(kToolsGroup);
    SettingsGroupScope group(settings, kToolsGroup);
    int number = 1;
    for (const ExternalTool& tool : tools) {
        WriteText(settings, NumberedKey("Title", number), tool.title);
        WriteFileName(settings, NumberedKey("Command", number), tool.command);
        WriteFileName(settings, NumberedKey("InitialDir", number), tool.initialDir);
        WriteText(settings, NumberedKey("Arguments", number), tool.arguments);
        WriteFlag(settings, NumberedKey("PromptForArgs", number), tool.promptForArgs);
        ++number;
    }
}
