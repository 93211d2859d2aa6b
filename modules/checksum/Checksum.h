#pragma once
// One checksum of a report: fed the input chunk by chunk in a single pass,
// then asked for its result lines.
#include <cstddef>
#include <cstdint>

class ChecksumReport;

class Checksum {
public:
    virtual ~Checksum() = default;
    virtual void Update(const uint8_t* data, size_t length) = 0;
    // Called once, after the last chunk.
    virtual void AppendLines(ChecksumReport& report) = 0;
    // How many lines AppendLines adds.
    virtual int LineCount() const { return 1; }
};
