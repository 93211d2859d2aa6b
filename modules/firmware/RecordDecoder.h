#pragma once
// Reading one record line of Intel HEX or Motorola S-records: its syntax, its
// byte count and its checksum, and what it means (data at an address, the
// end, or something to pass over). Address state carries from line to line.
#include "FirmwareFormat.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace firmware {

struct DecodedRecord {
    enum Kind { Data, Skip, End };
    Kind kind = Skip;
    uint64_t address = 0;
    uint8_t bytes[256];
    int length = 0;
};

class RecordDecoder {
public:
    virtual ~RecordDecoder() = default;
    // The line without its line ending and surrounding white space. Returns
    // an empty string when the record is sound, else why it is not.
    virtual std::string Decode(std::string_view line, DecodedRecord& record) = 0;
    // Intel HEX files always close with their end-of-file record, so one
    // without it has been cut short; S-record writers leave the S7, S8 or S9
    // record out when there is no start address to give.
    virtual bool EndRecordRequired() const = 0;

    static std::unique_ptr<RecordDecoder> For(FirmwareFormat format);
};

} // namespace firmware
