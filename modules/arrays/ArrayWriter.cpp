#include "ArrayWriter.h"

#include "ext/interface/VantrelExtension.h"
#include "modules/common/FileHandle.h"

namespace arrays {

namespace {
constexpr int64_t kBlockBytes = int64_t(1) << 20; // a whole number of rows
static_assert(kBlockBytes % kValuesPerRow == 0);
} // namespace

uint32_t WriteArrayFile(Language language, const QString& inputPath, const QString& outputPath)
{
    FileHandle input;
    uint8_t* block = input.AllocateBuffer(0, size_t(kBlockBytes));
    if (!block)
        return TASK_RESULT_OUT_OF_MEMORY;
    if (!input.Open(inputPath, FileHandle::OpenExisting, FileHandle::Read))
        return TASK_RESULT_READ_ERROR;
    FileHandle output;
    if (!output.Open(outputPath, FileHandle::CreateAlways, FileHandle::Write))
        return TASK_RESULT_WRITE_ERROR;
    // The declared length comes before the values, so it is the file's size;
    // the values written are counted and must agree with it.
    const int64_t length = input.Size();
    std::string text = ArrayHeader(language, length);
    int64_t written = 0;
    for (;;) {
        if (!input.ReadBytes(block, kBlockBytes))
            return TASK_RESULT_READ_ERROR;
        const int64_t moved = input.Moved();
        if (moved == 0)
            break;
        for (int64_t at = 0; at < moved; at += kValuesPerRow)
            AppendArrayRow(language, block + at, int(std::min<int64_t>(kValuesPerRow, moved - at)), text);
        written += moved;
        if (!output.WriteBytes(text.data(), int64_t(text.size())))
            return TASK_RESULT_WRITE_ERROR;
        text.clear();
    }
    if (written != length)
        return TASK_RESULT_READ_ERROR; // the file changed while it was read
    text += ArrayFooter(language, length);
    return output.WriteBytes(text.data(), int64_t(text.size())) && output.Close() ? TASK_RESULT_SUCCESS
                                                                                  : TASK_RESULT_WRITE_ERROR;
}

} // namespace arrays
