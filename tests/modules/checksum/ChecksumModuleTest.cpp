// Checksum.vtx: its records, the exact report, the simple sums and the
// result codes of failing file access, for every task.
#include "ChecksumFixture.h"
#include "TestFiles.h"

#include <QFile>
#include <QStringList>

namespace {

const char* const kTaskNames[] = {"Simple Checksums", "CRC Checksum", "MD Checksums", "SHA-1 Checksum"};

using ChecksumModuleTest = ChecksumFixture;

TEST_F(ChecksumModuleTest, RegistersItsFourTasksInOrder)
{
    ASSERT_TRUE(Module().IsLoaded()) << Module().Error().toStdString();
    const QStringList descriptions = {
        QStringLiteral("Compute 8, 16, 32, and 64-bit checksums"),
        QStringLiteral("Compute 32-bit cyclic-redundancy-check checksum"),
        QStringLiteral("Compute MD2, MD4 and MD5 message-digest-hash-algorithm checksums"),
        QStringLiteral("Compute SHA-1 secure-hash-algorithm checksum"),
    };
    const auto& tasks = Module().Tasks();
    ASSERT_EQ(tasks.size(), 4u);
    for (size_t i = 0; i < tasks.size(); ++i) {
        SCOPED_TRACE(kTaskNames[i]);
        EXPECT_EQ(tasks[i].kind, uint32_t(TASK_CHECKSUM));
        EXPECT_EQ(tasks[i].name, QString::fromLatin1(kTaskNames[i]));
        EXPECT_EQ(tasks[i].description, descriptions[int(i)]);
        EXPECT_FALSE(tasks[i].filter.has_value());
        EXPECT_NE(tasks[i].handler, nullptr);
        EXPECT_EQ(tasks[i].id, 0);
    }
    ASSERT_TRUE(Module().Description().has_value());
    const QStringList lines = Module().Description()->split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Vantrel Checksum Extensions"));
    EXPECT_EQ(lines[1], QStringLiteral("Version 1.00"));
    EXPECT_FALSE(lines[2].isEmpty());
}

TEST_F(ChecksumModuleTest, WritesTheReportLayoutAsUtf16LeWithoutByteOrderMark)
{
    runner_.fileName = QStringLiteral("Ünïcode name.bin");
    runner_.offsetRadix = 16; // the offset is decimal whatever the view shows
    // A selection beyond 4 GiB reports its whole offset.
    for (const char* offset : {"74565", "5000000007"}) {
        runner_.offset = QByteArray(offset).toLongLong();
        const TaskOutcome outcome = runner_.Run(Task("CRC Checksum"), QByteArray("123456789"));
        ASSERT_EQ(outcome.result, TASK_RESULT_SUCCESS);
        const QString expected = QStringLiteral("========================================\r\n"
                                                "Cyclic Redundancy Check Checksums\r\n"
                                                "========================================\r\n"
                                                "Filename: Ünïcode name.bin\r\n"
                                                "Offset: %1\r\n"
                                                "Length: 9\r\n"
                                                "----------------------------------------\r\n"
                                                "CRC-32 Checksum: CBF43926\r\n")
                                     .arg(QLatin1String(offset));
        QByteArray utf16le;
        for (QChar c : expected) {
            utf16le.append(char(c.unicode() & 0xFF));
            utf16le.append(char(c.unicode() >> 8));
        }
        EXPECT_EQ(outcome.output, utf16le);
    }
}

TEST_F(ChecksumModuleTest, EveryReportHasItsTitleAndResultLinesInOrder)
{
    const struct {
        const char* task;
        QString title;
        QStringList lines;
    } reports[] = {
        {"Simple Checksums", QStringLiteral("Simple Checksums"),
         {QStringLiteral("8-Bit Checksum: "), QStringLiteral("16-Bit Checksum: "), QStringLiteral("32-Bit Checksum: "),
          QStringLiteral("64-Bit Checksum: ")}},
        {"CRC Checksum", QStringLiteral("Cyclic Redundancy Check Checksums"), {QStringLiteral("CRC-32 Checksum: ")}},
        {"MD Checksums", QStringLiteral("Message Digest Checksums"),
         {QStringLiteral("MD2 Checksum: "), QStringLiteral("MD4 Checksum: "), QStringLiteral("MD5 Checksum: ")}},
        {"SHA-1 Checksum", QStringLiteral("SHA Checksums"), {QStringLiteral("SHA-1 Checksum: ")}},
    };
    const int digits[] = {2, 4, 8, 16, 8, 32, 32, 32, 40};
    int next = 0;
    for (const auto& report : reports) {
        SCOPED_TRACE(report.task);
        QStringList lines = Report(report.task, RandomBytes(3000, 7)).split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.size(), 7 + report.lines.size() + 1);
        EXPECT_EQ(lines.takeLast(), QString()); // the last line ends with CR LF too
        EXPECT_EQ(lines[1], report.title);
        EXPECT_EQ(lines[0], QString(40, QLatin1Char('=')));
        EXPECT_EQ(lines[2], QString(40, QLatin1Char('=')));
        EXPECT_EQ(lines[3], QStringLiteral("Filename: sample.bin"));
        EXPECT_EQ(lines[4], QStringLiteral("Offset: 0"));
        EXPECT_EQ(lines[5], QStringLiteral("Length: 3000"));
        EXPECT_EQ(lines[6], QString(40, QLatin1Char('-')));
        for (int i = 0; i < report.lines.size(); ++i) {
            const QString& line = lines[7 + i];
            ASSERT_TRUE(line.startsWith(report.lines[i])) << line.toStdString();
            const QString value = line.mid(report.lines[i].size());
            EXPECT_EQ(value.size(), digits[next++]) << line.toStdString();
            EXPECT_EQ(value, value.toUpper());
            bool hex = false;
            value.left(8).toUInt(&hex, 16);
            EXPECT_TRUE(hex) << line.toStdString();
        }
    }
}

