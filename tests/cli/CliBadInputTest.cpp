// Trouble of every kind: a clear "vantrel-cli: ..." line on standard error,
// exit status 2, nothing on standard output and no output file.
#include "CliRunner.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

TEST(CliBadInputTest, EachProblemIsOneClearMessageAndStatusTwo)
{
    QTemporaryDir dir;
    const QString good = dir.filePath("good.bin");
    WriteWholeFile(good, RandomBytes(1000, 1));
    const QString folder = dir.filePath("folder");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString damaged = dir.filePath("damaged.str");
    WriteWholeFile(damaged, QByteArray("strt\x01\0\0\0\0\0\0\0\x05\0\0\0\xff\xff", 18));
    const QString notHex = dir.filePath("not.hex");
    WriteWholeFile(notHex, "### not Intel HEX ***\n");
    const QString missing = dir.filePath("missing.bin");
    const QString out = dir.filePath("out.bin");

    struct Case {
        QStringList arguments;
        QString message;  // a part of the line on standard error
    };
    const Case cases[] = {
        {{"sum", "SHA-256", missing}, missing + ": " + missing + " was not found."},
        {{"sum", "SHA-256", folder}, folder + ": "},
        {{"sum", "SHA-256", fifo}, "not a file"},
        {{"find", fifo, "--hex", "00"}, "not a file"},
        {{"compare", good, missing}, "was not found."},
        {{"run", "Upper Case", missing, "-o", out}, "was not found."},
        {{"run", "No Such Task", good, "-o", out}, "no installed task is named \"No Such Task\""},
        {{"run", "copy-as:Text", good, "-o", out}, "clipboard"},
        {{"run", "Text", good, "-o", out}, "several tasks are named \"Text\""},
        {{"run", "import:Intel HEX Files", notHex, "-o", out}, notHex + ": Intel HEX line 1"},
        {{"run", "Upper Case", good, "-o", dir.filePath("no/such/folder/out.bin")}, "out.bin"},
        {{"run", "Upper Case", good, "--settings", missing, "-o", out}, "was not found."},
        {{"sum", "SHA-999", good}, "unknown algorithm \"SHA-999\""},
        {{"find", good, "--hex", "DE A"}, "not a byte pattern"},
        {{"find", good, "--hex", "XY"}, "not a byte pattern"},
        {{"find", good, "--value", "NoType=1"}, "does not name a data type"},
        {{"find", good, "--value", "Byte=300"}, "could not be converted"},
        {{"find", good, "--from", "1001", "--hex", "00"}, "past the end"},
        {{"sum", "MD5", good, "--offset", "1001"}, "offset 1001 is past the end of the file (1000 bytes)"},
        {{"sum", "MD5", good, "--offset", "10", "--length", "991"}, "run past the end"},
        {{"run", "Upper Case", good, "--offset", "0x3E9", "-o", out}, "past the end"},
        {{"inspect", good, "1000"}, "past the end"},
        {{"inspect", good, "12z"}, "is not an offset"},
        {{"struct", good, "0", "--collection", damaged, "--name", "X"}, damaged},
        {{"struct", good, "0", "--collection", missing, "--name", "X"}, "was not found."},
        {{"compare", good, good, "--min-match", "0"}, "between 1 and 16384"},
        {{"sum", "--bogus", good}, "unknown option \"--bogus\""},
        {{"frobnicate"}, "unknown command \"frobnicate\""},
    };
    for (const Case& c : cases) {
        const CliResult result = RunCli(c.arguments);
        const std::string label = c.arguments.join(' ').toStdString();
        EXPECT_EQ(result.exitCode, 2) << label;
        EXPECT_TRUE(result.out.isEmpty()) << label << ": " << result.out.toStdString();
        EXPECT_TRUE(result.err.startsWith("vantrel-cli: ")) << label << ": " << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(c.message.toUtf8())) << label << ": " << result.err.toStdString();
        EXPECT_FALSE(QFile::exists(out)) << label;
    }
}

TEST(CliBadInputTest, AFailedRunLeavesAnExistingOutputFileAsItWas)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("keep.bin");
    WriteWholeFile(out, "previous contents");
    const QString notHex = dir.filePath("not.hex");
    WriteWholeFile(notHex, ":10zz\n");
    const CliResult result = RunCli({"run", "import:Intel HEX Files", notHex, "-o", out});
    EXPECT_EQ(result.exitCode, 2) << result.out.toStdString();
    EXPECT_EQ(ReadWholeFile(out), QByteArray("previous contents"));
}

TEST(CliBadInputTest, HelpAndVersionAnswerOnStandardOutput)
{
    const CliResult help = RunCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command : {"tasks", "run", "sum", "find", "compare", "inspect", "struct"}) {
        EXPECT_TRUE(help.out.contains(QByteArray("  ") + command + " ")) << command;
        const CliResult one = RunCli({command, "--help"});
        EXPECT_EQ(one.exitCode, 0) << command;
        EXPECT_TRUE(one.out.startsWith(QByteArray("Usage: vantrel-cli ") + command)) << command;
    }
    const CliResult version = RunCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("Vantrel 2.00\nModules in ")) << version.out.toStdString();
    EXPECT_TRUE(version.out.contains("  Digests.vtx  "));
}

TEST(CliBadInputTest, TasksListsEveryKindAsTextAndJson)
{
    const CliResult text = RunCli({"tasks"});
    ASSERT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.contains("checksum\tSHA-1 Checksum\tCompute SHA-1 secure-hash-algorithm checksum\n"));
    EXPECT_TRUE(text.out.contains("convert\tUpper Case\t"));
    const CliResult json = RunCli({"tasks", "--json"});
    ASSERT_TRUE(PythonAcceptsJson(json.out));
    EXPECT_EQ(Python("import json,sys; print(len(json.loads(sys.argv[1])))", {QString::fromUtf8(json.out)}).toInt(),
              text.out.count('\n'));
}

} // namespace
