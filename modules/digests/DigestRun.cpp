#include "DigestRun.h"

#include "ext/interface/VantrelExtension.h"
#include "modules/common/FileHandle.h"

#include <system_error>
#include <thread>
#include <utility>

namespace {

// Large enough that starting the threads of a block costs little next to
// hashing it, small enough to keep the memory use constant and modest.
constexpr int64_t kBlockBytes = int64_t(1) << 20;

// Starts one thread per digest on the block; a digest whose thread cannot be
// started is fed on this thread instead, so a busy system only slows it down.
void StartUpdates(const DigestList& digests, const uint8_t* block, size_t size, std::vector<std::jthread>& workers)
{
    for (const auto& digest : digests) {
        Digest* d = digest.get();
        try {
            workers.emplace_back([d, block, size] { d->Update(block, size); });
        } catch (const std::system_error&) {
            d->Update(block, size);
        }
    }
}

} // namespace

uint32_t DigestFile(const QString& path, const DigestList& digests, uint64_t& length)
{
    length = 0;
    FileHandle input;
    uint8_t* current = input.AllocateBuffer(0, kBlockBytes);
    uint8_t* next = input.AllocateBuffer(1, kBlockBytes);
    if (!current || !next)
        return TASK_RESULT_OUT_OF_MEMORY;
    if (!input.Open(path, FileHandle::OpenExisting, FileHandle::Read))
        return TASK_RESULT_READ_ERROR;
    if (!input.ReadBytes(current, kBlockBytes))
        return TASK_RESULT_READ_ERROR;
    auto size = size_t(input.Moved());
    const bool parallel = digests.size() > 1;
    std::vector<std::jthread> workers;
    workers.reserve(digests.size());
    while (size > 0) {
        length += size;
        if (parallel) {
            StartUpdates(digests, current, size, workers);
        } else {
            for (const auto& digest : digests)
                digest->Update(current, size);
        }
        const bool read = input.ReadBytes(next, kBlockBytes);
        workers.clear(); // joins: every digest has taken the block
        if (!read)
            return TASK_RESULT_READ_ERROR;
        size = size_t(input.Moved());
        std::swap(current, next);
    }
    return TASK_RESULT_SUCCESS;
}
