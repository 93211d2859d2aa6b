#pragma once
// Import.vtx loaded once, and runs of its hexadecimal reader on text.
#include "tests/modules/common/ModuleHarness.h"

const LoadedModule& ImportModule();

// Runs the import record "Text Files" on the text as its input file.
TaskOutcome ImportText(const QByteArray& text);
