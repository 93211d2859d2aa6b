#pragma once
// A buffer's bytes one after the other, read span by span: the walker
// behind the comparison's rolling windows.
#include "core/SpanReader.h"

#include <cstdint>

class ByteStream {
public:
    ByteStream(const CFileBuffer& buffer, int64_t offset) : reader_(buffer, offset) {}

    // The next byte; 0 past the end of the buffer or once reading failed.
    uint8_t Next()
    {
        if (at_ == end_ && !Refill())
            return 0;
        return *at_++;
    }
    void Seek(int64_t offset)
    {
        reader_.Seek(offset);
        at_ = end_ = nullptr;
    }
    bool Failed() const { return reader_.Failed(); }
    const CoreProblem& Problem() const { return reader_.Problem(); }

private:
    bool Refill()
    {
        const std::span<const uint8_t> bytes = reader_.Next();
        at_ = bytes.data();
        end_ = at_ + bytes.size();
        return !bytes.empty();
    }

    CSpanReader reader_;
    const uint8_t* at_ = nullptr;
    const uint8_t* end_ = nullptr;
};
