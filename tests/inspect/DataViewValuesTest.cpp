// What the data view shows and how an edited value becomes bytes, checked
// against the bytes a reader expects; and the coalescing of refresh requests
// against a plain list of what was asked.
#include "inspect/DataViewValues.h"
#include "inspect/RefreshRequests.h"
#include "types/StdValueType.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

QByteArray Bytes(std::initializer_list<uint8_t> bytes)
{
    return QByteArray(reinterpret_cast<const char*>(std::data(bytes)), qsizetype(bytes.size()));
}

TEST(DataViewValues, TwoBytesBeforeTheEndOnlyTypesOfUpToTwoBytesHaveValues)
{
    ValueTypeRegistry types;
    const std::array<uint8_t, 16> data{0x01, 0x02};
    const DataViewFlags flags;
    for (int index = 0; index < STD_VALUE_TYPE_COUNT; ++index) {
        const ValueType& type = types.At(index);
        const ValueCell cell = FormatValueCell(type, data.data(), 2, flags);
        SCOPED_TRACE(type.Name().toStdString());
        if (type.Size() <= 2) {
            EXPECT_NE(cell.text, kEofValueText);
            EXPECT_TRUE(cell.editable);
        } else {
            EXPECT_EQ(cell.text, kEofValueText);
            EXPECT_FALSE(cell.editable);
        }
    }
    // The ones the user sees named: "Byte" and "Word" show numbers.
    EXPECT_EQ(FormatValueCell(types.At(TYPE_BYTE), data.data(), 2, flags).text, "1");
    EXPECT_EQ(FormatValueCell(types.At(TYPE_WORD), data.data(), 2, flags).text, "513");
    EXPECT_EQ(FormatValueCell(types.At(TYPE_BYTE), data.data(), 0, flags).text, kEofValueText);
}

TEST(DataViewValues, ByteOrderAndRadixFollowTheFlags)
{
    ValueTypeRegistry types;
    const std::array<uint8_t, 16> data{0x01, 0x02};
    const struct {
        bool hex;
        bool bigEndian;
        const char* word;
    } cases[] = {
        {false, true, "258"}, {false, false, "513"}, {true, true, "0x102"}, {true, false, "0x201"},
    };
    for (const auto& c : cases) {
        const DataViewFlags flags{c.hex, c.bigEndian, false};
        EXPECT_EQ(FormatValueCell(types.At(TYPE_WORD), data.data(), 2, flags).text, c.word)
            << "hex " << c.hex << " big-endian " << c.bigEndian;
    }
}

TEST(DataViewValues, AReadOnlyDocumentShowsValuesButNoneIsEditable)
{
    ValueTypeRegistry types;
    const std::array<uint8_t, 16> data{0x41, 0, 0, 0, 0, 0, 0, 0};
    for (int index = 0; index < STD_VALUE_TYPE_COUNT; ++index) {
        const ValueCell cell = FormatValueCell(types.At(index), data.data(), 8, {false, false, true});
        EXPECT_FALSE(cell.editable) << index;
        EXPECT_FALSE(cell.text.isEmpty()) << index;
        EXPECT_NE(cell.text, kEofValueText) << index;
    }
}

