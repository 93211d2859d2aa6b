// The structure editor's and the import's rules, apart from any window.
#include "FakeValueType.h"

#include "inspect/StructureRules.h"
#include "types/ValueTypeRegistry.h"
#include "types/StdValueType.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <random>

namespace {

StructureMember Member(const QString& name, TypeRef type = TYPE_BYTE) { return {name, type}; }
StructureMember Array(const QString& name, TypeRef type, int32_t length) { return {name, type, true, length}; }
StructureMember Variable(const QString& name, int32_t lengthMember, TypeRef type = TYPE_BYTE)
{
    return {name, type, true, 1, true, lengthMember};
}

QStringList Names(const StructureDef& s)
{
    QStringList names;
    for (const StructureMember& m : s.members)
        names << m.name;
    return names;
}

std::vector<int> LengthMembers(const StructureDef& s)
{
    std::vector<int> links;
    for (const StructureMember& m : s.members)
        links.push_back(m.IsVariableArray() ? m.lengthMember : -1);
    return links;
}

class StructureRulesTest : public ::testing::Test {
protected:
    ValueTypeRegistry types;
    void SetUp() override { types.SetCustomTypes(TwoFakeCustomTypes()); }
};

// ---------------------------------------------------------------- names

TEST_F(StructureRulesTest, ProposedNamesTakeTheLowestFreeNumber)
{
    StructureCollection c;
    EXPECT_EQ(ProposedStructureName(c), "[Structure001]");
    c.Add({ProposedStructureName(c), 0, {}});
    EXPECT_EQ(ProposedStructureName(c), "[Structure002]");
    c.Add({"[Structure003]", 0, {}});
    c.Add({"[structure002]", 0, {}});  // structure names differ by case
    EXPECT_EQ(ProposedStructureName(c), "[Structure002]");

    StructureDef s;
    EXPECT_EQ(ProposedMemberName(s), "[Member001]");
    s.members.push_back(Member(ProposedMemberName(s)));
    EXPECT_EQ(ProposedMemberName(s), "[Member002]");
    s.members.push_back(Member("[MEMBER002]"));  // member names do not
    s.members.push_back(Member("[Member004]"));
    EXPECT_EQ(ProposedMemberName(s), "[Member003]");
}

TEST_F(StructureRulesTest, MemberNamesMustBeFilledAndUniqueWithoutRegardToCase)
{
    const StructureDef s{"S", 0, {Member("Count"), Member("data")}};
    struct Case {
        int member;
        QString name;
        MemberNameProblem expected;
    } cases[] = {
        {1, "", MemberNameProblem::Empty},          {1, "count", MemberNameProblem::Duplicate},
        {1, "COUNT", MemberNameProblem::Duplicate}, {0, "count", MemberNameProblem::None},  // its own name, recased
        {1, "Data", MemberNameProblem::None},       {-1, "DATA", MemberNameProblem::Duplicate},
    };
    for (const Case& k : cases)
        EXPECT_EQ(CheckMemberName(s, k.member, k.name), k.expected) << k.member << " " << k.name.toStdString();
}

// ---------------------------------------------------------------- count links

TEST_F(StructureRulesTest, CountLinksNeedAnEarlierIntegerScalar)
{
    struct Case {
        const char* what;
        StructureMember length;
        bool valid;
    } cases[] = {
        {"Word", Member("n", TYPE_WORD), true},
        {"signed QWord", Member("n", TYPE_SIGNED_QWORD), true},
        {"ASCII Character", Member("n", TYPE_ASCII_CHARACTER), true},
        {"custom integer type", Member("n", 13), true},
        {"Single", Member("n", TYPE_SINGLE), false},
        {"Double", Member("n", TYPE_DOUBLE), false},
        {"custom type without a value", Member("n", 12), false},
        {"a structure", Member("n", StructureRef(0)), false},
        {"an array", Array("n", TYPE_WORD, 2), false},
        {"a type no longer in the registry", Member("n", 99), false},
    };
    for (const Case& k : cases) {
        const StructureDef s{"S", 0, {Member("x"), k.length, Variable("v", 1)}};
        EXPECT_EQ(IsValidLengthLink(s, 2, types), k.valid) << k.what;
        EXPECT_EQ(LengthMemberChoices(s, 2, types).size(), k.valid ? 2u : 1u) << k.what;
    }
    const StructureDef order{"S", 0, {Variable("before", 1), Member("n", TYPE_WORD), Variable("self", 2)}};
    EXPECT_FALSE(IsValidLengthLink(order, 0, types)) << "the count comes after the array";
    EXPECT_FALSE(IsValidLengthLink(order, 2, types)) << "the array is its own count";
    EXPECT_FALSE(IsValidLengthLink(order, 7, types)) << "no such member";
    EXPECT_TRUE(LengthMemberChoices(order, 0, types).empty());
    const std::vector<LengthChoice> choices = LengthMemberChoices(order, 2, types);
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].name, "n");
    EXPECT_EQ(choices[0].member, 1);
}

