// Data-type modules: which type records are accepted, the registry built from
// them, and the custom types' forwarding to the module.
#include "ModuleTestSupport.h"

#include "ext/TypeExtensions.h"
#include "types/ValueTypeRegistry.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

constexpr int kTriple = 12;
constexpr int kWide = 13;

class TypeExtensionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Add("ProbeTypes.vtt", "Probe.vtt");
        // A task module in the same folder is not a data-type module.
        dir.Add("ProbeTasks.vtx", "Tasks.vtx");
        types.Load();
        ASSERT_EQ(types.ModuleCount(), 1);
    }

    ModuleDir dir;
    ValueTypeRegistry registry;
    TypeExtensions types{registry, dir.Path()};
};

} // namespace

TEST_F(TypeExtensionsTest, AcceptsOnlyNamedSizedTypesWithFormatAndParse)
{
    const ProbeState* probe = ProbeOf(types.Module(0).path);
    ASSERT_NE(probe, nullptr);
    const std::vector<int32_t> results(probe->registerResults, probe->registerResults + probe->registerCount);
    EXPECT_EQ(results, (std::vector<int32_t>{1, 1, 0, 0, 0, 0, 0, 0}));
    ASSERT_EQ(types.Records().size(), 2u);
    EXPECT_EQ(types.Records()[1].moduleIndex, 0);
}

TEST_F(TypeExtensionsTest, RegistryHoldsStandardTypesThenCustomTypes)
{
    ASSERT_EQ(registry.Count(), 14);
    EXPECT_EQ(registry.At(0).Name(), "Byte");
    EXPECT_EQ(registry.At(11).Name(), "Unicode Character");
    EXPECT_EQ(registry.At(kTriple).Name(), "Probe Triple");
    EXPECT_EQ(registry.At(kTriple).Size(), 3);
    EXPECT_EQ(registry.At(kWide).Name(), "Probe Wide");
    EXPECT_EQ(registry.At(kWide).Size(), 20);
    EXPECT_TRUE(registry.At(kTriple).HasIntegerValue());
    EXPECT_FALSE(registry.At(kWide).HasIntegerValue());
}

TEST_F(TypeExtensionsTest, BuffersFitTheLargestType)
{
    EXPECT_EQ(registry.MaxValueSize(), 20);
    EXPECT_EQ(registry.MaxTextLength(), 70);
    EXPECT_EQ(types.ValueBufferSize(), 20);
    EXPECT_EQ(types.TextBufferLength(), 70);
}

TEST_F(TypeExtensionsTest, DescriptionNamesTypeSizeModuleAndModuleText)
{
    EXPECT_EQ(registry.At(kTriple).Description(),
              "Data type Probe Triple (3 bytes). This is a custom data type implemented in \"" + dir.FilePath("Probe.vtt") +
                  "\".\r\n\r\nProbe Type Extensions\r\nVersion 1.00\r\nUsed by the tests only");
}

TEST_F(TypeExtensionsTest, FormatPassesBytesByteOrderAndRadix)
{
    const std::array<uint8_t, 3> bytes{0x0A, 0x0B, 0x0C};
    EXPECT_EQ(registry.At(kTriple).Format(bytes.data(), false, 16), "T:0A0B0C/be0/r16");
    EXPECT_EQ(registry.At(kTriple).Format(bytes.data(), true, 10), "T:0C0B0A/be1/r10");
    // A module may fill its whole declared capacity.
    const std::array<uint8_t, 20> wide{};
    EXPECT_EQ(registry.At(kWide).Format(wide.data(), false, 10), QString(69, QLatin1Char('W')));
}

TEST_F(TypeExtensionsTest, ParseWritesBytesOnlyOnSuccess)
{
    std::array<uint8_t, 3> out{0x55, 0x55, 0x55};
    int radix = 0;
    EXPECT_FALSE(registry.At(kTriple).Parse(u"bad", false, out.data(), &radix));
    EXPECT_EQ(out, (std::array<uint8_t, 3>{0x55, 0x55, 0x55}));
    EXPECT_EQ(radix, 0);

    ASSERT_TRUE(registry.At(kTriple).Parse(u"good", false, out.data(), &radix));
    EXPECT_EQ(out, (std::array<uint8_t, 3>{1, 2, 3}));
    EXPECT_EQ(radix, 10);
    ASSERT_TRUE(registry.At(kTriple).Parse(u"good", true, out.data(), nullptr));
    EXPECT_EQ(out, (std::array<uint8_t, 3>{3, 2, 1}));
}

TEST_F(TypeExtensionsTest, IntegerValueComesFromTheModuleOrIsZero)
{
    const std::array<uint8_t, 20> bytes{0x01, 0x02, 0x03};
    EXPECT_EQ(registry.At(kTriple).IntegerValue(bytes.data(), false), 0x030201u);
    EXPECT_EQ(registry.At(kTriple).IntegerValue(bytes.data(), true), 0x010203u);
    EXPECT_EQ(registry.At(kWide).IntegerValue(bytes.data(), false), 0u);
}

TEST_F(TypeExtensionsTest, HiddenCustomTypesRoundTripAndMissingOnesAreIgnored)
{
    registry.ApplyHiddenTypes("Probe Wide{@::}20{@::}Uninstalled Type{@::}4{@::}Word{@::}2");
    EXPECT_TRUE(registry.IsHidden(kWide));
    EXPECT_TRUE(registry.IsHidden(1));
    EXPECT_FALSE(registry.IsHidden(kTriple));
    EXPECT_EQ(registry.HiddenTypesText(), "Word{@::}2{@::}Probe Wide{@::}20");
    EXPECT_EQ(registry.Find(u"Probe Wide", 20), kWide);
    EXPECT_EQ(registry.Find(u"Probe Wide", 3), -1);
}

TEST_F(TypeExtensionsTest, ReleasingTheModulesRemovesTheirTypes)
{
    types.Release();
    EXPECT_EQ(registry.Count(), 12);
    EXPECT_EQ(registry.MaxValueSize(), ValueTypeRegistry::kMinValueBufferSize);
    EXPECT_EQ(registry.MaxTextLength(), ValueTypeRegistry::kMinTextBufferLength);
}

TEST(TypeDiscovery, WithoutModulesTheRegistryHasTheStandardTypesAndMinimumBuffers)
{
    ModuleDir dir;
    dir.Add("ProbeTasks.vtx", "Tasks.vtx");
    ValueTypeRegistry registry;
    TypeExtensions types(registry, dir.Path());
    types.Load();
    EXPECT_EQ(types.ModuleCount(), 0);
    EXPECT_EQ(registry.Count(), 12);
    EXPECT_EQ(types.ValueBufferSize(), 16);
    EXPECT_EQ(types.TextBufferLength(), 32);
}
