// From what the Find and Replace dialogs hold to a byte pattern, and Find
// Next / Find Previous on a view.
#include "MessageRecorder.h"
#include "ToolTestSupport.h"

#include "settings/AppSettings.h"
#include "types/ValueTypeRegistry.h"
#include "tools/FindCommands.h"
#include "tools/SearchPattern.h"
#include "types/StdValueType.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

FindPageSettings TextPage(const QString& text, bool unicode = false, bool bigEndian = false)
{
    FindPageSettings page;
    page.type = FIND_PAGE_TEXT;
    page.text = text;
    page.unicode = unicode;
    page.textBigEndian = bigEndian;
    return page;
}

FindPageSettings ValuePage(const QString& value, int type, bool bigEndian = false)
{
    FindPageSettings page;
    page.type = FIND_PAGE_VALUE;
    page.value = value;
    page.valueType = type;
    page.valueBigEndian = bigEndian;
    return page;
}

FindPageSettings DataPage(const QByteArray& data)
{
    FindPageSettings page;
    page.type = FIND_PAGE_DATA;
    page.data = data;
    return page;
}

class FindTest : public ::testing::Test {
protected:
    MessageRecorder messages;
    ValueTypeRegistry types;
    QTemporaryDir dir;
};

TEST_F(FindTest, TextPagesGiveCodePageOrUtf16BytesInEitherOrder)
{
    EXPECT_EQ(BuildPageBytes(TextPage(QStringLiteral("Ab\u00e9")), types), QByteArray("Ab\xC3\xA9"))
        << "8-bit text goes through the code page (UTF-8 here)";
    EXPECT_EQ(BuildPageBytes(TextPage(QStringLiteral("A\u00e9"), true), types), QByteArray("A\0\xE9\0", 4));
    EXPECT_EQ(BuildPageBytes(TextPage(QStringLiteral("A\u00e9"), true, true), types), QByteArray("\0A\0\xE9", 4));
    EXPECT_EQ(BuildPageBytes(TextPage(QStringLiteral("a"), false, true), types), QByteArray("a"))
        << "the byte order box only counts for Unicode text";
}

TEST_F(FindTest, ValuePageParsesThroughTheTypeAndReportsFailures)
{
    EXPECT_EQ(BuildPageBytes(ValuePage(QStringLiteral("0x1234"), TYPE_WORD), types), QByteArray("\x34\x12"));
    EXPECT_EQ(BuildPageBytes(ValuePage(QStringLiteral("0x1234"), TYPE_DWORD, true), types),
              QByteArray("\0\0\x12\x34", 4));
    EXPECT_EQ(BuildPageBytes(ValuePage(QStringLiteral("7"), 999), types), QByteArray("\x07"))
        << "an index beyond the list selects the first type";
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_FALSE(BuildPageBytes(ValuePage(QStringLiteral("300"), TYPE_BYTE), types).has_value());
    EXPECT_EQ(messages.Last(), QStringLiteral("The text \"300\" could not be converted to the data type Byte."));
}

TEST_F(FindTest, DataPageIsTakenAsItIs)
{
    EXPECT_EQ(BuildPageBytes(DataPage(QByteArray("\0\xFF", 2)), types), QByteArray("\0\xFF", 2));
}

TEST_F(FindTest, EmptyPatternsKeepTheDialogOpenWithEachDialogsText)
{
    FindSettings settings;
    settings.find = TextPage(QString());
    SearchBuild find = BuildSearch(settings, SearchDialog::Find, types);
    EXPECT_EQ(find.failure, PatternFailure::EmptyPattern);
    EXPECT_EQ(messages.Last(), QStringLiteral("Nothing to search for."));
    SearchBuild replace = BuildSearch(settings, SearchDialog::Replace, types);
    EXPECT_EQ(replace.failure, PatternFailure::EmptyPattern);
    EXPECT_EQ(messages.Last(), QStringLiteral("There is nothing to search for."));
}

TEST_F(FindTest, ReplacementMayBeEmptyButMustParse)
{
    FindSettings settings;
    settings.find = TextPage(QStringLiteral("ab"));
    settings.replace = TextPage(QString());
    const SearchBuild build = BuildSearch(settings, SearchDialog::Replace, types);
    ASSERT_TRUE(build.Ok());
    EXPECT_TRUE(build.search.replacement.isEmpty());
    settings.replace = ValuePage(QStringLiteral("x"), TYPE_WORD);
    EXPECT_EQ(BuildSearch(settings, SearchDialog::Replace, types).failure, PatternFailure::ReplaceValue);
    settings.find = ValuePage(QStringLiteral("x"), TYPE_WORD);
    EXPECT_EQ(BuildSearch(settings, SearchDialog::Replace, types).failure, PatternFailure::FindValue);
}

