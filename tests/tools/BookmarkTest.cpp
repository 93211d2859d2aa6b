// The bookmark collection, its commands and its file, including files that
// are damaged in every way the reader can meet.
#include "MessageRecorder.h"
#include "TestFiles.h"
#include "ToolTestSupport.h"

#include "settings/AppSettings.h"
#include "settings/SettingsHooks.h"
#include "platform/StatusHooks.h"
#include "tools/BookmarkCollection.h"
#include "core/BufferChunk.h"
#include "tools/BookmarkCommands.h"
#include "types/IntegerText.h"
#include "tools/BookmarkFile.h"
#include "tools/BookmarkStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <ostream>
#include <random>

// Readable failures: names and messages as text, bookmarks as name and range.
static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
static void PrintTo(const Bookmark& b, std::ostream* out)
{
    *out << '"' << b.name.toStdString() << "\" " << b.start << ".." << b.end;
}

namespace {

using platform::MsgResult;

// What a damaged file is refused with; %1 is its path.
constexpr char kCorruptFileText[] =
    "Unable to load file:\r\n\r\n\"%1\" is corrupt or is not a valid bookmark collection file.";

QByteArray Int32(int32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 4);
}

QByteArray Header(int32_t count, int32_t version = 0) { return QByteArray("BOOK") + Int32(version) + Int32(count); }

QByteArray Record(const QString& name, int32_t start, int32_t end)
{
    QByteArray out = Int32(int32_t(name.size()));
    for (const QChar c : name)
        out += QByteArray(1, char(c.unicode() & 0xFF)) + QByteArray(1, char(c.unicode() >> 8));
    return out + Int32(start) + Int32(end);
}

class BookmarkTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    MessageRecorder messages;
    QStringList statuses;
    CBookmarkCollection bookmarks;

    void SetUp() override
    {
        platform::SetStatusTextHandler([this](const QString& text) { statuses << text; });
    }
    void TearDown() override
    {
        platform::SetStatusTextHandler(nullptr);
    }
    QString Write(const QByteArray& bytes, const QString& name = QStringLiteral("b.bmk"))
    {
        const QString path = dir.filePath(name);
        WriteWholeFile(path, bytes);
        return path;
    }
    void Add(const QString& name, int32_t start, int32_t end) { bookmarks.Insert({name, start, end}); }
};

// ---------------------------------------------------------------- collection

TEST_F(BookmarkTest, CollectionStaysSortedWithOneBookmarkPerStart)
{
    Add("c", 30, 30);
    Add("a", 10, 12);
    Add("b", 20, 20);
    Add("a2", 10, 15);
    ASSERT_EQ(bookmarks.Count(), 3);
    EXPECT_EQ(bookmarks.At(0), (Bookmark{"a2", 10, 15}));
    EXPECT_EQ(bookmarks.At(1).start, 20);
    EXPECT_EQ(bookmarks.IndexAt(20), 1);
    EXPECT_EQ(bookmarks.IndexAt(21), -1);
    EXPECT_EQ(bookmarks.InsertionIndex(21), 2);
    EXPECT_EQ(bookmarks.StartsIn(10, 30), (std::vector<int64_t>{10, 20}));
    EXPECT_TRUE(bookmarks.IsChanged());
}

TEST_F(BookmarkTest, DefaultNamesTakeTheFirstFreeNumberIgnoringCase)
{
    EXPECT_EQ(bookmarks.DefaultName(), QStringLiteral("Bookmark 001"));
    Add("BOOKMARK 001", 0, 0);
    Add("Bookmark 003", 5, 5);
    EXPECT_EQ(bookmarks.DefaultName(), QStringLiteral("Bookmark 002"));
    Add("bookmark 002", 7, 7);
    EXPECT_EQ(bookmarks.DefaultName(), QStringLiteral("Bookmark 004"));
}

