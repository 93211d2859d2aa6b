#pragma once
// The message digests of the module, computed by Crypto++ and printed byte by
// byte in digest order (Adler-32 comes out most significant byte first, so it
// prints as the number it is).
#include "Digest.h"

namespace digests {

std::unique_ptr<Digest> Sha224();
std::unique_ptr<Digest> Sha256();
std::unique_ptr<Digest> Sha384();
std::unique_ptr<Digest> Sha512();
std::unique_ptr<Digest> Sha3_256();
std::unique_ptr<Digest> Sha3_512();
std::unique_ptr<Digest> Adler32();

} // namespace digests