TEST_F(ChecksumModuleTest, SimpleSumsOfEmptyInputAreZero)
{
    const QString report = Report("Simple Checksums", QByteArray());
    EXPECT_EQ(Value(report, QStringLiteral("8-Bit Checksum")), QStringLiteral("00"));
    EXPECT_EQ(Value(report, QStringLiteral("16-Bit Checksum")), QStringLiteral("0000"));
    EXPECT_EQ(Value(report, QStringLiteral("32-Bit Checksum")), QStringLiteral("00000000"));
    EXPECT_EQ(Value(report, QStringLiteral("64-Bit Checksum")), QStringLiteral("0000000000000000"));
    EXPECT_EQ(Value(report, QStringLiteral("Length")), QStringLiteral("0"));
}

TEST_F(ChecksumModuleTest, SimpleSumsAreTheByteSumCutToEachWidth)
{
    const QString twoBytes = Report("Simple Checksums", QByteArray("\xFF\xFF", 2));
    EXPECT_EQ(Value(twoBytes, QStringLiteral("8-Bit Checksum")), QStringLiteral("FE"));
    EXPECT_EQ(Value(twoBytes, QStringLiteral("16-Bit Checksum")), QStringLiteral("01FE"));
    EXPECT_EQ(Value(twoBytes, QStringLiteral("32-Bit Checksum")), QStringLiteral("000001FE"));
    EXPECT_EQ(Value(twoBytes, QStringLiteral("64-Bit Checksum")), QStringLiteral("00000000000001FE"));

    // 17,000,000 bytes of FF sum to 4,335,000,000 = 0x1_0262_D9C0: past 32 bits.
    const QString big = Report("Simple Checksums", QByteArray(17000000, '\xFF'));
    EXPECT_EQ(Value(big, QStringLiteral("8-Bit Checksum")), QStringLiteral("C0"));
    EXPECT_EQ(Value(big, QStringLiteral("16-Bit Checksum")), QStringLiteral("D9C0"));
    EXPECT_EQ(Value(big, QStringLiteral("32-Bit Checksum")), QStringLiteral("0262D9C0"));
    EXPECT_EQ(Value(big, QStringLiteral("64-Bit Checksum")), QStringLiteral("000000010262D9C0"));
    EXPECT_EQ(Value(big, QStringLiteral("Length")), QStringLiteral("17000000"));
}