TEST_F(StructureRulesTest, ChangingACountMemberClearsTheLaterLinksItBreaks)
{
    StructureDef s{"S", 0, {Member("n", TYPE_WORD), Member("m", TYPE_DWORD), Variable("a", 0), Variable("b", 1),
                            Variable("c", 0)}};
    EXPECT_FALSE(ClearBrokenLinks(s, 0, types)) << "nothing is broken yet";
    s.members[0].type = TYPE_SINGLE;  // "n" can no longer give a count
    EXPECT_TRUE(ClearBrokenLinks(s, 0, types));
    EXPECT_EQ(LengthMembers(s), (std::vector<int>{-1, -1, -1, 1, -1}));
    EXPECT_TRUE(s.members[2].isArray);
    EXPECT_EQ(s.members[2].lengthMember, 0);
    EXPECT_EQ(s.members[2].fixedLength, 1);

    StructureDef early{"S", 0, {Variable("broken", 0), Member("n", TYPE_WORD)}};
    EXPECT_FALSE(ClearBrokenLinks(early, 0, types)) << "only members after the changed one are tested";
    EXPECT_TRUE(early.members[0].isVariable);
}

// ---------------------------------------------------------------- delete and move

TEST_F(StructureRulesTest, DeletingAMemberIsRefusedWhileACountLinkUsesIt)
{
    StructureDef s{"S", 0, {Member("pad"), Member("n", TYPE_WORD), Member("x"), Variable("a", 1), Variable("b", 2)}};
    EXPECT_EQ(MemberUsedAsLengthBy(s, 1), 3);
    EXPECT_EQ(MemberUsedAsLengthBy(s, 2), 4);
    EXPECT_EQ(MemberUsedAsLengthBy(s, 0), -1);
    EXPECT_EQ(MemberUsedAsLengthBy(s, 3), -1);

    DeleteMember(s, 0);
    EXPECT_EQ(Names(s), (QStringList{"n", "x", "a", "b"}));
    EXPECT_EQ(LengthMembers(s), (std::vector<int>{-1, -1, 0, 1}));
    DeleteMember(s, 3);
    DeleteMember(s, 1);
    EXPECT_EQ(Names(s), (QStringList{"n", "a"}));
    EXPECT_EQ(LengthMembers(s), (std::vector<int>{-1, 0}));
}

