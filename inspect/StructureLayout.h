#pragma once
// The layout walk: where each member of a structure lies when the structure
// is laid over the bytes at the caret, how many elements its arrays hold and
// what their values read. The structure viewer asks only for the rows it
// shows: an element's place is computed arithmetically when its type has a
// size independent of the bytes, so an array of 32,767 structures of 32,767
// DWords costs a handful of steps, not a billion.
//
// The walk defends itself against collections that break the editor's rules
// (a copy being edited may be laid out): references outside the collection
// lay out as empty structures, nesting deeper than the collection is cut
// off, and reads never leave the bytes they are given. Legal collections
// may still nest a hundred thousand deep: fixed structures are placed from
// a cache filled children first, so the walk never descends through them,
// and the others are followed no deeper than kMaxNesting.
#include "inspect/StructureCollection.h"
#include "types/ValueTypeRegistry.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <unordered_map>
#include <vector>

// Variable arrays never show more elements than this.
inline constexpr int32_t MAX_VARIABLE_ELEMENTS = 128;

// The bytes a structure is laid over, counted from the base (the caret).
class StructureBytes {
public:
    virtual ~StructureBytes() = default;
    // Bytes from the base to the end of the file.
    virtual int64_t Length() const = 0;
    // Copies up to count bytes at offset into out and returns how many there
    // were: fewer near the end of the file, none past it.
    virtual int32_t Read(int64_t offset, uint8_t* out, int32_t count) const = 0;
};

// Bytes held in memory, for files already read and for tests.
class MemoryBytes final : public StructureBytes {
public:
    explicit MemoryBytes(QByteArray bytes) : bytes_(std::move(bytes)) {}
    int64_t Length() const override { return bytes_.size(); }
    int32_t Read(int64_t offset, uint8_t* out, int32_t count) const override;

private:
    QByteArray bytes_;
};

// Where one member (or element) lies, relative to the base. For a structure
// start is after its alignment padding; for an array it is before the first
// element's padding, as the array starts where the previous member ended.
struct MemberPlace {
    int64_t start = 0;
    int64_t end = 0;
    int32_t count = 1;  // elements of an array; 1 for a scalar
};

// A value read from the bytes: its text, or "<EOF>" when the file ends first.
struct LaidValue {
    QString text;
    bool eof = false;
};

class StructureLayout {
public:
    // Offsets past any file: what a walk reports once it has used up its
    // step budget, so the rows beyond read as "<EOF>" instead of hanging.
    static constexpr int64_t kUnreached = int64_t(1) << 60;
    // Steps (members visited without a fixed size) one layout may take:
    // enough for 30,000 records of ten members that each hold a variable
    // array, and about 15 ms of work when a structure multiplies beyond it.
    static constexpr int64_t kStepBudget = 300'000;
    // Structures whose size depends on the bytes are walked into no deeper
    // than this; fixed ones, whose places are cached, at any depth.
    static constexpr int kMaxNesting = 1000;

    StructureLayout(const StructureCollection& structures, const ValueTypeRegistry& types, const StructureBytes& bytes,
                    bool bigEndian, int radix);

    // Padding before member m of s placed at offset: aligned to its first
    // leaf's size, or to s's packing when that is smaller.
    int ComputePadding(const StructureDef& s, int64_t offset, const StructureMember& m) const;

    // Lays s out at offset: returns where it starts (after aligning) and
    // ends; members, when given, receives every member's place.
    MemberPlace PlaceStructure(const StructureDef& s, int64_t offset, std::vector<MemberPlace>* members = nullptr);
    // The places of elements first to first + count - 1 of array member m of
    // owner, laid out at array (as PlaceStructure gave it).
    std::vector<MemberPlace> PlaceElements(const StructureDef& owner, const StructureMember& m, const MemberPlace& array,
                                           int32_t first, int32_t count);

