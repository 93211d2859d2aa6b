#pragma once
// A window of fixed length sliding one byte at a time over a buffer, with a
// polynomial hash modulo 2^64 of its bytes: rolling it on costs the same
// whatever the length. Equal hashes only suggest equal bytes.
#include "tools/ByteStream.h"

#include <cstdint>

class RollingWindow {
public:
    static constexpr uint64_t BASE = 0x100000001b3ULL;

    // The window of length bytes at offset; past the end of the buffer the
    // streams hand out zeros, so the caller keeps to windows that fit.
    RollingWindow(const CFileBuffer& buffer, int64_t offset, int64_t length)
        : tail_(buffer, offset), head_(buffer, offset)
    {
        for (int64_t i = 1; i < length; ++i)
            power_ *= BASE;
        for (int64_t i = 0; i < length; ++i)
            hash_ = hash_ * BASE + head_.Next();
    }

    uint64_t Hash() const { return hash_; }

    void Advance()
    {
        const uint8_t out = tail_.Next();
        hash_ = (hash_ - out * power_) * BASE + head_.Next();
    }

    // The first problem either stream met, or none.
    const CoreProblem& Problem() const { return tail_.Failed() ? tail_.Problem() : head_.Problem(); }

private:
    ByteStream tail_;
    ByteStream head_;
    uint64_t hash_ = 0;
    uint64_t power_ = 1;  // BASE^(length - 1), the weight of the byte leaving
};
