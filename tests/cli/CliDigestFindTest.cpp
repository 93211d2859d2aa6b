// sum against coreutils and Python's hashlib/zlib; find against a Python
// bytes.find loop over the same file.
#include "CliRunner.h"
#include "TestFiles.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct DigestCase {
    const char* algorithm;
    const char* coreutils;  // a coreutils program, or null
    const char* python;     // an expression of d (the bytes) giving the hex text
};

const DigestCase kDigests[] = {
    {"SHA-256", "sha256sum", nullptr},
    {"SHA-1", "sha1sum", nullptr},
    {"MD5", "md5sum", nullptr},
    {"SHA-224", nullptr, "hashlib.sha224(d).hexdigest()"},
    {"SHA-384", nullptr, "hashlib.sha384(d).hexdigest()"},
    {"SHA-512", nullptr, "hashlib.sha512(d).hexdigest()"},
    {"SHA3-256", nullptr, "hashlib.sha3_256(d).hexdigest()"},
    {"SHA3-512", nullptr, "hashlib.sha3_512(d).hexdigest()"},
    {"BLAKE2b-512", nullptr, "hashlib.blake2b(d).hexdigest()"},
    {"BLAKE2s-256", nullptr, "hashlib.blake2s(d).hexdigest()"},
    {"CRC-32", nullptr, "'%08x' % zlib.crc32(d)"},
    {"Adler-32", nullptr, "'%08x' % zlib.adler32(d)"},
    {"8-Bit", nullptr, "'%02x' % (sum(d) % 256)"},
    {"64-Bit", nullptr, "'%016x' % (sum(d) % 2**64)"},
};

class CliSumTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = dir_.filePath(QStringLiteral("data.bin"));
        bytes_ = RandomBytes(300'000, 11);
        WriteWholeFile(path_, bytes_);
    }

    QByteArray Reference(const DigestCase& c, int64_t offset, int64_t length) const
    {
        const QByteArray slice = bytes_.mid(offset, length);
        if (c.coreutils)
            return RunTool(QString::fromLatin1(c.coreutils), {}, slice).out.split(' ').first();
        const QString script = QStringLiteral("import hashlib,zlib,sys; d=open(sys.argv[1],'rb').read()[%1:%2]; print(%3)")
                                   .arg(offset)
                                   .arg(offset + length)
                                   .arg(QString::fromLatin1(c.python));
        return Python(script, {path_});
    }

    QTemporaryDir dir_;
    QString path_;
    QByteArray bytes_;
};