TEST_F(ChecksumModuleTest, SimpleSumsOfRandomDataMatchAPlainSum)
{
    for (int size : {1, 1023, 1024, 1025, 100000}) {
        const QByteArray data = RandomBytes(size, unsigned(size));
        uint64_t sum = 0;
        for (char b : data)
            sum += uint8_t(b);
        const QString report = Report("Simple Checksums", data);
        EXPECT_EQ(Value(report, QStringLiteral("64-Bit Checksum")).toULongLong(nullptr, 16), sum) << size;
        EXPECT_EQ(Value(report, QStringLiteral("8-Bit Checksum")).toUInt(nullptr, 16), sum & 0xFF) << size;
    }
}

TEST_F(ChecksumModuleTest, MissingInputGivesReadErrorAndNoOutput)
{
    for (const char* name : kTaskNames) {
        SCOPED_TRACE(name);
        const QString output = runner_.Path(QStringLiteral("out.bin"));
        EXPECT_EQ(runner_.RunOnPaths(Task(name), runner_.Path(QStringLiteral("missing.bin")), output),
                  TASK_RESULT_READ_ERROR);
        EXPECT_FALSE(QFile::exists(output));
        EXPECT_EQ(runner_.RunOnPaths(Task(name), QString(), output), TASK_RESULT_READ_ERROR);
    }
}

TEST_F(ChecksumModuleTest, UnreadableInputGivesReadError)
{
    if (!QFile::exists(QStringLiteral("/proc/self/mem")))
        GTEST_SKIP() << "no /proc/self/mem";
    for (const char* name : kTaskNames) {
        SCOPED_TRACE(name);
        // Opens, but the first read fails with an I/O error.
        EXPECT_EQ(runner_.RunOnPaths(Task(name), QStringLiteral("/proc/self/mem"), runner_.Path(QStringLiteral("o"))),
                  TASK_RESULT_READ_ERROR);
    }
}

TEST_F(ChecksumModuleTest, UnwritableOutputGivesWriteError)
{
    const QString input = runner_.Path(QStringLiteral("in.bin"));
    WriteWholeFile(input, RandomBytes(5000, 3));
    for (const char* name : kTaskNames) {
        SCOPED_TRACE(name);
        EXPECT_EQ(runner_.RunOnPaths(Task(name), input, runner_.Path(QStringLiteral("no/folder/out.bin"))),
                  TASK_RESULT_WRITE_ERROR);
        EXPECT_EQ(runner_.RunOnPaths(Task(name), input, QString()), TASK_RESULT_WRITE_ERROR);
        // The report fits in the file's write buffer: the full disk shows only
        // when it is flushed, and must still be reported.
        if (QFile::exists(QStringLiteral("/dev/full"))) {
            EXPECT_EQ(runner_.RunOnPaths(Task(name), input, QStringLiteral("/dev/full")), TASK_RESULT_WRITE_ERROR);
        }
    }
}

} // namespace

// Report lines named by the host: only those are written, with the values of
// the full report, and checksums with no line wanted do not change them.
TEST_F(ChecksumModuleTest, ReportLinesAskedForAreTheOnlyResultLines)
{
    const QByteArray input = RandomBytes(3000, 19);
    struct Case {
        const char* task;
        uint32_t mask;
        QStringList lines;
    };
    const Case cases[] = {
        {"MD Checksums", 0b100, {"MD5 Checksum"}},
        {"MD Checksums", 0b011, {"MD2 Checksum", "MD4 Checksum"}},
        {"Simple Checksums", 0b1010, {"16-Bit Checksum", "64-Bit Checksum"}},
        {"SHA-1 Checksum", 0b1, {"SHA-1 Checksum"}},
        {"CRC Checksum", 0b10, {}},
    };
    for (const Case& c : cases) {
        runner_.reportLines = 0;
        const QString full = Report(c.task, input);
        runner_.reportLines = c.mask;
        const QStringList lines = Report(c.task, input).split(QStringLiteral("\r\n")).mid(7);
        QStringList names;
        for (const QString& line : lines) {
            if (line.isEmpty())
                continue;
            const QString name = line.section(QStringLiteral(": "), 0, 0);
            names << name;
            EXPECT_EQ(line.section(QStringLiteral(": "), 1), Value(full, name)) << c.task;
        }
        EXPECT_EQ(names, c.lines) << c.task << " " << c.mask;
    }
}
