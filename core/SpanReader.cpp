#include "SpanReader.h"

#include "FileBuffer.h"

#include <algorithm>
#include <cstring>

namespace {
// Bytes of a file extent read at once by a sequential reader.
constexpr int64_t kSequentialBlock = int64_t(1) << 20;
} // namespace

CSpanReader::CSpanReader(const CFileBuffer& buffer, int64_t offset, Access access) : buffer_(buffer), access_(access)
{
    Seek(offset);
}

CSpanReader::~CSpanReader() = default;

void CSpanReader::Seek(int64_t offset)
{
    offset_ = std::clamp<int64_t>(offset, 0, buffer_.Size());
    element_ = nullptr;
}

void CSpanReader::Locate()
{
    element_ = buffer_.index_.Find(offset_, &elementStart_);
}

std::span<const uint8_t> CSpanReader::Next(int64_t maxBytes)
{
    if (problem_ || maxBytes <= 0 || offset_ >= buffer_.Size())
        return {};
    if (!element_)
        Locate();
    // An offset at the end of an element is read from the next one.
    while (offset_ - elementStart_ == int64_t(element_->length)) {
        elementStart_ += int64_t(element_->length);
        element_ = element_->next;
    }
    const int64_t inElement = offset_ - elementStart_;
    const int64_t available = std::min(int64_t(element_->length) - inElement, maxBytes);
    std::span<const uint8_t> bytes = false
                                         ? FromExtent(inElement, available, true)
                                         : std::span<const uint8_t>(element_->Data() + inElement, size_t(available));
    offset_ += int64_t(bytes.size());
    return bytes;
}

std::span<const uint8_t> CSpanReader::Previous(int64_t maxBytes)
{
    if (problem_ || maxBytes <= 0 || offset_ <= 0)
        return {};
    if (!element_)
        Locate();
    // An offset at the start of an element reads the end of the one before.
    while (offset_ == elementStart_) {
        element_ = element_->prev;
        elementStart_ -= int64_t(element_->length);
    }
    const int64_t inElement = offset_ - elementStart_;
    const int64_t available = std::min(inElement, maxBytes);
    std::span<const uint8_t> bytes =
        false ? FromExtent(inElement - available, available, false)
                             : std::span<const uint8_t>(element_->Data() + inElement - available, size_t(available));
    offset_ -= int64_t(bytes.size());
    return bytes;
}

// Going backward, inElement is where the wanted bytes start and a block is
// filled toward its end, so the next Previous call finds its bytes in place.
std::span<const uint8_t> CSpanReader::FromExtent(int64_t, int64_t, bool) { return {}; }

int64_t CSpanReader::ReadAt(int64_t offset, void* destination, int64_t count)
{
    Seek(offset);
    auto* out = static_cast<uint8_t*>(destination);
    int64_t done = 0;
    while (done < count) {
        const std::span<const uint8_t> bytes = Next(count - done);
        if (bytes.empty())
            break;
        std::memcpy(out + done, bytes.data(), bytes.size());
        done += int64_t(bytes.size());
    }
    return done;
}
