#include "inspect/StructureCollection.h"

#include <gtest/gtest.h>

namespace {

StructureMember Nested(const char* name, int index) { return {name, StructureRef(index)}; }
StructureMember Byte(const char* name) { return {name, 0}; }

// A contains B, B contains C, D stands alone and E contains C twice.
StructureCollection Chain()
{
    StructureCollection c;
    c.Add({"A", 0, {Byte("x"), Nested("b", 1)}});
    c.Add({"B", 0, {Nested("c", 2)}});
    c.Add({"C", 0, {Byte("y")}});
    c.Add({"D", 0, {Byte("z")}});
    c.Add({"E", 0, {Nested("c1", 2), Nested("c2", 2)}});
    c.SetModified(false);
    return c;
}

TEST(StructureCollectionTest, ReferencesFollowsNestingTransitively)
{
    const StructureCollection c = Chain();
    struct Case {
        int i, j;
        bool expected;
    } cases[] = {{0, 1, true}, {0, 2, true}, {1, 2, true}, {2, 0, false}, {1, 0, false},
                 {3, 0, false}, {0, 3, false}, {4, 2, true}, {0, 0, false}, {9, 0, false}};
    for (const Case& k : cases)
        EXPECT_EQ(c.References(k.i, k.j), k.expected) << k.i << " contains " << k.j;
}

TEST(StructureCollectionTest, ReferencesEndsOnCyclesAndDanglingReferences)
{
    // Only a damaged file can hold these; the walk must still end.
    StructureCollection c;
    c.Add({"P", 0, {Nested("q", 1), Nested("gone", 70)}});
    c.Add({"Q", 0, {Nested("p", 0)}});
    EXPECT_TRUE(c.References(0, 0));
    EXPECT_TRUE(c.References(1, 1));
    EXPECT_TRUE(c.References(0, 70));
    EXPECT_FALSE(c.References(1, 5));
    EXPECT_EQ(c.Referenced(StructureRef(70)), nullptr);
    EXPECT_EQ(c.Referenced(StructureRef(1)), &c.At(1));
    EXPECT_EQ(c.Referenced(5), nullptr);
}

TEST(StructureCollectionTest, DeleteRenumbersLaterReferencesAndMarksModified)
{
    StructureCollection c = Chain();
    EXPECT_EQ(c.FirstReferrer(2), 1);
    EXPECT_EQ(c.FirstReferrer(3), -1);
    c.Delete(3);  // D: nothing refers to it; E's references to C stay at 2
    EXPECT_TRUE(c.IsModified());
    ASSERT_EQ(c.Count(), 4);
    EXPECT_EQ(c.At(3).name, "E");
    EXPECT_EQ(c.At(3).members[0].type, StructureRef(2));
    c.Delete(0);  // A: B and C move down one place, and so do the references to them
    EXPECT_EQ(c.At(0).members[0].type, StructureRef(1));
    EXPECT_EQ(c.At(2).members[1].type, StructureRef(1));
    EXPECT_EQ(c.FindByName(u"C"), 1);
    EXPECT_EQ(c.FindByName(u"c"), -1);
}

TEST(StructureCollectionTest, AssignReplacesEverythingUnmodified)
{
    StructureCollection c = Chain();
    c.SetModified(true);
    c.Assign({{"Only", 2, {Byte("b")}}}, 77, "/tmp/x.str");
    EXPECT_FALSE(c.IsModified());
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(c.Reserved(), 77);
    EXPECT_EQ(c.Path(), "/tmp/x.str");
    EXPECT_EQ(c.At(0).Packing(), 4);
}

} // namespace
