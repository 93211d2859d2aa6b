// Window-free pieces of the window furniture: the Open dialog's filters, the
// File Properties values, the "Open With" desktop entry and the print
// dialog's page range of 64 bits.
#include "core/BinEditDoc.h"
#include "platform/DesktopEntry.h"
#include "platform/InstanceChannel.h"
#include "furniture/FileFilters.h"
#include "furniture/FileProperties.h"
#include "furniture/PrintRangeChoice.h"
#include "MessageRecorder.h"
#include "QtPrinting.h"
#include "ScopedEnv.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(FileFiltersTest, DefaultListMeansEveryFile)
{
    EXPECT_EQ(QtNameFilters("All Files (*.*)|*.*||"), QStringList{"All Files (*.*) (*)"});
}

TEST(FileFiltersTest, PairsWithSeveralPatterns)
{
    EXPECT_EQ(QtNameFilters("Binary (*.bin;*.dat)|*.bin;*.dat|All Files (*.*)|*.*||"),
              QStringList({"Binary (*.bin;*.dat) (*.bin *.dat)", "All Files (*.*) (*)"}));
}

TEST(FileFiltersTest, BrokenListsStillOfferEveryFile)
{
    EXPECT_EQ(QtNameFilters(""), QStringList{"All Files (*)"});
    EXPECT_EQ(QtNameFilters("Text||"), QStringList{"Text (*)"});
}

TEST(FilePropertiesTest, SizesAreGroupedByCommas)
{
    EXPECT_EQ(GroupDigits(0), "0");
    EXPECT_EQ(GroupDigits(999), "999");
    EXPECT_EQ(GroupDigits(1000), "1,000");
    EXPECT_EQ(GroupDigits(123456), "123,456");
    EXPECT_EQ(GroupDigits(2147483647), "2,147,483,647");
    EXPECT_EQ(GroupDigits(-1234), "-1,234");
    EXPECT_EQ(GroupDigits(int64_t(1) << 32), "4,294,967,296");
    EXPECT_EQ(GroupDigits(INT64_MAX), "9,223,372,036,854,775,807");
}

TEST(FilePropertiesTest, UntitledDocument)
{
    CBinEditDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetTitle("Untitled1");
    const FileProperties p = FilePropertiesOf(doc);
    EXPECT_EQ(p.name, "<Untitled>");
    EXPECT_EQ(p.location, "");
    EXPECT_EQ(p.size, "0");
    EXPECT_EQ(p.originalSize, "0");
    EXPECT_EQ(p.modified, "No");
    EXPECT_FALSE(p.readOnly);
}

TEST(FilePropertiesTest, OpenedFileShowsNameFolderAndSizes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("data.bin");
    WriteWholeFile(path, QByteArray(4321, 'x'));
    MessageRecorder messages;
    CBinEditDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    doc.SetModifiedFlag(true);
    doc.SetReadOnly(true);
    const FileProperties p = FilePropertiesOf(doc);
    EXPECT_EQ(p.name, "data.bin");
    EXPECT_EQ(p.location, dir.path());
    EXPECT_EQ(p.size, "4,321");
    EXPECT_EQ(p.originalSize, "4,321");
    EXPECT_EQ(p.modified, "Yes");
    EXPECT_TRUE(p.readOnly);
}

TEST(DesktopEntryTest, ExecArgumentsAreQuotedForTheDesktopEntryRules)
{
    EXPECT_EQ(platform::QuoteDesktopExecArgument("/opt/vantrel/bin/vantrel"), "\"/opt/vantrel/bin/vantrel\"");
    EXPECT_EQ(platform::QuoteDesktopExecArgument("/a b/100%/x"), "\"/a b/100%%/x\"");
    // A quote inside quotes is \" and the string escape doubles the backslash.
    EXPECT_EQ(platform::QuoteDesktopExecArgument("/x\"y"), "\"/x\\\\\"y\"");
    EXPECT_EQ(platform::QuoteDesktopExecArgument("/x\\y"), "\"/x\\\\\\\\y\"");
    EXPECT_EQ(platform::QuoteDesktopExecArgument("/$HOME/`x`"), "\"/\\\\$HOME/\\\\`x\\\\`\"");
}