TEST_F(BookmarkTest, ToggleTwiceAddsThenRemovesAndAThirdReusesTheNumber)
{
    auto doc = OpenChunkedDocument(dir, QByteArray(100, 'x'), {100});
    FakeToolView view(*doc);
    Add("Bookmark 001", 50, 50);
    view.Select(10, 14);
    EXPECT_EQ(ToggleBookmark(bookmarks, view), ToggleResult::Added);
    ASSERT_EQ(bookmarks.IndexAt(10), 0);
    EXPECT_EQ(bookmarks.At(0), (Bookmark{"Bookmark 002", 10, 14})) << "the selection's range";
    EXPECT_EQ(ToggleBookmark(bookmarks, view), ToggleResult::Removed);
    EXPECT_EQ(bookmarks.Count(), 1);
    view.Select(20, 20);
    EXPECT_EQ(ToggleBookmark(bookmarks, view), ToggleResult::Added);
    EXPECT_EQ(bookmarks.At(0), (Bookmark{"Bookmark 002", 20, 20}));
    EXPECT_EQ(view.redraws, 3);
}

TEST_F(BookmarkTest, NextAndPreviousWrapAround)
{
    auto doc = OpenChunkedDocument(dir, QByteArray(100, 'x'), {100});
    FakeToolView view(*doc);
    EXPECT_FALSE(GoToNextBookmark(bookmarks, view, true)) << "nothing on an empty collection";
    Add("ten", 10, 10);
    Add("twenty", 20, 24);
    view.Select(20, 20);
    ASSERT_TRUE(GoToNextBookmark(bookmarks, view, true));
    EXPECT_EQ(view.Selection().caret, 10) << "wrapped to the first";
    view.Select(20, 20);
    ASSERT_TRUE(GoToPreviousBookmark(bookmarks, view, true));
    EXPECT_EQ(view.Selection().caret, 10);
    ASSERT_TRUE(GoToPreviousBookmark(bookmarks, view, false));
    EXPECT_EQ(view.Selection().caret, 24) << "wrapped to the last, caret at its end";
    EXPECT_EQ(view.Selection().selStart, 20);
    EXPECT_EQ(statuses.last(), QStringLiteral("Bookmark: \"twenty\", Offset=20, Length=4"));
    ASSERT_TRUE(GoToNextBookmark(bookmarks, view, true)) << "from the selection start 20";
    EXPECT_EQ(statuses.last(), QStringLiteral("Bookmark: \"ten\", Offset=0xA, Length=0x0"));
}

TEST_F(BookmarkTest, BookmarksAtOrPastTheEndOfTheFile)
{
    auto doc = OpenChunkedDocument(dir, QByteArray(16, 'x'), {16});
    FakeToolView view(*doc);
    EXPECT_TRUE(GoToBookmark({"end", 16, 16}, view, true));
    EXPECT_EQ(view.Selection().caret, 16);
    EXPECT_EQ(messages.Count(), 0);
    view.Select(3, 3);
    EXPECT_FALSE(GoToBookmark({"past", 17, 17}, view, true));
    EXPECT_EQ(messages.Last(),
              QStringLiteral("Cannot reach bookmark : Bookmark is located past the end of the current file."));
    EXPECT_EQ(view.Selection().caret, 3) << "nothing moves";
    EXPECT_TRUE(GoToBookmark({"long", 10, 30}, view, true));
    EXPECT_EQ(view.Selection().selStart, 10);
    EXPECT_EQ(view.Selection().selEnd, 16);
    EXPECT_EQ(messages.Last(), QStringLiteral("Cannot select entire bookmark : Bookmark range extends beyond the end "
                                              "of the current file."));
}

TEST_F(BookmarkTest, StatusRadixFollowsTheStatusFormat)
{
    AppSettings s;
    s.statusFormat = 0;
    EXPECT_FALSE(StatusRadixIsHex(s));
    s.statusFormat = 1;
    EXPECT_TRUE(StatusRadixIsHex(s));
    s.statusFormat = 2;
    s.offsetFormat = 0;
    EXPECT_FALSE(StatusRadixIsHex(s));
    s.offsetFormat = 1;
    EXPECT_TRUE(StatusRadixIsHex(s));
}