TEST_F(StructureRulesTest, MovingMembersKeepsLinksOnTheirMembersAndWarnsWhenOneBreaks)
{
    const StructureDef start{"S", 0, {Member("n", TYPE_WORD), Member("m", TYPE_WORD), Variable("a", 1), Member("z")}};
    struct Case {
        const char* what;
        int member;
        bool up;
        QStringList names;
        std::vector<int> links;
        bool warning;
    } cases[] = {
        {"array above its count", 2, true, {"n", "a", "m", "z"}, {-1, -1, -1, -1}, true},
        {"count below its array", 1, false, {"n", "a", "m", "z"}, {-1, -1, -1, -1}, true},
        {"another count moves under it", 0, false, {"m", "n", "a", "z"}, {-1, -1, 0, -1}, false},
        {"the count moves up", 1, true, {"m", "n", "a", "z"}, {-1, -1, 0, -1}, false},
        {"the array moves down", 2, false, {"n", "m", "z", "a"}, {-1, -1, -1, 1}, false},
        {"first cannot move up", 0, true, {"n", "m", "a", "z"}, {-1, -1, 1, -1}, false},
        {"last cannot move down", 3, false, {"n", "m", "a", "z"}, {-1, -1, 1, -1}, false},
    };
    for (const Case& k : cases) {
        StructureDef s = start;
        EXPECT_EQ(MoveMember(s, k.member, k.up, types), k.warning) << k.what;
        EXPECT_EQ(Names(s), k.names) << k.what;
        EXPECT_EQ(LengthMembers(s), k.links) << k.what;
    }
}

// ---------------------------------------------------------------- type list

TEST_F(StructureRulesTest, TypeListOffersEveryDataTypeAndOnlyStructuresThatDoNotContainTheEditedOne)
{
    // A contains B, B contains C, D stands alone.
    StructureCollection c;
    c.Add({"A", 0, {Member("b", StructureRef(1))}});
    c.Add({"B", 0, {Array("c", StructureRef(2), 2)}});
    c.Add({"C", 0, {Member("x")}});
    c.Add({"D", 0, {Member("y")}});
    types.SetHidden(TYPE_WORD, true);  // hiding is for the data view only

    auto structuresOffered = [&](int edited) {
        QStringList offered;
        for (const TypeChoice& choice : DataTypeChoices(c, edited, types))
            if (IsStructureRef(choice.type)) {
                offered << choice.text;
                EXPECT_EQ(choice.text, "Structure " + c.At(StructureIndexOf(choice.type)).name);
            }
        return offered;
    };
    EXPECT_EQ(structuresOffered(1), (QStringList{"Structure C", "Structure D"}));
    EXPECT_EQ(structuresOffered(2), (QStringList{"Structure D"}));
    EXPECT_EQ(structuresOffered(0), (QStringList{"Structure B", "Structure C", "Structure D"}));
    EXPECT_EQ(structuresOffered(-1), (QStringList{"Structure A", "Structure B", "Structure C", "Structure D"}));

    const std::vector<TypeChoice> choices = DataTypeChoices(c, -1, types);
    ASSERT_EQ(choices.size(), 14u + 4u);
    struct Expected {
        size_t at;
        const char* text;
        TypeRef type;
    } expected[] = {{0, "Byte (1 byte)", 0},
                    {1, "Word (2 bytes)", 1},
                    {11, "Unicode Character (2 bytes)", 11},
                    {12, "Guid (16 bytes)", 12},
                    {13, "Count24 (3 bytes)", 13},
                    {17, "Structure D", StructureRef(3)}};
    for (const Expected& e : expected) {
        EXPECT_EQ(choices[e.at].text, e.text);
        EXPECT_EQ(choices[e.at].type, e.type);
    }
}

// ---------------------------------------------------------------- import

StructureCollection FileWithHeaderAndNesting()
{
    // 0 Header, 1 A containing 2 B, 2 B containing 3 Leaf, 3 Leaf, 4 Other
    StructureCollection file;
    file.Add({"Header", 0, {Member("magic", TYPE_DWORD)}});
    file.Add({"A", 0, {Member("n", TYPE_WORD), Member("b", StructureRef(2)), Variable("v", 0)}});
    file.Add({"B", 1, {Array("leaves", StructureRef(3), 4)}});
    file.Add({"Leaf", 2, {Member("x", TYPE_QWORD)}});
    file.Add({"Other", 0, {Member("y", StructureRef(3))}});
    return file;
}

