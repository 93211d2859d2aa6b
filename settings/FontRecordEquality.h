#pragma once
// Equality of font descriptions, so the settings record can be compared as a
// whole. The record has no padding (it is exactly 92 bytes), so comparing its
// stored form compares every field.
#include "platform/FontRecord.h"

namespace platform {

inline bool operator==(const FontRecord& a, const FontRecord& b)
{
    return FontRecordToBytes(a) == FontRecordToBytes(b);
}

} // namespace platform
