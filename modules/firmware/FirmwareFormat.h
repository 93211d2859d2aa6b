#pragma once
// The two text formats firmware images travel in.
namespace firmware {

enum class FirmwareFormat { IntelHex, SRecord };

inline const char* FormatName(FirmwareFormat format)
{
    return format == FirmwareFormat::IntelHex ? "Intel HEX" : "S-record";
}

} // namespace firmware
