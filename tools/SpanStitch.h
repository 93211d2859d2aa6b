#pragma once
// The bytes a scan has already passed, kept next to the edge of the span it
// reads now, so that a window of up to keep + 1 bytes that straddles two or
// more spans is compared in one contiguous piece. Only the keep bytes
// nearest to the new span are carried; the carried bytes float inside a
// buffer of four times that size and are moved back to its edge only when
// there is no more room, so carrying costs a constant per byte even when
// the spans are much shorter than the pattern.
//
// Forward scans join a span after the carried bytes; backward scans join it
// before them. One stitch serves one direction.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

class SpanStitch {
public:
    explicit SpanStitch(int64_t keep) : keep_(keep), bytes_(size_t(4 * keep)) {}

    int64_t Carried() const { return end_ - begin_; }

    // The carried bytes followed by the first min(keep, size) bytes of next.
    std::span<const uint8_t> JoinAfter(std::span<const uint8_t> next)
    {
        const int64_t head = std::min<int64_t>(keep_, int64_t(next.size()));
        if (end_ + head > int64_t(bytes_.size()))
            MoveCarried(0);
        std::memcpy(bytes_.data() + end_, next.data(), size_t(head));
        return {bytes_.data() + begin_, size_t(Carried() + head)};
    }

    // After JoinAfter(next): the carried bytes become the last keep bytes
    // of the carried ones followed by next.
    void PassedAfter(std::span<const uint8_t> next)
    {
        const auto size = int64_t(next.size());
        if (size >= keep_) {
            std::memcpy(bytes_.data(), next.data() + (size - keep_), size_t(keep_));
            begin_ = 0;
            end_ = keep_;
            return;
        }
        end_ += size;  // JoinAfter has copied all of next already
        begin_ = std::max(begin_, end_ - keep_);
    }

    // The last min(keep, size) bytes of previous followed by the carried bytes.
    std::span<const uint8_t> JoinBefore(std::span<const uint8_t> previous)
    {
        const int64_t tail = std::min<int64_t>(keep_, int64_t(previous.size()));
        if (begin_ - tail < 0)
            MoveCarried(int64_t(bytes_.size()) - Carried());
        std::memcpy(bytes_.data() + (begin_ - tail), previous.data() + (int64_t(previous.size()) - tail), size_t(tail));
        return {bytes_.data() + (begin_ - tail), size_t(Carried() + tail)};
    }

    // After JoinBefore(previous): the carried bytes become the first keep
    // bytes of previous followed by the carried ones.
    void PassedBefore(std::span<const uint8_t> previous)
    {
        const auto size = int64_t(previous.size());
        const auto capacity = int64_t(bytes_.size());
        if (size >= keep_) {
            std::memcpy(bytes_.data() + (capacity - keep_), previous.data(), size_t(keep_));
            begin_ = capacity - keep_;
            end_ = capacity;
            return;
        }
        begin_ -= size;  // JoinBefore has copied all of previous already
        end_ = std::min(end_, begin_ + keep_);
    }

private:
    void MoveCarried(int64_t to)
    {
        const int64_t carried = Carried();
        std::memmove(bytes_.data() + to, bytes_.data() + begin_, size_t(carried));
        begin_ = to;
        end_ = to + carried;
    }

    int64_t keep_;
    std::vector<uint8_t> bytes_;
    int64_t begin_ = 0;  // forward scans start at the front, backward ones at the back
    int64_t end_ = 0;
};
