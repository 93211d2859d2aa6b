#pragma once
// The BLAKE2 digests of the module, computed by OpenSSL's libcrypto. Its
// plain 64-bit code runs BLAKE2b about twice as fast as the SSE4.1 code that
// Crypto++ picks at run time on current x86-64 processors (and BLAKE2s
// likewise), so these two come from there while the others stay with
// Crypto++.
#include "Digest.h"

namespace digests {

std::unique_ptr<Digest> Blake2b512();
std::unique_ptr<Digest> Blake2s256();

} // namespace digests
