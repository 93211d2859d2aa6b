#include "TransferCount.h"

#include <algorithm>
#include <cstring>

int32_t TransferByteCount(const QByteArray& text, std::optional<int32_t> lengthBlock)
{
    const int64_t available = std::min<int64_t>(text.size(), INT32_MAX);
    int64_t count;
    if (lengthBlock && *lengthBlock != 0) {
        count = *lengthBlock;
    } else {
        const void* zero = std::memchr(text.constData(), 0, size_t(available));
        count = zero ? static_cast<const char*>(zero) - text.constData() : available;
    }
    return int32_t(std::min(count, available));
}
