// The exact text of rows: what the painter draws, cell by cell.
#include "view/RowText.h"

#include <gtest/gtest.h>

#include <cstring>

#include <numeric>
#include <vector>

namespace {

constexpr int kCw = 7;

RowLayout Layout16(int groupBy = 0, bool dash = true, int offsetFormat = 1, int columns = 3, int bytesPerRow = 16)
{
    LayoutOptions o;
    o.bytesPerRow = bytesPerRow;
    o.groupBy = groupBy;
    o.showDash = dash;
    o.offsetFormat = offsetFormat;
    o.columns = columns;
    o.charWidth = kCw;
    o.lineHeight = 15;
    return RowLayout::Make(o);
}

std::vector<uint8_t> Counting(int n, int from = 0)
{
    std::vector<uint8_t> bytes(size_t(n), 0);
    std::iota(bytes.begin(), bytes.end(), uint8_t(from));
    return bytes;
}

RowText Row(const RowLayout& l, int32_t offset, const std::vector<uint8_t>& bytes, bool showAll = false)
{
    return BuildRowText(l, offset, bytes.data(), int(bytes.size()), showAll);
}

QString Blanks(int n) { return QString(n, QChar(u' ')); }

} // namespace

TEST(RowText, FirstRowOfCountingBytesWithDashAndHexOffsets)
{
    const RowLayout l = Layout16();
    const RowText row = Row(l, 0, Counting(16));
    EXPECT_EQ(row.offsetText, "00000000");
    EXPECT_EQ(row.hex, "00 01 02 03 04 05 06 07-08 09 0A 0B 0C 0D 0E 0F");
    EXPECT_EQ(row.chars, QString(16, QChar(u'.')));
    // The offset starts one cell in; two blanks separate each column.
    EXPECT_EQ(row.offsetX, 1 * kCw);
    EXPECT_EQ(row.hexX, (1 + 8 + 2) * kCw);
    EXPECT_EQ(row.charX, row.hexX + (47 + 2) * kCw);
}

TEST(RowText, ShowAllCharsDrawsEveryByteAsTheCharacterWithItsCode)
{
    const RowLayout l = Layout16();
    const RowText row = Row(l, 0, Counting(16, 0xF0), true);
    QString expected;
    for (int b = 0xF0; b <= 0xFF; ++b)
        expected += QChar(char16_t(b));
    EXPECT_EQ(row.chars, expected);
    EXPECT_EQ(Row(l, 0, Counting(16, 0), true).chars[0], QChar(u'\0'));
}

TEST(RowText, OnlyPrintableAsciiIsShownWithoutShowAllChars)
{
    for (int b = 0; b < 256; ++b) {
        const QChar shown = DisplayChar(uint8_t(b), false);
        if (b >= 0x20 && b <= 0x7E)
            EXPECT_EQ(shown, QChar(char16_t(b))) << b;
        else
            EXPECT_EQ(shown, QChar(u'.')) << b;
    }
}

TEST(RowText, EveryGroupSizeWithAndWithoutDash)
{
    struct Case {
        int groupBy;
        const char* dash;
        const char* noDash;
    } cases[] = {
        {0, "00 01 02 03 04 05 06 07-08 09 0A 0B 0C 0D 0E 0F", "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F"},
        {1, "0001 0203 0405 0607-0809 0A0B 0C0D 0E0F", "0001 0203 0405 0607 0809 0A0B 0C0D 0E0F"},
        {2, "00010203 04050607-08090A0B 0C0D0E0F", "00010203 04050607 08090A0B 0C0D0E0F"},
        {3, "0001020304050607-08090A0B0C0D0E0F", "0001020304050607 08090A0B0C0D0E0F"},
    };
    for (const Case& c : cases) {
        const RowLayout withDash = Layout16(c.groupBy, true);
        const RowLayout withoutDash = Layout16(c.groupBy, false);
        EXPECT_EQ(Row(withDash, 0, Counting(16)).hex, c.dash) << "group by " << c.groupBy;
        EXPECT_EQ(Row(withoutDash, 0, Counting(16)).hex, c.noDash) << "group by " << c.groupBy;
        EXPECT_EQ(withDash.hexChars, Row(withDash, 0, Counting(16)).hex.size());
        // The character column follows the hex column by two cells.
        EXPECT_EQ(Row(withDash, 0, Counting(16)).charX, (withDash.hexX + withDash.hexChars + 2) * kCw);
    }
}

TEST(RowText, OneGroupPerRowHasNoDash)
{
    const RowLayout l = Layout16(3, true, 1, 3, 8);
    EXPECT_FALSE(l.dashShown);
    EXPECT_EQ(Row(l, 0, Counting(8)).hex, "0001020304050607");
}

TEST(RowText, OddNumberOfGroupsPutsTheDashAfterTheLowerHalf)
{
    const RowLayout l = Layout16(3, true, 1, 3, 24);
    EXPECT_EQ(Row(l, 0, Counting(24)).hex, "0001020304050607-08090A0B0C0D0E0F 1011121314151617");
    const RowLayout two = Layout16(0, true, 1, 3, 2);
    EXPECT_EQ(Row(two, 0, Counting(2)).hex, "00-01");
}

