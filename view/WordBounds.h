#pragma once
// The word a double-click selects, judged byte by byte with the C character
// classes: letters, digits and "_" make words; a click on white space selects
// the word just before it.
#include "SelectionChange.h"

#include <optional>

class CBufferPos;

// The range to select around the byte at `at` (a position in the file);
// nothing when there is no byte there or the word is empty.
std::optional<OffsetRange> WordAround(const CBufferPos& at);

bool IsWordByte(uint8_t byte);
