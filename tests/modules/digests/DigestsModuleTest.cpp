// Digests.vtx through the module contract: its tasks, the report they write,
// every digest against the reference tools, and the CRC variants against
// their catalogue check values and a plain bit-by-bit model.
#include "ExternalTool.h"
#include "ModuleHarness.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

class DigestsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { module_ = std::make_unique<LoadedModule>(QStringLiteral(DIGESTS_MODULE_PATH)); }
    static void TearDownTestSuite() { module_.reset(); }

    // The "name: value" lines of the task's report on the bytes.
    std::map<QString, QString> Values(const char* task, const QByteArray& input)
    {
        const TaskOutcome outcome = runner_.Run(module_->Task(TASK_CHECKSUM, QString::fromLatin1(task)), input);
        EXPECT_EQ(outcome.result, TASK_RESULT_SUCCESS) << task;
        std::map<QString, QString> values;
        const QStringList lines = ReportText(outcome.output).split(QStringLiteral("\r\n"));
        for (const QString& line : lines.mid(7)) {
            const qsizetype colon = line.indexOf(QStringLiteral(": "));
            if (colon > 0)
                values[line.left(colon)] = line.mid(colon + 2);
        }
        return values;
    }

    static std::unique_ptr<LoadedModule> module_;
    TaskRunner runner_;
};

std::unique_ptr<LoadedModule> DigestsTest::module_;

// The first word of a coreutils *sum line, upper case.
QString ToolDigest(const char* tool, const QByteArray& input)
{
    return QString::fromLatin1(RunTool(QString::fromLatin1(tool), {}, input).split(' ').first()).toUpper();
}

TEST_F(DigestsTest, RegistersFourChecksumTasksWithItsDescription)
{
    ASSERT_TRUE(module_->IsLoaded()) << module_->Error().toStdString();
    QStringList names;
    for (const RegisteredTask& task : module_->Tasks()) {
        EXPECT_EQ(task.kind, uint32_t(TASK_CHECKSUM));
        EXPECT_FALSE(task.filter.has_value());
        EXPECT_TRUE(task.description.has_value() && !task.description->isEmpty());
        names << task.name;
    }
    EXPECT_EQ(names, QStringList({"SHA-2 Checksums", "SHA-3 Checksums", "BLAKE2 Checksums", "CRC Variants"}));
    const QStringList description = module_->Description().value_or(QString()).split(QStringLiteral("\r\n"));
    ASSERT_EQ(description.size(), 3);
    EXPECT_EQ(description[0], QStringLiteral("Vantrel Digest Extensions"));
    EXPECT_EQ(description[1], QStringLiteral("Version 1.00"));
}

TEST_F(DigestsTest, ReportIsFramedLikeEveryChecksumReport)
{
    runner_.fileName = QStringLiteral("firmware.bin");
    runner_.offset = 4096;
    const TaskOutcome outcome = runner_.Run(module_->Task(TASK_CHECKSUM, QStringLiteral("SHA-3 Checksums")), "abc");
    ASSERT_EQ(outcome.result, TASK_RESULT_SUCCESS);
    ASSERT_FALSE(outcome.output.startsWith("\xFF\xFE")) << "no byte-order mark";
    const QString expected = QStringLiteral(
        "========================================\r\n"
        "SHA-3 Checksums\r\n"
        "========================================\r\n"
        "Filename: firmware.bin\r\n"
        "Offset: 4096\r\n"
        "Length: 3\r\n"
        "----------------------------------------\r\n"
        "SHA3-256 Checksum: 3A985DA74FE225B2045C172D6BD390BD855F086E3E9D525B46BFE24511431532\r\n"
        "SHA3-512 Checksum: B751850B1A57168A5693CD924B6B096E08F621827444F70D884F5D0240D2712E"
        "10E116E9192AF3C91A7EC57647E3934057340B4CF408D5A56592F8274EEC53F0\r\n");
    EXPECT_EQ(ReportText(outcome.output), expected);
}