TEST_F(CliSumTest, EveryDigestMatchesItsReferenceOverTheFileAndAStretch)
{
    struct Stretch {
        QStringList options;
        int64_t offset;
        int64_t length;
    };
    const Stretch stretches[] = {
        {{}, 0, 300'000},
        {{"--offset", "0x100", "--length", "5000"}, 256, 5000},
        {{"--offset", "299999"}, 299'999, 1},
        {{"--length", "0"}, 0, 0},
    };
    for (const DigestCase& c : kDigests) {
        for (const Stretch& s : stretches) {
            const CliResult result = RunCli(QStringList{"sum", c.algorithm, path_} + s.options);
            ASSERT_EQ(result.exitCode, 0) << c.algorithm << ": " << result.err.toStdString();
            const QList<QByteArray> words = result.out.simplified().split(' ');
            ASSERT_EQ(words.size(), 3) << result.out.toStdString();
            EXPECT_EQ(words[0], QByteArray(c.algorithm));
            EXPECT_EQ(words[1].toLower(), Reference(c, s.offset, s.length))
                << c.algorithm << " from " << s.offset << ", " << s.length << " bytes";
        }
    }
}

TEST_F(CliSumTest, SeveralAlgorithmsComeInTheOrderAskedFromOneRun)
{
    const CliResult result = RunCli({"sum", "CRC-32", "SHA-512", "md5", "SHA-224", path_});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QList<QByteArray> lines = result.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 4);
    const char* const expected[] = {"CRC-32", "SHA-512", "MD5", "SHA-224"};
    for (int i = 0; i < 4; ++i) {
        const QList<QByteArray> words = lines[i].split(' ');
        EXPECT_EQ(words[0], QByteArray(expected[i]));
        const DigestCase* c = std::find_if(std::begin(kDigests), std::end(kDigests),
                                           [&](const DigestCase& d) { return qstrcmp(d.algorithm, expected[i]) == 0; });
        EXPECT_EQ(words[2].toLower(), Reference(*c, 0, bytes_.size())) << expected[i];
    }
}

// A job of over a second draws its progress on a terminal and wipes it before
// the answer; through a pipe only the answer comes. MD2 is slow enough to
// take seconds over a few MiB.
TEST_F(CliSumTest, ProgressReachesATerminalOnlyAndIsWipedBeforeTheAnswer)
{
    const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
    if (script.isEmpty())
        GTEST_SKIP() << "script (util-linux) not found: no terminal to run vantrel-cli in";
    const QString slow = dir_.filePath(QStringLiteral("slow.bin"));
    WriteWholeFile(slow, QByteArray(16 << 20, 'x'));
    const CliResult piped = RunCli({QStringLiteral("sum"), QStringLiteral("MD2"), slow});
    ASSERT_EQ(piped.exitCode, 0) << piped.err.toStdString();
    EXPECT_EQ(piped.err, QByteArray());

    const QString command = QStringLiteral("'%1' sum MD2 '%2'").arg(QStringLiteral(VANTREL_CLI_PROGRAM), slow);
    const CliResult terminal = RunTool(script, {QStringLiteral("-qefc"), command, QStringLiteral("/dev/null")});
    ASSERT_EQ(terminal.exitCode, 0) << terminal.out.toStdString();
    const QByteArray wipe = "\r\x1b[K";
    EXPECT_TRUE(terminal.out.startsWith(wipe + "MD Checksums (1 s)")) << terminal.out.toStdString();
    // The terminal turns each line feed into CR LF.
    EXPECT_EQ(terminal.out.mid(terminal.out.lastIndexOf(wipe) + wipe.size()), QByteArray(piped.out).replace("\n", "\r\n"));
}

TEST_F(CliSumTest, CheckAnswersWithTheExitStatusAndJsonCarriesTheStretch)
{
    const QByteArray sha = Reference(kDigests[0], 0, bytes_.size());
    struct CheckCase {
        QByteArray given;
        int status;
    };
    const CheckCase checks[] = {{sha, 0}, {sha.toUpper(), 0}, {QByteArray(64, '0'), 1}, {sha.left(63), 1}};
    for (const CheckCase& c : checks) {
        const CliResult result = RunCli({"sum", "SHA-256", path_, "--check", QString::fromLatin1(c.given), "--json"});
        EXPECT_EQ(result.exitCode, c.status) << c.given.toStdString();
        ASSERT_TRUE(PythonAcceptsJson(result.out));
        const QJsonObject document = QJsonDocument::fromJson(result.out).object();
        EXPECT_EQ(document["check"].toBool(), c.status == 0);
        EXPECT_EQ(document["length"].toInteger(), 300'000);
        EXPECT_EQ(document["digests"].toArray()[0].toObject()["value"].toString().toLower().toLatin1(), sha);
    }
}

// Files with planted matches, searched by the program and by Python.
class CliFindTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QByteArray bytes = RandomBytes(200'000, 5);
        const QByteArray planted[] = {
            QByteArray::fromHex("DEADBEEF"), "Needle", "nEEdLe", QByteArray("W\0i\0d\0e\0", 8), QByteArray("\0W\0i\0d\0e", 8),
            QByteArray::fromHex("78563412"), QByteArray::fromHex("12345678"), QByteArray::fromHex("000000000000F83F"),
            QByteArray::fromHex("563412"), "AAAAA"};
        int at = 1000;
        for (int round = 0; round < 3; ++round)
            for (const QByteArray& p : planted) {
                bytes.replace(at, p.size(), p);
                at += 3917;
            }
        path_ = dir_.filePath(QStringLiteral("haystack.bin"));
        WriteWholeFile(path_, bytes);
    }

    // Offsets of non-overlapping matches from start, the first or all.
    QByteArray PythonOffsets(const QByteArray& pattern, bool fold, int64_t start, bool all) const
    {
        return Python(QStringLiteral(
                          "import sys\n"
                          "d=open(sys.argv[1],'rb').read(); p=bytes.fromhex(sys.argv[2]); i=int(sys.argv[4])\n"
                          "if sys.argv[3]=='1': d=d.lower(); p=p.lower()\n"
                          "out=[]\n"
                          "while True:\n"
                          "  i=d.find(p,i)\n"
                          "  if i<0: break\n"
                          "  out.append(str(i)); i+=len(p)\n"
                          "  if sys.argv[5]=='0': break\n"
                          "print(' '.join(out))"),
                      {path_, QString::fromLatin1(pattern.toHex()), fold ? "1" : "0", QString::number(start),
                       all ? "1" : "0"});
    }

    QTemporaryDir dir_;
    QString path_;
};

TEST_F(CliFindTest, OffsetsMatchAPythonFindLoop)
{
    struct FindCase {
        QStringList options;
        QByteArray pattern;
        bool fold;
    };
    const FindCase cases[] = {
        {{"--hex", "DE AD BE EF"}, QByteArray::fromHex("DEADBEEF"), false},
        {{"--hex", "deadbeef"}, QByteArray::fromHex("DEADBEEF"), false},
        {{"--text", "Needle"}, "Needle", false},
        {{"--text", "needle", "--ignore-case"}, "needle", true},
        {{"--text", "Wide", "--unicode"}, QByteArray("W\0i\0d\0e\0", 8), false},
        {{"--text", "Wide", "--unicode", "--big-endian"}, QByteArray("\0W\0i\0d\0e", 8), false},
        {{"--value", "DWord=0x12345678"}, QByteArray::fromHex("78563412"), false},
        {{"--value", "DWord=305419896", "--big-endian"}, QByteArray::fromHex("12345678"), false},
        {{"--value", "Double=1.5"}, QByteArray::fromHex("000000000000F83F"), false},
        {{"--value", "UInt24=0x123456"}, QByteArray::fromHex("563412"), false},
        {{"--hex", "41 41"}, "AA", false},
    };
    for (const FindCase& c : cases) {
        for (const bool all : {false, true}) {
            for (const int64_t from : {int64_t(0), int64_t(5000)}) {
                QStringList arguments = QStringList{"find", path_, "--from", QString::number(from)} + c.options;
                if (all)
                    arguments << "--all";
                const CliResult result = RunCli(arguments);
                const QByteArray expected = PythonOffsets(c.pattern, c.fold, from, all);
                EXPECT_EQ(result.out.simplified(), expected) << arguments.join(' ').toStdString();
                EXPECT_EQ(result.exitCode, expected.isEmpty() ? 1 : 0) << result.err.toStdString();
            }
        }
    }
}

TEST_F(CliFindTest, NoMatchIsExitStatusOneWithEmptyJsonList)
{
    const CliResult result = RunCli({"find", path_, "--hex", "01 02 03 04 05 06 07 08 09", "--json"});
    EXPECT_EQ(result.exitCode, 1);
    ASSERT_TRUE(PythonAcceptsJson(result.out));
    EXPECT_TRUE(QJsonDocument::fromJson(result.out).object()["matches"].toArray().isEmpty());
}

// A sparse file of 5 GiB (nothing of it on disk but the two matches) with
// the pattern planted past 4 GiB and in its last bytes: the offsets come out
// whole, as decimal numbers of more than 32 bits.
TEST(CliBigFileFindTest, OffsetsPastFourGiBArePrintedWhole)
{
    constexpr int64_t kSize = int64_t(5) << 30;
    const QByteArray pattern = QByteArray::fromHex("C0FFEE005AA51742");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("five-gib.bin"));
    WriteSparseFile(path, kSize, {{(int64_t(1) << 32) + 5, pattern}, {kSize - pattern.size(), pattern}});
    const QStringList find{"find", path, "--hex", "C0 FF EE 00 5A A5 17 42"};
    struct FindCase {
        QStringList options;
        QByteArray out;
        int status;
    };
    // One walk over the whole file; the others start near their matches,
    // since reading a GiB of holes costs the kernel most of a second.
    const FindCase cases[] = {
        {{"--all"}, "4294967301\n5368709112\n", 0},
        {{"--from", "0xF0000000"}, "4294967301\n", 0},
        {{"--all", "--from", "0x100000006"}, "5368709112\n", 0},
        {{"--from", "5368709113"}, "", 1},
    };
    for (const FindCase& c : cases) {
        const CliResult result = RunCli(find + c.options);
        EXPECT_EQ(result.out, c.out) << c.options.join(' ').toStdString();
        EXPECT_EQ(result.exitCode, c.status) << result.err.toStdString();
    }
}

} // namespace
