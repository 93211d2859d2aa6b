// The registry of data types: its standard entries, custom entries, buffer
// sizes, descriptions and the HiddenTypes text.
#include "types/ValueTypeRegistry.h"
#include "types/StdValueType.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

namespace {

// A custom type as a module would offer it, reduced to what the registry reads.
class FakeType final : public ValueType {
public:
    FakeType(QString name, int size, int displayLength) : name_(std::move(name)), size_(size), length_(displayLength) {}
    QString Name() const override { return name_; }
    int Size() const override { return size_; }
    int DisplayLength() const override { return length_; }
    QString Format(const uint8_t*, bool, int) const override { return QString(); }
    bool Parse(QStringView, bool, uint8_t*, int*) const override { return false; }
    bool HasIntegerValue() const override { return false; }
    uint32_t IntegerValue(const uint8_t*, bool) const override { return 0; }
    QString Description() const override { return QString(); }

private:
    QString name_;
    int size_;
    int length_;
};

std::vector<std::unique_ptr<ValueType>> Customs(std::vector<std::unique_ptr<ValueType>> types) { return types; }

std::vector<std::unique_ptr<ValueType>> TwoCustomTypes()
{
    std::vector<std::unique_ptr<ValueType>> types;
    types.push_back(std::make_unique<FakeType>("Date", 8, 64));
    types.push_back(std::make_unique<FakeType>("Guid", 16, 40));
    return types;
}

} // namespace

TEST(ValueTypeRegistry, StartsWithTheTwelveStandardTypesInOrder)
{
    const ValueTypeRegistry registry;
    ASSERT_EQ(registry.Count(), 12);
    const char* names[] = {"Byte",         "Word",         "DWord",  "QWord",  "Signed Byte",     "Signed Word",
                           "Signed DWord", "Signed QWord", "Single", "Double", "ASCII Character", "Unicode Character"};
    const int sizes[] = {1, 2, 4, 8, 1, 2, 4, 8, 4, 8, 1, 2};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(registry.At(i).Name(), names[i]);
        EXPECT_EQ(registry.At(i).Size(), sizes[i]);
        EXPECT_FALSE(registry.IsHidden(i));
    }
    EXPECT_FALSE(registry.At(TYPE_SINGLE).HasIntegerValue());
    EXPECT_TRUE(registry.At(TYPE_WORD).HasIntegerValue());
    EXPECT_EQ(registry.MaxValueSize(), 16);
    EXPECT_EQ(registry.MaxTextLength(), 32);
}

TEST(ValueTypeRegistry, StandardTypesFormatParseAndGiveIntegerValues)
{
    const ValueTypeRegistry registry;
    const ValueType& word = registry.At(TYPE_WORD);
    const std::array<uint8_t, 2> bytes{0x01, 0x02};
    EXPECT_EQ(word.Format(bytes.data(), false, 10), "513");
    EXPECT_EQ(word.Format(bytes.data(), true, 16), "0x102");
    EXPECT_EQ(word.IntegerValue(bytes.data(), true), 0x0102u);

    std::array<uint8_t, 2> out{0xAA, 0xBB};
    int radix = 0;
    ASSERT_TRUE(word.Parse(u"0x1234", false, out.data(), &radix));
    EXPECT_EQ(out, (std::array<uint8_t, 2>{0x34, 0x12}));
    EXPECT_EQ(radix, 16);
    // A failed parse leaves the caller's bytes alone.
    EXPECT_FALSE(word.Parse(u"70000", false, out.data(), &radix));
    EXPECT_EQ(out, (std::array<uint8_t, 2>{0x34, 0x12}));
}

TEST(ValueTypeRegistry, StandardDescriptionsNameTheSize)
{
    const ValueTypeRegistry registry;
    EXPECT_EQ(registry.At(TYPE_BYTE).Description(),
              "Data type Byte (1 byte). This is a standard data type implemented in Vantrel.exe.");
    EXPECT_EQ(registry.At(TYPE_UNICODE_CHARACTER).Description(),
              "Data type Unicode Character (2 bytes). This is a standard data type implemented in Vantrel.exe.");
}

