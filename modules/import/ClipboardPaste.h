#pragma once
// The two Paste As tasks: hex text from the clipboard, and the raw data of
// a clipboard format the user picks.
#include "ext/interface/VantrelExtension.h"

namespace importer {

uint32_t PasteHexText(const TaskArgs& args);
uint32_t PasteRawData(const TaskArgs& args);

} // namespace importer
