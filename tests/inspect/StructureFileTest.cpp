// The structure collection file: its exact bytes, round trips, the messages,
// files damaged in every way the reader can meet, and the collection's save
// question and settings hooks.
#include "FakeValueType.h"
#include "MessageRecorder.h"
#include "TestFiles.h"

#include "inspect/StructureFile.h"
#include "inspect/StructureStore.h"
#include "types/ValueTypeRegistry.h"
#include "platform/FileErrors.h"
#include "settings/SettingsHooks.h"
#include "types/StdValueType.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <random>

namespace {

using platform::MsgResult;
using Status = StructureReadStatus;

// What a damaged file is refused with; %1 is its path.
constexpr char kCorruptFileText[] =
    "Unable to load \"%1\".\r\n\r\nThis file is corrupt or is not a valid structure collection file.";

const char* StatusName(Status status)
{
    static const char* names[] = {"Ok", "BadMagic", "BadVersion", "Corrupt", "ShortRead", "FileError"};
    return names[int(status)];
}

// ---------------------------------------------------------------- file builders

QByteArray Int32(int32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 4);
}

QByteArray Str(const QString& text)
{
    QByteArray out = Int32(int32_t(text.size()));
    for (const QChar c : text)
        out += QByteArray(1, char(c.unicode() & 0xFF)) + QByteArray(1, char(c.unicode() >> 8));
    return out;
}

QByteArray Header(int32_t count, int32_t version = 1) { return "strt" + Int32(version) + Int32(0) + Int32(count); }
QByteArray Structure(const QString& name, int32_t members, int32_t padding = 0)
{
    return Str(name) + Int32(padding) + Int32(members);
}
QByteArray Tail(int arrayFlag, int32_t fixed, int variableFlag, int32_t lengthMember)
{
    return QByteArray(1, char(arrayFlag)) + Int32(fixed) + QByteArray(1, char(variableFlag)) + Int32(lengthMember);
}
QByteArray Scalar(const QString& name, int32_t type) { return Str(name) + Int32(0) + Int32(type) + Tail(0, 1, 0, 0); }
QByteArray Nested(const QString& name, int32_t index, int arrayFlag = 0, int32_t fixed = 1)
{
    return Str(name) + Int32(2) + Int32(StructureRef(index)) + Tail(arrayFlag, fixed, 0, 0);
}
QByteArray VariableArray(const QString& name, int32_t type, int32_t lengthMember)
{
    return Str(name) + Int32(0) + Int32(type) + Tail(1, 1, 1, lengthMember);
}

StructureMember Member(const QString& name, TypeRef type) { return {name, type}; }
StructureMember Fixed(const QString& name, TypeRef type, int32_t length) { return {name, type, true, length}; }
StructureMember Variable(const QString& name, TypeRef type, int32_t lengthMember)
{
    return {name, type, true, 1, true, lengthMember};
}

// Every kind of member: standard, custom, nested, fixed and variable arrays,
// counts held by custom integer types, every padding, names outside Latin-1.
StructureCollection Everything()
{
    StructureCollection c;
    c.Add({"Point", 1, {Member("x", TYPE_SIGNED_DWORD), Member("y", TYPE_SIGNED_DWORD)}});
    c.Add({"Header", 3,
           {Member("magic", TYPE_DWORD), Member("id", 12), Member("count", 13), Variable("points", StructureRef(0), 2),
            Fixed("name", TYPE_ASCII_CHARACTER, 32767), Member("n", TYPE_WORD), Variable("text", TYPE_UNICODE_CHARACTER, 5),
            Variable("more", 12, 2)}});
    c.Add({QString::fromUtf8("Größe ✓"), 2,
           {Fixed("headers", StructureRef(1), 3), Member("origin", StructureRef(0)), Member("f", TYPE_DOUBLE),
            Member(QString(QChar(0xD800)), TYPE_SIGNED_QWORD)}});
    c.Add({"", 0, {}});
    return c;
}

