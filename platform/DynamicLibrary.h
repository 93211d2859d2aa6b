#pragma once
// Loading shared libraries (the extension modules) and finding their exports.
#include <QString>

namespace platform {

// Resolves every symbol at once, so a broken module fails here and not in
// the middle of a task. Null when the file cannot be loaded.
void* OpenLibrary(const QString& path);
void* FindSymbol(void* library, const char* name);
void CloseLibrary(void* library);

} // namespace platform
