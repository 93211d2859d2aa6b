#include "WordBounds.h"

#include "core/BufferPos.h"
#include "core/FileBuffer.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr int64_t kBlock = 256;

// The offset just after the last non-word byte before `offset`, or 0.
int64_t WordStartBefore(CBufferPos reader, int64_t offset)
{
    uint8_t block[kBlock];
    while (offset > 0) {
        const int64_t from = std::max<int64_t>(0, offset - kBlock);
        reader.Seek(from);
        const int64_t n = reader.Read(block, offset - from);
        for (int64_t i = n - 1; i >= 0; --i)
            if (!IsWordByte(block[i]))
                return from + i + 1;
        offset = from;
    }
    return 0;
}

// The offset of the first non-word byte at or after `offset`, or the size.
int64_t WordEndFrom(CBufferPos reader, int64_t offset, int64_t size)
{
    uint8_t block[kBlock];
    reader.Seek(offset);
    while (offset < size) {
        const int64_t n = reader.Read(block, std::min(kBlock, size - offset));
        for (int64_t i = 0; i < n; ++i)
            if (!IsWordByte(block[i]))
                return offset + i;
        offset += n;
        reader.Forward(n);
    }
    return size;
}

} // namespace

bool IsWordByte(uint8_t byte)
{
    // The classes of the "C" locale: the program never changes LC_CTYPE.
    return std::isalnum(byte) != 0 || byte == '_';
}

std::optional<OffsetRange> WordAround(const CBufferPos& at)
{
    const CFileBuffer* buffer = at.Buffer();
    if (!buffer || at.Offset() >= buffer->Size())
        return std::nullopt;
    const int64_t hit = at.Offset();
    uint8_t byte = 0;
    at.Read(&byte, 1);
    if (!IsWordByte(byte) && std::isspace(byte) == 0)
        return OffsetRange{hit, hit + 1};
    const OffsetRange word{WordStartBefore(at, hit), WordEndFrom(at, hit, buffer->Size())};
    if (word.start >= word.end)
        return std::nullopt;
    return word;
}
