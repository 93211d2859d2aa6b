// The window-free rules behind the Options dialog and the user tools:
// command-line words, macros, tool arguments, file types, layout files and
// the display choices.
#include "app/CommandWords.h"
#include "app/DisplayChoices.h"
#include "app/FileTypeList.h"
#include "app/LayoutFile.h"
#include "app/ToolArguments.h"
#include "app/ToolMacros.h"

#include <QRandomGenerator>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QStringList Texts(const std::optional<std::vector<CommandWord>>& words)
{
    QStringList texts;
    for (const CommandWord& word : *words)
        texts << word.text;
    return texts;
}

MacroContext DocumentContext()
{
    MacroContext context;
    context.hasDocument = true;
    context.path = QStringLiteral("/home/me/my files/archive.tar.gz");
    context.title = QStringLiteral("archive.tar.gz");
    context.selection = QByteArray("sel");
    context.activeDir = QStringLiteral("/work");
    return context;
}

} // namespace

// ---------------------------------------------------------------- words

TEST(CommandWordsTest, SplitsLikeAShellWithoutOne)
{
    const struct {
        const char* line;
        QStringList words;
    } cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"a b  c", {"a", "b", "c"}},
        {"'a b' c", {"a b", "c"}},
        {"\"a b\"c", {"a bc"}},
        {"'it'\\''s'", {"it's"}},
        {"\"say \\\"hi\\\" \\\\ \\n\"", {"say \"hi\" \\ \\n"}},
        {"a\\ b", {"a b"}},
        {"'$(reboot); rm -rf ~'", {"$(reboot); rm -rf ~"}},
        {"x '' y", {"x", "", "y"}},
        {"\"\"", {""}},
    };
    for (const auto& c : cases) {
        const auto words = SplitCommandWords(QString::fromUtf8(c.line));
        ASSERT_TRUE(words.has_value()) << c.line;
        EXPECT_EQ(Texts(words), c.words) << c.line;
    }
    for (const char* open : {"'abc", "\"abc", "abc\\", "a \"b\\\""})
        EXPECT_FALSE(SplitCommandWords(QString::fromUtf8(open)).has_value()) << open;
}

TEST(CommandWordsTest, QuotedWordsSplitBackUnchanged)
{
    const QString alphabet = QStringLiteral(" \t'\"\\$`;|&()<>*?~#ab{@}\u00e9\n");
    QRandomGenerator random(16);
    for (int round = 0; round < 500; ++round) {
        QStringList arguments;
        const int count = random.bounded(5);
        for (int i = 0; i < count; ++i) {
            QString argument;
            const int length = random.bounded(8);
            for (int k = 0; k < length; ++k)
                argument += alphabet[random.bounded(int(alphabet.size()))];
            arguments << argument;
        }
        const auto words = SplitCommandWords(JoinCommandWords(arguments));
        ASSERT_TRUE(words.has_value()) << JoinCommandWords(arguments).toStdString();
        EXPECT_EQ(Texts(words), arguments) << JoinCommandWords(arguments).toStdString();
    }
}

// ---------------------------------------------------------------- macros

TEST(ToolMacrosTest, EveryMacroWithAndWithoutADocument)
{
    MacroContext none;
    none.activeDir = QStringLiteral("/work");
    const struct {
        const char* text;
        const char* withDocument;
        const char* without;
    } cases[] = {
        {"{@CurFilePath}", "/home/me/my files/archive.tar.gz", ""},
        {"{@CurFileDir}", "/home/me/my files", ""},
        {"{@CurFileName}", "archive.tar.gz", ""},
        {"{@CurFileExt}", "tar.gz", ""},
        {"{@SelectedText}", "sel", ""},
        {"{@ActiveDir}", "/work", "/work"},
        {"[{@CurFileExt}|{@ActiveDir}]", "[tar.gz|/work]", "[|/work]"},
        {"{@curfilepath} {@ {@Other}", "{@curfilepath} {@ {@Other}", "{@curfilepath} {@ {@Other}"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandMacros(QString::fromUtf8(c.text), DocumentContext()), QString::fromUtf8(c.withDocument)) << c.text;
        EXPECT_EQ(ExpandMacros(QString::fromUtf8(c.text), none), QString::fromUtf8(c.without)) << c.text;
    }
}