// What the layout walk and the editor rely on, checked without the reader's
// own code: used on everything a damaged file manages to load as.
void ExpectEditorsRules(const std::vector<StructureDef>& structures, const ValueTypeRegistry& types, const char* what)
{
    StructureCollection c;
    c.Assign(structures, 0, QString());
    for (int s = 0; s < c.Count(); ++s) {
        const StructureDef& def = c.At(s);
        EXPECT_TRUE(def.paddingIndex >= 0 && def.paddingIndex <= 3) << what;
        EXPECT_FALSE(c.References(s, s)) << what << ": structure " << s << " contains itself";
        for (size_t m = 0; m < def.members.size(); ++m) {
            const StructureMember& member = def.members[m];
            const int limit = member.IsStructure() ? c.Count() : types.Count();
            EXPECT_LT(member.IsStructure() ? StructureIndexOf(member.type) : member.type, limit) << what;
            if (member.isArray) {
                EXPECT_TRUE(member.fixedLength >= 1 && member.fixedLength <= 32767) << what;
            }
            if (member.IsVariableArray()) {
                ASSERT_TRUE(member.lengthMember >= 0 && size_t(member.lengthMember) < m) << what;
                const StructureMember& length = def.members[size_t(member.lengthMember)];
                EXPECT_FALSE(length.isArray) << what;
                ASSERT_FALSE(length.IsStructure()) << what;
                EXPECT_TRUE(types.At(length.type).HasIntegerValue()) << what;
            }
        }
    }
}

class StructureFileTest : public ::testing::Test {
protected:
    ValueTypeRegistry types;
    QTemporaryDir dir;
    MessageRecorder messages;
    StructureCollection collection;

    void SetUp() override { types.SetCustomTypes(TwoFakeCustomTypes()); }
    QString Write(const QByteArray& bytes, const QString& name = QStringLiteral("s.str"))
    {
        const QString path = dir.filePath(name);
        WriteWholeFile(path, bytes);
        return path;
    }
    // A collection that a failed load must leave exactly as it was.
    void FillWithSomethingModified()
    {
        collection = StructureCollection();
        collection.Add({"Before", 0, {Member("b", TYPE_BYTE)}});
        collection.SetPath(QStringLiteral("/earlier.str"));
    }
    void ExpectUnchanged(const char* what)
    {
        ASSERT_EQ(collection.Count(), 1) << what;
        EXPECT_EQ(collection.At(0).name, QStringLiteral("Before")) << what;
        EXPECT_EQ(collection.Path(), QStringLiteral("/earlier.str")) << what;
        EXPECT_TRUE(collection.IsModified()) << what;
    }
};

// ---------------------------------------------------------------- format

TEST_F(StructureFileTest, SmallCollectionEncodesToTheExactBytes)
{
    StructureCollection c;
    c.Add({"In", 0, {Member("b", TYPE_BYTE)}});
    c.Add({"Out", 2, {Member("n", TYPE_WORD), Member("g", 12), Fixed("s", StructureRef(0), 3), Variable("v", TYPE_DWORD, 0)}});
    c.Assign(c.All(), 7, QString());
    const QByteArray expected = QByteArray::fromHex(
        "73747274" "01000000" "07000000" "02000000"                                   // magic, version, reserved, count
        "02000000" "49006e00" "00000000" "01000000"                                   // "In", padding 0, 1 member
        "01000000" "6200" "00000000" "00000000" "00" "01000000" "00" "00000000"       // b: Byte
        "03000000" "4f0075007400" "02000000" "04000000"                               // "Out", padding 2, 4 members
        "01000000" "6e00" "00000000" "01000000" "00" "01000000" "00" "00000000"       // n: Word
        "01000000" "6700" "01000000" "10000000" "04000000" "4700750069006400"         // g: custom, 16 bytes, "Guid"
        "00" "01000000" "00" "00000000"
        "01000000" "7300" "02000000" "00000080" "01" "03000000" "00" "00000000"       // s: In[3]
        "01000000" "7600" "00000000" "02000000" "01" "01000000" "01" "00000000");     // v: DWord[n]
    EXPECT_EQ(EncodeStructures(c, types).toHex(), expected.toHex());

    const StructureReadResult back = DecodeStructures(expected, types);
    ASSERT_EQ(back.status, Status::Ok);
    EXPECT_EQ(back.reserved, 7);
    EXPECT_EQ(back.structures, c.All());
}

