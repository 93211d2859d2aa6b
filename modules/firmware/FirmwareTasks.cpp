#include "FirmwareTasks.h"

#include "FirmwareReader.h"
#include "FirmwareWriter.h"

#include "modules/common/FileHandle.h"
#include "modules/common/ModuleHost.h"

#include <new>

namespace firmware {

namespace {

QString PathOf(const char16_t* path) { return path ? QString::fromUtf16(path) : QString(); }

// The document's title, which names the image in an S0 header.
std::string HeaderOf(const TaskArgs& args) { return PathOf(args.fileName).toStdString(); }

// Nothing may be thrown across the module boundary.
template <typename Work>
uint32_t Guarded(const TaskArgs* args, Work work)
{
    if (!args)
        return TASK_RESULT_READ_ERROR;
    try {
        return work(*args);
    } catch (const std::bad_alloc&) {
        return TASK_RESULT_OUT_OF_MEMORY;
    } catch (...) {
        return 1; // the host reports an unknown error
    }
}

bool WriteWhole(const QString& path, const QByteArray& bytes)
{
    FileHandle file;
    if (!file.Open(path, FileHandle::CreateAlways, FileHandle::Write))
        return false;
    const bool written = file.WriteBytes(bytes.constData(), bytes.size());
    return file.Close() && written;
}

} // namespace

uint32_t ExportTask(const TaskArgs* args, FirmwareFormat format)
{
    return Guarded(args, [format](const TaskArgs& a) {
        if (!a.outputPath)
            return TASK_RESULT_WRITE_ERROR;
        return WriteFirmwareFile(format, PathOf(a.inputPath), PathOf(a.outputPath), 0, HeaderOf(a));
    });
}

uint32_t ImportTask(const TaskArgs* args, FirmwareFormat format)
{
    return Guarded(args, [format](const TaskArgs& a) {
        if (!a.inputPath)
            return TASK_RESULT_READ_ERROR;
        if (!a.outputPath)
            return TASK_RESULT_WRITE_ERROR;
        return ReadFirmwareFile(format, PathOf(a.inputPath), PathOf(a.outputPath));
    });
}

// The selection keeps its address in the file, so records pasted elsewhere
// still say where the bytes came from.
uint32_t CopyAsTask(const TaskArgs* args, FirmwareFormat format)
{
    return Guarded(args, [format](const TaskArgs& a) {
        return module_host::CopyWrittenText([&](const QString& path) {
            return WriteFirmwareFile(format, PathOf(a.inputPath), path, VantrelTaskOffset(&a), HeaderOf(a));
        });
    });
}

uint32_t PasteAsTask(const TaskArgs* args, FirmwareFormat format)
{
    return Guarded(args, [format](const TaskArgs& a) {
        if (!a.outputPath)
            return TASK_RESULT_WRITE_ERROR;
        const module_host::ScratchFile staged;
        if (staged.Path().isEmpty())
            return TASK_RESULT_WRITE_ERROR;
        const std::optional<QByteArray> text = module_host::TextOnClipboard();
        if (!text) {
            module_host::ShowWarning(QStringLiteral("The clipboard holds no text to read %1 records from.")
                                         .arg(QLatin1String(FormatName(format))));
            return TASK_RESULT_REPORTED;
        }
        if (!WriteWhole(staged.Path(), *text))
            return TASK_RESULT_WRITE_ERROR;
        return ReadFirmwareFile(format, staged.Path(), PathOf(a.outputPath));
    });
}

} // namespace firmware
