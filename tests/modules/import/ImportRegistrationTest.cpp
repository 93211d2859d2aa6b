// What the import module registers, and in which order.
#include "ImportTestSupport.h"

#include <gtest/gtest.h>

TEST(ImportRegistration, RegistersTheImportAndTwoPasteAsRecordsInOrder)
{
    const std::vector<RegisteredTask>& tasks = ImportModule().Tasks();
    ASSERT_EQ(tasks.size(), 3u);
    EXPECT_EQ(tasks[0].kind, uint32_t(TASK_IMPORT));
    EXPECT_EQ(tasks[0].name, QStringLiteral("Text Files"));
    EXPECT_EQ(tasks[0].description, std::nullopt);
    EXPECT_EQ(tasks[0].filter, std::optional<QString>(QStringLiteral("*.txt")));
    EXPECT_EQ(tasks[1].kind, uint32_t(TASK_PASTE_AS));
    EXPECT_EQ(tasks[1].name, QStringLiteral("Text"));
    EXPECT_EQ(tasks[1].description,
              std::optional<QString>(QStringLiteral("Paste hex text as the binary data represented by that text")));
    EXPECT_EQ(tasks[1].filter, std::nullopt);
    EXPECT_EQ(tasks[2].kind, uint32_t(TASK_PASTE_AS));
    EXPECT_EQ(tasks[2].name, QStringLiteral("Raw Clipboard Data..."));
    EXPECT_EQ(tasks[2].description, std::optional<QString>(QStringLiteral(
                                        "Paste raw clipboard data associated with any of the available clipboard "
                                        "formats")));
    EXPECT_EQ(tasks[2].filter, std::nullopt);
    for (const RegisteredTask& task : tasks) {
        EXPECT_EQ(task.id, 0);
        EXPECT_NE(task.handler, nullptr);
    }
}

TEST(ImportRegistration, DescriptionHasTitleVersionAndNoticeLines)
{
    const QStringList lines = ImportModule().Description().value_or(QString()).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Vantrel Import Extensions"));
    EXPECT_EQ(lines[1], QStringLiteral("Version 1.00"));
    EXPECT_FALSE(lines[2].isEmpty());
}
