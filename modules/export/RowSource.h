#pragma once
// Cuts an input file into rows aligned to the file: the first row holds
// bytes per row minus the lead (the selection's position in its row), every
// later row a full row, the last row whatever is left. The file is read in
// large blocks; rows never straddle a block because the remainder is moved
// to the front before the next read.
#include "modules/common/FileHandle.h"

#include <cstddef>
#include <cstdint>

namespace exporter {

class RowSource {
public:
    // buffer must hold at least rowBytes bytes; lead < rowBytes.
    RowSource(FileHandle& input, uint8_t* buffer, size_t capacity, int rowBytes, int lead);

    // The next row's bytes; false at the end of the input (or after a read
    // error, which Failed() then reports).
    bool Next(const uint8_t*& bytes, int& count);
    // Whether at least one more byte follows the row just returned.
    bool MoreFollows();
    bool Failed() const { return failed_; }

private:
    void Fill(size_t wanted);

    FileHandle& input_;
    uint8_t* buffer_;
    size_t capacity_;
    size_t start_ = 0;
    size_t end_ = 0;
    size_t need_;
    int rowBytes_;
    bool atEnd_ = false;
    bool failed_ = false;
};

} // namespace exporter
