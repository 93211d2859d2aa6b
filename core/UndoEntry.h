#pragma once
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {
class SourceFile;
}

// What applying an undo or redo entry does.
enum class UndoKind : uint8_t {
    ReinsertBytes = 0,  // a deletion: put the stored bytes back
    RemoveBytes = 1,    // an insertion: delete count bytes again
    RestoreBytes = 2,   // a replacement: the region is other bytes long now; put the count stored bytes back
    RestoreMany = 3,    // a replace-all: every occurrence back to its stored value
    MoveBack = 4,       // a moved block: cut it where it stands and put it back where it came from
};

// Entries of one or two bytes (typing) keep them inline and need no allocation.
constexpr int32_t UNDO_INLINE_BYTES = 2;
// Entries up to this many bytes keep a plain copy of them; larger ones keep
// pieces (see StoredSegment), so that an edit of any size can be undone.
constexpr int32_t MAX_UNDO_BLOCK = 16384;

// One piece of the bytes a large entry restores: a stretch of a file on
// disk the buffer reads from (named, not read), or, without a source, the
// next length bytes of the entry's data. The entry shares the file with the
// buffer, so after a save has moved the document onto the new file, the
// history still reads the old one until its last entry naming it goes.
struct StoredSegment {
    std::shared_ptr<platform::SourceFile> source;
    int64_t start = 0;  // offset in the file, or in the entry's data
    int64_t length = 0;
};

struct UndoEntry {
    int64_t offset = 0;
    int64_t count = 0;
    int64_t other = 0;
    UndoKind kind = UndoKind::ReinsertBytes;
    uint8_t wasModified = 0;
    uint8_t inlineBytes[UNDO_INLINE_BYTES] = {};
    uint8_t* data = nullptr;  // owned by the list; null when none
    int64_t dataSize = 0;
    // Owned by the list; set when the entry keeps its bytes as pieces.
    std::vector<StoredSegment>* segments = nullptr;

    bool HasInlineBytes() const { return kind != UndoKind::RestoreMany && count <= UNDO_INLINE_BYTES; }
    const uint8_t* StoredBytes() const { return HasInlineBytes() ? inlineBytes : data; }
};

// One occurrence of a replace-all: where it stands and which stored value it had.
struct OccurrencePair {
    int64_t offset;
    int32_t valueIndex;
};

// What a replace-all hands to RecordEdit: the n occurrences (each now
// newLength bytes long, at the offsets where the new data was put, earlier
// occurrences already replaced) and the k distinct old values, each
// oldLength bytes, in order of first appearance.
struct ReplaceAllRecord {
    int32_t oldLength = 0;
    int32_t newLength = 0;
    int32_t valueCount = 0;
    const uint8_t* values = nullptr;
    const std::vector<OccurrencePair>* pairs = nullptr;
};
