#pragma once
#include <QString>

namespace platform {

// The folder for temporary files: $TMPDIR when it names a folder, otherwise
// the system's own (/tmp). Never empty, so a file name built on it can never
// land in the root folder.
QString TempDirectory();

// Creates an empty file named prefix + unique characters + ".tmp" in the
// temporary directory, atomically (it never reuses an existing file).
// Returns its path, or an empty string with errno set on failure.
QString CreateUniqueTempFile(const QString& prefix);

} // namespace platform
