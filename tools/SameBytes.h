#pragma once
// Whether two stretches of buffers hold the same bytes, compared span
// against span in place.
#include "core/SpanReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

// Whether count bytes at offsetA (read by a) equal count bytes at offsetB
// (read by b). False too when either could not be read; the readers say so.
inline bool SameBytes(CSpanReader& a, int64_t offsetA, CSpanReader& b, int64_t offsetB, int64_t count)
{
    a.Seek(offsetA);
    b.Seek(offsetB);
    std::span<const uint8_t> bytesA, bytesB;
    while (count > 0) {
        if (bytesA.empty())
            bytesA = a.Next(count);
        if (bytesB.empty())
            bytesB = b.Next(count);
        const size_t n = std::min(bytesA.size(), bytesB.size());
        if (n == 0 || std::memcmp(bytesA.data(), bytesB.data(), n) != 0)
            return false;
        bytesA = bytesA.subspan(n);
        bytesB = bytesB.subspan(n);
        count -= int64_t(n);
    }
    return true;
}
