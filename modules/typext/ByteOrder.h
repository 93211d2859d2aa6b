#pragma once
// Loading and storing the little-endian values the data types are made of,
// with the byte order reversed when the user asked for big-endian reading.
#include <cstdint>
#include <cstring>

namespace typext {

inline uint16_t Load16(const uint8_t* p, bool bigEndian)
{
    return bigEndian ? uint16_t(p[0] << 8 | p[1]) : uint16_t(p[1] << 8 | p[0]);
}

inline void Store16(uint8_t* p, uint16_t value, bool bigEndian)
{
    const uint8_t low = uint8_t(value), high = uint8_t(value >> 8);
    p[0] = bigEndian ? high : low;
    p[1] = bigEndian ? low : high;
}

inline uint32_t Load32(const uint8_t* p, bool bigEndian)
{
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= uint32_t(p[bigEndian ? 3 - i : i]) << (8 * i);
    return value;
}

inline void Store32(uint8_t* p, uint32_t value, bool bigEndian)
{
    for (int i = 0; i < 4; ++i)
        p[bigEndian ? 3 - i : i] = uint8_t(value >> (8 * i));
}

inline uint64_t Load64(const uint8_t* p, bool bigEndian)
{
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i)
        value |= uint64_t(p[bigEndian ? 7 - i : i]) << (8 * i);
    return value;
}

inline void Store64(uint8_t* p, uint64_t value, bool bigEndian)
{
    for (int i = 0; i < 8; ++i)
        p[bigEndian ? 7 - i : i] = uint8_t(value >> (8 * i));
}

inline double LoadDouble(const uint8_t* p, bool bigEndian)
{
    const uint64_t bits = Load64(p, bigEndian);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline void StoreDouble(uint8_t* p, double value, bool bigEndian)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    Store64(p, bits, bigEndian);
}

} // namespace typext
