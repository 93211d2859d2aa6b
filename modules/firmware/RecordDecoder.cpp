#include "RecordDecoder.h"

#include "modules/common/HexDigit.h"

namespace firmware {

namespace {

// The hex digits after the record mark as bytes; at most 1 + 255 + 4 bytes.
std::string HexBytes(std::string_view digits, uint8_t* out, int capacity, int& count)
{
    if (digits.size() % 2 != 0)
        return "the record has an odd number of hexadecimal digits";
    if (digits.size() / 2 > size_t(capacity))
        return "the record is longer than any record can be";
    count = int(digits.size() / 2);
    for (int i = 0; i < count; ++i) {
        const int high = HexDigitValue(digits[size_t(2 * i)]), low = HexDigitValue(digits[size_t(2 * i + 1)]);
        if (high < 0 || low < 0)
            return "the record holds a character that is not a hexadecimal digit";
        out[i] = uint8_t(high << 4 | low);
    }
    return {};
}

uint32_t BigEndian(const uint8_t* bytes, int count)
{
    uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | bytes[i];
    return value;
}

class IntelHexDecoder final : public RecordDecoder {
public:
    bool EndRecordRequired() const override { return true; }
    std::string Decode(std::string_view line, DecodedRecord& record) override
    {
        record.kind = DecodedRecord::Skip;
        if (line.empty() || line.front() != ':')
            return "a record must start with \":\"";
        uint8_t bytes[1 + 2 + 1 + 255 + 1];
        int count = 0;
        if (std::string error = HexBytes(line.substr(1), bytes, int(sizeof bytes), count); !error.empty())
            return error;
        if (count < 5 || count != bytes[0] + 5)
            return "the byte count does not match the length of the record";
        uint8_t sum = 0;
        for (int i = 0; i < count; ++i)
            sum = uint8_t(sum + bytes[i]);
        if (sum != 0)
            return "the checksum does not match";
        const int length = bytes[0];
        const uint32_t offset = BigEndian(bytes + 1, 2);
        const uint8_t* data = bytes + 4;
        switch (bytes[3]) {
        case 0x00:
            record.kind = DecodedRecord::Data;
            record.address = base_ + offset;
            record.length = length;
            std::copy(data, data + length, record.bytes);
            if (record.address + uint64_t(length) > (uint64_t(1) << 32))
                return "the record runs past the 4 GiB address range";
            return {};
        case 0x01:
            if (length != 0)
                return "the end-of-file record must hold no data";
            record.kind = DecodedRecord::End;
            return {};
        case 0x02:
            if (length != 2)
                return "an extended segment address record must hold two bytes";
            base_ = uint64_t(BigEndian(data, 2)) << 4;
            return {};
        case 0x04:
            if (length != 2)
                return "an extended linear address record must hold two bytes";
            base_ = uint64_t(BigEndian(data, 2)) << 16;
            return {};
        case 0x03:
        case 0x05:
            if (length != 4)
                return "a start address record must hold four bytes";
            return {}; // where execution starts does not change the bytes
        default:
            return "the record type " + std::to_string(bytes[3]) + " is unknown";
        }
    }

private:
    uint64_t base_ = 0;
};

class SRecordDecoder final : public RecordDecoder {
public:
    bool EndRecordRequired() const override { return false; }
    std::string Decode(std::string_view line, DecodedRecord& record) override
    {
        record.kind = DecodedRecord::Skip;
        if (line.size() < 2 || (line[0] != 'S' && line[0] != 's') || line[1] < '0' || line[1] > '9')
            return "a record must start with \"S\" and a digit";
        const int type = line[1] - '0';
        uint8_t bytes[1 + 255];
        int count = 0;
        if (std::string error = HexBytes(line.substr(2), bytes, int(sizeof bytes), count); !error.empty())
            return error;
        if (count < 2 || count != bytes[0] + 1)
            return "the byte count does not match the length of the record";
        uint8_t sum = 0;
        for (int i = 0; i < count; ++i)
            sum = uint8_t(sum + bytes[i]);
        if (sum != 0xFF)
            return "the checksum does not match";
        static constexpr int kAddressBytes[] = {2, 2, 3, 4, 0, 2, 3, 4, 3, 2};
        const int addressBytes = kAddressBytes[type];
        const int length = bytes[0] - 1 - addressBytes;
        if (type == 4)
            return "the record type S4 is unknown";
        if (length < 0)
            return "the record is too short for its address";
        const uint32_t address = BigEndian(bytes + 1, addressBytes);
        if (type >= 1 && type <= 3) {
            record.kind = DecodedRecord::Data;
            record.address = address;
            record.length = length;
            std::copy(bytes + 1 + addressBytes, bytes + 1 + addressBytes + length, record.bytes);
            ++dataRecords_;
        } else if (type == 5 || type == 6) {
            if (length != 0)
                return "a count record must hold no data";
            if (address != dataRecords_)
                return "the count record says " + std::to_string(address) + " data records, but "
                       + std::to_string(dataRecords_) + " came before it";
        } else if (type >= 7) {
            record.kind = DecodedRecord::End;
        }
        return {};
    }

private:
    uint64_t dataRecords_ = 0;
};

} // namespace

std::unique_ptr<RecordDecoder> RecordDecoder::For(FirmwareFormat format)
{
    if (format == FirmwareFormat::IntelHex)
        return std::make_unique<IntelHexDecoder>();
    return std::make_unique<SRecordDecoder>();
}

} // namespace firmware