TEST_F(FindTest, ValueSearchesMatchCaseWhateverTheBoxSays)
{
    FindSettings settings;
    settings.matchCase = false;
    settings.find = ValuePage(QStringLiteral("0x41"), TYPE_BYTE);
    const SearchBuild value = BuildSearch(settings, SearchDialog::Find, types);
    ASSERT_TRUE(value.Ok());
    EXPECT_TRUE(value.search.matchCase);
    settings.find = TextPage(QStringLiteral("A"));
    EXPECT_FALSE(BuildSearch(settings, SearchDialog::Find, types).search.matchCase);

    auto doc = OpenChunkedDocument(dir, "aaaA", {2, 2});
    FakeToolView view(*doc);
    ASSERT_TRUE(FindNext(doc->Buffer(), view, value.search));
    EXPECT_EQ(view.Selection().selStart, 3) << "byte 0x41 does not match 0x61";
}

TEST_F(FindTest, TheFindDialogKeepsTheReplacement)
{
    SearchState current;
    FindSettings settings;
    settings.find = TextPage(QStringLiteral("ab"));
    settings.replace = TextPage(QStringLiteral("xyz"));
    AdoptSearch(BuildSearch(settings, SearchDialog::Replace, types), SearchDialog::Replace, current);
    settings.find = TextPage(QStringLiteral("cd"));
    settings.matchCase = true;
    AdoptSearch(BuildSearch(settings, SearchDialog::Find, types), SearchDialog::Find, current);
    EXPECT_EQ(current.pattern, QByteArray("cd"));
    EXPECT_EQ(current.replacement, QByteArray("xyz"));
    EXPECT_TRUE(current.matchCase);
}

TEST_F(FindTest, SettingsRoundTripThroughTheSettingsRecord)
{
    AppSettings record;
    FindSettings settings;
    settings.find = ValuePage(QStringLiteral("12"), 3, true);
    settings.find.hexCol = false;
    settings.replace = DataPage(QByteArray("\x01\x02"));
    settings.matchCase = true;
    settings.Store(record);
    EXPECT_EQ(record.findValueType, 3);
    EXPECT_EQ(record.replaceData, QByteArray("\x01\x02"));
    EXPECT_EQ(FindSettings::Load(record), settings);
    EXPECT_EQ(FindSettings::Load(AppSettings{}).find.value, QStringLiteral("0")) << "defaults";
}

TEST_F(FindTest, FindNextSelectsTheMatchWithTheCaretAtItsEndAndStartsAfterTheSelection)
{
    auto doc = OpenChunkedDocument(dir, "xxABxxabxx", {3, 3, 4});
    FakeToolView view(*doc);
    SearchState search{"ab", {}, false};
    ASSERT_TRUE(FindNext(doc->Buffer(), view, search));
    EXPECT_EQ(view.Selection().caret, 4);
    EXPECT_EQ(view.Selection().selStart, 2);
    ASSERT_TRUE(FindNext(doc->Buffer(), view, search)) << "starts at the selection end";
    EXPECT_EQ(view.Selection().selStart, 6);
    ASSERT_TRUE(FindNext(doc->Buffer(), view, search)) << "wraps to the start";
    EXPECT_EQ(view.Selection().selStart, 2);
    ASSERT_TRUE(FindPrevious(doc->Buffer(), view, search)) << "starts at the selection start, wraps to the end";
    EXPECT_EQ(view.Selection().selStart, 6);
    ASSERT_TRUE(FindPrevious(doc->Buffer(), view, search));
    EXPECT_EQ(view.Selection().selStart, 2);
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(FindTest, FindPreviousFromTheEndWithoutMatchReportsWithoutWrapping)
{
    auto doc = OpenChunkedDocument(dir, "abc", {3});
    FakeToolView view(*doc);
    view.Select(3, 3);
    EXPECT_FALSE(FindPrevious(doc->Buffer(), view, SearchState{"zz", {}, true}));
    EXPECT_EQ(messages.Texts(), QStringList{"Search pattern not found."});
    EXPECT_EQ(view.Selection().caret, 3) << "the caret stays";
}

} // namespace
