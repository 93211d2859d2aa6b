// Entry point of the export module: four formats, each as an export format
// and as a Copy As format.
#include "ExportRunner.h"

#include "ext/interface/VantrelExtension.h"
#include "modules/common/RegisterRecords.h"

namespace {

using exporter::ExportFormat;
using exporter::RunExportTask;

const char16_t kDescription[] =
    u"Vantrel Export Extensions\r\n"
    u"Version 1.00\r\n"
    u"Copyright (C) Kestrane. Text, HTML, C and assembly listings of binary data.";

uint32_t TextDumpTask(const TaskArgs* args) { return RunExportTask(args, ExportFormat::TextDump); }

// One handler for the fragment and the page: an id above 0 asks for a page.
uint32_t HtmlTask(const TaskArgs* args)
{
    const bool page = args && args->id > 0;
    return RunExportTask(args, page ? ExportFormat::HtmlPage : ExportFormat::HtmlFragment);
}

uint32_t CArrayTask(const TaskArgs* args) { return RunExportTask(args, ExportFormat::CArray); }
uint32_t AssemblyTask(const TaskArgs* args) { return RunExportTask(args, ExportFormat::Assembly); }

const TaskRecord kTasks[] = {
    {TASK_EXPORT, u"Text Files", nullptr, u"*.txt", TextDumpTask, 0},
    {TASK_EXPORT, u"HTML Files", nullptr, u"*.htm", HtmlTask, 1},
    {TASK_EXPORT, u"C Source Files", nullptr, u"*.c", CArrayTask, 0},
    {TASK_EXPORT, u"Assembly Source Files", nullptr, u"*.asm", AssemblyTask, 0},
    {TASK_COPY_AS, u"Text", u"Copy the current selection formatted as it appears on the screen", nullptr,
     TextDumpTask, 0},
    {TASK_COPY_AS, u"HTML",
     u"Copy the current selection as Hyper-Text Markup Language (HTML) formatted as it appears on the screen",
     nullptr, HtmlTask, 0},
    {TASK_COPY_AS, u"HTML Page",
     u"Copy the current selection as a Hyper-Text Markup Language (HTML) page formatted as it appears on the "
     u"screen",
     nullptr, HtmlTask, 1},
    {TASK_COPY_AS, u"C Source", u"Copy the current selection as a C source code declaration", nullptr, CArrayTask, 0},
    {TASK_COPY_AS, u"Assembly Source",
     u"Copy the current selection as an assembly language source code declaration", nullptr, AssemblyTask, 0},
};

} // namespace

extern "C" VANTREL_EXPORT void VantrelExtension(void* hostContext, RegisterProc registerProc,
                                                const char16_t** description)
{
    RegisterRecords(hostContext, registerProc, description, kDescription, kTasks);
}

// Every task reads its offset through VantrelTaskOffset, so it works at any offset.
extern "C" VANTREL_EXPORT uint32_t VantrelExtensionFeatures(void) { return VANTREL_FEATURE_OFFSET64; }
