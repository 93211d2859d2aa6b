#pragma once
// The hexadecimal reader from an input file to an output file, with the
// result codes and messages of a task.
#include <QString>
#include <cstdint>

namespace importer {

// Results: 4 when the input cannot be opened or read, 2 when buffers cannot
// be allocated, 3 when the output cannot be created or written, 0x80000000
// after telling the user of a line that is too long or of text that spells
// no bytes, 0 otherwise.
uint32_t ConvertHexFile(const QString& inputPath, const QString& outputPath);

} // namespace importer
