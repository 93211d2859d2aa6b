// What the export module registers, and in which order.
#include "ExportTestSupport.h"

#include <gtest/gtest.h>

TEST(ExportRegistration, RegistersFourExportAndFiveCopyAsRecordsInOrder)
{
    struct Expected {
        uint32_t kind;
        const char* name;
        const char* description;
        const char* filter;
        int32_t id;
    };
    const Expected expected[] = {
        {TASK_EXPORT, "Text Files", nullptr, "*.txt", 0},
        {TASK_EXPORT, "HTML Files", nullptr, "*.htm", 1},
        {TASK_EXPORT, "C Source Files", nullptr, "*.c", 0},
        {TASK_EXPORT, "Assembly Source Files", nullptr, "*.asm", 0},
        {TASK_COPY_AS, "Text", "Copy the current selection formatted as it appears on the screen", nullptr, 0},
        {TASK_COPY_AS, "HTML",
         "Copy the current selection as Hyper-Text Markup Language (HTML) formatted as it appears on the screen",
         nullptr, 0},
        {TASK_COPY_AS, "HTML Page",
         "Copy the current selection as a Hyper-Text Markup Language (HTML) page formatted as it appears on the "
         "screen",
         nullptr, 1},
        {TASK_COPY_AS, "C Source", "Copy the current selection as a C source code declaration", nullptr, 0},
        {TASK_COPY_AS, "Assembly Source",
         "Copy the current selection as an assembly language source code declaration", nullptr, 0},
    };
    const std::vector<RegisteredTask>& tasks = ExportModule().Tasks();
    ASSERT_EQ(tasks.size(), std::size(expected));
    for (size_t i = 0; i < tasks.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(tasks[i].kind, expected[i].kind);
        EXPECT_EQ(tasks[i].name, QString::fromLatin1(expected[i].name));
        const auto optional = [](const char* text) {
            return text ? std::optional<QString>(QString::fromLatin1(text)) : std::nullopt;
        };
        EXPECT_EQ(tasks[i].description, optional(expected[i].description));
        EXPECT_EQ(tasks[i].filter, optional(expected[i].filter));
        EXPECT_EQ(tasks[i].id, expected[i].id);
        EXPECT_NE(tasks[i].handler, nullptr);
    }
}

TEST(ExportRegistration, DescriptionHasTitleVersionAndNoticeLines)
{
    const QStringList lines = ExportModule().Description().value_or(QString()).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Vantrel Export Extensions"));
    EXPECT_EQ(lines[1], QStringLiteral("Version 1.00"));
    EXPECT_FALSE(lines[2].isEmpty());
}