TEST_F(BookmarkTest, DialogQuestionsDecideOverwritesAndDeletions)
{
    Add("old", 0x1F, 0x1F);
    messages.Answer(MsgResult::No);
    EXPECT_EQ(AddBookmarkAsking(bookmarks, {"new", 0x1F, 0x20}), -1);
    EXPECT_EQ(messages.Last(), QStringLiteral("You already have a bookmark defined at offset 1F with the name \"old\". "
                                              "Do you want to overwrite the existing bookmark?"));
    EXPECT_EQ(bookmarks.At(0).name, QStringLiteral("old"));
    messages.Answer(MsgResult::Yes);
    EXPECT_EQ(AddBookmarkAsking(bookmarks, {"new", 0x1F, 0x20}), 0);
    EXPECT_EQ(bookmarks.At(0).name, QStringLiteral("new"));

    Add("other", 5, 5);  // index 0 now; "new" at 1
    messages.Answer(MsgResult::Yes);
    EXPECT_EQ(EditBookmarkAsking(bookmarks, 1, {"moved", 5, 9}), 0) << "replaces the one at 5";
    ASSERT_EQ(bookmarks.Count(), 1);
    EXPECT_EQ(bookmarks.At(0), (Bookmark{"moved", 5, 9}));
    EXPECT_EQ(EditBookmarkAsking(bookmarks, 0, {"same place", 5, 6}), 0) << "its own start asks nothing";
    EXPECT_EQ(messages.Count(), 3);

    messages.Answer(MsgResult::No);
    EXPECT_FALSE(DeleteBookmarkAsking(bookmarks, 0));
    messages.Answer(MsgResult::Yes);
    EXPECT_TRUE(DeleteAllBookmarksAsking(bookmarks));
    EXPECT_TRUE(bookmarks.IsEmpty());
    EXPECT_EQ(messages.Texts().mid(3), (QStringList{QStringLiteral("Are you sure you want to delete the selected bookmark?"),
                                                    QStringLiteral("Are you sure you want to delete all bookmarks?")}));
}

TEST_F(BookmarkTest, ClearAllAsksFirst)
{
    Add("a", 1, 1);
    bookmarks.SetChanged(false);
    EXPECT_FALSE(ClearAllBookmarks(bookmarks, nullptr));
    EXPECT_EQ(bookmarks.Count(), 1);
    EXPECT_FALSE(bookmarks.IsChanged());
    messages.Answer(MsgResult::Yes);
    EXPECT_TRUE(ClearAllBookmarks(bookmarks, nullptr));
    EXPECT_TRUE(bookmarks.IsEmpty());
    EXPECT_TRUE(bookmarks.IsChanged());
    EXPECT_EQ(messages.Texts().first(), QStringLiteral("Are you sure you want to clear all bookmarks?"));
}

TEST_F(BookmarkTest, EditBookmarkFieldsParseTrimAndRememberTheirRadixes)
{
    EXPECT_FALSE(BookmarkNameAcceptable(u"   "));
    EXPECT_TRUE(BookmarkNameAcceptable(u" x "));
    BookmarkFields fields = ValidateBookmarkFields(u"  header ", u"0x10", u"8");
    ASSERT_TRUE(fields.Ok());
    EXPECT_EQ(fields.bookmark, (Bookmark{"header", 16, 24}));
    EXPECT_EQ(fields.offsetRadix, 16);
    EXPECT_EQ(fields.lengthRadix, 10);
    EXPECT_EQ(ValidateBookmarkFields(u"a", u"x", u"8").failed, BookmarkField::Offset);
    EXPECT_EQ(messages.Last(),
              QStringLiteral("The bookmark offset value is not valid. Please enter a valid integer number."));
    EXPECT_EQ(ValidateBookmarkFields(u"a", u"1", u"-8").failed, BookmarkField::Length);
    EXPECT_EQ(messages.Last(),
              QStringLiteral("The bookmark length value is not valid. Please enter a valid integer number."));
}

