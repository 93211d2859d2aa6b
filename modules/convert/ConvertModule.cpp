// Convert.vtx: eleven conversions of the selection, four of them also
// offered as import and export formats.
#include "ConvertHandlers.h"
#include "modules/common/RegisterRecords.h"

namespace {

constexpr char16_t kDescription[] = u"Vantrel Conversion Extensions\r\n"
                                    u"Version 1.00\r\n"
                                    u"Copyright (C) Kestrane. All rights reserved.";

const TaskRecord kRecords[] = {
    {TASK_CONVERSION, u"Upper Case", u"Convert characters to upper case", nullptr, UpperCaseTask, 0},
    {TASK_CONVERSION, u"Lower Case", u"Convert characters to lower case", nullptr, LowerCaseTask, 0},
    {TASK_CONVERSION, u"Toggle Case", u"Toggle the case of each character", nullptr, ToggleCaseTask, 0},
    {TASK_CONVERSION, u"ANSI to Unicode",
     u"Convert ANSI string data to Unicode string data using the Windows API function MultiByteToWideChar", nullptr,
     AnsiToUnicodeTask, 0},
    {TASK_CONVERSION, u"Unicode to ANSI",
     u"Convert Unicode string data to ANSI string data using the Windows API function WideCharToMultiByte", nullptr,
     UnicodeToAnsiTask, 0},
    {TASK_CONVERSION, u"DOS Newlines to UNIX Newlines",
     u"Convert DOS newlines (carriage return, line feeds) to UNIX newlines (line feeds)", nullptr, DosToUnixTask, 0},
    {TASK_CONVERSION, u"UNIX Newlines to DOS Newlines",
     u"Convert UNIX newlines (line feeds) to DOS newlines (carriage return, line feeds)", nullptr, UnixToDosTask, 0},
    {TASK_CONVERSION, u"Base64 Encode Data", u"Encode data in base64 format", nullptr, Base64EncodeTask, 0},
    {TASK_CONVERSION, u"Base64 Decode Data", u"Decode data that was previously encoded in base64 format", nullptr,
     Base64DecodeTask, 0},
    {TASK_CONVERSION, u"UUEncode Data", u"Encode data in uuencode format", nullptr, UuencodeTask, 0},
    {TASK_CONVERSION, u"UUDecode Data", u"Decode data that was previously encoded in uuencode format", nullptr,
     UudecodeTask, 0},
    {TASK_IMPORT, u"Base64 Files", nullptr, u"*.txt;*.b64", Base64DecodeTask, 0},
    {TASK_IMPORT, u"UUEncode Files", nullptr, u"*.txt;*.uue", UudecodeTask, 0},
    {TASK_EXPORT, u"Base64 Files", nullptr, u"*.txt", Base64EncodeTask, 0},
    {TASK_EXPORT, u"UUEncode Files", nullptr, u"*.txt", UuencodeTask, 0},
};

} // namespace

extern "C" VANTREL_EXPORT void VantrelExtension(void* hostContext, RegisterProc registerProc,
                                                const char16_t** description)
{
    RegisterRecords(hostContext, registerProc, description, kDescription, kRecords);
}

// Every task reads its offset through VantrelTaskOffset, so it works at any offset.
extern "C" VANTREL_EXPORT uint32_t VantrelExtensionFeatures(void) { return VANTREL_FEATURE_OFFSET64; }
