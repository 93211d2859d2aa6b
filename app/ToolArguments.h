#pragma once
// A user tool's argument template turned into the argument list it runs
// with: the template is split into words first and the macros are expanded
// inside each word afterwards, so a file name with blanks or a selection
// full of quotes and semicolons stays exactly one argument.
#include "app/ToolMacros.h"

#include <QStringList>
#include <optional>

// The arguments, or nothing when the template leaves a quote open. A word
// made only of macros that all expand to nothing is dropped, so
// "{@CurFilePath}" without a document gives no argument at all; a quoted
// word stays, even empty.
std::optional<QStringList> ExpandToolArguments(const QString& argumentTemplate, const MacroContext& context);

// Arguments the user typed into the prompt: split the same way, with no
// macro expansion.
std::optional<QStringList> SplitTypedArguments(const QString& line);

// The command's file name: the text after its last "/", or all of it.
QString CommandFileName(const QString& command);

// The text of a menu item for a tool: its title, with "..." when it asks for
// its arguments first.
QString ToolMenuText(const QString& title, bool promptForArgs);