// Offset and end stop at the file size limit, whatever it is, and the end is
// checked without overflow even at the largest 64-bit limit.
TEST_F(BookmarkTest, FieldsStopAtTheFileSizeLimit)
{
    const auto text = [](int64_t value, int radix) { return FormatInteger(uint64_t(value), false, radix); };
    struct Row {
        int64_t offset;
        int64_t length;
        BookmarkField failed;
    };
    const Row rows[] = {
        {MAX_FILE_SIZE, 0, BookmarkField::None},
        {MAX_FILE_SIZE, 1, BookmarkField::Length},
        {MAX_FILE_SIZE - 5, 5, BookmarkField::None},
        {MAX_FILE_SIZE - 5, 6, BookmarkField::Length},
        {0, MAX_FILE_SIZE, BookmarkField::None},
        {1, MAX_FILE_SIZE, BookmarkField::Length},
    };
    for (const Row& row : rows) {
        for (const int radix : {10, 16}) {
            const BookmarkFields fields =
                ValidateBookmarkFields(u"far", text(row.offset, radix), text(row.length, radix));
            EXPECT_EQ(fields.failed, row.failed) << row.offset << "+" << row.length << " in radix " << radix;
            if (fields.Ok()) {
                EXPECT_EQ(fields.bookmark, (Bookmark{"far", row.offset, row.offset + row.length}));
            }
        }
    }
    // One past the limit, as offset or as length, and the largest 64-bit number.
    const uint64_t past = uint64_t(MAX_FILE_SIZE) + 1;
    EXPECT_EQ(ValidateBookmarkFields(u"a", FormatInteger(past, false, 10), u"0").failed, BookmarkField::Offset);
    EXPECT_EQ(ValidateBookmarkFields(u"a", u"0", FormatInteger(past, false, 16)).failed, BookmarkField::Length);
    EXPECT_EQ(ValidateBookmarkFields(u"a", u"0xFFFFFFFFFFFFFFFF", u"0").failed, BookmarkField::Offset);
}

// ---------------------------------------------------------------- file

TEST_F(BookmarkTest, OneBookmarkSavesAsTheTwentySixByteExample)
{
    Add("A", 0x10, 0x20);
    const QString path = dir.filePath("one.bmk");
    ASSERT_TRUE(SaveBookmarkFile(bookmarks, path));
    const QByteArray expected("BOOK\0\0\0\0\x01\0\0\0\x01\0\0\0A\0\x10\0\0\0\x20\0\0\0", 26);
    EXPECT_EQ(ReadWholeFile(path), expected);
    EXPECT_EQ(bookmarks.Path(), path);
    EXPECT_FALSE(bookmarks.IsChanged());
}

TEST_F(BookmarkTest, FileRoundTripKeepsNamesOffsetsAndOrder)
{
    Add(QStringLiteral("Z\u00e9\u4e2d"), 0x7FFFFFF0, 0x7FFFFFFF);
    Add("start", 0, 0);
    Add("mid", 1000, 2000);
    const QString path = dir.filePath("round.bmk");
    ASSERT_TRUE(SaveBookmarkFile(bookmarks, path));
    CBookmarkCollection loaded;
    loaded.Insert({"will go", 3, 3});
    ASSERT_TRUE(LoadBookmarkFile(loaded, path));
    EXPECT_EQ(loaded.Items(), bookmarks.Items());
    EXPECT_EQ(loaded.Path(), path);
    EXPECT_FALSE(loaded.IsChanged());
    EXPECT_EQ(messages.Count(), 0);
}