TEST(ValueTypeRegistry, CustomTypesFollowTheStandardOnesAndSizeTheBuffers)
{
    ValueTypeRegistry registry;
    registry.SetHidden(TYPE_DWORD, true);
    registry.SetCustomTypes(TwoCustomTypes());
    ASSERT_EQ(registry.Count(), 14);
    EXPECT_EQ(registry.At(12).Name(), "Date");
    EXPECT_EQ(registry.At(13).Name(), "Guid");
    EXPECT_TRUE(ValueTypeRegistry::IsCustomIndex(12));
    EXPECT_FALSE(ValueTypeRegistry::IsCustomIndex(11));
    EXPECT_EQ(registry.MaxValueSize(), 16);
    EXPECT_EQ(registry.MaxTextLength(), 64);
    EXPECT_TRUE(registry.IsHidden(TYPE_DWORD));

    registry.SetCustomTypes(Customs({}));
    EXPECT_EQ(registry.Count(), 12);
    EXPECT_EQ(registry.MaxTextLength(), 32);
}

TEST(ValueTypeRegistry, HiddenTypesTextListsNameAndSizeInRegistryOrder)
{
    ValueTypeRegistry registry;
    EXPECT_EQ(registry.HiddenTypesText(), "");
    registry.SetHidden(TYPE_QWORD, true);
    registry.SetHidden(TYPE_BYTE, true);
    EXPECT_EQ(registry.HiddenTypesText(), "Byte{@::}1{@::}QWord{@::}8");
}

TEST(ValueTypeRegistry, ApplyHiddenTypesRoundTripsAndClearsEarlierFlags)
{
    ValueTypeRegistry registry;
    registry.SetCustomTypes(TwoCustomTypes());
    registry.SetHidden(TYPE_SINGLE, true);
    registry.ApplyHiddenTypes("Byte{@::}1{@::}Guid{@::}16{@::}Double{@::}8");

    EXPECT_FALSE(registry.IsHidden(TYPE_SINGLE));
    EXPECT_TRUE(registry.IsHidden(TYPE_BYTE));
    EXPECT_TRUE(registry.IsHidden(TYPE_DOUBLE));
    EXPECT_TRUE(registry.IsHidden(13));
    // Written back in registry order, not in the order read.
    const QString text = registry.HiddenTypesText();
    EXPECT_EQ(text, "Byte{@::}1{@::}Double{@::}8{@::}Guid{@::}16");

    ValueTypeRegistry reloaded;
    reloaded.SetCustomTypes(TwoCustomTypes());
    reloaded.ApplyHiddenTypes(text);
    EXPECT_EQ(reloaded.HiddenTypesText(), text);
}

TEST(ValueTypeRegistry, ApplyHiddenTypesSkipsWhatMatchesNothing)
{
    ValueTypeRegistry registry;
    // Name and size identify an entry together; a bad size, an unknown name
    // and a dangling name are skipped without disturbing the others.
    registry.ApplyHiddenTypes("Byte{@::}2{@::}Missing{@::}4{@::}Word{@::}two{@::}DWord{@::}4{@::}Word");
    for (int i = 0; i < registry.Count(); ++i)
        EXPECT_EQ(registry.IsHidden(i), i == TYPE_DWORD) << "entry " << i;

    registry.ApplyHiddenTypes("");
    EXPECT_EQ(registry.HiddenTypesText(), "");
}

TEST(ValueTypeRegistry, FindMatchesNameAndSizeExactly)
{
    ValueTypeRegistry registry;
    registry.SetCustomTypes(TwoCustomTypes());
    EXPECT_EQ(registry.Find(u"Guid", 16), 13);
    EXPECT_EQ(registry.Find(u"guid", 16), -1);
    EXPECT_EQ(registry.Find(u"Guid", 8), -1);
    EXPECT_EQ(registry.Find(u"QWord", 8), TYPE_QWORD);
}