// A host that names report lines gets exactly those, in report order, with
// the values the full report gives; no lines named means every line.
TEST_F(DigestsTest, ReportLinesAskedForAreTheOnlyOnesWritten)
{
    const QByteArray input = RandomBytes(5000, 77);
    const std::map<QString, QString> full = Values("SHA-2 Checksums", input);
    struct Case {
        uint32_t mask;
        QStringList lines;
    };
    const Case cases[] = {
        {0b0010, {"SHA-256 Checksum"}},
        {0b1001, {"SHA-224 Checksum", "SHA-512 Checksum"}},
        {0b1111, {"SHA-224 Checksum", "SHA-256 Checksum", "SHA-384 Checksum", "SHA-512 Checksum"}},
        {0b10000, {}},
    };
    for (const Case& c : cases) {
        runner_.reportLines = c.mask;
        const std::map<QString, QString> some = Values("SHA-2 Checksums", input);
        QStringList names;
        for (const auto& [name, value] : some) {
            names << name;
            EXPECT_EQ(value, full.at(name)) << name.toStdString();
        }
        EXPECT_EQ(names, c.lines) << c.mask;
    }
    EXPECT_EQ(full.size(), 4u);
}

// Every digest against its reference at the sizes around the 64-byte block
// of SHA-256 and across the module's own 1 MiB read blocks (several of them,
// so the workers take the digests in a changing order).
TEST_F(DigestsTest, DigestsMatchTheReferenceTools)
{
    const char* kPython =
        "import hashlib,sys\n"
        "d=sys.stdin.buffer.read()\n"
        "for h in (hashlib.sha3_256(d),hashlib.sha3_512(d),hashlib.blake2s(d)):print(h.hexdigest().upper())\n";
    for (int size : {0, 1, 63, 64, 65, (1 << 20) + 7, (3 << 20) + 5}) {
        SCOPED_TRACE(size);
        const QByteArray input = RandomBytes(size, unsigned(size) + 11);
        const auto sha2 = Values("SHA-2 Checksums", input);
        EXPECT_EQ(sha2.at("SHA-224 Checksum"), ToolDigest("sha224sum", input));
        EXPECT_EQ(sha2.at("SHA-256 Checksum"), ToolDigest("sha256sum", input));
        EXPECT_EQ(sha2.at("SHA-384 Checksum"), ToolDigest("sha384sum", input));
        EXPECT_EQ(sha2.at("SHA-512 Checksum"), ToolDigest("sha512sum", input));

        const QStringList python = QString::fromLatin1(RunTool("python3", {"-c", kPython}, input)).split('\n');
        ASSERT_GE(python.size(), 3);
        const auto sha3 = Values("SHA-3 Checksums", input);
        EXPECT_EQ(sha3.at("SHA3-256 Checksum"), python[0]);
        EXPECT_EQ(sha3.at("SHA3-512 Checksum"), python[1]);
        const auto blake2 = Values("BLAKE2 Checksums", input);
        EXPECT_EQ(blake2.at("BLAKE2b-512 Checksum"), ToolDigest("b2sum", input));
        EXPECT_EQ(blake2.at("BLAKE2s-256 Checksum"), python[2]);
    }
}

TEST_F(DigestsTest, CrcVariantsGiveTheirCatalogueCheckValues)
{
    const auto values = Values("CRC Variants", "123456789");
    const std::map<QString, QString> expected{
        {"CRC-32C Checksum", "E3069283"},           {"CRC-16/CCITT-FALSE Checksum", "29B1"},
        {"CRC-16/ARC Checksum", "BB3D"},            {"CRC-64/XZ Checksum", "995DC9BBDF1939FA"},
        {"Adler-32 Checksum", "091E01DE"},
    };
    EXPECT_EQ(values, expected);
}

// A CRC computed one bit at a time straight from its catalogue parameters.
struct CrcModel {
    int width;
    uint64_t poly, init, xorOut;
    bool reflected; // input and output alike for every variant here

