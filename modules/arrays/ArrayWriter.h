#pragma once
// Writes the input file as a byte-array declaration of one language.
#include "ArrayLanguage.h"

#include <QString>

namespace arrays {

// Returns a task result code: 0, 2 (memory), 3 (output), 4 (input).
uint32_t WriteArrayFile(Language language, const QString& inputPath, const QString& outputPath);

} // namespace arrays