TEST(ToolMacrosTest, PathsAndTitlesWithoutSeparators)
{
    EXPECT_EQ(TitleExtension("Makefile"), "");
    EXPECT_EQ(TitleExtension(".bashrc"), "bashrc");
    EXPECT_EQ(PathDirectory("Untitled1"), "");
    EXPECT_EQ(PathDirectory("/a.bin"), "");
}

TEST(ToolMacrosTest, ReplacedTextIsNeverExpandedAgain)
{
    MacroContext context = DocumentContext();
    context.title = QStringLiteral("{@ActiveDir}.bin");
    EXPECT_EQ(ExpandMacros("{@CurFileName}", context), "{@ActiveDir}.bin");
}

TEST(ToolMacrosTest, SelectedTextEndsAtZeroAndReplacesInvalidUtf8)
{
    EXPECT_EQ(SelectedTextFromBytes(QByteArray("ab\0cd", 5)), "ab");
    EXPECT_EQ(SelectedTextFromBytes(QByteArray("\0cd", 3)), "");
    EXPECT_EQ(SelectedTextFromBytes(QByteArray("a\xff" "b")), QString::fromUtf16(u"a\uFFFDb"));
    EXPECT_EQ(SelectedTextFromBytes(QByteArray("\xc3\xa9")), QString::fromUtf16(u"\u00e9"));
}

// ---------------------------------------------------------------- tool arguments

TEST(ToolArgumentsTest, MacrosExpandInsideWordsAfterSplitting)
{
    MacroContext context = DocumentContext();
    context.selection = QByteArray("a b\"; rm -rf ~; $(reboot)");
    const struct {
        const char* argumentTemplate;
        QStringList arguments;
    } cases[] = {
        {"{@SelectedText}", {"a b\"; rm -rf ~; $(reboot)"}},
        {"{@CurFilePath}", {"/home/me/my files/archive.tar.gz"}},
        {"--in={@CurFilePath} -x", {"--in=/home/me/my files/archive.tar.gz", "-x"}},
        {"'{@CurFileDir}/out dir'", {"/home/me/my files/out dir"}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandToolArguments(QString::fromUtf8(c.argumentTemplate), context), c.arguments) << c.argumentTemplate;
    EXPECT_FALSE(ExpandToolArguments("'{@CurFilePath}", context).has_value());
}

TEST(ToolArgumentsTest, WithoutADocumentAnEmptyMacroWordIsNoArgument)
{
    const MacroContext none;
    EXPECT_EQ(ExpandToolArguments("{@CurFilePath}", none), QStringList());
    EXPECT_EQ(ExpandToolArguments("-v {@CurFilePath}{@CurFileExt} end", none), QStringList({"-v", "end"}));
    EXPECT_EQ(ExpandToolArguments("\"{@CurFilePath}\"", none), QStringList({""}));
}

TEST(ToolArgumentsTest, MenuTextAndCommandName)
{
    EXPECT_EQ(ToolMenuText("Diff", true), "Diff...");
    EXPECT_EQ(ToolMenuText("Diff", false), "Diff");
    EXPECT_EQ(CommandFileName("/usr/bin/cmp"), "cmp");
    EXPECT_EQ(CommandFileName("cmp"), "cmp");
}

// ---------------------------------------------------------------- file types

TEST(FileTypeListTest, ParseAndFormat)
{
    const std::vector<FileType> types = ParseFileTypes("All Files (*.*)|*.*|Text Files (*.txt)|*.txt||");
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0], (FileType{"All Files", "*.*"}));
    EXPECT_EQ(types[1], (FileType{"Text Files", "*.txt"}));
    EXPECT_EQ(FormatFileTypes(types), "All Files (*.*)|*.*|Text Files (*.txt)|*.txt||");
    EXPECT_EQ(FormatFileTypes({}), "All Files (*.*)|*.*||");
    EXPECT_TRUE(ParseFileTypes("").empty());
    EXPECT_EQ(ParseFileTypes("(*.x)|*.x||"), (std::vector<FileType>{{"", "*.x"}}));
}

TEST(FileTypeListTest, EntryRules)
{
    FileType cleaned;
    EXPECT_EQ(CheckFileTypeEntry("  Text Files ", "*.txt; *.log", &cleaned), FileTypeEntryError::None);
    EXPECT_EQ(cleaned, (FileType{"Text Files", "*.txt;*.log"}));
    EXPECT_EQ(FormatFileTypes({cleaned}), "Text Files (*.txt;*.log)|*.txt;*.log||");
    EXPECT_EQ(CheckFileTypeEntry(" ", "*.a", nullptr), FileTypeEntryError::Missing);
    EXPECT_EQ(CheckFileTypeEntry("A", "", nullptr), FileTypeEntryError::Missing);
    EXPECT_EQ(CheckFileTypeEntry("A|B", "*.a", nullptr), FileTypeEntryError::IllegalCharacter);
    EXPECT_EQ(CheckFileTypeEntry("A", "*.a|", nullptr), FileTypeEntryError::IllegalCharacter);
}

