#pragma once
// Turns the colours of the settings into the plain 0x00BBGGRR values a module
// is given. A stored colour with bit 31 set names a system colour that follows
// the desktop theme; the caller says how to resolve it, by default from the
// application palette.
#include <cstdint>
#include <functional>

// Gives 0x00BBGGRR for a system colour index.
using SystemColorResolver = std::function<uint32_t(int index)>;

// The default: palette roles Base, Text, Highlight, HighlightedText, Button
// and ButtonText of the application palette for indexes 5, 8, 13, 14, 15 and
// 18 when a GUI application exists, a light classic scheme otherwise; any
// other index gives black.
uint32_t DefaultSystemColor(int index);

// A fixed colour is returned as stored; a system colour goes through the
// resolver. The result never has bit 31 set.
uint32_t ResolveColor(uint32_t color, const SystemColorResolver& resolve = DefaultSystemColor);
