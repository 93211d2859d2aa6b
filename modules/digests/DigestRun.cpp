#include "DigestRun.h"

#include "ext/interface/VantrelExtension.h"
#include "modules/common/FileHandle.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace {

// Large enough that handing a block to the workers costs little next to
// hashing it, small enough to keep the memory use constant and modest.
constexpr int64_t kBlockBytes = int64_t(1) << 20;

// A fixed set of worker threads, one per core at most, started once for the
// whole file. For every block the workers take the digests one at a time,
// the slowest first (by the time each needed for the previous block), so
// that two quick digests never queue behind a slow one on the same core
// while another core idles. The thread that reads the file meanwhile fills
// the next block.
class BlockHashers {
public:
    explicit BlockHashers(const DigestList& digests)
    {
        for (const auto& digest : digests)
            entries_.push_back({digest.get()});
        const size_t cores = std::max(1u, std::thread::hardware_concurrency());
        const size_t wanted = std::min(cores, digests.size());
        for (size_t i = 0; i < wanted; ++i) {
            try {
                workers_.emplace_back([this] { Work(); });
            } catch (const std::system_error&) {
                break;  // fewer workers only slow the task down
            }
        }
    }

    ~BlockHashers()
    {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        workers_.clear();  // joins
    }

    BlockHashers(const BlockHashers&) = delete;
    BlockHashers& operator=(const BlockHashers&) = delete;

    // Hands the block to the workers; with none, hashes it here and now.
    void Start(const uint8_t* block, size_t size)
    {
        // The costs were written by the workers before they reported the
        // last block done, under the mutex that Finish took.
        std::stable_sort(entries_.begin(), entries_.end(),
                         [](const Entry& a, const Entry& b) { return a.cost > b.cost; });
        block_ = block;
        size_ = size;
        next_ = 0;
        if (workers_.empty()) {
            HashPulled();
            return;
        }
        {
            std::lock_guard lock(mutex_);
            busy_ = workers_.size();
            ++generation_;
        }
        wake_.notify_all();
    }

    // Returns once every digest has taken the block started last.
    void Finish()
    {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return busy_ == 0; });
    }

private:
    struct Entry {
        Digest* digest;
        std::chrono::steady_clock::duration cost{};
    };

    void HashPulled()
    {
        for (;;) {
            const size_t i = next_.fetch_add(1);
            if (i >= entries_.size())
                return;
            const auto begin = std::chrono::steady_clock::now();
            entries_[i].digest->Update(block_, size_);
            entries_[i].cost = std::chrono::steady_clock::now() - begin;
        }
    }

    void Work()
    {
        uint64_t seen = 0;
        for (;;) {
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [&] { return stop_ || generation_ != seen; });
                if (stop_)
                    return;
                seen = generation_;
            }
            HashPulled();
            std::lock_guard lock(mutex_);
            if (--busy_ == 0)
                done_.notify_one();
        }
    }

    std::vector<Entry> entries_;
    const uint8_t* block_ = nullptr;
    size_t size_ = 0;
    std::atomic<size_t> next_{0};

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    uint64_t generation_ = 0;
    size_t busy_ = 0;
    bool stop_ = false;
    std::vector<std::jthread> workers_;  // last, so they are joined before the rest goes
};

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
    BlockHashers hashers(digests);
    while (size > 0) {
        length += size;
        hashers.Start(current, size);
        const bool read = input.ReadBytes(next, kBlockBytes);
        hashers.Finish();
        if (!read)
            return TASK_RESULT_READ_ERROR;
        size = size_t(input.Moved());
        std::swap(current, next);
    }
    return TASK_RESULT_SUCCESS;
}
