#include "SimpleSums.h"

#include "ChecksumReport.h"

void SimpleSums::Update(const uint8_t* data, size_t length)
{
    // A 32-bit partial sum cannot overflow within one chunk of up to 2^24
    // bytes, and a plain loop over it vectorises well.
    uint64_t sum = sum_;
    while (length > 0) {
        const size_t run = length < (size_t(1) << 24) ? length : (size_t(1) << 24);
        uint32_t partial = 0;
        for (size_t i = 0; i < run; ++i)
            partial += data[i];
        sum += partial;
        data += run;
        length -= run;
    }
    sum_ = sum;
}

void SimpleSums::AppendLines(ChecksumReport& report)
{
    report.AddLine(u"8-Bit Checksum", HexDigits(sum_ & 0xFF, 2));
    report.AddLine(u"16-Bit Checksum", HexDigits(sum_ & 0xFFFF, 4));
    report.AddLine(u"32-Bit Checksum", HexDigits(sum_ & 0xFFFFFFFF, 8));
    report.AddLine(u"64-Bit Checksum", HexDigits(sum_, 16));
}
