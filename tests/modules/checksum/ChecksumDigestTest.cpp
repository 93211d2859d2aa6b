// The digests and the CRC against their published test suites and against
// the reference tools md5sum, sha1sum and gzip.
#include "ChecksumFixture.h"
#include "ExternalTool.h"
#include "TestFiles.h"

#include <QtEndian>

namespace {

struct Vector {
    const char* message;
    const char* digest;
};

class ChecksumDigestTest : public ChecksumFixture {
protected:
    void ExpectSuite(const char* lineName, const std::vector<Vector>& suite)
    {
        for (const Vector& v : suite) {
            const QString text = Report("MD Checksums", QByteArray(v.message));
            EXPECT_EQ(Value(text, QString::fromLatin1(lineName)), QString::fromLatin1(v.digest).toUpper())
                << lineName << " of \"" << v.message << "\"";
        }
    }
};

const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz";
const char kAlphanumeric[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
const char kDigits[] = "12345678901234567890123456789012345678901234567890123456789012345678901234567890";

// The suites printed at the end of RFC 1319, RFC 1320 and RFC 1321.
TEST_F(ChecksumDigestTest, Md2MatchesRfc1319Suite)
{
    ExpectSuite("MD2 Checksum",
                {{"", "8350e5a3e24c153df2275c9f80692773"},
                 {"a", "32ec01ec4a6dac72c0ab96fb34c0b5d1"},
                 {"abc", "da853b0d3f88d99b30283a69e6ded6bb"},
                 {"message digest", "ab4f496bfb2a530b219ff33031fe06b0"},
                 {kAlphabet, "4e8ddff3650292ab5a4108c3aa47940b"},
                 {kAlphanumeric, "da33def2a42df13975352846c30338cd"},
                 {kDigits, "d5976f79d83d3a0dc9806c3c66f3efd8"}});
}

TEST_F(ChecksumDigestTest, Md4MatchesRfc1320Suite)
{
    ExpectSuite("MD4 Checksum",
                {{"", "31d6cfe0d16ae931b73c59d7e0c089c0"},
                 {"a", "bde52cb31de33e46245e05fbdbd6fb24"},
                 {"abc", "a448017aaf21d8525fc10ae87aa6729d"},
                 {"message digest", "d9130a8164549fe818874806e1c7014b"},
                 {kAlphabet, "d79e1c308aa5bbcdeea8ed63df412da9"},
                 {kAlphanumeric, "043f8582f241db351ce627e153e7f0e4"},
                 {kDigits, "e33b4ddc9c38f2199c3e7b164fcc0536"}});
}

TEST_F(ChecksumDigestTest, Md5MatchesRfc1321Suite)
{
    ExpectSuite("MD5 Checksum",
                {{"", "d41d8cd98f00b204e9800998ecf8427e"},
                 {"a", "0cc175b9c0f1b6a831c399e269772661"},
                 {"abc", "900150983cd24fb0d6963f7d28e17f72"},
                 {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
                 {kAlphabet, "c3fcd3d76192e4007dfb496cca67e13b"},
                 {kAlphanumeric, "d174ab98d277d9f5a5611c2c9f419d9f"},
                 {kDigits, "57edf4a22be3c955ac49da2e2107b67a"}});
}

TEST_F(ChecksumDigestTest, Sha1OfFipsExample)
{
    EXPECT_EQ(Value(Report("SHA-1 Checksum", "abc"), QStringLiteral("SHA-1 Checksum")),
              QStringLiteral("A9993E364706816ABA3E25717850C26C9CD0D89D"));
}

// Sizes around the 1024-byte read and a file of several MiB.
const int kSizes[] = {0, 1, 1023, 1024, 1025, 2049, 5 * 1024 * 1024 + 3};

QString ToolDigest(const char* tool, const QString& path)
{
    const QByteArray line = RunTool(QString::fromLatin1(tool), {path});
    return QString::fromLatin1(line.left(line.indexOf(' '))).toUpper();
}

TEST_F(ChecksumDigestTest, Md5AndSha1MatchCoreutils)
{
    for (int size : kSizes) {
        SCOPED_TRACE(size);
        const QByteArray data = RandomBytes(size, 1000u + unsigned(size));
        const QString path = runner_.Path(QStringLiteral("data%1.bin").arg(size));
        WriteWholeFile(path, data);
        EXPECT_EQ(Value(Report("MD Checksums", data), QStringLiteral("MD5 Checksum")), ToolDigest("md5sum", path));
        EXPECT_EQ(Value(Report("SHA-1 Checksum", data), QStringLiteral("SHA-1 Checksum")), ToolDigest("sha1sum", path));
    }
}

TEST_F(ChecksumDigestTest, Crc32OfTheCheckString)
{
    EXPECT_EQ(Value(Report("CRC Checksum", "123456789"), QStringLiteral("CRC-32 Checksum")), QStringLiteral("CBF43926"));
    EXPECT_EQ(Value(Report("CRC Checksum", QByteArray()), QStringLiteral("CRC-32 Checksum")), QStringLiteral("00000000"));
}

// gzip stores the CRC-32 of the uncompressed data, little-endian, in the
// eight-byte trailer before the length.
TEST_F(ChecksumDigestTest, Crc32MatchesTheGzipTrailer)
{
    for (int size : kSizes) {
        SCOPED_TRACE(size);
        const QByteArray data = RandomBytes(size, 2000u + unsigned(size));
        const QString path = runner_.Path(QStringLiteral("crc%1.bin").arg(size));
        WriteWholeFile(path, data);
        const QByteArray gzip = RunTool(QStringLiteral("gzip"), {QStringLiteral("-c"), QStringLiteral("-n"), path});
        ASSERT_GE(gzip.size(), 18);
        const uint32_t crc = qFromLittleEndian<uint32_t>(gzip.constData() + gzip.size() - 8);
        EXPECT_EQ(Value(Report("CRC Checksum", data), QStringLiteral("CRC-32 Checksum")),
                  QStringLiteral("%1").arg(crc, 8, 16, QLatin1Char('0')).toUpper());
    }
}

} // namespace
