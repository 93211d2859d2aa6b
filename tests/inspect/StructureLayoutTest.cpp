// The layout walk over bytes held in memory: padding and alignment to the
// first leaf, variable counts read from the instance, "<EOF>" rows,
// character texts in both byte orders, and the arithmetic shortcut for
// fixed-size elements checked against a plain walk.
#include "inspect/StructureLayout.h"
#include "types/StdValueType.h"

#include <gtest/gtest.h>

#include <random>

namespace {

StructureMember Scalar(const char* name, TypeRef type) { return {QString::fromLatin1(name), type, false, 1, false, 0}; }
StructureMember Fixed(const char* name, TypeRef type, int32_t length) { return {QString::fromLatin1(name), type, true, length, false, 0}; }
StructureMember Variable(const char* name, TypeRef type, int32_t lengthMember)
{
    return {QString::fromLatin1(name), type, true, 1, true, lengthMember};
}

StructureDef Def(const char* name, int padding, std::vector<StructureMember> members)
{
    return {QString::fromLatin1(name), padding, std::move(members)};
}

struct Laid {
    StructureCollection structures;
    MemoryBytes bytes;
    StructureLayout layout;
    Laid(std::vector<StructureDef> defs, QByteArray data, bool bigEndian = false)
        : bytes(std::move(data)), layout((structures.Assign(std::move(defs), 0, {}), structures), ValueTypes(), bytes,
                                         bigEndian, 10)
    {
    }
    LaidRow Row(int index = 0, int64_t offset = 0) { return LayOutStructure(layout, structures.At(index), offset); }
};

TEST(StructureLayout, PaddingFollowsThePackingAndTheFirstLeaf)
{
    struct Case {
        const char* what;
        int padding;
        int64_t offsetOfB, size;
    } cases[] = {
        {"1 byte (no padding)", 0, 1, 5},
        {"2 bytes", 1, 2, 6},
        {"4 bytes", 2, 4, 8},
        {"8 bytes: a DWord still aligns to 4", 3, 4, 8},
    };
    for (const Case& c : cases) {
        Laid laid({Def("S", c.padding, {Scalar("a", TYPE_BYTE), Scalar("b", TYPE_DWORD)})}, QByteArray(16, '\0'));
        const LaidRow row = laid.Row();
        EXPECT_EQ(row.children[1].start, c.offsetOfB) << c.what;
        EXPECT_EQ(row.end - row.start, c.size) << c.what;
    }
}

TEST(StructureLayout, NestedStructuresAlignToTheirFirstLeafWithTheirOwnPacking)
{
    // Outer {Byte x; Inner in;} with Inner {Word w; QWord q}.
    struct Case {
        const char* what;
        int outerPadding, innerPadding;
        int64_t innerStart, qStart, outerEnd;
    } cases[] = {
        {"8-byte inner aligns to its Word, not its QWord", 0, 3, 2, 8, 16},
        {"unpadded inner follows at once, whatever the outer packing", 3, 0, 1, 3, 11},
        {"2-byte inner", 0, 1, 2, 4, 12},
    };
    for (const Case& c : cases) {
        Laid laid({Def("Outer", c.outerPadding, {Scalar("x", TYPE_BYTE), Scalar("in", StructureRef(1))}),
                   Def("Inner", c.innerPadding, {Scalar("w", TYPE_WORD), Scalar("q", TYPE_QWORD)})},
                  QByteArray(32, '\0'));
        const LaidRow row = laid.Row();
        const LaidRow& inner = row.children[1];
        EXPECT_EQ(inner.start, c.innerStart) << c.what;
        ASSERT_EQ(inner.children.size(), 2u) << c.what;
        EXPECT_EQ(inner.children[1].start, c.qStart) << c.what;
        EXPECT_EQ(row.end, c.outerEnd) << c.what << " (no padding after the last member)";
        // The inner structure's own packing aligns it (step 1 of its walk).
        const StructureDef& innerDef = laid.structures.At(1);
        EXPECT_EQ(1 + laid.layout.ComputePadding(innerDef, 1, innerDef.members[0]), c.innerStart) << c.what;
    }
}

TEST(StructureLayout, VariableArraysReadTheirCountFromTheInstance)
{
    // {Word count; Byte data[count]} over bytes that say how many.
    struct Case {
        const char* what;
        QByteArray bytes;
        size_t elements;
        int64_t end;
    } cases[] = {
        {"three", QByteArray::fromHex("0300414243"), 3, 5},
        {"none", QByteArray::fromHex("0000"), 0, 2},
        {"1000 shows 128", QByteArray::fromHex("e803") + QByteArray(2000, 'x'), 128, 130},
        {"negative counts as the most, then 128", QByteArray::fromHex("ffff") + QByteArray(200, 'x'), 128, 130},
        {"length member past the end: one element", QByteArray::fromHex("03"), 1, 3},
    };
    for (const Case& c : cases) {
        Laid laid({Def("S", 0, {Scalar("count", TYPE_WORD), Variable("data", TYPE_BYTE, 0)})}, c.bytes);
        const LaidRow row = laid.Row();
        EXPECT_EQ(row.children[1].children.size(), c.elements) << c.what;
        EXPECT_EQ(row.end, c.end) << c.what;
    }
    // A signed DWord of -1 is 2,147,483,647 and so the cap.
    Laid negative({Def("S", 0, {Scalar("n", TYPE_SIGNED_DWORD), Variable("d", TYPE_BYTE, 0)})},
                  QByteArray::fromHex("ffffffff") + QByteArray(300, 'x'));
    EXPECT_EQ(negative.Row().children[1].children.size(), 128u);
}

TEST(StructureLayout, ValuesPastTheEndOfTheFileReadEof)
{
    Laid laid({Def("S", 0, {Scalar("a", TYPE_WORD), Scalar("b", TYPE_DWORD), Fixed("c", TYPE_BYTE, 2)})},
              QByteArray::fromHex("34120102"));
    const LaidRow row = laid.Row();
    EXPECT_EQ(row.children[0].value.text, "4660");
    EXPECT_FALSE(row.children[0].value.eof);
    EXPECT_EQ(row.children[1].value.text, "<EOF>");
    EXPECT_TRUE(row.children[1].value.eof);
    EXPECT_EQ(row.children[2].children[1].value.text, "<EOF>");
    // Offsets and sizes are laid out all the same.
    EXPECT_EQ(row.children[2].start, 6);
    EXPECT_EQ(row.end, 8);
}

TEST(StructureLayout, CharacterArraysReadAsTextCutAtTheFirstZero)
{
    struct Case {
        const char* what;
        TypeRef type;
        bool bigEndian;
        QByteArray bytes;
        QString text;
        bool eof;
    } cases[] = {
        {"ASCII", TYPE_ASCII_CHARACTER, false, QByteArray("Hi\0zzzzz", 8), "Hi", false},
        {"ASCII without zero", TYPE_ASCII_CHARACTER, false, QByteArray("ABCDEFGHIJ"), "ABCDEFGH", false},
        {"ASCII in UTF-8", TYPE_ASCII_CHARACTER, false, QByteArray("\xc3\xa9t\xc3\xa9\0\0\0", 8), QString::fromUtf8("\xc3\xa9t\xc3\xa9"), false},
        {"ASCII cut by the end of the file", TYPE_ASCII_CHARACTER, false, QByteArray("abc"), "abc", false},
        {"ASCII with no byte left", TYPE_ASCII_CHARACTER, false, QByteArray(), "<EOF>", true},
        {"Unicode little-endian", TYPE_UNICODE_CHARACTER, false, QByteArray::fromHex("48006900000041004200"), "Hi", false},
        {"Unicode big-endian", TYPE_UNICODE_CHARACTER, true, QByteArray::fromHex("00480069000000410042"), "Hi", false},
        {"Unicode with one byte left", TYPE_UNICODE_CHARACTER, false, QByteArray::fromHex("48"), "<EOF>", true},
    };
    for (const Case& c : cases) {
        Laid laid({Def("S", 0, {Fixed("t", c.type, 8)})}, c.bytes, c.bigEndian);
        const LaidValue value = laid.Row().children[0].value;
        EXPECT_EQ(value.text, c.text) << c.what;
        EXPECT_EQ(value.eof, c.eof) << c.what;
    }
}

TEST(StructureLayout, HugeFixedArraysAreLaidOutArithmetically)
{
    // 32,767 structures of 32,767 DWords each: 4 GiB of layout, computed
    // without visiting the elements.
    Laid laid({Def("Outer", 0, {Scalar("tag", TYPE_BYTE), Fixed("rows", StructureRef(1), 32767)}),
               Def("Row", 2, {Fixed("cells", TYPE_DWORD, 32767)})},
              QByteArray(64, '\0'));
    std::vector<MemberPlace> places;
    const MemberPlace outer = laid.layout.PlaceStructure(laid.structures.At(0), 0, &places);
    EXPECT_EQ(places[1].count, 32767);
    EXPECT_EQ(outer.end, 4 + int64_t(32767) * 32767 * 4);
    const auto last = laid.layout.PlaceElements(laid.structures.At(0), laid.structures.At(0).members[1], places[1], 32766, 1);
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].start, 4 + int64_t(32766) * 32767 * 4);
    EXPECT_FALSE(laid.layout.BudgetExhausted());
}