// ---------------------------------------------------------------- layout files

namespace {

LayoutValues SampleLayout()
{
    LayoutValues layout;
    layout.bytesPerRow = 24;
    layout.sizeToFit = true;
    layout.groupBy = 2;
    layout.showDash = false;
    layout.columns = 2;
    layout.showSizeBar = true;
    layout.offsetFormat = 0;
    for (int i = 0; i < 12; ++i)
        layout.colors[i] = i % 3 == 0 ? 0x80000000u | uint32_t(i) : 0x010203u * uint32_t(i + 1);
    return layout;
}

QByteArray WithInt(QByteArray bytes, int offset, uint32_t value)
{
    qToLittleEndian(value, bytes.data() + offset);
    return bytes;
}

} // namespace

TEST(LayoutFileTest, RoundTripAndExactBytes)
{
    const LayoutValues layout = SampleLayout();
    const QByteArray bytes = EncodeLayoutFile(layout);
    LayoutValues read;
    ASSERT_EQ(DecodeLayoutFile(bytes, &read), LayoutFileError::None);
    EXPECT_EQ(read, layout);

    // The default layout, written out by hand.
    QByteArray expected = QByteArray("LAYT", 4);
    for (uint32_t word : {1u, 16u, 0u, 0u, 1u, 3u, 0u, 1u})
        expected += QByteArray(reinterpret_cast<const char*>(&word), 4);
    const AppSettings defaults;
    for (int i = 0; i < 16; ++i) {
        const uint32_t le = qToLittleEndian(defaults.colors[i]);
        expected += QByteArray(reinterpret_cast<const char*>(&le), 4);
    }
    EXPECT_EQ(EncodeLayoutFile(LayoutFromSettings(defaults)).toHex(), expected.toHex());
}

TEST(LayoutFileTest, RefusesForeignShortAndOutOfRangeFiles)
{
    const QByteArray good = EncodeLayoutFile(SampleLayout());
    const struct {
        const char* what;
        QByteArray bytes;
        LayoutFileError error;
    } cases[] = {
        {"empty", QByteArray(), LayoutFileError::NotALayout},
        {"wrong magic", QByteArray("LAYX") + good.mid(4), LayoutFileError::NotALayout},
        {"version 2", WithInt(good, 4, 2), LayoutFileError::UnknownVersion},
        {"version 0, short", WithInt(good, 4, 0).left(8), LayoutFileError::UnknownVersion},
        {"short", good.left(99), LayoutFileError::NotALayout},
        {"long", good + '\0', LayoutFileError::NotALayout},
        {"bytes per row 0", WithInt(good, 8, 0), LayoutFileError::NotALayout},
        {"bytes per row 100000", WithInt(good, 8, 100000), LayoutFileError::NotALayout},
        {"auto fit 2", WithInt(good, 12, 2), LayoutFileError::NotALayout},
        {"group by 7", WithInt(good, 16, 7), LayoutFileError::NotALayout},
        {"group by -1", WithInt(good, 16, 0xFFFFFFFFu), LayoutFileError::NotALayout},
        {"dash 5", WithInt(good, 20, 5), LayoutFileError::NotALayout},
        {"columns 0", WithInt(good, 24, 0), LayoutFileError::NotALayout},
        {"columns 9", WithInt(good, 24, 9), LayoutFileError::NotALayout},
        {"size bar 3", WithInt(good, 28, 3), LayoutFileError::NotALayout},
        {"radix 2", WithInt(good, 32, 2), LayoutFileError::NotALayout},
        {"colour with top byte", WithInt(good, 40, 0x12000000u), LayoutFileError::NotALayout},
        {"system colour 99", WithInt(good, 40, 0x80000063u), LayoutFileError::NotALayout},
        {"spare word set", WithInt(good, 96, 1), LayoutFileError::NotALayout},
    };
    for (const auto& c : cases) {
        LayoutValues read = LayoutValues{};
        EXPECT_EQ(DecodeLayoutFile(c.bytes, &read), c.error) << c.what;
        EXPECT_EQ(read, LayoutValues{}) << c.what << ": a refused file changes nothing";
    }
    EXPECT_EQ(DecodeLayoutFile(WithInt(good, 8, 2), nullptr), LayoutFileError::None);
    EXPECT_EQ(DecodeLayoutFile(WithInt(good, 8, 256), nullptr), LayoutFileError::None);
}

