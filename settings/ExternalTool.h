#pragma once
// One user tool of the Tools menu, as the settings keep it.
#include <QString>

struct ExternalTool {
    QString title;       // menu text, never empty in a loaded list
    QString command;     // program or document to open, never empty in a loaded list
    QString initialDir;  // may hold macros
    QString arguments;   // may hold macros
    bool promptForArgs = false;

    bool operator==(const ExternalTool&) const = default;
};

// The Tools menu has command identifiers for this many tools only.
constexpr int kMaxExternalTools = 25;