TEST_F(StructureFileTest, EveryMemberKindRoundTripsThroughAFile)
{
    const StructureCollection original = Everything();
    const QString path = dir.filePath("all.str");
    ASSERT_TRUE(SaveStructureFile(collection = original, path, types));
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_EQ(collection.Path(), path);
    EXPECT_FALSE(collection.IsModified());
    EXPECT_EQ(ReadWholeFile(path), EncodeStructures(original, types));

    StructureCollection loaded;
    loaded.Add({"replaced", 0, {}});
    ASSERT_TRUE(LoadStructureFile(loaded, path, types));
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_EQ(loaded.All(), original.All());
    EXPECT_EQ(loaded.Path(), path);
    EXPECT_FALSE(loaded.IsModified());
    EXPECT_EQ(EncodeStructures(loaded, types), ReadWholeFile(path)) << "written again byte for byte";
}

TEST_F(StructureFileTest, CustomTypesAreFoundByNameAndSizeWhereverTheModuleNowIs)
{
    const QByteArray file = EncodeStructures(Everything(), types);
    const int idMember = 1;
    auto typeOfId = [&](const ValueTypeRegistry& registry) {
        const StructureReadResult r = DecodeStructures(file, registry);
        EXPECT_EQ(r.status, Status::Ok);
        return r.structures.at(1).members.at(idMember).type;
    };

    ValueTypeRegistry none;  // no module installed: the member becomes "Byte"
    EXPECT_EQ(typeOfId(none), TYPE_BYTE);
    ValueTypeRegistry moved;  // another module loads first
    std::vector<std::unique_ptr<ValueType>> reordered;
    reordered.push_back(std::make_unique<FakeValueType>("Guid", 8));  // same name, other size
    reordered.push_back(std::make_unique<FakeValueType>("Count24", 3, true));
    reordered.push_back(std::make_unique<FakeValueType>("Guid", 16));
    moved.SetCustomTypes(std::move(reordered));
    EXPECT_EQ(typeOfId(moved), 14);
}

// ---------------------------------------------------------------- messages

TEST_F(StructureFileTest, WrongMagicAndNewerVersionAreRefusedWithTheirMessages)
{
    FillWithSomethingModified();
    const QString wrong = Write("STRT" + Int32(1) + Int32(0) + Int32(0), "wrong.str");
    EXPECT_FALSE(LoadStructureFile(collection, wrong, types));
    EXPECT_EQ(messages.Last(), QString(kCorruptFileText).arg(wrong));
    ExpectUnchanged("wrong magic");

    const QString newer = Write(Header(1, 2) + Structure("S", 1) + Scalar("b", 0), "newer.str");
    EXPECT_FALSE(LoadStructureFile(collection, newer, types));
    EXPECT_EQ(messages.Last(), QStringLiteral("Unable to load \"%1\".\r\n\r\nThis file contains unrecognizable data. It "
                                              "may have been created by a different version of this program.")
                                   .arg(newer));
    ExpectUnchanged("version 2");
    EXPECT_EQ(messages.Count(), 2);
}

TEST_F(StructureFileTest, MissingFilesAndFoldersGiveTheFileErrorNamingThem)
{
    FillWithSomethingModified();
    const QString missing = dir.filePath("nowhere.str");
    EXPECT_FALSE(LoadStructureFile(collection, missing, types));
    EXPECT_EQ(messages.Last(), missing + " was not found.");
    EXPECT_FALSE(LoadStructureFile(collection, dir.path(), types));
    EXPECT_EQ(messages.Last(), "Access to " + dir.path() + " was denied.");
    ExpectUnchanged("missing file");
}

TEST_F(StructureFileTest, EmptyCollectionIsNotSavedButCountsAsSaved)
{
    const QString path = dir.filePath("none.str");
    EXPECT_TRUE(SaveStructureFile(collection, path, types));
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Unable to save structure collection : No structures defined.")});
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(collection.Path().isEmpty());
}

// ---------------------------------------------------------------- damaged files

