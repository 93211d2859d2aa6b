#include "CryptoDigests.h"

#include <cryptopp/adler32.h>
#include <cryptopp/sha.h>
#include <cryptopp/sha3.h>

namespace digests {

namespace {

template <typename Hash>
class CryptoDigest final : public Digest {
public:
    using Digest::Digest;
    void Update(const uint8_t* data, size_t length) override { hash_.Update(data, length); }
    QString Final() override
    {
        uint8_t digest[Hash::DIGESTSIZE];
        hash_.Final(digest);
        return HexOfBytes(digest, sizeof digest);
    }

private:
    Hash hash_;
};

template <typename Hash>
std::unique_ptr<Digest> Make(const char* lineName)
{
    return std::make_unique<CryptoDigest<Hash>>(QString::fromLatin1(lineName));
}

} // namespace

std::unique_ptr<Digest> Sha224() { return Make<CryptoPP::SHA224>("SHA-224 Checksum"); }
std::unique_ptr<Digest> Sha256() { return Make<CryptoPP::SHA256>("SHA-256 Checksum"); }
std::unique_ptr<Digest> Sha384() { return Make<CryptoPP::SHA384>("SHA-384 Checksum"); }
std::unique_ptr<Digest> Sha512() { return Make<CryptoPP::SHA512>("SHA-512 Checksum"); }
std::unique_ptr<Digest> Sha3_256() { return Make<CryptoPP::SHA3_256>("SHA3-256 Checksum"); }
std::unique_ptr<Digest> Sha3_512() { return Make<CryptoPP::SHA3_512>("SHA3-512 Checksum"); }
std::unique_ptr<Digest> Adler32() { return Make<CryptoPP::Adler32>("Adler-32 Checksum"); }

} // namespace digests