TEST(StructureLayout, ElementShortcutsAgreeWithAPlainWalk)
{
    // Random collections of fixed structures with odd-sized custom-like
    // members and every packing: elements placed from any index must sit
    // exactly where laying out every element one after another puts them.
    std::mt19937 random(7);
    const TypeRef types[] = {TYPE_BYTE, TYPE_WORD, TYPE_DWORD, TYPE_QWORD, TYPE_DOUBLE, TYPE_UNICODE_CHARACTER};
    for (int round = 0; round < 200; ++round) {
        std::vector<StructureDef> defs;
        for (int d = 0; d < 3; ++d) {
            StructureDef def = Def("S", int(random() % 4), {});
            const int members = 1 + int(random() % 4);
            for (int m = 0; m < members; ++m) {
                TypeRef type = types[random() % std::size(types)];
                if (d < 2 && random() % 3 == 0)
                    type = StructureRef(d + 1);  // only later structures: no cycles
                def.members.push_back(random() % 2 ? Scalar("m", type) : Fixed("m", type, 1 + int32_t(random() % 5)));
            }
            defs.push_back(def);
        }
        defs[0].members.push_back(Fixed("arr", StructureRef(1), 37));
        Laid laid(defs, QByteArray(4096, '\1'));
        const StructureDef& top = laid.structures.At(0);
        for (int64_t base : {0, 1, 3, 5}) {
            std::vector<MemberPlace> places;
            laid.layout.PlaceStructure(top, base, &places);
            const MemberPlace& array = places.back();
            int64_t offset = array.start;
            for (int32_t i = 0; i < array.count; ++i) {
                const MemberPlace walked = laid.layout.PlaceStructure(laid.structures.At(1), offset);
                const auto shortcut = laid.layout.PlaceElements(top, top.members.back(), array, i, 1);
                ASSERT_EQ(shortcut.size(), 1u);
                ASSERT_EQ(shortcut[0].start, walked.start) << "round " << round << " element " << i;
                offset = walked.end;
            }
            EXPECT_EQ(array.end, offset) << "round " << round;
        }
    }
}

