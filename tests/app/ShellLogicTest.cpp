// The command line, the block a second copy forwards and the recent-file
// list: everything about them that needs no window.
#include "settings/AppSettings.h"
#include "app/CommandLineInfo.h"
#include "app/ForwardMessage.h"
#include "app/RecentFileList.h"
#include "ForwardClient.h"
#include "QtPrinting.h"
#include "TestFiles.h"
#include "platform/FileNames.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <unistd.h>


// ---------------------------------------------------------------- command line

TEST(CommandLineTest, NoArgumentsIsTheNewFileCommand)
{
    const CommandLineInfo info = CommandLineInfo::Parse({});
    EXPECT_EQ(info.shellCommand, CommandLineInfo::FileNew);
    EXPECT_TRUE(info.fileNames.isEmpty());
}

TEST(CommandLineTest, EveryFileIsListedAndTheLastIsCurrent)
{
    const CommandLineInfo info = CommandLineInfo::Parse({"a.bin", "/data/b.bin", "c"});
    EXPECT_EQ(info.shellCommand, CommandLineInfo::FileOpen);
    EXPECT_EQ(info.fileNames, QStringList({"a.bin", "/data/b.bin", "c"}));
    EXPECT_EQ(info.fileName, "c");
}

TEST(CommandLineTest, PrintFlagsInEitherSpellingAndCase)
{
    for (const char* flag : {"/p", "-p", "/P", "-P"}) {
        const CommandLineInfo info = CommandLineInfo::Parse({flag, "x.bin"});
        EXPECT_EQ(info.shellCommand, CommandLineInfo::FilePrint) << flag;
        EXPECT_EQ(info.fileNames, QStringList{"x.bin"}) << flag;
    }
}

TEST(CommandLineTest, PrintToTakesPrinterDriverAndPortAfterTheFirstFile)
{
    const CommandLineInfo info = CommandLineInfo::Parse({"/pt", "x.bin", "Laser", "drv", "port", "y.bin"});
    EXPECT_EQ(info.shellCommand, CommandLineInfo::FilePrintTo);
    EXPECT_EQ(info.printerName, "Laser");
    EXPECT_EQ(info.driverName, "drv");
    EXPECT_EQ(info.portName, "port");
    EXPECT_EQ(info.fileNames, QStringList({"x.bin", "y.bin"}));
}

TEST(CommandLineTest, AbsolutePathsAreFilesNotFlags)
{
    // "/" begins every absolute path here; only the flags the program knows
    // are taken as flags.
    const CommandLineInfo info = CommandLineInfo::Parse({"/tmp/p", "/pt2", "/home/me/file.bin"});
    EXPECT_EQ(info.shellCommand, CommandLineInfo::FileOpen);
    EXPECT_EQ(info.fileNames, QStringList({"/tmp/p", "/pt2", "/home/me/file.bin"}));
}

TEST(CommandLineTest, UnknownDashFlagsAreIgnoredAndEmptyArgumentsSkipped)
{
    const CommandLineInfo info = CommandLineInfo::Parse({"-flag", "", "x.bin"});
    EXPECT_EQ(info.shellCommand, CommandLineInfo::FileOpen);
    EXPECT_EQ(info.fileNames, QStringList{"x.bin"});
    EXPECT_EQ(CommandLineInfo::Parse({"-geometry"}).shellCommand, CommandLineInfo::FileNew);
}

// ---------------------------------------------------------------- forwarded block

TEST(ForwardBlockTest, LayoutIsTagCountAndTerminatedUtf16)
{
    const QByteArray block = BuildForwardBlock({"a", "bc"});
    const QString text = kForwardGuid + "|a|bc";
    const uint32_t expectedCount = uint32_t(text.size() * 2 + 2);
    ASSERT_EQ(block.size(), 8 + qsizetype(expectedCount));
    EXPECT_EQ(block.left(4), QByteArray("VANT"));
    EXPECT_EQ(qFromLittleEndian<uint32_t>(block.constData() + 4), expectedCount);
    EXPECT_EQ(block.mid(8), RawForwardBlock("VANT", 0, text).mid(8) + QByteArray(2, '\0'));
    // The GUID's first character, little-endian.
    EXPECT_EQ(block[8], '{');
    EXPECT_EQ(block[9], '\0');
}

TEST(ForwardBlockTest, RoundTripKeepsFilesAndFlags)
{
    const std::optional<CommandLineInfo> info = ParseForwardBlock(BuildForwardBlock({"/p", "/x/a.bin", "b c.bin"}));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->shellCommand, CommandLineInfo::FilePrint);
    EXPECT_EQ(info->fileNames, QStringList({"/x/a.bin", "b c.bin"}));
}

TEST(ForwardBlockTest, NonAsciiNamesSurvive)
{
    const QString name = QString::fromUtf8("/tmp/d\xc3\xa9j\xc3\xa0 \xf0\x9f\x98\x80.bin");
    const std::optional<CommandLineInfo> info = ParseForwardBlock(BuildForwardBlock({name}));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->fileNames, QStringList{name});
}

