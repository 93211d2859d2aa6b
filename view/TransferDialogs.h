#pragma once
// The file dialogs of Copy to File (a save dialog that asks before replacing
// a file) and Paste from File (an open dialog for an existing file). Tests
// answer them through a hook, so no test waits on a modal dialog.
#include <QString>
#include <functional>
#include <optional>

class QWidget;

enum class TransferDialog { CopyToFile, PasteFromFile };

// The chosen path, or nothing when the dialog was cancelled. fileFilters are
// the settings' file types ("Name|*.ext|...").
std::optional<QString> ChooseTransferFile(QWidget* parent, TransferDialog which, const QString& fileFilters);

using TransferFileHook = std::function<std::optional<QString>(TransferDialog which)>;
// Installs a hook and returns the previous one.
TransferFileHook SetTransferFileHook(TransferFileHook hook);
