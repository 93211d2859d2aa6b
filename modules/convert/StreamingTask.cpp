#include "StreamingTask.h"

#include "modules/common/FileHandle.h"

#include <algorithm>
#include <new>

namespace {

// Nothing of a conversion that failed half-way is left behind.
uint32_t Abandon(FileHandle& output, const ChunkConverter& converter)
{
    output.CloseAndRemove();
    converter.ReportFailure();
    return TASK_RESULT_REPORTED;
}

uint32_t Stream(const TaskArgs& args, ChunkConverter& converter)
{
    FileHandle input;
    FileHandle output;
    const size_t chunkBytes = converter.ChunkBytes();
    const size_t outputBytes = std::max(converter.MaxOutputBytes(chunkBytes), converter.MaxFinishBytes());
    uint8_t* chunk = input.AllocateBuffer(0, chunkBytes);
    uint8_t* converted = output.AllocateBuffer(0, outputBytes);
    if (!chunk || !converted)
        return TASK_RESULT_OUT_OF_MEMORY;
    if (!input.Open(args.inputPath, FileHandle::OpenExisting, FileHandle::Read))
        return TASK_RESULT_READ_ERROR;
    if (!output.Open(args.outputPath, FileHandle::CreateAlways, FileHandle::Write))
        return TASK_RESULT_WRITE_ERROR;

    for (;;) {
        if (!input.ReadBytes(chunk, int64_t(chunkBytes)))
            return TASK_RESULT_READ_ERROR;
        const auto moved = size_t(input.Moved());
        if (moved == 0)
            break;
        const size_t count = converter.Convert(chunk, moved, converted);
        if (converter.Failed())
            return Abandon(output, converter);
        if (!output.WriteBytes(converted, int64_t(count)))
            return TASK_RESULT_WRITE_ERROR;
    }
    const size_t count = converter.Finish(converted);
    if (converter.Failed())
        return Abandon(output, converter);
    if (!output.WriteBytes(converted, int64_t(count)) || !output.Close())
        return TASK_RESULT_WRITE_ERROR;
    return TASK_RESULT_SUCCESS;
}

} // namespace

uint32_t RunStreamingTask(const TaskArgs* args, ChunkConverter& converter)
{
    if (!args)
        return TASK_RESULT_READ_ERROR;
    try {
        return Stream(*args, converter);
    } catch (const std::bad_alloc&) {
        return TASK_RESULT_OUT_OF_MEMORY;
    }
}