TEST(ForwardBlockTest, RefusedBlocks)
{
    const QString good = kForwardGuid + "|/x/a.bin";
    EXPECT_TRUE(ParseForwardBlock(TerminatedForwardBlock("VANT", good)));

    EXPECT_FALSE(ParseForwardBlock(TerminatedForwardBlock("VANX", good))) << "wrong tag";
    EXPECT_FALSE(ParseForwardBlock(TerminatedForwardBlock("TNAV", good))) << "tag bytes reversed";
    EXPECT_FALSE(ParseForwardBlock(RawForwardBlock("VANT", 36, good))) << "byte count below 38";
    EXPECT_FALSE(ParseForwardBlock(QByteArray("VANT"))) << "no byte count";
    QString wrongGuid = good;
    wrongGuid[10] = QLatin1Char('C');  // the GUID's "B893" with another digit
    EXPECT_FALSE(ParseForwardBlock(TerminatedForwardBlock("VANT", wrongGuid))) << "wrong GUID";
    EXPECT_FALSE(ParseForwardBlock(TerminatedForwardBlock("VANT", kForwardGuid.toUpper() + "|/x/a.bin"))) << "GUID case differs";
    EXPECT_FALSE(ParseForwardBlock(TerminatedForwardBlock("VANT", kForwardGuid))) << "no | after the GUID";
    EXPECT_FALSE(ParseForwardBlock(TerminatedForwardBlock("VANT", "x" + good))) << "| not at position 38";
    EXPECT_FALSE(ParseForwardBlock(TerminatedForwardBlock("VANT", "|" + good))) << "an earlier |";
}

TEST(ForwardBlockTest, TextIsReadOnlyAsFarAsTheByteCountSays)
{
    // 38 bytes pass the count check but hold only half the GUID.
    const QString text = kForwardGuid + "|/x/a.bin" + QChar(0);
    EXPECT_FALSE(ParseForwardBlock(RawForwardBlock("VANT", 38, text)));
    // A count that ends right after the first argument drops the rest.
    const QString two = kForwardGuid + "|/x/a.bin|/x/b.bin";
    const auto info = ParseForwardBlock(RawForwardBlock("VANT", uint32_t((kForwardGuid.size() + 9) * 2), two));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->fileNames, QStringList{"/x/a.bin"});
}

TEST(ForwardBlockTest, TextEndsAtTheFirstZeroCharacter)
{
    const QString text = kForwardGuid + "|/x/a.bin" + QChar(0) + "|/x/ignored.bin";
    const std::optional<CommandLineInfo> info = ParseForwardBlock(TerminatedForwardBlock("VANT", text));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->fileNames, QStringList{"/x/a.bin"});
}

TEST(ForwardBlockTest, FlagsLoseTheirFirstCharacter)
{
    const std::optional<CommandLineInfo> info = ParseForwardBlock(TerminatedForwardBlock("VANT", kForwardGuid + "|-flag|-p|/x/a.bin"));
    ASSERT_TRUE(info);
    // "-flag" is a flag this program does not know: ignored, not a file.
    EXPECT_EQ(info->shellCommand, CommandLineInfo::FilePrint);
    EXPECT_EQ(info->fileNames, QStringList{"/x/a.bin"});
}

TEST(ForwardBlockTest, AnArgumentContainingABarArrivesAsTwoTokens)
{
    const std::optional<CommandLineInfo> info = ParseForwardBlock(BuildForwardBlock({"/x/a.bin|/x/b.bin"}));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->fileNames, QStringList({"/x/a.bin", "/x/b.bin"}));
    EXPECT_EQ(info->shellCommand, CommandLineInfo::FileOpen);
}

TEST(ForwardBlockTest, TrailingBarStillEndsTheCommandLine)
{
    const std::optional<CommandLineInfo> info = ParseForwardBlock(BuildForwardBlock({"/x/a.bin|"}));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->shellCommand, CommandLineInfo::FileOpen);
    EXPECT_EQ(info->fileNames, QStringList{"/x/a.bin"});
}

TEST(ForwardBlockTest, RelativeNamesOfExistingFilesBecomeAbsolute)
{
    QTemporaryDir dir;
    WriteWholeFile(dir.filePath("here.bin"), "x");
    const QByteArray odd = QFile::encodeName(dir.path()) + "/odd\xff.bin";  // a name that is not UTF-8
    WriteRawFile(odd, "x");
    const QString saved = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const QStringList forwarded = ArgumentsForForwarding(
        {"here.bin", "missing.bin", "-p", "/abs/x.bin", platform::DecodeFileName("odd\xff.bin")});
    QDir::setCurrent(saved);
    ::unlink(odd.constData());
    EXPECT_EQ(forwarded, QStringList({QDir(dir.path()).absoluteFilePath("here.bin"), "missing.bin", "-p", "/abs/x.bin",
                                      platform::DecodeFileName(odd)}));
}

// ---------------------------------------------------------------- recent files

TEST(RecentFileListTest, NewestFirstWithoutDuplicatesAndAtMostFour)
{
    QStringList files;
    for (const char* name : {"/a", "/b", "/c", "/d", "/e"})
        AddToRecentFiles(files, name);
    EXPECT_EQ(files, QStringList({"/e", "/d", "/c", "/b"}));
    AddToRecentFiles(files, "/c");
    EXPECT_EQ(files, QStringList({"/c", "/e", "/d", "/b"}));
    RemoveFromRecentFiles(files, "/e");
    EXPECT_EQ(files, QStringList({"/c", "/d", "/b"}));
    AddToRecentFiles(files, "");
    EXPECT_EQ(files.size(), 3);
}

TEST(RecentFileListTest, MenuTextNumbersAndEscapesAmpersands)
{
    EXPECT_EQ(RecentFileMenuText(0, "/tmp/R&D.bin"), "&1 /tmp/R&&D.bin");
    EXPECT_EQ(RecentFileMenuText(3, "/x"), "&4 /x");
    const QString longPath = "/very/" + QString(80, 'd') + "/name.bin";
    const QString text = RecentFileMenuText(1, longPath);
    EXPECT_TRUE(text.startsWith("&2 /very/"));
    EXPECT_TRUE(text.endsWith(".../name.bin"));
    EXPECT_LE(text.size(), 3 + 60);
}