TEST_F(StructureFileTest, DamagedFilesAreRefusedAndLeaveTheCollectionAlone)
{
    const QByteArray one = Header(1) + Structure("S", 1);
    const QByteArray two = Header(1) + Structure("S", 2) + Scalar("n", TYPE_WORD);
    struct Case {
        const char* what;
        QByteArray bytes;
        Status expected;
    };
    const Case cases[] = {
        {"empty file", QByteArray(), Status::BadMagic},
        {"part of the magic", "str", Status::BadMagic},
        {"magic only", "strt", Status::ShortRead},
        {"no structure count", "strt" + Int32(1) + Int32(0), Status::ShortRead},
        {"negative structure count", Header(-1), Status::Corrupt},
        {"huge structure count", Header(0x7FFFFFFF) + Structure("S", 0), Status::Corrupt},
        {"count beyond the records", Header(3) + Structure("S", 0), Status::Corrupt},
        {"negative member count", Header(1) + Structure("S", -2), Status::Corrupt},
        {"huge member count", Header(1) + Structure("S", 0x40000000) + Scalar("b", 0), Status::Corrupt},
        {"negative name length", Header(1) + Int32(-1) + Int32(0) + Int32(0), Status::Corrupt},
        {"huge name length", Header(1) + Int32(0x7FFFFFFF) + QByteArray(64, 'x'), Status::Corrupt},
        {"name past the end", Header(1) + Int32(5) + QByteArray(9, 'x'), Status::Corrupt},
        {"name ends on half a code unit", Header(1) + Int32(6) + QByteArray(11, 'a'), Status::Corrupt},
        {"records shorter than the count needs", (one + Scalar("b", 0)).chopped(3), Status::Corrupt},
        {"file ends inside a member", (one + Scalar("a longer name", 0)).chopped(3), Status::ShortRead},
        {"file ends before the flags", one + Str("abcdefghij") + Int32(0) + Int32(0), Status::ShortRead},
        {"padding index 4", Header(1) + Structure("S", 1, 4) + Scalar("b", 0), Status::Corrupt},
        {"padding index -1", Header(1) + Structure("S", 1, -1) + Scalar("b", 0), Status::Corrupt},
        {"type kind 3", one + Str("b") + Int32(3) + Int32(0) + Tail(0, 1, 0, 0), Status::Corrupt},
        {"standard type 12", one + Scalar("b", 12), Status::Corrupt},
        {"standard type -1", one + Scalar("b", -1), Status::Corrupt},
        {"structure kind without bit 31", one + Str("b") + Int32(2) + Int32(0) + Tail(0, 1, 0, 0), Status::Corrupt},
        {"structure beyond the collection", one + Nested("b", 1), Status::Corrupt},
        {"structure containing itself", one + Nested("me", 0), Status::Corrupt},
        {"cycle through another", Header(2) + Structure("A", 1) + Nested("b", 1) + Structure("B", 1) + Nested("a", 0),
         Status::Corrupt},
        {"array of length 0", one + Str("a") + Int32(0) + Int32(0) + Tail(1, 0, 0, 0), Status::Corrupt},
        {"array of length 32768", one + Str("a") + Int32(0) + Int32(0) + Tail(1, 32768, 0, 0), Status::Corrupt},
        {"negative array length", one + Str("a") + Int32(0) + Int32(0) + Tail(1, -5, 0, 0), Status::Corrupt},
        {"flag byte 2", one + Str("a") + Int32(0) + Int32(0) + Tail(2, 1, 0, 0), Status::Corrupt},
        {"length member after the array", Header(1) + Structure("S", 2) + VariableArray("v", 0, 1) + Scalar("n", 1),
         Status::Corrupt},
        {"length member is the array", two + VariableArray("v", 0, 1), Status::Corrupt},
        {"negative length member", two + VariableArray("v", 0, -1), Status::Corrupt},
        {"length member beyond the members", two + VariableArray("v", 0, 9), Status::Corrupt},
        {"length member is a Single", Header(1) + Structure("S", 2) + Scalar("f", TYPE_SINGLE) + VariableArray("v", 0, 0),
         Status::Corrupt},
        {"length member is an array",
         Header(1) + Structure("S", 2) + Str("a") + Int32(0) + Int32(1) + Tail(1, 2, 0, 0) + VariableArray("v", 0, 0),
         Status::Corrupt},
        {"length member is a structure",
         Header(2) + Structure("T", 1) + Scalar("b", 0) + Structure("S", 2) + Nested("t", 0) + VariableArray("v", 0, 0),
         Status::Corrupt},
        // What the editor can write, at its limits, loads.
        {"array of length 32767", one + Str("a") + Int32(0) + Int32(0) + Tail(1, 32767, 0, 0), Status::Ok},
        {"valid count link", two + VariableArray("v", TYPE_DWORD, 0), Status::Ok},
        {"unused fields of a scalar", one + Str("s") + Int32(0) + Int32(0) + Tail(0, 0, 1, 44), Status::Ok},
        {"no structures", Header(0), Status::Ok},
        {"a structure without members", Header(1) + Structure("S", 0), Status::Ok},
        {"bytes after the last structure", one + Scalar("b", 0) + "tail", Status::Corrupt},
        {"one byte after the last structure", one + Scalar("b", 0) + "t", Status::Corrupt},
        {"zeros after no structures", Header(0) + QByteArray(100000, '\0'), Status::Corrupt},
    };
    for (const Case& c : cases) {
        const StructureReadResult decoded = DecodeStructures(c.bytes, types);
        EXPECT_STREQ(StatusName(decoded.status), StatusName(c.expected)) << c.what;
        if (decoded.status == Status::Ok)
            ExpectEditorsRules(decoded.structures, types, c.what);

        FillWithSomethingModified();
        messages.Clear();
        const QString path = Write(c.bytes, QStringLiteral("case.str"));
        EXPECT_EQ(LoadStructureFile(collection, path, types), c.expected == Status::Ok) << c.what;
        if (c.expected == Status::Ok) {
            EXPECT_EQ(messages.Count(), 0) << c.what;
            EXPECT_EQ(collection.Path(), path) << c.what;
            continue;
        }
        ASSERT_EQ(messages.Count(), 1) << c.what;
        const QString expectedText = c.expected == Status::ShortRead
                                         ? "An unexpected error occurred while accessing " + path + "."
                                         : QString(kCorruptFileText).arg(path);
        EXPECT_EQ(messages.Last(), expectedText) << c.what;
        ExpectUnchanged(c.what);
    }
}

