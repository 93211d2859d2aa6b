#pragma once
// Colour values as the settings keep them: 0x00BBGGRR for a fixed colour, or
// bit 31 plus a system colour index for a colour that follows the theme and
// is resolved only when painting.
#include <cstdint>

constexpr uint32_t kSystemColorBit = 0x80000000u;

// The system colour indexes the defaults use.
constexpr int kSysColorWindow = 5;
constexpr int kSysColorWindowText = 8;
constexpr int kSysColorHighlight = 13;
constexpr int kSysColorHighlightText = 14;
constexpr int kSysColorButtonFace = 15;
constexpr int kSysColorButtonText = 18;

constexpr uint32_t SystemColor(int index) { return kSystemColorBit | uint32_t(index); }
constexpr bool IsSystemColor(uint32_t color) { return (color & kSystemColorBit) != 0; }
constexpr int SystemColorIndex(uint32_t color) { return int(color & ~kSystemColorBit); }