    uint64_t Of(const QByteArray& data) const
    {
        const uint64_t mask = width == 64 ? ~uint64_t(0) : (uint64_t(1) << width) - 1;
        const uint64_t top = uint64_t(1) << (width - 1);
        uint64_t crc = init;
        for (char c : data) {
            uint8_t byte = uint8_t(c);
            if (reflected)
                byte = uint8_t(Reverse(byte, 8));
            crc ^= uint64_t(byte) << (width - 8);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc & top) ? ((crc << 1) ^ poly) & mask : (crc << 1) & mask;
        }
        if (reflected)
            crc = Reverse(crc, width);
        return (crc ^ xorOut) & mask;
    }
    static uint64_t Reverse(uint64_t value, int bits)
    {
        uint64_t out = 0;
        for (int i = 0; i < bits; ++i)
            out |= ((value >> i) & 1) << (bits - 1 - i);
        return out;
    }
};

TEST_F(DigestsTest, CrcVariantsMatchPlainModelsAndPythonOnRandomData)
{
    const struct {
        const char* line;
        CrcModel model;
    } variants[] = {
        {"CRC-32C Checksum", {32, 0x1EDC6F41, 0xFFFFFFFF, 0xFFFFFFFF, true}},
        {"CRC-16/CCITT-FALSE Checksum", {16, 0x1021, 0xFFFF, 0, false}},
        {"CRC-16/ARC Checksum", {16, 0x8005, 0, 0, true}},
        {"CRC-64/XZ Checksum", {64, 0x42F0E1EBA9EA3693, ~uint64_t(0), ~uint64_t(0), true}},
    };
    // binascii.crc_hqx is the non-reflected 0x1021 CRC with a chosen start.
    const char* kPython = "import sys,zlib,binascii\n"
                          "d=sys.stdin.buffer.read()\n"
                          "print('%08X %04X'%(zlib.adler32(d),binascii.crc_hqx(d,0xFFFF)))\n";
    for (int size : {1, 255, 70001}) {
        SCOPED_TRACE(size);
        const QByteArray input = RandomBytes(size, unsigned(size) * 7 + 1);
        const auto values = Values("CRC Variants", input);
        for (const auto& v : variants) {
            const QString expected =
                QStringLiteral("%1").arg(v.model.Of(input), v.model.width / 4, 16, QLatin1Char('0')).toUpper();
            EXPECT_EQ(values.at(QString::fromLatin1(v.line)), expected) << v.line;
        }
        const QStringList python = QString::fromLatin1(RunTool("python3", {"-c", kPython}, input)).trimmed().split(' ');
        ASSERT_EQ(python.size(), 2);
        EXPECT_EQ(values.at("Adler-32 Checksum"), python[0]);
        EXPECT_EQ(values.at("CRC-16/CCITT-FALSE Checksum"), python[1]);
    }
}

TEST_F(DigestsTest, FileFailuresGiveTheirResultCodes)
{
    const RegisteredTask& task = module_->Task(TASK_CHECKSUM, QStringLiteral("SHA-2 Checksums"));
    WriteWholeFile(runner_.Path("in.bin"), "data");
    EXPECT_EQ(runner_.RunOnPaths(task, runner_.Path("missing.bin"), runner_.Path("out.txt")), TASK_RESULT_READ_ERROR);
    EXPECT_EQ(runner_.RunOnPaths(task, runner_.Path("in.bin"), runner_.Path("no/such/out.txt")),
              TASK_RESULT_WRITE_ERROR);
    EXPECT_EQ(runner_.RunOnPaths(task, runner_.Path("in.bin"), QString()), TASK_RESULT_WRITE_ERROR);
    // A folder opens but cannot be read.
    EXPECT_EQ(runner_.RunOnPaths(task, runner_.Path(""), runner_.Path("out.txt")), TASK_RESULT_READ_ERROR);
}

} // namespace
