#include "RowSource.h"

#include <algorithm>
#include <cstring>

namespace exporter {

RowSource::RowSource(FileHandle& input, uint8_t* buffer, size_t capacity, int rowBytes, int lead)
    : input_(input), buffer_(buffer), capacity_(capacity), need_(size_t(rowBytes - lead)), rowBytes_(rowBytes)
{
}

void RowSource::Fill(size_t wanted)
{
    while (end_ - start_ < wanted && !atEnd_) {
        if (start_ > 0) {
            std::memmove(buffer_, buffer_ + start_, end_ - start_);
            end_ -= start_;
            start_ = 0;
        }
        if (!input_.ReadBytes(buffer_ + end_, int64_t(capacity_ - end_))) {
            failed_ = true;
            atEnd_ = true;
        } else if (input_.Moved() == 0) {
            atEnd_ = true;
        } else {
            end_ += size_t(input_.Moved());
        }
    }
}

bool RowSource::Next(const uint8_t*& bytes, int& count)
{
    Fill(need_);
    if (end_ == start_)
        return false;
    count = int(std::min(need_, end_ - start_));
    bytes = buffer_ + start_;
    start_ += size_t(count);
    need_ = size_t(rowBytes_);
    return true;
}

bool RowSource::MoreFollows()
{
    Fill(1);
    return end_ > start_;
}

} // namespace exporter