TEST(DataViewValues, EditsOfTheCharacterTypesStartWithTheirNumberOnly)
{
    const struct {
        int type;
        const char* shown;
        const char* edited;
    } cases[] = {
        {TYPE_ASCII_CHARACTER, "65 'A'", "65"},
        {TYPE_ASCII_CHARACTER, "0x41 'A'", "0x41"},
        {TYPE_ASCII_CHARACTER, "-23", "-23"},
        {TYPE_ASCII_CHARACTER, "32 ' '", "32"},
        {TYPE_UNICODE_CHARACTER, "0x263A '\u263a'", "0x263A"},
        // Other types edit their whole text, spaces and all.
        {TYPE_DOUBLE, "1 2", "1 2"},
        {TYPE_DWORD, "4", "4"},
        {20, "1/2/2000 10:00:00 AM", "1/2/2000 10:00:00 AM"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EditTextFor(c.type, QString::fromUtf8(c.shown)), QString::fromUtf8(c.edited)) << c.shown;
}

TEST(DataViewValues, EditedTextBecomesTheTypesBytesOrFails)
{
    ValueTypeRegistry types;
    const QString longNumber(5000, u'1');
    const QString loneSurrogate(1, QChar(0xD800));
    const struct {
        int type;
        QString text;
        bool bigEndian;
        bool ok;
        QByteArray bytes;
    } cases[] = {
        {TYPE_ASCII_CHARACTER, "65", false, true, Bytes({0x41})},
        {TYPE_ASCII_CHARACTER, "-23", false, true, Bytes({0xE9})},
        {TYPE_ASCII_CHARACTER, "0xE9", false, true, Bytes({0xE9})},
        {TYPE_ASCII_CHARACTER, "x", false, false, {}},
        {TYPE_ASCII_CHARACTER, "A", false, false, {}},
        {TYPE_ASCII_CHARACTER, "200", false, false, {}},
        {TYPE_ASCII_CHARACTER, "", false, false, {}},
        {TYPE_UNICODE_CHARACTER, "65", false, true, Bytes({0x41, 0x00})},
        {TYPE_UNICODE_CHARACTER, "0x263A", true, true, Bytes({0x26, 0x3A})},
        {TYPE_UNICODE_CHARACTER, "-1", false, true, Bytes({0xFF, 0xFF})},
        {TYPE_UNICODE_CHARACTER, loneSurrogate, false, false, {}},
        {TYPE_WORD, "258", true, true, Bytes({0x01, 0x02})},
        {TYPE_WORD, "258", false, true, Bytes({0x02, 0x01})},
        {TYPE_WORD, "65536", false, false, {}},
        {TYPE_DWORD, longNumber, false, false, {}},
        {TYPE_DWORD, "not a number", false, false, {}},
        {TYPE_BYTE, loneSurrogate, false, false, {}},
        {TYPE_SINGLE, "3.5e38", false, false, {}},
        {TYPE_QWORD, "-1", false, true, QByteArray(8, char(0xFF))},
        // An index outside the registry is the caller's mistake, never bytes.
        {99, "1", false, false, {}},
    };
    for (const auto& c : cases) {
        QByteArray out("stale");
        EXPECT_EQ(ParseEditedValue(types, c.type, c.text, c.bigEndian, out), c.ok) << c.type << " " << c.text.left(20).toStdString();
        EXPECT_EQ(out, c.bytes) << c.type << " " << c.text.left(20).toStdString();
    }
}

TEST(DataViewValues, RowDescriptionsNameTheTypeAndItsSize)
{
    ValueTypeRegistry types;
    EXPECT_EQ(ValueRowDescription(types.At(TYPE_BYTE)), "Data Type = \"Byte\", Size = 1 byte.");
    EXPECT_EQ(ValueRowDescription(types.At(TYPE_DOUBLE)), "Data Type = \"Double\", Size = 8 bytes.");
}

TEST(DataViewValues, HiddenTypesAreLeftOutOfTheirGroup)
{
    ValueTypeRegistry types;
    types.ApplyHiddenTypes(QStringLiteral("Byte{@::}1{@::}QWord{@::}8"));
    const std::vector<int> standard = VisibleTypes(types, false);
    EXPECT_EQ(standard, (std::vector<int>{1, 2, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_TRUE(VisibleTypes(types, true).empty());
}

// ---------------------------------------------------------------- coalescing

TEST(RefreshRequests, ManyRequestsBeforeIdleAreOneWithTheLastViewAndAnyRebuild)
{
    RefreshRequests<int> requests(2);
    EXPECT_FALSE(requests.Take(0));
    requests.Add(1, false);
    requests.Add(2, true);
    requests.Add(3, false);
    const auto first = requests.Take(0);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->view, 3);
    EXPECT_TRUE(first->rebuild);
    // Done: nothing waits for that page any more.
    EXPECT_FALSE(requests.Take(0));
}

TEST(RefreshRequests, TheOtherPageKeepsItsRequestUntilItIsTaken)
{
    RefreshRequests<int> requests(2);
    requests.Add(7, true);
    ASSERT_TRUE(requests.Take(0));
    requests.Add(8, false);
    EXPECT_TRUE(requests.IsPending(1));
    const auto later = requests.Take(1);
    ASSERT_TRUE(later);
    // The rebuild asked for before page 0 took its request still holds for page 1.
    EXPECT_EQ(later->view, 8);
    EXPECT_TRUE(later->rebuild);
    const auto again = requests.Take(0);
    ASSERT_TRUE(again);
    EXPECT_FALSE(again->rebuild);
    EXPECT_FALSE(requests.IsPending(5));
    EXPECT_FALSE(requests.Take(-1));
}

} // namespace