TEST_F(StructureFileTest, AHugeFileThatOnlyStartsLikeACollectionIsRefusedUnread)
{
    // A valid header for no structures, then 2.5 GB of nothing (sparse, so
    // it costs no disk): refused as damaged without being read into memory.
    const QString path = Write(Header(0));
    QFile file(path);
    ASSERT_TRUE(file.resize(int64_t(5) << 29));
    FillWithSomethingModified();
    EXPECT_FALSE(LoadStructureFile(collection, path, types));
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.Last(), QString(kCorruptFileText).arg(path));
    ExpectUnchanged("huge file");
}

// Random, mutated and truncated files: the reader always ends with a status,
// and whatever it accepts keeps the editor's rules and survives a round trip.
TEST_F(StructureFileTest, FuzzedFilesEndWithAResultAndLoadOnlyValidCollections)
{
    std::mt19937 random(20261208);
    const QByteArray good = EncodeStructures(Everything(), types);
    int accepted = 0;
    for (int round = 0; round < 4000; ++round) {
        QByteArray bytes;
        switch (round % 4) {
        case 0:
            bytes = good.left(int(random() % uint32_t(good.size())));
            break;
        case 1:
        case 2:
            bytes = good;
            for (int flips = 1 + int(random() % 3); flips > 0; --flips)
                bytes[int(random() % uint32_t(bytes.size()))] = char(random());
            break;
        default:
            bytes = "strt" + Int32(1) + RandomBytes(int(random() % 200), random());
            break;
        }
        const StructureReadResult r = DecodeStructures(bytes, types);
        if (round % 4 == 0) {
            EXPECT_NE(r.status, Status::Ok) << "a truncated file never loads, round " << round;
        }
        if (r.status != Status::Ok)
            continue;
        ++accepted;
        ExpectEditorsRules(r.structures, types, "fuzzed");
        StructureCollection c;
        c.Assign(r.structures, r.reserved, QString());
        const StructureReadResult again = DecodeStructures(EncodeStructures(c, types), types);
        ASSERT_EQ(again.status, Status::Ok) << "round " << round;
        EXPECT_EQ(again.structures, r.structures) << "round " << round;
    }
    EXPECT_GT(accepted, 100) << "the mutations should leave many files loadable";
}

