#include "ChecksumTask.h"

#include "ChecksumReport.h"
#include "modules/common/FileHandle.h"

namespace {
constexpr int64_t kChunkBytes = 1024;

QStringView FileNameOf(const TaskArgs& args)
{
    return args.fileName ? QStringView(args.fileName) : QStringView();
}
} // namespace

uint32_t RunChecksumTask(const TaskArgs& args, QStringView title, const ChecksumList& checksums)
{
    FileHandle input;
    FileHandle output;
    uint8_t* chunk = input.AllocateBuffer(0, kChunkBytes);
    if (!chunk)
        return TASK_RESULT_OUT_OF_MEMORY;
    if (!input.Open(args.inputPath, FileHandle::OpenExisting, FileHandle::Read))
        return TASK_RESULT_READ_ERROR;
    if (!output.Open(args.outputPath, FileHandle::CreateAlways, FileHandle::Write))
        return TASK_RESULT_WRITE_ERROR;

    // Only the checksums with a wanted line are fed; the others cost nothing.
    ChecksumReport lines({}, {}, 0, 0);
    lines.SetLineMask(args.reportLines);
    std::vector<Checksum*> fed;
    for (const auto& checksum : checksums) {
        if (lines.WantsAnyOf(checksum->LineCount()))
            fed.push_back(checksum.get());
        lines.SkipLines(checksum->LineCount());
    }

    uint64_t length = 0;
    for (;;) {
        if (!input.ReadBytes(chunk, kChunkBytes))
            return TASK_RESULT_READ_ERROR;
        const auto moved = size_t(input.Moved());
        if (moved == 0)
            break;
        for (Checksum* checksum : fed)
            checksum->Update(chunk, moved);
        length += moved;
    }

    ChecksumReport report(title, FileNameOf(args), VantrelTaskOffset(&args), length);
    report.SetLineMask(args.reportLines);
    for (const auto& checksum : checksums) {
        if (report.WantsAnyOf(checksum->LineCount()))
            checksum->AppendLines(report);
        else
            report.SkipLines(checksum->LineCount());
    }
    const QString& text = report.Text();
    if (!output.WriteBytes(text.utf16(), text.size() * qsizetype(sizeof(char16_t))) || !output.Close())
        return TASK_RESULT_WRITE_ERROR;
    return TASK_RESULT_SUCCESS;
}
