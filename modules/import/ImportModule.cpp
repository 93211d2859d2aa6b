// Entry point of the import module: hexadecimal text as an import format
// and as Paste As formats, and raw clipboard data.
#include "ClipboardPaste.h"
#include "HexFileReader.h"

#include "ext/interface/VantrelExtension.h"

#include <new>
#include "modules/common/RegisterRecords.h"

namespace {

const char16_t kDescription[] =
    u"Vantrel Import Extensions\r\n"
    u"Version 1.00\r\n"
    u"Copyright (C) Kestrane. Hexadecimal text and raw clipboard data as binary data.";

template <typename Work>
uint32_t Guarded(Work work)
{
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return TASK_RESULT_OUT_OF_MEMORY;
    }
}

uint32_t ImportHexTextTask(const TaskArgs* args)
{
    if (!args || !args->inputPath)
        return TASK_RESULT_READ_ERROR;
    if (!args->outputPath)
        return TASK_RESULT_WRITE_ERROR;
    return Guarded([args] {
        return importer::ConvertHexFile(QString::fromUtf16(args->inputPath), QString::fromUtf16(args->outputPath));
    });
}

uint32_t PasteHexTextTask(const TaskArgs* args)
{
    if (!args)
        return TASK_RESULT_WRITE_ERROR;
    return Guarded([args] { return importer::PasteHexText(*args); });
}

uint32_t PasteRawDataTask(const TaskArgs* args)
{
    if (!args)
        return TASK_RESULT_WRITE_ERROR;
    return Guarded([args] { return importer::PasteRawData(*args); });
}

const TaskRecord kTasks[] = {
    {TASK_IMPORT, u"Text Files", nullptr, u"*.txt", ImportHexTextTask, 0},
    {TASK_PASTE_AS, u"Text", u"Paste hex text as the binary data represented by that text", nullptr,
     PasteHexTextTask, 0},
    {TASK_PASTE_AS, u"Raw Clipboard Data...",
     u"Paste raw clipboard data associated with any of the available clipboard formats", nullptr, PasteRawDataTask,
     0},
};

} // namespace

extern "C" VANTREL_EXPORT void VantrelExtension(void* hostContext, RegisterProc registerProc,
                                                const char16_t** description)
{
    RegisterRecords(hostContext, registerProc, description, kDescription, kTasks);
}

// Every task reads its offset through VantrelTaskOffset, so it works at any offset.
extern "C" VANTREL_EXPORT uint32_t VantrelExtensionFeatures(void) { return VANTREL_FEATURE_OFFSET64; }
