#pragma once
// Loading and storing values held as raw bytes, optionally byte-reversed.
// memcpy keeps the accesses free of alignment and aliasing trouble.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

template <typename T>
T LoadValue(const uint8_t* bytes, bool reversed = false)
{
    std::array<uint8_t, sizeof(T)> raw;
    std::memcpy(raw.data(), bytes, sizeof(T));
    if (reversed)
        std::reverse(raw.begin(), raw.end());
    T value;
    std::memcpy(&value, raw.data(), sizeof(T));
    return value;
}

template <typename T>
void StoreValue(uint8_t* bytes, T value)
{
    std::memcpy(bytes, &value, sizeof(T));
}

inline void ReverseByteOrder(uint8_t* bytes, int count)
{
    std::reverse(bytes, bytes + count);
}
