#pragma once
// Puts a finished file of the program's own (a temporary file that is
// complete) in place of a user's file, by the exact bytes of both names.
#include <QString>

namespace platform {

// A rename when both names are on one file system, else a copy through
// AtomicFileWriter. Either way the result is what a save would give: the
// permissions (and, where allowed, the owner) of the file replaced, or those
// of a new file; a symbolic link stays a link and its target is replaced; a
// directory, device, pipe or socket is never replaced, and on any failure
// the user's file stays as it was. Returns 0, or errno (or one of
// FileErrors' own values) about the target. After a copy the source is
// still there, for its owner to remove.
int MoveFileOnto(const QString& source, const QString& target);

} // namespace platform
