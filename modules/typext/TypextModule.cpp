// Entry point of the data-type module: registers the eight custom types.
#include "BooleanTypes.h"
#include "DateTypes.h"

#include "ext/interface/VantrelExtension.h"
#include "modules/common/RegisterRecords.h"

namespace {

using namespace typext;

const char16_t kDescription[] =
    u"Vantrel Data Type Extensions\r\n"
    u"Version 1.00\r\n"
    u"Copyright (C) Kestrane. Dates, times and Boolean values for the data inspector.";

const TypeRecord kTypes[] = {
    {u"Variant Date", 8, kDateTextCapacity, FormatVariantDate, ParseVariantDate, nullptr},
    {u"SYSTEMTIME", 16, kDateTextCapacity, FormatSystemTime, ParseSystemTime, nullptr},
    {u"FILETIME", 8, kDateTextCapacity, FormatFileTime, ParseFileTime, nullptr},
    {u"MS-DOS Date", 2, kDateTextCapacity, FormatDosDate, ParseDosDate, nullptr},
    {u"MS-DOS Time", 2, kDateTextCapacity, FormatDosTime, ParseDosTime, nullptr},
    {u"Windows BOOL", 4, kBoolTextCapacity, FormatWindowsBool, ParseWindowsBool, WindowsBoolValue},
    {u"C bool", 1, kBoolTextCapacity, FormatCBool, ParseCBool, CBoolValue},
    {u"VB Boolean", 2, kBoolTextCapacity, FormatVbBoolean, ParseVbBoolean, VbBooleanValue},
};

} // namespace

extern "C" VANTREL_EXPORT void VantrelExtension(void* hostContext, RegisterProc registerProc,
                                                const char16_t** description)
{
    RegisterRecords(hostContext, registerProc, description, kDescription, kTypes);
}
