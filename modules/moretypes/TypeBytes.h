#pragma once
// Values of up to eight bytes loaded from and stored to file order, the bytes
// reversed when the user reads big-endian.
#include <cstdint>

namespace moretypes {

inline uint64_t LoadBytes(const uint8_t* p, int count, bool bigEndian)
{
    uint64_t value = 0;
    for (int i = 0; i < count; ++i)
        value |= uint64_t(p[bigEndian ? count - 1 - i : i]) << (8 * i);
    return value;
}

inline void StoreBytes(uint8_t* p, int count, uint64_t value, bool bigEndian)
{
    for (int i = 0; i < count; ++i)
        p[bigEndian ? count - 1 - i : i] = uint8_t(value >> (8 * i));
}

} // namespace moretypes
