#pragma once
// Collects output text in one large buffer and writes it to the file in big
// pieces. A write failure is remembered; later output is dropped.
#include "modules/common/FileHandle.h"

#include <cstddef>
#include <string_view>

namespace exporter {

class OutputBuffer {
public:
    OutputBuffer(FileHandle& output, char* buffer, size_t capacity)
        : output_(output), buffer_(buffer), capacity_(capacity) {}

    // Room for at least bytes more (bytes <= capacity); write at the pointer,
    // then Commit the end of what was written.
    char* Reserve(size_t bytes)
    {
        if (capacity_ - used_ < bytes)
            Flush();
        return buffer_ + used_;
    }
    void Commit(const char* end) { used_ = size_t(end - buffer_); }

    void Append(std::string_view text);
    // Writes what is buffered; false once any write has failed.
    bool Flush();
    bool Failed() const { return failed_; }

private:
    FileHandle& output_;
    char* buffer_;
    size_t capacity_;
    size_t used_ = 0;
    bool failed_ = false;
};

} // namespace exporter
