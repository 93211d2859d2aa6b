// Firmware.vtx: Intel HEX and Motorola S-records as export and import
// formats and as Copy As and Paste As formats.
#include "FirmwareTasks.h"

#include "ext/interface/VantrelExtension.h"
#include "modules/common/RegisterRecords.h"

namespace {

using firmware::FirmwareFormat;

const char16_t kDescription[] = u"Vantrel Firmware Extensions\r\n"
                                u"Version 1.00\r\n"
                                u"Copyright (C) Kestrane. Intel HEX and Motorola S-records.";

constexpr char16_t kHexFilter[] = u"*.hex";
constexpr char16_t kSRecordFilter[] = u"*.srec;*.s19;*.s28;*.s37";

uint32_t ExportHex(const TaskArgs* a) { return firmware::ExportTask(a, FirmwareFormat::IntelHex); }
uint32_t ExportSRecords(const TaskArgs* a) { return firmware::ExportTask(a, FirmwareFormat::SRecord); }
uint32_t ImportHex(const TaskArgs* a) { return firmware::ImportTask(a, FirmwareFormat::IntelHex); }
uint32_t ImportSRecords(const TaskArgs* a) { return firmware::ImportTask(a, FirmwareFormat::SRecord); }
uint32_t CopyHex(const TaskArgs* a) { return firmware::CopyAsTask(a, FirmwareFormat::IntelHex); }
uint32_t CopySRecords(const TaskArgs* a) { return firmware::CopyAsTask(a, FirmwareFormat::SRecord); }
uint32_t PasteHex(const TaskArgs* a) { return firmware::PasteAsTask(a, FirmwareFormat::IntelHex); }
uint32_t PasteSRecords(const TaskArgs* a) { return firmware::PasteAsTask(a, FirmwareFormat::SRecord); }

const TaskRecord kTasks[] = {
    {TASK_EXPORT, u"Intel HEX Files", nullptr, kHexFilter, ExportHex, 0},
    {TASK_EXPORT, u"Motorola S-Record Files", nullptr, kSRecordFilter, ExportSRecords, 0},
    {TASK_IMPORT, u"Intel HEX Files", nullptr, kHexFilter, ImportHex, 0},
    {TASK_IMPORT, u"Motorola S-Record Files", nullptr, kSRecordFilter, ImportSRecords, 0},
    {TASK_COPY_AS, u"Intel HEX", u"Copy the current selection as Intel HEX records at its address in the file",
     nullptr, CopyHex, 0},
    {TASK_COPY_AS, u"Motorola S-Records",
     u"Copy the current selection as Motorola S-records at its address in the file", nullptr, CopySRecords, 0},
    {TASK_PASTE_AS, u"Intel HEX", u"Paste Intel HEX records as the binary data they hold", nullptr, PasteHex, 0},
    {TASK_PASTE_AS, u"Motorola S-Records", u"Paste Motorola S-records as the binary data they hold", nullptr,
     PasteSRecords, 0},
};

} // namespace

extern "C" VANTREL_EXPORT void VantrelExtension(void* hostContext, RegisterProc registerProc,
                                                const char16_t** description)
{
    RegisterRecords(hostContext, registerProc, description, kDescription, kTasks);
}

// Every task reads its offset through VantrelTaskOffset, so it works at any offset.
extern "C" VANTREL_EXPORT uint32_t VantrelExtensionFeatures(void) { return VANTREL_FEATURE_OFFSET64; }
