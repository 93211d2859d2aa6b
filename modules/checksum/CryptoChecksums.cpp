#include "CryptoChecksums.h"

#include "ChecksumReport.h"

// MD2 and MD4 are broken as cryptographic hashes, so Crypto++ keeps them in a
// namespace that must be asked for; a checksum report still needs them.
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/crc.h>
#include <cryptopp/md2.h>
#include <cryptopp/md4.h>
#include <cryptopp/md5.h>
#include <cryptopp/sha.h>

DigestChecksum::DigestChecksum(QString lineName, std::unique_ptr<CryptoPP::HashTransformation> hash)
    : lineName_(std::move(lineName)), hash_(std::move(hash))
{
}

DigestChecksum::~DigestChecksum() = default;

void DigestChecksum::Update(const uint8_t* data, size_t length) { hash_->Update(data, length); }

void DigestChecksum::AppendLines(ChecksumReport& report)
{
    uint8_t digest[CryptoPP::SHA1::DIGESTSIZE];
    const unsigned size = hash_->DigestSize();
    Q_ASSERT(size <= sizeof digest);
    hash_->Final(digest);
    report.AddLine(lineName_, HexBytes(digest, size));
}

std::unique_ptr<Checksum> DigestChecksum::Md2()
{
    return std::make_unique<DigestChecksum>(QStringLiteral("MD2 Checksum"), std::make_unique<CryptoPP::Weak1::MD2>());
}

std::unique_ptr<Checksum> DigestChecksum::Md4()
{
    return std::make_unique<DigestChecksum>(QStringLiteral("MD4 Checksum"), std::make_unique<CryptoPP::Weak1::MD4>());
}

std::unique_ptr<Checksum> DigestChecksum::Md5()
{
    return std::make_unique<DigestChecksum>(QStringLiteral("MD5 Checksum"), std::make_unique<CryptoPP::Weak1::MD5>());
}

std::unique_ptr<Checksum> DigestChecksum::Sha1()
{
    return std::make_unique<DigestChecksum>(QStringLiteral("SHA-1 Checksum"), std::make_unique<CryptoPP::SHA1>());
}

Crc32Checksum::Crc32Checksum() : crc_(std::make_unique<CryptoPP::CRC32>()) {}

Crc32Checksum::~Crc32Checksum() = default;

void Crc32Checksum::Update(const uint8_t* data, size_t length) { crc_->Update(data, length); }

void Crc32Checksum::AppendLines(ChecksumReport& report)
{
    // Crypto++ hands out the register in memory order, least significant
    // byte first; the report prints the value most significant first.
    uint8_t bytes[CryptoPP::CRC32::DIGESTSIZE];
    crc_->Final(bytes);
    const uint32_t value = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
    report.AddLine(u"CRC-32 Checksum", HexDigits(value, 8));
}
