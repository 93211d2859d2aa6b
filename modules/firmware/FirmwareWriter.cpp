#include "FirmwareWriter.h"

#include "ext/interface/VantrelExtension.h"
#include "modules/common/FileHandle.h"
#include "modules/common/ModuleHost.h"

#include <algorithm>

namespace firmware {

namespace {

constexpr int kRecordBytes = 16;
constexpr int64_t kBlockBytes = int64_t(1) << 20;
// The longest line: "S3", count, 4 address bytes, 16 data bytes, checksum, CR LF.
constexpr int64_t kMaxLine = 2 + 2 * (1 + 4 + 255 + 1) + 2;

// Record lines collected in a large buffer and written out when it fills.
class LineSink {
public:
    LineSink(FileHandle& file, char* buffer, int64_t size) : file_(file), buffer_(buffer), size_(size) {}

    void Begin(const char* prefix)
    {
        if (used_ + kMaxLine > size_)
            Flush();
        line_ = buffer_ + used_;
        for (; *prefix; ++prefix)
            *line_++ = *prefix;
        sum_ = 0;
    }
    void Byte(uint8_t byte)
    {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        *line_++ = kDigits[byte >> 4];
        *line_++ = kDigits[byte & 0x0F];
        sum_ = uint8_t(sum_ + byte);
    }
    void Bytes(const uint8_t* data, int count)
    {
        for (int i = 0; i < count; ++i)
            Byte(data[i]);
    }
    void Address(uint32_t address, int bytes)
    {
        for (int i = bytes - 1; i >= 0; --i)
            Byte(uint8_t(address >> (8 * i)));
    }
    // Intel HEX: the two's complement of the sum; S-records: its complement.
    void End(bool twosComplement)
    {
        Byte(uint8_t(twosComplement ? 0 - sum_ : ~sum_));
        *line_++ = '\r';
        *line_++ = '\n';
        used_ = line_ - buffer_;
    }
    bool Flush()
    {
        ok_ = ok_ && file_.WriteBytes(buffer_, used_);
        used_ = 0;
        return ok_;
    }

private:
    FileHandle& file_;
    char* buffer_;
    int64_t size_;
    int64_t used_ = 0;
    char* line_ = nullptr;
    uint8_t sum_ = 0;
    bool ok_ = true;
};

class IntelHexEncoder {
public:
    explicit IntelHexEncoder(LineSink& sink) : sink_(sink) {}
    void Data(uint32_t address, const uint8_t* data, int count)
    {
        if (address >> 16 != upper_) {
            upper_ = address >> 16;
            sink_.Begin(":");
            sink_.Bytes(kLinearAddressHead, 4);
            sink_.Address(upper_, 2);
            sink_.End(true);
        }
        sink_.Begin(":");
        sink_.Byte(uint8_t(count));
        sink_.Address(address & 0xFFFF, 2);
        sink_.Byte(0x00);
        sink_.Bytes(data, count);
        sink_.End(true);
    }
    void Finish()
    {
        sink_.Begin(":");
        sink_.Bytes(kEndOfFile, 4);
        sink_.End(true);
    }

private:
    static constexpr uint8_t kLinearAddressHead[] = {0x02, 0x00, 0x00, 0x04};
    static constexpr uint8_t kEndOfFile[] = {0x00, 0x00, 0x00, 0x01};
    LineSink& sink_;
    uint32_t upper_ = 0;
};

class SRecordEncoder {
public:
    SRecordEncoder(LineSink& sink, uint32_t highestAddress, const std::string& header)
        : sink_(sink), addressBytes_(highestAddress <= 0xFFFF ? 2 : highestAddress <= 0xFFFFFF ? 3 : 4)
    {
        std::string text;
        for (char c : header)
            if (c >= 0x20 && c < 0x7F && text.size() < 64)
                text += c;
        if (text.empty())
            text = "HDR";
        sink_.Begin("S0");
        sink_.Byte(uint8_t(2 + text.size() + 1));
        sink_.Address(0, 2);
        sink_.Bytes(reinterpret_cast<const uint8_t*>(text.data()), int(text.size()));
        sink_.End(false);
    }
    void Data(uint32_t address, const uint8_t* data, int count)
    {
        static const char* const kTypes[] = {"S1", "S2", "S3"};
        sink_.Begin(kTypes[addressBytes_ - 2]);
        sink_.Byte(uint8_t(addressBytes_ + count + 1));
        sink_.Address(address, addressBytes_);
        sink_.Bytes(data, count);
        sink_.End(false);
        ++records_;
    }
    void Finish()
    {
        // The count record is optional; past 24 bits it cannot be written.
        if (records_ <= 0xFFFFFF) {
            const int countBytes = records_ <= 0xFFFF ? 2 : 3;
            sink_.Begin(countBytes == 2 ? "S5" : "S6");
            sink_.Byte(uint8_t(countBytes + 1));
            sink_.Address(uint32_t(records_), countBytes);
            sink_.End(false);
        }
        static const char* const kEnds[] = {"S9", "S8", "S7"};
        sink_.Begin(kEnds[addressBytes_ - 2]);
        sink_.Byte(uint8_t(addressBytes_ + 1));
        sink_.Address(0, addressBytes_);
        sink_.End(false);
    }

private:
    LineSink& sink_;
    int addressBytes_;
    int64_t records_ = 0;
};

template <typename Encoder>
uint32_t EncodeAll(FileHandle& input, uint8_t* block, Encoder& encoder, uint32_t address)
{
    for (;;) {
        if (!input.ReadBytes(block, kBlockBytes))
            return TASK_RESULT_READ_ERROR;
        const auto moved = int64_t(input.Moved());
        if (moved == 0)
            break;
        for (int64_t at = 0; at < moved;) {
            // A record never runs across a 64 KiB boundary, which some
            // readers would wrap within the segment.
            const int64_t toBoundary = 0x10000 - (address & 0xFFFF);
            const int count = int(std::min<int64_t>({kRecordBytes, moved - at, toBoundary}));
            encoder.Data(address, block + at, count);
            address += uint32_t(count);
            at += count;
        }
    }
    encoder.Finish();
    return TASK_RESULT_SUCCESS;
}

} // namespace

uint32_t WriteFirmwareFile(FirmwareFormat format, const QString& inputPath, const QString& outputPath,
                           int64_t baseAddress, const std::string& header)
{
    FileHandle input;
    // Each block of 16 bytes becomes at most two lines of kMaxLine characters.
    uint8_t* block = input.AllocateBuffer(0, size_t(kBlockBytes));
    uint8_t* text = input.AllocateBuffer(1, size_t(kBlockBytes * 4));
    if (!block || !text)
        return TASK_RESULT_OUT_OF_MEMORY;
    if (!input.Open(inputPath, FileHandle::OpenExisting, FileHandle::Read))
        return TASK_RESULT_READ_ERROR;
    // Addresses wrapping past 0xFFFFFFFF would put bytes at the wrong place.
    constexpr int64_t kAddressRange = int64_t(1) << 32;
    if (baseAddress < 0 || baseAddress > kAddressRange - std::max<int64_t>(input.Size(), 1)) {
        module_host::ShowWarning(QStringLiteral("%1 records address only the first 4 GiB; bytes from offset %2 on "
                                                "would run past them.")
                                     .arg(QLatin1String(FormatName(format)))
                                     .arg(baseAddress));
        return TASK_RESULT_REPORTED;
    }
    FileHandle output;
    if (!output.Open(outputPath, FileHandle::CreateAlways, FileHandle::Write))
        return TASK_RESULT_WRITE_ERROR;
    LineSink sink(output, reinterpret_cast<char*>(text), kBlockBytes * 4);
    uint32_t result;
    if (format == FirmwareFormat::IntelHex) {
        IntelHexEncoder encoder(sink);
        result = EncodeAll(input, block, encoder, uint32_t(baseAddress));
    } else {
        const int64_t size = input.Size();
        const auto highest = uint32_t(baseAddress + (size > 0 ? size - 1 : 0));
        SRecordEncoder encoder(sink, highest, header);
        result = EncodeAll(input, block, encoder, uint32_t(baseAddress));
    }
    if (result != TASK_RESULT_SUCCESS)
        return result;
    return sink.Flush() && output.Close() ? TASK_RESULT_SUCCESS : TASK_RESULT_WRITE_ERROR;
}

} // namespace firmware
