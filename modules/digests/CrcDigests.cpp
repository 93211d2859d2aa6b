#include "CrcDigests.h"

#include <boost/crc.hpp>

namespace digests {

namespace {

template <typename Engine, int Bits>
class CrcDigest final : public Digest {
public:
    using Digest::Digest;
    void Update(const uint8_t* data, size_t length) override { crc_.process_bytes(data, length); }
    QString Final() override { return HexOfNumber(uint64_t(crc_.checksum()), Bits); }

private:
    Engine crc_;
};

//                          width  polynomial          initial               final xor             refin refout
using Crc32CEngine = boost::crc_optimal<32, 0x1EDC6F41, 0xFFFFFFFF, 0xFFFFFFFF, true, true>;
using CcittFalseEngine = boost::crc_optimal<16, 0x1021, 0xFFFF, 0x0000, false, false>;
using ArcEngine = boost::crc_optimal<16, 0x8005, 0x0000, 0x0000, true, true>;
using Crc64XzEngine = boost::crc_optimal<64, 0x42F0E1EBA9EA3693, 0xFFFFFFFFFFFFFFFF, 0xFFFFFFFFFFFFFFFF, true, true>;

template <typename Engine, int Bits>
std::unique_ptr<Digest> Make(const char* lineName)
{
    return std::make_unique<CrcDigest<Engine, Bits>>(QString::fromLatin1(lineName));
}

} // namespace

std::unique_ptr<Digest> Crc32C() { return Make<Crc32CEngine, 32>("CRC-32C Checksum"); }
std::unique_ptr<Digest> Crc16CcittFalse() { return Make<CcittFalseEngine, 16>("CRC-16/CCITT-FALSE Checksum"); }
std::unique_ptr<Digest> Crc16Arc() { return Make<ArcEngine, 16>("CRC-16/ARC Checksum"); }
std::unique_ptr<Digest> Crc64Xz() { return Make<Crc64XzEngine, 64>("CRC-64/XZ Checksum"); }

} // namespace digests