// Offsets that fit in 32 bits are written as before (version 0), so earlier
// copies of the program read the file; one offset at or past 2^31 makes the
// whole file version 1 with 64-bit offsets, which such copies refuse as
// written by another version. This program reads both.
TEST_F(BookmarkTest, OffsetsPastTwoGiBAreWrittenAsVersionOneAndBothVersionsRead)
{
    constexpr int64_t k2GiB = int64_t(1) << 31;
    const struct Case {
        int64_t start, end;
        QByteArray bytes;  // the file of one bookmark named "A"
    } cases[] = {
        {0x10, 0x20, QByteArray("BOOK\0\0\0\0\x01\0\0\0\x01\0\0\0A\0\x10\0\0\0\x20\0\0\0", 26)},
        {0, k2GiB - 1, QByteArray("BOOK\0\0\0\0\x01\0\0\0\x01\0\0\0A\0\0\0\0\0\xFF\xFF\xFF\x7F", 26)},
        {k2GiB - 1, k2GiB, QByteArray("BOOK\x01\0\0\0\x01\0\0\0\x01\0\0\0A\0"
                                      "\xFF\xFF\xFF\x7F\0\0\0\0\0\0\0\x80\0\0\0\0", 34)},
        {0x123456789A, 0x123456789B, QByteArray("BOOK\x01\0\0\0\x01\0\0\0\x01\0\0\0A\0"
                                                "\x9A\x78\x56\x34\x12\0\0\0\x9B\x78\x56\x34\x12\0\0\0", 34)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + "-" + std::to_string(c.end));
        CBookmarkCollection one;
        one.Insert({"A", c.start, c.end});
        const QString path = dir.filePath("wide.bmk");
        ASSERT_TRUE(SaveBookmarkFile(one, path));
        EXPECT_EQ(ReadWholeFile(path), c.bytes);
        CBookmarkCollection loaded;
        ASSERT_TRUE(LoadBookmarkFile(loaded, Write(c.bytes, "read.bmk")));
        EXPECT_EQ(loaded.Items(), one.Items());
    }
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(BookmarkTest, EmptyCollectionIsNotSaved)
{
    const QString path = dir.filePath("none.bmk");
    EXPECT_FALSE(SaveBookmarkFile(bookmarks, path));
    EXPECT_EQ(messages.Last(), QStringLiteral("Unable to save bookmark collection : No bookmarks defined."));
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(BookmarkTest, SaveErrorsNameTheFile)
{
    Add("a", 1, 1);
    const QString path = dir.filePath("missing-folder/x.bmk");
    EXPECT_FALSE(SaveBookmarkFile(bookmarks, path));
    EXPECT_EQ(messages.Count(), 1);
    EXPECT_TRUE(messages.Last().contains(QStringLiteral("x.bmk"))) << messages.Last().toStdString();
    EXPECT_TRUE(bookmarks.IsChanged());
}

TEST_F(BookmarkTest, WrongMagicOrVersionLeavesTheCollectionUnchanged)
{
    Add("keep", 4, 4);
    const QString bad = Write(QByteArray("BOOX") + Int32(0) + Int32(0), "bad.bmk");
    EXPECT_FALSE(LoadBookmarkFile(bookmarks, bad));
    EXPECT_EQ(messages.Last(), QString(kCorruptFileText).arg(bad));
    const QString newer = Write(Header(1, 2) + Record("x", 1, 1), "newer.bmk");
    EXPECT_FALSE(LoadBookmarkFile(bookmarks, newer));
    EXPECT_EQ(messages.Last(), QStringLiteral("Unable to load file:\r\n\r\n\"%1\" contains unrecognizable data. It may "
                                              "have been created by a different version of Vantrel Hex Editor.")
                                   .arg(newer));
    ASSERT_EQ(bookmarks.Count(), 1);
    EXPECT_EQ(bookmarks.At(0).name, QStringLiteral("keep"));
    EXPECT_TRUE(bookmarks.Path().isEmpty());
    EXPECT_TRUE(bookmarks.IsChanged());
}

// A file is taken whole or not at all: whatever is wrong with it, the
// collection keeps its bookmarks, path and changed state, and the user sees
// the corrupt-file message. Huge counts and lengths must not allocate for
// bytes the file does not hold.
TEST_F(BookmarkTest, DamagedFilesAreRefusedWholeAndLeaveTheCollectionAsItWas)
{
    const QByteArray three = Header(3) + Record("one", 1, 2) + Record("two", 3, 4) + Record("three", 5, 6);
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"cut inside the last end offset", three.left(three.size() - 3)},
        {"cut inside a name", three.left(12 + 18 + 18 + 4 + 3)},
        {"cut right after a record", three.left(12 + 18)},
        {"cut right after the header", Header(2)},
        {"cut inside the count", QByteArray("BOOK") + Int32(0) + QByteArray(2, '\0')},
        {"no count", QByteArray("BOOK") + Int32(0)},
        {"magic only", QByteArray("BOOK")},
        {"empty file", QByteArray()},
        {"huge count", Header(0x7FFFFFFF) + Record("a", 1, 1)},
        {"negative count", Header(-1) + Record("a", 1, 1)},
        {"negative name length", Header(2) + Record("a", 1, 1) + Int32(-5) + Int32(0) + Int32(0)},
        {"name past the end", Header(1) + Int32(0x7FFFFFFF) + QByteArray(16, 'x')},
        {"name longer than the rest", Header(1) + Int32(10) + QByteArray(19, 'x')},
        {"negative start", Header(1) + Record("a", -1, 0)},
        {"end before start after a good record", Header(2) + Record("a", 1, 1) + Record("b", 10, 9)},
    };
    const QString before = Write(Header(1) + Record("before", 77, 78), QStringLiteral("before.bmk"));
    for (const Case& c : cases) {
        bookmarks = CBookmarkCollection();
        ASSERT_TRUE(LoadBookmarkFile(bookmarks, before));
        Add("added", 90, 90);
        const std::vector<Bookmark> held = bookmarks.Items();
        messages.Clear();
        const QString path = Write(c.bytes, QStringLiteral("case.bmk"));
        EXPECT_FALSE(LoadBookmarkFile(bookmarks, path)) << c.what;
        EXPECT_EQ(messages.Texts(), QStringList{QString(kCorruptFileText).arg(path)}) << c.what;
        EXPECT_EQ(bookmarks.Items(), held) << c.what;
        EXPECT_EQ(bookmarks.Path(), before) << c.what;
        EXPECT_TRUE(bookmarks.IsChanged()) << c.what;
    }
}