TEST(LayoutFileTest, ArbitraryBytesAreReadSafelyAndOnlyValidValuesPass)
{
    QRandomGenerator random(1604);
    const QByteArray good = EncodeLayoutFile(SampleLayout());
    for (int round = 0; round < 20000; ++round) {
        QByteArray bytes = round % 2 ? good : QByteArray(random.bounded(120), '\0');
        const int flips = 1 + random.bounded(4);
        for (int i = 0; i < flips && !bytes.isEmpty(); ++i)
            bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
        LayoutValues read;
        if (DecodeLayoutFile(bytes, &read) != LayoutFileError::None)
            continue;
        EXPECT_EQ(EncodeLayoutFile(read), bytes) << "what is accepted writes back identically";
        EXPECT_TRUE(read.bytesPerRow >= 2 && read.bytesPerRow <= 256);
        EXPECT_TRUE(read.groupBy >= 0 && read.groupBy <= 3 && read.columns >= 1 && read.columns <= 3);
    }
}

// ---------------------------------------------------------------- display choices

TEST(DisplayChoicesTest, BytesPerRowFollowTheGroupSize)
{
    const struct {
        int groupBy;
        int first;
        int step;
        int count;
    } cases[] = {{0, 2, 1, 255}, {1, 2, 2, 128}, {2, 4, 4, 64}, {3, 8, 8, 32}};
    for (const auto& c : cases) {
        const QList<int> choices = BytesPerRowChoices(c.groupBy);
        ASSERT_EQ(choices.size(), c.count) << c.groupBy;
        for (int i = 0; i < choices.size(); ++i)
            EXPECT_EQ(choices[i], c.first + i * c.step);
        EXPECT_EQ(choices.last(), 256);
    }
    const QList<int> fours = BytesPerRowChoices(2);
    EXPECT_EQ(fours[KeptBytesPerRowIndex(fours, 18)], 16);
    EXPECT_EQ(fours[KeptBytesPerRowIndex(fours, 16)], 16);
    EXPECT_EQ(fours[KeptBytesPerRowIndex(fours, 3)], 4) << "the first entry when none is below";
}

TEST(DisplayChoicesTest, ColourEntries)
{
    EXPECT_EQ(ColorListEntry(AppSettings::OffsetTextColor, SystemColor(8)), kAutomaticEntry);
    EXPECT_EQ(ColorListEntry(AppSettings::BackgroundColor, SystemColor(8)), kCustomEntry);
    EXPECT_EQ(ColorListEntry(AppSettings::SizeBarColor, 0xC0C0C0), 8) << "Light Gray";
    EXPECT_EQ(ColorListEntry(AppSettings::OffsetTextColor, 0x0000FF), 13) << "Red";
    EXPECT_EQ(ColorListEntry(AppSettings::OffsetTextColor, 0x123456), kCustomEntry);
    const AppSettings defaults;
    for (int item = 0; item < AppSettings::UsedColorCount - 1; ++item)
        EXPECT_EQ(AutomaticColor(item), defaults.colors[item]) << item;
    EXPECT_EQ(AutomaticColor(AppSettings::SizeBarColor), SystemColor(8));
}

TEST(DisplayChoicesTest, FontSizeRule)
{
    EXPECT_EQ(FontHeightForTwips(200, 96), -13);
    EXPECT_EQ(FontHeightForTwips(200, 192), -26);
    EXPECT_EQ(FontHeightForTwips(kMaxFontTwips, 96), -2184);
    EXPECT_DOUBLE_EQ(FontPointsForHeight(-16, 96), 12.0);
    EXPECT_EQ(ParseFontSize("10"), 200);
    EXPECT_EQ(ParseFontSize(" 1 "), 20);
    EXPECT_EQ(ParseFontSize("1638"), 32760);
    for (const char* bad : {"0", "0.9", "1639", "-5", "abc", "", "nan", "inf"})
        EXPECT_FALSE(ParseFontSize(bad).has_value()) << bad;
}