TEST_F(StructureRulesTest, ImportingATakenNameAddsTheNextFreeNumber)
{
    StructureCollection current;
    current.Add({"Header", 0, {Member("old")}});
    current.SetModified(false);
    const StructureCollection file = FileWithHeaderAndNesting();

    const ImportOutcome first = ImportStructures(current, file, {0});
    EXPECT_TRUE(first.merged);
    EXPECT_TRUE(first.renamed);
    EXPECT_FALSE(first.closureAdded);
    EXPECT_EQ(first.message, "One or more imported structures were renamed to avoid conflict with existing structures.");
    const ImportOutcome second = ImportStructures(current, file, {0});
    EXPECT_TRUE(second.renamed);
    ASSERT_EQ(current.Count(), 3);
    EXPECT_EQ(current.At(1).name, "Header_2");
    EXPECT_EQ(current.At(2).name, "Header_3");
    EXPECT_EQ(current.At(2).members, file.At(0).members);
    EXPECT_TRUE(current.IsModified());
}

TEST_F(StructureRulesTest, ImportingAStructureBringsWhatItContainsWithReferencesRenumbered)
{
    StructureCollection current;
    current.Add({"Mine", 0, {Member("m")}});
    current.Add({"B", 0, {Member("mine too")}});

    const ImportOutcome outcome = ImportStructures(current, FileWithHeaderAndNesting(), {1});
    EXPECT_TRUE(outcome.closureAdded);
    EXPECT_TRUE(outcome.renamed);
    EXPECT_EQ(outcome.message, "Additional structures were imported because they were referenced by selected "
                               "structures.\r\n\r\nOne or more imported structures were renamed to avoid conflict "
                               "with existing structures.");
    ASSERT_EQ(current.Count(), 5);
    QStringList names;
    for (const StructureDef& s : current.All())
        names << s.name;
    EXPECT_EQ(names, (QStringList{"Mine", "B", "A", "B_2", "Leaf"})) << "appended in file order";
    EXPECT_EQ(current.At(2).members[1].type, StructureRef(3)) << "A's B is the imported one";
    EXPECT_EQ(current.At(3).members[0].type, StructureRef(4));
    EXPECT_EQ(current.At(2).members[2].lengthMember, 0) << "member links are not structure references";
    for (int i = 0; i < current.Count(); ++i)
        EXPECT_FALSE(current.References(i, i));
}

TEST_F(StructureRulesTest, ImportReportsOnlyWhatHappened)
{
    struct Case {
        const char* what;
        std::set<int> ticked;
        QStringList added;
        bool closure;
    } cases[] = {
        {"nothing ticked", {}, {}, false},
        {"ticked indexes outside the file", {9, -1}, {}, false},
        {"a leaf", {3}, {"Leaf"}, false},
        {"a structure and what it contains, already ticked", {2, 3}, {"B", "Leaf"}, false},
        {"through two levels", {1}, {"A", "B", "Leaf"}, true},
        {"everything", {0, 1, 2, 3, 4}, {"Header", "A", "B", "Leaf", "Other"}, false},
    };
    for (const Case& k : cases) {
        StructureCollection current;
        current.Add({"Mine", 0, {Member("m")}});
        current.SetModified(false);
        const ImportOutcome outcome = ImportStructures(current, FileWithHeaderAndNesting(), k.ticked);
        QStringList added;
        for (int i = 1; i < current.Count(); ++i)
            added << current.At(i).name;
        EXPECT_EQ(added, k.added) << k.what;
        EXPECT_EQ(outcome.merged, !k.added.isEmpty()) << k.what;
        EXPECT_EQ(current.IsModified(), !k.added.isEmpty()) << k.what;
        EXPECT_EQ(outcome.closureAdded, k.closure) << k.what;
        EXPECT_FALSE(outcome.renamed) << k.what;
        EXPECT_EQ(outcome.message.isEmpty(), !k.closure) << k.what;
        for (const StructureDef& s : current.All())
            for (const StructureMember& m : s.members) {
                if (m.IsStructure()) {
                    EXPECT_LT(StructureIndexOf(m.type), current.Count()) << k.what;
                }
            }
    }
}

