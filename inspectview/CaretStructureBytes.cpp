#include "CaretStructureBytes.h"

#include <algorithm>

int32_t CaretStructureBytes::Read(int64_t offset, uint8_t* out, int32_t count) const
{
    if (offset < 0 || offset >= Length() || count <= 0)
        return 0;
    const int32_t n = int32_t(std::min<int64_t>(count, Length() - offset));
    pos_.Seek(base_ + offset);
    return int32_t(pos_.Read(out, n));
}