TEST_F(BookmarkTest, MissingFilesAreReportedByName)
{
    const QString path = dir.filePath("nowhere.bmk");
    EXPECT_FALSE(LoadBookmarkFile(bookmarks, path));
    EXPECT_EQ(messages.Last(), path + " was not found.");
}

TEST_F(BookmarkTest, UnsortedOrDuplicateRecordsStillMakeAValidCollection)
{
    const QString path = Write(Header(3) + Record("b", 20, 20) + Record("a", 10, 10) + Record("b2", 20, 25));
    ASSERT_TRUE(LoadBookmarkFile(bookmarks, path));
    ASSERT_EQ(bookmarks.Count(), 2);
    EXPECT_EQ(bookmarks.At(0).name, QStringLiteral("a"));
    EXPECT_EQ(bookmarks.At(1), (Bookmark{"b2", 20, 25})) << "the later record wins";

    // Against the plain model, inserting each record in file order: random
    // orders with many repeated starts.
    std::mt19937 random(77);
    for (int round = 0; round < 20; ++round) {
        const int count = 1 + int(random() % 400);
        QByteArray bytes = Header(count);
        CBookmarkCollection model;
        for (int i = 0; i < count; ++i) {
            const int32_t start = int32_t(random() % 150);
            const Bookmark record{QStringLiteral("r%1").arg(i), start, start + int32_t(random() % 9)};
            bytes += Record(record.name, record.start, record.end);
            model.Insert(record);
        }
        ASSERT_TRUE(LoadBookmarkFile(bookmarks, Write(bytes, QStringLiteral("model.bmk")))) << "round " << round;
        EXPECT_EQ(bookmarks.Items(), model.Items()) << "round " << round;
    }
}

