#pragma once
// The byte sum of the input, reported modulo 2^8, 2^16, 2^32 and 2^64.
#include "Checksum.h"

class SimpleSums final : public Checksum {
public:
    void Update(const uint8_t* data, size_t length) override;
    void AppendLines(ChecksumReport& report) override;
    int LineCount() const override { return 4; }
    uint64_t Sum() const { return sum_; }

private:
    uint64_t sum_ = 0; // wraps modulo 2^64
};