TEST_F(StructureFileTest, AFileOfManyStructuresIsCheckedInLinearTime)
{
    // A chain of 20,000 structures, each containing the next: deep nesting
    // without a cycle loads; closing the chain into a cycle is refused.
    const int n = 20000;
    QByteArray chain = Header(n);
    for (int i = 0; i < n - 1; ++i)
        chain += Structure(QStringLiteral("S%1").arg(i), 1) + Nested("next", i + 1);
    const QByteArray open = chain + Structure("last", 1) + Scalar("b", 0);
    const QByteArray closed = chain + Structure("last", 1) + Nested("first", 0);
    EXPECT_EQ(DecodeStructures(open, types).status, Status::Ok);
    EXPECT_EQ(DecodeStructures(closed, types).status, Status::Corrupt);
}

// ---------------------------------------------------------------- store

TEST_F(StructureFileTest, SaveQuestionOnlyForModifiedNonEmptyCollections)
{
    EXPECT_TRUE(QueryStructureSaveChanges(collection, nullptr)) << "empty: no question";
    collection.Add({"S", 0, {Member("b", 0)}});
    collection.SetModified(false);
    EXPECT_TRUE(QueryStructureSaveChanges(collection, nullptr)) << "unmodified: no question";
    EXPECT_EQ(messages.Count(), 0);

    collection.SetModified(true);
    int saves = 0;
    struct Answer {
        MsgResult answer;
        bool saveSucceeds;
        bool goOn;
        int savesAfter;
    } answers[] = {{MsgResult::Cancel, true, false, 0},
                   {MsgResult::No, true, true, 0},
                   {MsgResult::Yes, false, false, 1},
                   {MsgResult::Yes, true, true, 2}};
    for (const Answer& a : answers) {
        messages.Answer(a.answer);
        EXPECT_EQ(QueryStructureSaveChanges(collection, [&] { ++saves; return a.saveSucceeds; }), a.goOn);
        EXPECT_EQ(saves, a.savesAfter);
        EXPECT_EQ(messages.Last(), QStringLiteral("You have made changes to the current structure collection. Would "
                                                  "you like to save the current collection to disk?"));
        EXPECT_EQ(messages.Messages().back().buttons, platform::MsgButtons::YesNoCancel);
    }
}

TEST_F(StructureFileTest, SettingsHooksLoadTypesFirstThenTheCollectionAndReportItsPath)
{
    const SettingsHooks before = InstalledSettingsHooks();
    bool otherHookKept = false;
    SettingsHooks mine;
    mine.bookmarksPath = [&](const QString&) { otherHookKept = true; return QString(); };
    InstallSettingsHooks(mine);

    // The file names a custom type that exists only once the modules are in.
    const QString path = Write(EncodeStructures(Everything(), types), "startup.str");
    ValueTypeRegistry startup;
    InstallStructureSettingsHooks(collection, startup, [&] { startup.SetCustomTypes(TwoFakeCustomTypes()); });
    const QString stored = QStringLiteral("/stored/path.str");
    EXPECT_EQ(InstalledSettingsHooks().structuresPath(stored), stored)
        << "the stored path stays until a collection is loaded or saved";

    collection.Add({"unsaved", 0, {Member("b", 0)}});
    InstalledSettingsHooks().reloadStructures(path);
    EXPECT_EQ(messages.Count(), 0) << "no save question at start-up";
    EXPECT_EQ(collection.All(), Everything().All());
    EXPECT_EQ(collection.At(1).members[1].type, 12) << "the custom type was found";
    EXPECT_EQ(InstalledSettingsHooks().structuresPath(stored), path);
    InstalledSettingsHooks().bookmarksPath(QString());
    EXPECT_TRUE(otherHookKept);

    InstallSettingsHooks(before);
}

} // namespace
