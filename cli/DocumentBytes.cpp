#include "DocumentBytes.h"

#include "core/FileBuffer.h"

#include <algorithm>

DocumentBytes::DocumentBytes(const CFileBuffer& buffer, int64_t base)
    : buffer_(buffer), base_(base), reader_(buffer, base, CSpanReader::Access::Random)
{
}

int64_t DocumentBytes::Length() const { return std::max<int64_t>(0, buffer_.Size() - base_); }

int32_t DocumentBytes::Read(int64_t offset, uint8_t* out, int32_t count) const
{
    if (offset < 0 || count <= 0 || offset >= Length())
        return 0;
    const int64_t wanted = std::min<int64_t>(count, Length() - offset);
    return int32_t(reader_.ReadAt(base_ + offset, out, wanted));
}
