#include "EvpDigests.h"

#include <openssl/evp.h>

#include <new>
#include <stdexcept>

namespace digests {

namespace {

struct ContextDeleter {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};

class EvpDigest final : public Digest {
public:
    EvpDigest(QString lineName, const EVP_MD* algorithm) : Digest(std::move(lineName)), context_(EVP_MD_CTX_new())
    {
        if (!context_)
            throw std::bad_alloc();
        // A provider configuration that leaves the algorithm out fails here,
        // before any input has been read.
        if (!algorithm || EVP_DigestInit_ex(context_.get(), algorithm, nullptr) != 1)
            throw std::runtime_error("digest not available");
    }

    // Runs on a worker thread, where nothing may be thrown: a failure is
    // kept for Final.
    void Update(const uint8_t* data, size_t length) override
    {
        if (failed_ || length == 0)
            return;
        failed_ = EVP_DigestUpdate(context_.get(), data, length) != 1;
    }

    QString Final() override
    {
        unsigned char digest[EVP_MAX_MD_SIZE];
        unsigned int size = 0;
        if (failed_ || EVP_DigestFinal_ex(context_.get(), digest, &size) != 1)
            throw std::runtime_error("digest failed");
        return HexOfBytes(digest, size);
    }

private:
    std::unique_ptr<EVP_MD_CTX, ContextDeleter> context_;
    bool failed_ = false;
};

} // namespace

std::unique_ptr<Digest> Blake2b512()
{
    return std::make_unique<EvpDigest>(QStringLiteral("BLAKE2b-512 Checksum"), EVP_blake2b512());
}

std::unique_ptr<Digest> Blake2s256()
{
    return std::make_unique<EvpDigest>(QStringLiteral("BLAKE2s-256 Checksum"), EVP_blake2s256());
}

} // namespace digests
