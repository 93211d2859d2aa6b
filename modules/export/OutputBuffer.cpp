#include "OutputBuffer.h"

#include <cstring>

namespace exporter {

void OutputBuffer::Append(std::string_view text)
{
    while (!text.empty()) {
        if (used_ == capacity_)
            Flush();
        const size_t piece = std::min(text.size(), capacity_ - used_);
        std::memcpy(buffer_ + used_, text.data(), piece);
        used_ += piece;
        text.remove_prefix(piece);
    }
}

bool OutputBuffer::Flush()
{
    if (used_ > 0 && !failed_ && !output_.WriteBytes(buffer_, int64_t(used_)))
        failed_ = true;
    used_ = 0;
    return !failed_;
}

} // namespace exporter
