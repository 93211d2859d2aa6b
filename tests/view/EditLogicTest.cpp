// The window-free pieces of editing: which rows a selection change repaints,
// the word a double-click selects, how many bytes a paste takes, and which
// byte lies under the mouse.
#include "core/FileBuffer.h"
#include "view/PointerHit.h"
#include "view/SelectionChange.h"
#include "view/TransferCount.h"
#include "view/WordBounds.h"

#include <QByteArray>
#include <gtest/gtest.h>

TEST(SelectionChange, OnlyTheBytesThatChangedStateAreRepainted)
{
    const SelectionSpan none{};
    const SelectionSpan a{true, 10, 20};
    EXPECT_EQ(ChangedSelectionRange(none, none), std::nullopt);
    EXPECT_EQ(ChangedSelectionRange(a, a), std::nullopt);
    EXPECT_EQ(ChangedSelectionRange(none, a), (OffsetRange{10, 20}));
    EXPECT_EQ(ChangedSelectionRange(a, none), (OffsetRange{10, 20}));
    // Growing or shrinking at one end touches only the difference.
    EXPECT_EQ(ChangedSelectionRange(a, SelectionSpan{true, 10, 36}), (OffsetRange{20, 36}));
    EXPECT_EQ(ChangedSelectionRange(a, SelectionSpan{true, 10, 12}), (OffsetRange{12, 20}));
    EXPECT_EQ(ChangedSelectionRange(a, SelectionSpan{true, 4, 20}), (OffsetRange{4, 10}));
    // Both ends moved: everything from the lower start to the higher end.
    EXPECT_EQ(ChangedSelectionRange(a, SelectionSpan{true, 30, 40}), (OffsetRange{10, 40}));
    // A stale range without a selection is no selection.
    EXPECT_EQ(ChangedSelectionRange(SelectionSpan{false, 3, 9}, none), std::nullopt);
}

namespace {

struct Text {
    CFileBuffer buffer;
    explicit Text(const QByteArray& bytes)
    {
        buffer.Reset();
        CBufferPos at;
        at.Bind(&buffer, false, 0);
        at.Insert(int32_t(bytes.size()));
        at.Write(bytes.constData(), int32_t(bytes.size()));
    }
    std::optional<OffsetRange> WordAt(int32_t offset)
    {
        CBufferPos at;
        at.Bind(&buffer, false, offset);
        return WordAround(at);
    }
};

} // namespace

TEST(WordBounds, LettersDigitsAndUnderscoreMakeWords)
{
    Text t("int foo_bar2 = x+y;");
    EXPECT_EQ(t.WordAt(0), (OffsetRange{0, 3}));
    EXPECT_EQ(t.WordAt(2), (OffsetRange{0, 3}));
    EXPECT_EQ(t.WordAt(6), (OffsetRange{4, 12}));
    EXPECT_EQ(t.WordAt(11), (OffsetRange{4, 12}));
    EXPECT_EQ(t.WordAt(15), (OffsetRange{15, 16}));
    // Other bytes are selected alone.
    EXPECT_EQ(t.WordAt(13), (OffsetRange{13, 14}));
    EXPECT_EQ(t.WordAt(16), (OffsetRange{16, 17}));
    EXPECT_EQ(t.WordAt(18), (OffsetRange{18, 19}));
}

TEST(WordBounds, WhiteSpaceSelectsTheWordBeforeItOrNothing)
{
    Text t("ab  cd\t\n");
    EXPECT_EQ(t.WordAt(2), (OffsetRange{0, 2}));
    EXPECT_EQ(t.WordAt(3), std::nullopt);  // the byte before is white space too
    EXPECT_EQ(t.WordAt(6), (OffsetRange{4, 6}));
    Text leading(" x");
    EXPECT_EQ(leading.WordAt(0), std::nullopt);
    EXPECT_EQ(leading.WordAt(2), std::nullopt);  // the end of the file holds no byte
}

TEST(WordBounds, BytesAboveAsciiAndZeroBytesEndWords)
{
    QByteArray bytes("abc");
    bytes += char(0xE9);
    bytes += "de";
    bytes += '\0';
    bytes += "f";
    Text t(bytes);
    EXPECT_EQ(t.WordAt(1), (OffsetRange{0, 3}));
    EXPECT_EQ(t.WordAt(3), (OffsetRange{3, 4}));
    EXPECT_EQ(t.WordAt(4), (OffsetRange{4, 6}));
    EXPECT_EQ(t.WordAt(7), (OffsetRange{7, 8}));
}

TEST(WordBounds, AWordLongerThanOneReadBlockIsFoundWhole)
{
    QByteArray bytes = "." + QByteArray(1000, 'w') + ".";
    Text t(bytes);
    EXPECT_EQ(t.WordAt(600), (OffsetRange{1, 1001}));
}

TEST(TransferCount, TheLengthBlockCountsUnlessItIsZero)
{
    const QByteArray text("ab\0cd\0", 7);  // with the terminating zero
    EXPECT_EQ(TransferByteCount(text, 6), 6);
    EXPECT_EQ(TransferByteCount(text, std::nullopt), 2);
    EXPECT_EQ(TransferByteCount(text, 0), 2);
    // Never more than the text holds; a negative count pastes nothing.
    EXPECT_EQ(TransferByteCount(text, 1000), 7);
    EXPECT_EQ(TransferByteCount(text, -5), -5);
    EXPECT_EQ(TransferByteCount(QByteArray("plain"), std::nullopt), 5);
    EXPECT_EQ(TransferByteCount(QByteArray(), std::nullopt), 0);
}

TEST(PointerHit, TheBytesUnderThePointAndTheBlanksBetweenSelectedBytes)
{
    LayoutOptions o;
    o.charWidth = 8;
    o.lineHeight = 16;
    o.groupBy = 1;  // groups of two: "0001 0203 ..."
    const RowLayout l = RowLayout::Make(o);
    const int hexX = l.Px(l.hexX);
    const int charX = l.Px(l.charX);
    // Byte 2 of the second row: its digits start at cell 5.
    EXPECT_EQ(ByteUnderPoint(l, 0, 1000, 0, hexX + 5 * 8 + 1, 20), 18);
    EXPECT_EQ(ByteUnderPoint(l, 0, 1000, 0, hexX + 6 * 8 + 7, 20), 18);
    EXPECT_EQ(ByteUnderPoint(l, 0, 1000, 0, hexX + 4 * 8 + 2, 20), std::nullopt);  // the blank after byte 1
    EXPECT_EQ(ByteUnderPoint(l, 0, 1000, 0, charX + 3 * 8 + 1, 20), 19);
    EXPECT_EQ(ByteUnderPoint(l, 0, 20, 0, charX + 7 * 8 + 1, 20), std::nullopt);  // past the end
    // The blank between two selected bytes counts as the selection, not the one after it.
    EXPECT_TRUE(PointOnSelection(l, 0, 1000, 0, hexX + 4 * 8 + 2, 20, 16, 20));
    EXPECT_FALSE(PointOnSelection(l, 0, 1000, 0, hexX + 4 * 8 + 2, 20, 16, 18));
    EXPECT_FALSE(PointOnSelection(l, 0, 1000, 0, hexX + 5 * 8 + 1, 20, 16, 18));
    EXPECT_TRUE(PointOnSelection(l, 0, 1000, 0, charX + 1, 20, 16, 17));
}
