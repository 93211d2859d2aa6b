// The pieces around a run: temporary files, result texts, colour resolution.
#include "ext/SystemColorResolver.h"
#include "ext/TaskTempFile.h"
#include "platform/BackgroundRemover.h"
#include "settings/SystemColor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>
#include <gtest/gtest.h>

TEST(TaskTempFile, IsCreatedEmptyWithTheVtlPrefixAndRemovedWithItsOwner)
{
    QString path;
    {
        const TaskTempFile file;
        ASSERT_TRUE(file.Ok());
        path = file.Path();
        const QFileInfo info(path);
        EXPECT_TRUE(info.exists());
        EXPECT_EQ(info.size(), 0);
        EXPECT_TRUE(info.fileName().startsWith("VTL"));
        EXPECT_TRUE(info.fileName().endsWith(".tmp"));
        EXPECT_EQ(info.absolutePath(), QDir(QDir::tempPath()).absolutePath());

        const TaskTempFile other;
        EXPECT_NE(other.Path(), path);
    }
    platform::WaitForPendingRemovals();
    EXPECT_FALSE(QFile::exists(path));
}

TEST(SystemColorResolver, DefaultReadsTheApplicationPalette)
{
    const QPalette saved = QGuiApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(0x01, 0x02, 0x03));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(0x11, 0x12, 0x13));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(0x21, 0x22, 0x23));
    palette.setColor(QPalette::Active, QPalette::HighlightedText, QColor(0x31, 0x32, 0x33));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(0x41, 0x42, 0x43));
    palette.setColor(QPalette::Active, QPalette::ButtonText, QColor(0x51, 0x52, 0x53));
    QGuiApplication::setPalette(palette);

    // 0x00BBGGRR: red in the low byte.
    EXPECT_EQ(ResolveColor(SystemColor(kSysColorWindow)), 0x030201u);
    EXPECT_EQ(ResolveColor(SystemColor(kSysColorWindowText)), 0x131211u);
    EXPECT_EQ(ResolveColor(SystemColor(kSysColorHighlight)), 0x232221u);
    EXPECT_EQ(ResolveColor(SystemColor(kSysColorHighlightText)), 0x333231u);
    EXPECT_EQ(ResolveColor(SystemColor(kSysColorButtonFace)), 0x434241u);
    EXPECT_EQ(ResolveColor(SystemColor(kSysColorButtonText)), 0x535251u);
    EXPECT_EQ(ResolveColor(SystemColor(7)), 0u);
    EXPECT_EQ(ResolveColor(0x00ABCDEFu), 0x00ABCDEFu);
    QGuiApplication::setPalette(saved);
}
