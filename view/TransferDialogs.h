#pragma once
// The file dialogs of Copy to File (a save dialog that asks before replacing
// a file) and Paste from File (an open dialog for an existing file), both
// listing the file types of the settings.
#include "furniture/UserInterface.h"

enum class TransferDialog { CopyToFile, PasteFromFile };

// fileFilters are the settings' file types ("Name|*.ext|...").
FileRequest TransferFileRequest(TransferDialog which, const QString& fileFilters);