    // The value of one data type at offset.
    LaidValue Value(int typeIndex, int64_t offset) const;
    // The text of an "ASCII Character" or "Unicode Character" array of count
    // elements at offset, cut at the first zero; "<EOF>" when not even one
    // element is there.
    LaidValue CharacterText(int typeIndex, int64_t offset, int32_t count) const;
    static bool IsCharacterType(TypeRef type);

    // The structure a member names, or null (a data type, or a reference
    // outside the collection).
    const StructureDef* Nested(const StructureMember& m) const { return structures_.Referenced(m.type); }
    // Size of one value of a data-type member's type; 0 for structures and
    // unknown types.
    int DataSize(TypeRef type) const;

    const StructureCollection& Structures() const { return structures_; }
    const ValueTypeRegistry& Types() const { return types_; }
    bool BudgetExhausted() const { return steps_ > kStepBudget; }

private:
    struct FixedPlace {
        int64_t lead = 0;  // alignment padding before the start
        int64_t size = 0;
    };

    MemberPlace PlaceAt(const StructureDef& s, int64_t offset, std::vector<MemberPlace>* members, int depth);
    MemberPlace PlaceNested(const StructureMember& m, int64_t offset, int depth);
    MemberPlace PlaceArray(const StructureDef& s, size_t index, int64_t offset,
                           const std::vector<MemberPlace>& earlier, int depth);
    int32_t ElementCount(const StructureDef& s, size_t index, const std::vector<MemberPlace>& earlier) const;
    int32_t VariableCount(const StructureDef& s, size_t index, const std::vector<MemberPlace>& earlier) const;
    // The alignment of m's first leaf under s's packing; 0 when there is none.
    int Alignment(const StructureDef& s, const StructureMember& m) const;
    // The size of the data type that structure index starts with, however
    // deeply; 0 when there is none.
    int FirstLeafSize(int index) const;
    // Whether instances of structure index take the same room wherever the
    // bytes say (no variable array inside, however deep).
    bool IsFixed(int index);
    void FindFixed(int index);
    // The place of a fixed structure depends only on its offset modulo the
    // alignments' least common multiple, so it is computed once per residue.
    MemberPlace PlaceFixed(int index, int64_t offset, int depth);
    void PrimeFixed(int index, int depth);
    MemberPlace CacheFixed(int index, int64_t offset, int depth);
    int64_t FixedKey(int index, int64_t offset) const;
    // Where count consecutive instances of a fixed structure laid out from
    // offset end.
    int64_t AdvanceFixed(int index, int64_t offset, int32_t count, int depth);
    int64_t ElementEnd(const StructureDef& owner, const StructureMember& m, const MemberPlace& array, int depth);

    const StructureCollection& structures_;
    const ValueTypeRegistry& types_;
    const StructureBytes& bytes_;
    bool bigEndian_;
    int radix_;
    int64_t steps_ = 0;
    int modulus_ = 1;
    std::vector<signed char> fixed_;  // per structure: -1 unknown, 0 no, 1 yes
    std::vector<bool> primed_;        // per structure: its fixed places are cached
    mutable std::vector<int> leafSizes_;  // per structure: -1 unknown
    std::unordered_map<int64_t, FixedPlace> fixedPlaces_;
    std::vector<std::vector<MemberPlace>> scratch_;  // one per nesting level
};

// One row of a fully laid-out structure, for callers that want the whole
// tree of a small structure at once (tests, reports).
struct LaidRow {
    const StructureMember* member = nullptr;  // null for the structure itself
    int32_t element = -1;                     // element index, or -1
    int64_t start = 0;
    int64_t end = 0;
    LaidValue value;  // data values and character-array texts
    std::vector<LaidRow> children;
};

// Lays the whole of s out at offset: members, arrays with every element (at
// most maxElements each), nested structures.
LaidRow LayOutStructure(StructureLayout& layout, const StructureDef& s, int64_t offset, int32_t maxElements = 32767);