TEST(DesktopEntryTest, CreatedInDataHomeAndRemovedAgain)
{
    QTemporaryDir dir;
    ScopedEnv dataHome("XDG_DATA_HOME", dir.filePath("share").toLocal8Bit());
    const QString path = platform::DesktopEntryPath();
    EXPECT_EQ(path, dir.filePath("share/applications/vantrel-hex-editor.desktop"));

    ASSERT_TRUE(platform::CreateDesktopEntry("/opt/my tools/vantrel"));
    const QString text = QString::fromUtf8(ReadWholeFile(path));
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(text.contains("\nType=Application\n"));
    EXPECT_TRUE(text.contains("\nName=Vantrel Hex Editor\n"));
    EXPECT_TRUE(text.contains("\nExec=\"/opt/my tools/vantrel\" %F\n"));
    EXPECT_TRUE(text.contains("\nMimeType=application/octet-stream;"));
    EXPECT_TRUE(text.contains("\nNoDisplay=true\n")) << "would stand twice in the menus beside the installed entry";

    ASSERT_TRUE(platform::RemoveDesktopEntry());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(platform::RemoveDesktopEntry()) << "removing an absent entry is success";
}

TEST(DesktopEntryTest, RelativeDataHomeIsIgnored)
{
    ScopedEnv dataHome("XDG_DATA_HOME", "relative/share");
    EXPECT_EQ(platform::DesktopEntryFolder(), QDir::homePath() + "/.local/share/applications");
}

TEST(InstanceChannelNameTest, PerUserAndPerSettingsFolder)
{
    const QString prefix = QStringLiteral("KESTRANE_VANTREL_HEX_EDITOR_MUTEX_NAME-%1").arg(uint(::getuid()));
    QString withA, withB;
    {
        ScopedEnv config("VANTREL_CONFIG_DIR", "/tmp/a");
        withA = platform::InstanceChannelName();
    }
    {
        ScopedEnv config("VANTREL_CONFIG_DIR", "/tmp/b");
        withB = platform::InstanceChannelName();
    }
    EXPECT_TRUE(withA.startsWith(prefix + "-"));
    EXPECT_NE(withA, withB);
    ScopedEnv config("VANTREL_CONFIG_DIR", "");
    EXPECT_EQ(platform::InstanceChannelName(), prefix);
}

// From lies in 1..count and To in From..count, both decimal digits only; a
// fault names the first field to correct and the range it takes.
TEST(PageRangeTest, FromAndToAreCheckedAgainstThePrintout)
{
    const QString fromText = QStringLiteral("Please enter an integer between 1 and 5000000000.");
    const QString toText = QStringLiteral("Please enter an integer between 3000000000 and 5000000000.");
    const struct {
        const char* from;
        const char* to;
        PageField bad;
        QString message;
        PageSpan pages;
    } rows[] = {
        {"1", "1", PageField::None, {}, {1, 1}},
        {"04294967297", "5000000000", PageField::None, {}, {4294967297, 5000000000}},
        {"0", "5", PageField::From, fromText, {}},
        {"", "5", PageField::From, fromText, {}},
        {"5000000001", "5000000001", PageField::From, fromText, {}},
        {"9223372036854775808", "1", PageField::From, fromText, {}},
        {"+5", "6", PageField::From, fromText, {}},
        {"3000000000", "2999999999", PageField::To, toText, {}},
        {"3000000000", "5000000001", PageField::To, toText, {}},
    };
    for (const auto& row : rows) {
        const PageRangeCheck check = CheckPageRange(QString::fromLatin1(row.from), QString::fromLatin1(row.to), 5000000000);
        EXPECT_EQ(check.bad, row.bad) << row.from << " to " << row.to;
        EXPECT_EQ(check.message, row.message) << row.from << " to " << row.to;
        EXPECT_EQ(check.pages, row.pages) << row.from << " to " << row.to;
    }
}
