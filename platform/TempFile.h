#pragma once
#include <QString>

namespace platform {

QString TempDirectory();

// Creates an empty file named prefix + unique characters + ".tmp" in the
// temporary directory, atomically (it never reuses an existing file).
// Returns its path, or an empty string with errno set on failure.
QString CreateUniqueTempFile(const QString& prefix);

} // namespace platform
