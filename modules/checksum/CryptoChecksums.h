#pragma once
// The checksums computed by Crypto++: message digests printed byte by byte
// in digest order, and the CRC-32 of zip and PNG printed as a number.
#include "Checksum.h"

#include <QString>
#include <memory>

namespace CryptoPP {
class HashTransformation;
}

class DigestChecksum final : public Checksum {
public:
    DigestChecksum(QString lineName, std::unique_ptr<CryptoPP::HashTransformation> hash);
    ~DigestChecksum() override;
    void Update(const uint8_t* data, size_t length) override;
    void AppendLines(ChecksumReport& report) override;

    static std::unique_ptr<Checksum> Md2();
    static std::unique_ptr<Checksum> Md4();
    static std::unique_ptr<Checksum> Md5();
    static std::unique_ptr<Checksum> Sha1();

private:
    QString lineName_;
    std::unique_ptr<CryptoPP::HashTransformation> hash_;
};

class Crc32Checksum final : public Checksum {
public:
    Crc32Checksum();
    ~Crc32Checksum() override;
    void Update(const uint8_t* data, size_t length) override;
    void AppendLines(ChecksumReport& report) override;

private:
    std::unique_ptr<CryptoPP::HashTransformation> crc_;
};
