// Arrays.vtx: the selection or the file as a byte array of Python, Rust, Go,
// JavaScript, Java or C#, as an export format and as a Copy As format.
#include "ArrayWriter.h"

#include "ext/interface/VantrelExtension.h"
#include "modules/common/ModuleHost.h"
#include "modules/common/RegisterRecords.h"

#include <new>

namespace {

using arrays::Language;

const char16_t kDescription[] = u"Vantrel Array Extensions\r\n"
                                u"Version 1.00\r\n"
                                u"Copyright (C) Kestrane. Byte arrays for Python, Rust, Go, JavaScript, Java and C#.";

QString PathOf(const char16_t* path) { return path ? QString::fromUtf16(path) : QString(); }

uint32_t CopyToClipboard(const TaskArgs& args, Language language)
{
    return module_host::CopyWrittenText([&](const QString& path) {
        return arrays::WriteArrayFile(language, PathOf(args.inputPath), path);
    });
}

// Export for kind 0, Copy As for kind 2; nothing is thrown across the boundary.
template <Language language>
uint32_t ArrayTask(const TaskArgs* args)
{
    if (!args)
        return TASK_RESULT_READ_ERROR;
    try {
        if (args->kind == TASK_COPY_AS)
            return CopyToClipboard(*args, language);
        if (!args->outputPath)
            return TASK_RESULT_WRITE_ERROR;
        return arrays::WriteArrayFile(language, PathOf(args->inputPath), PathOf(args->outputPath));
    } catch (const std::bad_alloc&) {
        return TASK_RESULT_OUT_OF_MEMORY;
    } catch (...) {
        return 1; // the host reports an unknown error
    }
}

const TaskRecord kTasks[] = {
    {TASK_EXPORT, u"Python Source Files", nullptr, u"*.py", ArrayTask<Language::Python>, 0},
    {TASK_EXPORT, u"Rust Source Files", nullptr, u"*.rs", ArrayTask<Language::Rust>, 0},
    {TASK_EXPORT, u"Go Source Files", nullptr, u"*.go", ArrayTask<Language::Go>, 0},
    {TASK_EXPORT, u"JavaScript Source Files", nullptr, u"*.js;*.mjs", ArrayTask<Language::JavaScript>, 0},
    {TASK_EXPORT, u"Java Source Files", nullptr, u"*.java", ArrayTask<Language::Java>, 0},
    {TASK_EXPORT, u"C# Source Files", nullptr, u"*.cs", ArrayTask<Language::CSharp>, 0},
    {TASK_COPY_AS, u"Python Source", u"Copy the current selection as a Python bytes literal", nullptr,
     ArrayTask<Language::Python>, 0},
    {TASK_COPY_AS, u"Rust Source", u"Copy the current selection as a Rust [u8; N] array", nullptr,
     ArrayTask<Language::Rust>, 0},
    {TASK_COPY_AS, u"Go Source", u"Copy the current selection as a Go []byte slice", nullptr, ArrayTask<Language::Go>,
     0},
    {TASK_COPY_AS, u"JavaScript Source", u"Copy the current selection as a JavaScript Uint8Array", nullptr,
     ArrayTask<Language::JavaScript>, 0},
    {TASK_COPY_AS, u"Java Source", u"Copy the current selection as a Java byte[] array (signed values)", nullptr,
     ArrayTask<Language::Java>, 0},
    {TASK_COPY_AS, u"C# Source", u"Copy the current selection as a C# byte[] array", nullptr,
     ArrayTask<Language::CSharp>, 0},
};

} // namespace

extern "C" VANTREL_EXPORT void VantrelExtension(void* hostContext, RegisterProc registerProc,
                                                const char16_t** description)
{
    RegisterRecords(hostContext, registerProc, description, kDescription, kTasks);
}

// Every task reads its offset through VantrelTaskOffset, so it works at any offset.
extern "C" VANTREL_EXPORT uint32_t VantrelExtensionFeatures(void) { return VANTREL_FEATURE_OFFSET64; }
