// Moretypes.vtt: the data types users most often miss next to the standard
// ones: Unix and MS-DOS times, GUIDs, small floats, 24-bit integers, bits,
// colours and IPv4 addresses.
#include "GuidType.h"
#include "IntegerTypes.h"
#include "NotationTypes.h"
#include "SmallFloatTypes.h"
#include "TimeTypes.h"

#include "ext/interface/VantrelExtension.h"
#include "modules/common/RegisterRecords.h"

namespace {

using namespace moretypes;

const char16_t kDescription[] = u"Vantrel More Data Type Extensions\r\n"
                                u"Version 1.00\r\n"
                                u"Copyright (C) Kestrane. Unix times, GUIDs, half floats, 24-bit integers and more.";

const TypeRecord kTypes[] = {
    {u"Unix Time (32-bit)", 4, kTimeTextCapacity, FormatUnixTime32, ParseUnixTime32, nullptr},
    {u"Unix Time (64-bit)", 8, kTimeTextCapacity, FormatUnixTime64, ParseUnixTime64, nullptr},
    {u"MS-DOS Date and Time", 4, kTimeTextCapacity, FormatDosDateTime, ParseDosDateTime, nullptr},
    {u"GUID", 16, kGuidTextCapacity, FormatGuid, ParseGuid, nullptr},
    {u"Half Float", 2, kFloatTextCapacity, FormatHalfFloat, ParseHalfFloat, nullptr},
    {u"BFloat16", 2, kFloatTextCapacity, FormatBfloat16, ParseBfloat16, nullptr},
    {u"Int24", 3, kInt24TextCapacity, FormatInt24, ParseInt24, Int24Value},
    {u"UInt24", 3, kInt24TextCapacity, FormatUInt24, ParseUInt24, UInt24Value},
    {u"Binary Byte", 1, kBinaryTextCapacity, FormatBinaryByte, ParseBinaryByte, nullptr},
    {u"RGB Color", 3, kColorTextCapacity, FormatRgbColor, ParseRgbColor, nullptr},
    {u"IPv4 Address", 4, kIpv4TextCapacity, FormatIpv4Address, ParseIpv4Address, nullptr},
};

} // namespace

extern "C" VANTREL_EXPORT void VantrelExtension(void* hostContext, RegisterProc registerProc,
                                                const char16_t** description)
{
    RegisterRecords(hostContext, registerProc, description, kDescription, kTypes);
}
