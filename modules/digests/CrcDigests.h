#pragma once
// The CRC variants of the module, each a Boost.CRC engine set up with the
// parameters of its entry in the catalogue of parametrised CRC algorithms,
// printed as a number, most significant digit first.
#include "Digest.h"

namespace digests {

std::unique_ptr<Digest> Crc32C();
std::unique_ptr<Digest> Crc16CcittFalse();
std::unique_ptr<Digest> Crc16Arc();
std::unique_ptr<Digest> Crc64Xz();

} // namespace digests
