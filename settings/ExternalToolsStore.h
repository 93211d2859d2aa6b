#pragma once
// The "ExternalTools" section: tool n (from 1) is "Title<n>", "Command<n>",
// "InitialDir<n>", "Arguments<n>" and "PromptForArgs<n>".
#include "settings/ExternalTool.h"

#include <QSettings>
#include <vector>

// Reads tools 1, 2, ... up to the first one without a title or a command, and
// never more than the menu can show.
std::vector<ExternalTool> LoadExternalTools(const QSettings& settings);
// Replaces the whole section, numbering the tools from 1, so tools deleted or
// moved since the last save leave no stale keys behind.
void SaveExternalTools(QSettings& settings, const std::vector<ExternalTool>& tools);
