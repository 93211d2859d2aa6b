// What the data-type module registers, and in which order.
#include "TypextHarness.h"

#include <gtest/gtest.h>

TEST(TypextRegistration, RegistersTheEightTypesInOrder)
{
    struct Expected {
        const char* name;
        int32_t size;
        int32_t maxText;
        bool hasInteger;
    };
    const Expected expected[] = {
        {"Variant Date", 8, 64, false}, {"SYSTEMTIME", 16, 64, false}, {"FILETIME", 8, 64, false},
        {"MS-DOS Date", 2, 64, false},  {"MS-DOS Time", 2, 64, false}, {"Windows BOOL", 4, 6, true},
        {"C bool", 1, 6, true},         {"VB Boolean", 2, 6, true},
    };
    const std::vector<TypeRecord>& records = TypextModule::Get().Records();
    ASSERT_EQ(records.size(), std::size(expected));
    for (size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(QString::fromUtf16(records[i].name), QString::fromLatin1(expected[i].name));
        EXPECT_EQ(records[i].size, expected[i].size);
        EXPECT_EQ(records[i].maxText, expected[i].maxText);
        EXPECT_NE(records[i].format, nullptr);
        EXPECT_NE(records[i].parse, nullptr);
        EXPECT_EQ(records[i].toInteger != nullptr, expected[i].hasInteger);
    }
}

TEST(TypextRegistration, DescriptionHasTitleVersionAndNoticeLines)
{
    const std::optional<QString> description = TypextModule::Get().Description();
    ASSERT_TRUE(description.has_value());
    const QStringList lines = description->split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Vantrel Data Type Extensions"));
    EXPECT_EQ(lines[1], QStringLiteral("Version 1.00"));
    EXPECT_FALSE(lines[2].isEmpty());
}
