#include "BlockCache.h"

#include "platform/SourceFile.h"

#include <algorithm>
#include <cerrno>
#include <new>

namespace {
// Two readers looking at once (a comparison's two places) each hold on to a
// block: the cache never holds fewer than this many.
constexpr int64_t kMinBlocks = 4;
} // namespace

CBlockCache::CBlockCache(int64_t capacityBytes, int64_t blockBytes)
    : capacityBytes_(std::max<int64_t>(capacityBytes, kMinBlocks * blockBytes)), blockBytes_(blockBytes)
{
}

CBlockCache::~CBlockCache() = default;

const uint8_t* CBlockCache::Get(const platform::SourceFile& source, int64_t offset, int64_t* available, int* error)
{
    *error = 0;
    if (offset < 0 || offset >= source.Size())
        return nullptr;
    const Key key{source.Serial(), offset / blockBytes_};
    const int64_t inBlock = offset % blockBytes_;
    if (const auto found = map_.find(key); found != map_.end()) {
        ++hits_;
        blocks_.splice(blocks_.begin(), blocks_, found->second);
        *available = found->second->length - inBlock;
        return found->second->bytes.get() + inBlock;
    }
    ++misses_;
    const Blocks::iterator block = TakeBlock();
    if (block == blocks_.end()) {
        *error = ENOMEM;
        return nullptr;
    }
    const int64_t start = key.number * blockBytes_;
    const int64_t wanted = std::min<int64_t>(blockBytes_, source.Size() - start);
    const int64_t got = source.ReadAt(start, block->bytes.get(), wanted, error);
    if (got != wanted) {
        // Never keep a block that lacks bytes: the file was cut short or failed.
        if (got >= 0)
            *error = EIO;
        blocks_.erase(block);
        return nullptr;
    }
    block->key = key;
    block->length = wanted;
    map_.emplace(key, block);
    *available = wanted - inBlock;
    return block->bytes.get() + inBlock;
}

CBlockCache::Blocks::iterator CBlockCache::TakeBlock()
{
    if (HeldBytes() + blockBytes_ <= capacityBytes_) {
        std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[size_t(blockBytes_)]);
        if (bytes) {
            try {
                blocks_.push_front(Block{Key{0, -1}, 0, std::move(bytes)});
                return blocks_.begin();
            } catch (const std::bad_alloc&) {
            }
        }
    }
    if (blocks_.empty())
        return blocks_.end();
    // The least recently used block is read into again, unlisted meanwhile.
    map_.erase(blocks_.back().key);
    blocks_.splice(blocks_.begin(), blocks_, std::prev(blocks_.end()));
    return blocks_.begin();
}

void CBlockCache::Forget(const platform::SourceFile& source)
{
    for (auto it = blocks_.begin(); it != blocks_.end();) {
        if (it->key.source == source.Serial()) {
            map_.erase(it->key);
            it = blocks_.erase(it);
        } else {
            ++it;
        }
    }
}

void CBlockCache::SetCapacity(int64_t capacityBytes)
{
    capacityBytes_ = std::max<int64_t>(capacityBytes, kMinBlocks * blockBytes_);
    Trim();
}

void CBlockCache::Trim()
{
    while (HeldBytes() > capacityBytes_) {
        map_.erase(blocks_.back().key);
        blocks_.pop_back();
    }
}

bool CBlockCache::Check(std::string* why) const
{
    auto fail = [why](const char* text) {
        if (why)
            *why = text;
        return false;
    };
    if (HeldBytes() > capacityBytes_)
        return fail("the cache holds more than its bound");
    if (map_.size() != blocks_.size())
        return fail("listed blocks and recency list differ in number");
    for (auto it = blocks_.begin(); it != blocks_.end(); ++it) {
        const auto found = map_.find(it->key);
        if (found == map_.end() || found->second != it)
            return fail("a block is missing from the map");
        if (it->length <= 0 || it->length > blockBytes_)
            return fail("a block's length is out of range");
    }
    return true;
}
