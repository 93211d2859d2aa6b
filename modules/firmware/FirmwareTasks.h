#pragma once
// The task handlers: export and Copy As write the format, import and Paste
// As read it; Copy As and Paste As go through the clipboard's plain text.
#include "FirmwareFormat.h"

#include "ext/interface/VantrelExtension.h"

namespace firmware {

uint32_t ExportTask(const TaskArgs* args, FirmwareFormat format);
uint32_t ImportTask(const TaskArgs* args, FirmwareFormat format);
uint32_t CopyAsTask(const TaskArgs* args, FirmwareFormat format);
uint32_t PasteAsTask(const TaskArgs* args, FirmwareFormat format);

} // namespace firmware
