#pragma once
// Bytes of files on disk, read a block at a time and kept in a bounded
// cache, the least recently used block going first. Every document's file
// extents read through one cache, so the bound holds for the program.
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>

namespace platform {
class SourceFile;
}

class CBlockCache {
public:
    static constexpr int64_t kDefaultBlockBytes = 64 * 1024;
    static constexpr int64_t kDefaultCapacityBytes = int64_t(64) << 20;

    explicit CBlockCache(int64_t capacityBytes = kDefaultCapacityBytes, int64_t blockBytes = kDefaultBlockBytes);
    ~CBlockCache();
    CBlockCache(const CBlockCache&) = delete;
    CBlockCache& operator=(const CBlockCache&) = delete;

    // The bytes of source from offset to the end of the block that holds it
    // (and not past the file's end); *available says how many. The pointer
    // is good until the next call on the cache. Null when the block cannot
    // be read (*error is errno; a block the file ends inside of is EIO) or
    // offset is at or past the end (*error is 0).
    const uint8_t* Get(const platform::SourceFile& source, int64_t offset, int64_t* available, int* error);
    // Drops every block of the source.
    void Forget(const platform::SourceFile& source);
    // Blocks beyond a smaller bound go at once. The bound is never below a
    // few blocks.
    void SetCapacity(int64_t capacityBytes);

    int64_t BlockBytes() const { return blockBytes_; }
    int64_t CapacityBytes() const { return capacityBytes_; }
    int64_t HeldBytes() const { return int64_t(blocks_.size()) * blockBytes_; }
    int64_t Hits() const { return hits_; }
    int64_t Misses() const { return misses_; }
    // The map and the recency list agree and the bound holds.
    bool Check(std::string* why) const;

private:
    struct Key {
        uint64_t source;
        int64_t number;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        size_t operator()(const Key& key) const { return std::hash<uint64_t>()(key.source * 0x9E3779B97F4A7C15ULL ^ uint64_t(key.number)); }
    };
    struct Block {
        Key key;
        int64_t length;  // bytes of the file in it: less than a block only at the end
        std::unique_ptr<uint8_t[]> bytes;
    };
    using Blocks = std::list<Block>;

    // A block to read into: a new one while there is room, else the least
    // recently used one. Null when memory runs out and none can be reused.
    Blocks::iterator TakeBlock();
    void Trim();

    int64_t capacityBytes_;
    int64_t blockBytes_;
    Blocks blocks_;  // most recently used first
    std::unordered_map<Key, Blocks::iterator, KeyHash> map_;
    int64_t hits_ = 0;
    int64_t misses_ = 0;
};
