#pragma once
// Copying a whole file a piece at a time, by the exact bytes of both names,
// so that a file of gigabytes never needs its size in memory.
#include <QString>

namespace platform {

struct FileCopyResult {
    int error = 0;              // errno (or one of FileErrors' own values); 0 on success
    bool failedReading = false; // the source failed, not the target
    bool Ok() const { return error == 0; }
};

// Into a private file of the program, such as a task's temporary file
// (StreamFileWriter: written in place, no sync).
FileCopyResult CopyIntoPrivateFile(const QString& source, const QString& target);
// Onto a user's file (AtomicFileWriter: what was there stays whole until
// the copy is complete; links, permissions and special files as in a save).
FileCopyResult CopyOntoUserFile(const QString& source, const QString& target);

} // namespace platform