TEST_F(StructureRulesTest, RenamedImportsNeverCollideWithEachOther)
{
    // The file itself holds "Header_2", which the renamed "Header" must not take.
    StructureCollection current;
    current.Add({"Header", 0, {Member("m")}});
    StructureCollection file;
    file.Add({"Header", 0, {Member("a")}});
    file.Add({"Header_2", 0, {Member("b")}});
    ImportStructures(current, file, {0, 1});
    QStringList names;
    for (const StructureDef& s : current.All())
        names << s.name;
    EXPECT_EQ(names, (QStringList{"Header", "Header_3", "Header_2"}));
}

// The import as its steps read, one structure at a time: close over what
// the ticked ones contain, delete the others from the last to the first
// (renumbering after each), rename from the last to the first with the
// lowest free number, shift the references and append.
void ImportLikeTheSteps(StructureCollection& current, StructureCollection file, std::set<int> ticked)
{
    for (bool grew = true; grew;) {
        grew = false;
        for (int i = 0; i < file.Count(); ++i)
            if (ticked.count(i))
                for (const StructureMember& m : file.At(i).members)
                    if (m.IsStructure() && ticked.insert(StructureIndexOf(m.type)).second)
                        grew = true;
    }
    for (int i = file.Count() - 1; i >= 0; --i)
        if (!ticked.count(i))
            file.Delete(i);
    std::vector<StructureDef> kept = file.All();
    for (int i = int(kept.size()) - 1; i >= 0; --i) {
        if (current.FindByName(kept[size_t(i)].name) < 0)
            continue;
        for (int n = 2;; ++n) {
            const QString name = QStringLiteral("%1_%2").arg(kept[size_t(i)].name).arg(n);
            const bool inFile = std::any_of(kept.begin(), kept.end(), [&](const StructureDef& s) { return s.name == name; });
            if (current.FindByName(name) < 0 && !inFile) {
                kept[size_t(i)].name = name;
                break;
            }
        }
    }
    const int offset = current.Count();
    for (StructureDef& s : kept) {
        for (StructureMember& m : s.members)
            if (m.IsStructure())
                m.type = StructureRef(StructureIndexOf(m.type) + offset);
        current.Add(s);
    }
}

TEST_F(StructureRulesTest, ImportFromALargeFileMatchesTheStepByStepImport)
{
    // Structures that hold later ones (so the closure has work), names that
    // clash with the current collection and with each other's new names.
    std::mt19937 random(5204);
    StructureCollection file;
    const int n = 3000;
    for (int i = 0; i < n; ++i) {
        StructureDef s{QStringLiteral("T%1").arg(i % 700) + (i < 700 ? QString() : QStringLiteral("_%1").arg(i / 700 + 1)),
                       int32_t(random() % 4), {Member("b")}};
        for (int k = int(random() % 3); k > 0 && i + 1 < n; --k) {
            const int later = i + 1 + int(random() % uint32_t(std::min(n - i - 1, 50)));
            s.members.push_back(Member(QStringLiteral("m%1").arg(k), StructureRef(later)));
        }
        file.Add(std::move(s));
    }
    for (int round = 0; round < 6; ++round) {
        StructureCollection current;
        for (int i = 0; i < 40; ++i)
            current.Add({QStringLiteral("T%1").arg(int(random() % 700)) + (i % 3 ? QStringLiteral("_2") : QString()), 0,
                         {Member("c")}});
        std::set<int> ticked;
        for (int k = 1 + int(random() % 20); k > 0; --k)
            ticked.insert(int(random() % uint32_t(n)));
        StructureCollection expected = current;
        ImportLikeTheSteps(expected, file, ticked);
        ImportStructures(current, file, ticked);
        ASSERT_EQ(current.Count(), expected.Count()) << "round " << round;
        for (int i = 0; i < current.Count(); ++i)
            ASSERT_EQ(current.At(i), expected.At(i)) << "round " << round << ", structure " << i;
    }
}

} // namespace