TEST(RowText, DecimalOffsetsWidenTheOffsetColumnAndShiftTheData)
{
    const RowLayout hex = Layout16(0, true, 1);
    const RowLayout dec = Layout16(0, true, 0);
    const RowText h = Row(hex, 1234560, Counting(16));
    const RowText d = Row(dec, 1234560, Counting(16));
    EXPECT_EQ(h.offsetText, "0012D680");
    EXPECT_EQ(d.offsetText, "0001234560");
    EXPECT_EQ(d.hexX - h.hexX, 2 * kCw);
    EXPECT_EQ(d.charX - h.charX, 2 * kCw);
    EXPECT_EQ(d.hex, h.hex);
}

// The offset column is 8 hexadecimal or 10 decimal digits for every file
// that fits them, and widens for the files that do not, so no offset is cut.
TEST(RowText, TheOffsetColumnWidensOnlyForFilesPastItsDigits)
{
    struct Case {
        int64_t fileSize;
        int64_t offset;
        int format;  // 1 hexadecimal, 0 decimal
        const char* text;
    };
    const Case cases[] = {
        {0, 0, 0, "0000000000"},
        {0xABCDEF, 0xABCDEF, 1, "00ABCDEF"},
        {2147483647, 2147483647, 1, "7FFFFFFF"},
        {2147483647, 2147483647, 0, "2147483647"},
        {0xFFFFFFFF, 0xFFFFFFF0, 1, "FFFFFFF0"},
        {int64_t(1) << 32, int64_t(1) << 32, 1, "100000000"},
        {int64_t(1) << 36, 16, 1, "0000000010"},
        {9999999999, 9999999990, 0, "9999999990"},
        {10000000000, 160, 0, "00000000160"},
        {INT64_MAX, INT64_MAX - 15, 1, "7FFFFFFFFFFFFFF0"},
        {INT64_MAX, INT64_MAX - 15, 0, "9223372036854775792"},
    };
    for (const Case& c : cases) {
        LayoutOptions o;
        o.offsetFormat = c.format;
        o.fileSize = c.fileSize;
        const RowLayout layout = RowLayout::Make(o);
        const RowText row = BuildRowText(layout, c.offset, nullptr, 0, false);
        EXPECT_EQ(row.offsetText, c.text) << c.fileSize;
        EXPECT_EQ(layout.offsetEnd - layout.offsetX, int(std::strlen(c.text))) << c.fileSize;
    }
    // Without the layout's width an offset still shows whole.
    EXPECT_EQ(FormatOffset(int64_t(1) << 40, 1), "10000000000");
}

TEST(RowText, ShortRowsEndAfterTheirLastDigitAndShowTheDashOnlyPastIt)
{
    const RowLayout l = Layout16();
    EXPECT_EQ(Row(l, 16, Counting(5, 0x41)).hex, "41 42 43 44 45");
    EXPECT_EQ(Row(l, 16, Counting(5, 0x41)).chars, "ABCDE" + Blanks(11));
    // Ending exactly at the dash: no dash.
    EXPECT_EQ(Row(l, 16, Counting(8)).hex, "00 01 02 03 04 05 06 07");
    EXPECT_EQ(Row(l, 16, Counting(9)).hex, "00 01 02 03 04 05 06 07-08");
    const RowLayout g4 = Layout16(2);
    EXPECT_EQ(Row(g4, 0, Counting(6)).hex, "00010203 0405");
}

TEST(RowText, TheEmptyRowAfterAFullFileShowsOnlyItsOffset)
{
    // A 32-byte file at 16 per row: the third row starts at the file size.
    const RowLayout l = Layout16();
    const RowText row = Row(l, 32, {});
    EXPECT_EQ(row.offsetText, "00000020");
    EXPECT_EQ(row.count, 0);
    EXPECT_EQ(row.hex, "");
    EXPECT_EQ(row.chars, Blanks(16));
}

TEST(RowText, HiddenColumnsHaveNoText)
{
    const RowLayout hexOnly = Layout16(0, true, 1, kHexColumn);
    const RowText h = Row(hexOnly, 0, Counting(16, 0x30));
    EXPECT_EQ(h.chars, "");
    EXPECT_EQ(h.hex.size(), 47);

    const RowLayout charsOnly = Layout16(0, true, 1, kCharColumn);
    const RowText c = Row(charsOnly, 0, Counting(16, 0x30));
    EXPECT_EQ(c.hex, "");
    EXPECT_EQ(c.chars, "0123456789:;<=>?");
    EXPECT_EQ(c.charX, c.hexX);
}

TEST(RowText, BytesThatCouldNotBeReadShowAsQuestionMarksInBothColumns)
{
    const RowLayout l = Layout16();
    const std::vector<uint8_t> bytes = {0x41, 0x42, 0x43, 0x44, 0x45, 0x46};
    const RowText row = BuildRowText(l, 0x30, bytes.data(), 6, false, 2);
    EXPECT_EQ(row.hex, "41 42 ?? ?? ?? ??");
    EXPECT_EQ(row.chars, "AB????" + Blanks(10));
}
