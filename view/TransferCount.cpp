#include "TransferCount.h"

#include <algorithm>
#include <cstring>

int64_t TransferByteCount(const QByteArray& text, std::optional<int64_t> lengthBlock)
{
    const int64_t available = text.size();
    int64_t count;
    if (lengthBlock && *lengthBlock != 0) {
        count = *lengthBlock;
    } else {
        const void* zero = std::memchr(text.constData(), 0, size_t(available));
        count = zero ? static_cast<const char*>(zero) - text.constData() : available;
    }
    return std::min(count, available);
}