// Random and truncated files: the reader must stop on every one of them with
// a message, never crash, and never hold more bookmarks than the bytes allow.
TEST_F(BookmarkTest, FuzzedFilesAlwaysEndWithAResult)
{
    std::mt19937 random(424242);
    QByteArray good = Header(4);
    for (int i = 0; i < 4; ++i)
        good += Record(QStringLiteral("name%1").arg(i), i * 10, i * 10 + 3);
    int loaded = 0;
    for (int round = 0; round < 600; ++round) {
        QByteArray bytes;
        switch (round % 3) {
        case 0:
            bytes = good.left(int(random() % uint32_t(good.size())));
            break;
        case 1:
            bytes = good;
            for (int flips = 1 + int(random() % 4); flips > 0; --flips)
                bytes[int(random() % uint32_t(bytes.size()))] = char(random());
            break;
        default:
            bytes = RandomBytes(int(random() % 64), random());
            if (random() % 2)
                bytes.replace(0, std::min<qsizetype>(4, bytes.size()), "BOOK");
            break;
        }
        CMemoryBookmarkSource source(bytes);
        const BookmarkReadResult read = ReadBookmarks(source);
        const int records = int(read.bookmarks.size());
        EXPECT_LE(records * 12, std::max<int>(0, int(bytes.size()) - 12)) << "round " << round;
        if (read.status == BookmarkReadStatus::Ok)
            ++loaded;

        CBookmarkCollection collection;
        collection.Insert({"sentinel", 1000, 1000});
        messages.Clear();
        const bool ok = LoadBookmarkFile(collection, Write(bytes, QStringLiteral("fuzz.bmk")));
        EXPECT_EQ(ok, read.status == BookmarkReadStatus::Ok);
        EXPECT_EQ(messages.Count(), ok ? 0 : 1) << "round " << round;
        if (ok)
            EXPECT_LE(collection.Count(), records);
        else
            EXPECT_EQ(collection.Items(), (std::vector<Bookmark>{{"sentinel", 1000, 1000}})) << "round " << round;
    }
    EXPECT_GT(loaded, 0);
}

// ---------------------------------------------------------------- application hooks

TEST_F(BookmarkTest, SaveChangesQuestionOnlyForChangedNonEmptyCollections)
{
    EXPECT_TRUE(QuerySaveBookmarkChanges(bookmarks, nullptr)) << "empty: no question";
    Add("a", 1, 1);
    bookmarks.SetChanged(false);
    EXPECT_TRUE(QuerySaveBookmarkChanges(bookmarks, nullptr)) << "unchanged: no question";
    EXPECT_EQ(messages.Count(), 0);
    bookmarks.SetChanged(true);
    messages.Answer(MsgResult::Cancel);
    EXPECT_FALSE(QuerySaveBookmarkChanges(bookmarks, nullptr));
    EXPECT_EQ(messages.Last(),
              "You have made changes to the current collection of bookmarks. Would you like to save your bookmarks to "
              "disk?");
    messages.Answer(MsgResult::No);
    EXPECT_TRUE(QuerySaveBookmarkChanges(bookmarks, nullptr));
    int saves = 0;
    messages.Answer(MsgResult::Yes);
    EXPECT_FALSE(QuerySaveBookmarkChanges(bookmarks, [&] { ++saves; return false; })) << "a failed save stops";
    messages.Answer(MsgResult::Yes);
    EXPECT_TRUE(QuerySaveBookmarkChanges(bookmarks, [&] { ++saves; return true; }));
    EXPECT_EQ(saves, 2);
}

TEST_F(BookmarkTest, SettingsHooksReloadTheCollectionAndReportItsPath)
{
    const SettingsHooks before = InstalledSettingsHooks();
    bool otherHookKept = false;
    SettingsHooks mine;
    mine.structuresPath = [&](const QString&) { otherHookKept = true; return QString(); };
    InstallSettingsHooks(mine);
    InstallBookmarkSettingsHooks(bookmarks);
    const QString stored = QStringLiteral("/stored/path.bmk");
    EXPECT_EQ(InstalledSettingsHooks().bookmarksPath(stored), stored)
        << "the stored path stays until a collection is loaded or saved";
    const QString path = Write(Header(1) + Record("r", 2, 3));
    InstalledSettingsHooks().reloadBookmarks(path);
    ASSERT_EQ(bookmarks.Count(), 1);
    EXPECT_EQ(InstalledSettingsHooks().bookmarksPath(stored), path);
    InstalledSettingsHooks().structuresPath(QString());
    EXPECT_TRUE(otherHookKept);
    InstallSettingsHooks(before);
}

} // namespace
