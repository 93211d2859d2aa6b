#pragma once
// Turns an Intel HEX or S-record file into the bytes it describes: from the
// lowest address in the file to the end of the highest record, gaps filled
// with 0xFF (erased flash), records placed by address whatever their order,
// a later record winning where two overlap (the user is told once). Every
// record's syntax and checksum is checked; a fault is reported with its line
// number. The image is limited to 2,147,483,647 bytes, the largest document.
#include "FirmwareFormat.h"

#include <QString>
#include <cstdint>

namespace firmware {

// Returns a task result code: 0, 2 (memory), 3 (output), 4 (input), or
// TASK_RESULT_REPORTED after a message naming the fault.
uint32_t ReadFirmwareFile(FirmwareFormat format, const QString& inputPath, const QString& outputPath);

} // namespace firmware
