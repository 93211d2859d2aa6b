#pragma once
// An encoder that writes its text in lines of a fixed number of input bytes,
// fed in pieces of any size. Whole lines go straight to the whole-input
// encoder; the bytes of a line not yet complete wait for the next piece or
// for Finish, so the text is byte for byte that of one call over all input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

template <size_t kLineBytes, size_t kLastLineChars, size_t (*EncodedSize)(size_t),
          size_t (*Encode)(const uint8_t*, size_t, uint8_t*)>
class WholeLineEncoder {
public:
    // The most bytes Convert writes for `count` bytes, and Finish at the end.
    static size_t MaxOutput(size_t count) { return EncodedSize(count + kLineBytes - 1); }
    static constexpr size_t kMaxFinish = kLastLineChars;

    size_t Convert(const uint8_t* in, size_t count, uint8_t* out)
    {
        uint8_t* const start = out;
        if (pendingCount_ > 0) {
            const size_t taken = std::min(count, kLineBytes - pendingCount_);
            std::memcpy(pending_ + pendingCount_, in, taken);
            pendingCount_ += taken;
            in += taken;
            count -= taken;
            if (pendingCount_ < kLineBytes)
                return 0;
            out += Encode(pending_, kLineBytes, out);
            pendingCount_ = 0;
        }
        const size_t whole = count / kLineBytes * kLineBytes;
        out += Encode(in, whole, out);
        pendingCount_ = count - whole;
        std::memcpy(pending_, in + whole, pendingCount_);
        return size_t(out - start);
    }

    size_t Finish(uint8_t* out)
    {
        const size_t count = Encode(pending_, pendingCount_, out);
        pendingCount_ = 0;
        return count;
    }

private:
    uint8_t pending_[kLineBytes] = {};
    size_t pendingCount_ = 0;
};
