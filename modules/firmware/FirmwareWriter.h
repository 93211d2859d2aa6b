#pragma once
// Writes bytes as Intel HEX (16-byte data records, an extended linear
// address record wherever a 64 KiB boundary is crossed, the end-of-file
// record) or as Motorola S-records (an S0 header, S1, S2 or S3 data records
// as the highest address needs, an S5 or S6 count, the matching S9, S8 or
// S7 end), every line ended by CR LF.
#include "FirmwareFormat.h"

#include <QString>
#include <cstdint>
#include <string>

namespace firmware {

// The input file's bytes placed from baseAddress on. The header is the text
// of the S0 record (ASCII, at most 64 characters used). Returns a task result
// code: 0, 2 (memory), 3 (output), 4 (input), or TASK_RESULT_REPORTED after
// telling the user that the bytes would run past the records' 4 GiB of
// addresses (nothing is written then).
uint32_t WriteFirmwareFile(FirmwareFormat format, const QString& inputPath, const QString& outputPath,
                           int64_t baseAddress, const std::string& header);

} // namespace firmware
