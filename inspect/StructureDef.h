#pragma once
// A structure definition: a named, ordered list of typed members laid over
// the bytes at the caret by the structure viewer. A member's type is either
// a data type of the registry or another structure of the collection.
#include <QString>

#include <cstdint>
#include <vector>

// A member's type. With bit 31 clear it is an index into the data-type
// registry (0 to 11 the standard types, 12 and up the custom ones); with bit
// 31 set, bits 0 to 30 are the index of a structure in the collection.
using TypeRef = int32_t;

constexpr uint32_t kStructureRefBit = 0x80000000u;

constexpr bool IsStructureRef(TypeRef type) { return type < 0; }
constexpr int StructureIndexOf(TypeRef type) { return int(uint32_t(type) & ~kStructureRefBit); }
constexpr TypeRef StructureRef(int index) { return TypeRef(uint32_t(index) | kStructureRefBit); }

struct StructureMember {
    // Fixed element counts the editor allows.
    static constexpr int32_t kMinFixedLength = 1;
    static constexpr int32_t kMaxFixedLength = 32767;

    QString name;  // unique within its structure, compared without regard to case
    TypeRef type = 0;
    bool isArray = false;
    int32_t fixedLength = 1;
    bool isVariable = false;
    // Index within the same structure of the member holding the element
    // count; meaningful only for a variable array.
    int32_t lengthMember = 0;

    bool IsVariableArray() const { return isArray && isVariable; }
    bool IsStructure() const { return IsStructureRef(type); }

    friend bool operator==(const StructureMember&, const StructureMember&) = default;
};

struct StructureDef {
    // Padding indexes 0 to 3: "1 byte (no padding)", "2 bytes", "4 bytes", "8 bytes".
    static constexpr int32_t kPaddingCount = 4;

    QString name;  // unique in the collection, compared with regard to case
    int32_t paddingIndex = 0;
    std::vector<StructureMember> members;

    // The packing in bytes: 1, 2, 4 or 8.
    int Packing() const { return 1 << paddingIndex; }

    friend bool operator==(const StructureDef&, const StructureDef&) = default;
};
