#pragma once
// A file that another writer fills in place (the PDF file of a print): the
// name is checked without opening it, since opening a FIFO for writing waits
// until some reader comes, and an unfinished file is removed again.
#include <QString>

namespace platform {

// 0 when the name is a plain file or nothing yet; otherwise the file error
// (FileErrors.h) that refuses it: EISDIR for a folder, kSaveOverSpecialFile
// for a device, a pipe or a socket, as saving refuses them.
int OutputFileProblem(const QString& path);

// Removes what a stopped writer left under the name (looked up by its bytes).
void RemoveUnfinishedOutput(const QString& path);

} // namespace platform