TEST(StructureLayout, BrokenCollectionsNeitherRecurseForeverNorReadOutOfRange)
{
    struct Case {
        const char* what;
        std::vector<StructureDef> defs;
    } cases[] = {
        {"contains itself", {Def("A", 0, {Scalar("a", TYPE_BYTE), Scalar("self", StructureRef(0))})}},
        {"contains itself first", {Def("A", 3, {Fixed("self", StructureRef(0), 3)})}},
        {"cycle through another", {Def("A", 0, {Scalar("b", StructureRef(1))}), Def("B", 0, {Fixed("a", StructureRef(0), 2)})}},
        {"reference beyond the collection", {Def("A", 0, {Scalar("x", StructureRef(9)), Fixed("y", StructureRef(12345), 4)})}},
        {"length member later", {Def("A", 0, {Variable("v", TYPE_BYTE, 1), Scalar("n", TYPE_BYTE)})}},
        {"length member itself", {Def("A", 0, {Variable("v", TYPE_BYTE, 0)})}},
        {"length member negative", {Def("A", 0, {Scalar("n", TYPE_BYTE), Variable("v", TYPE_BYTE, -5)})}},
        {"length member an array", {Def("A", 0, {Fixed("n", TYPE_BYTE, 2), Variable("v", TYPE_BYTE, 0)})}},
        {"fixed length out of range", {Def("A", 0, {Fixed("n", TYPE_BYTE, -7), Fixed("m", TYPE_BYTE, 1 << 30)})}},
        {"type index beyond the registry", {Def("A", 0, {Scalar("n", 999), Fixed("m", 1000, 3)})}},
        {"padding index out of range", {Def("A", 77, {Scalar("a", TYPE_BYTE), Scalar("b", TYPE_DWORD)})}},
    };
    for (Case& c : cases) {
        Laid laid(std::move(c.defs), QByteArray::fromHex("05ffffff"));
        const LaidRow row = laid.Row(0, 1);
        EXPECT_GE(row.end, row.start) << c.what;
    }
}

TEST(StructureLayout, RandomCollectionsAndBytesNeverLeaveTheBytesOrHang)
{
    // Anything a damaged file or a half-edited copy could hold: references
    // anywhere, lengths and links out of range, cycles; over random bytes.
    std::mt19937 random(11);
    const int32_t lengths[] = {-3, 0, 1, 7, 300, 40000};
    for (int round = 0; round < 120; ++round) {
        std::vector<StructureDef> defs(1 + random() % 4);
        for (StructureDef& def : defs) {
            def.paddingIndex = int(random() % 6) - 1;
            for (int m = int(random() % 5); m > 0; --m) {
                const TypeRef type = random() % 3 == 0 ? StructureRef(int(random() % 6)) : TypeRef(random() % 14);
                def.members.push_back({"m", type, random() % 2 == 0, lengths[random() % std::size(lengths)],
                                       random() % 2 == 0, int32_t(random() % 8) - 2});
            }
        }
        QByteArray bytes(int(random() % 64), '\0');
        for (char& byte : bytes)
            byte = char(random());
        Laid laid(defs, bytes, random() % 2 == 0);
        for (int i = 0; i < laid.structures.Count(); ++i) {
            const LaidRow row = LayOutStructure(laid.layout, laid.structures.At(i), random() % 9, 4);
            ASSERT_GE(row.end, row.start) << "round " << round;
            for (const LaidRow& member : row.children)
                ASSERT_LE(member.start, StructureLayout::kUnreached) << "round " << round;
        }
    }
}

} // namespace
