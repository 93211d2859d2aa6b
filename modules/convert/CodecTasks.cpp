// The base64 and uuencode conversions of Convert.vtx. They hold the whole
// input and output in memory: read everything, close the input, convert into
// a buffer sized for the worst case, then create the output and write it.
#include "Base64Codec.h"
#include "ConvertHandlers.h"
#include "UuCodec.h"
#include "modules/common/FileHandle.h"
#include "platform/MessageBox.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <new>
#include <optional>

namespace {

struct Codec {
    size_t (*outputCapacity)(size_t inputLength);
    // Returns the output length, or nothing when the text cannot be converted.
    std::optional<size_t> (*convert)(const uint8_t* in, size_t length, uint8_t* out);
    bool decodes;
};

// Input sizes are 32-bit: no document is larger.
constexpr int64_t kMaxInputBytes = INT32_MAX;

std::unique_ptr<uint8_t[]> TryAllocate(size_t bytes)
{
    return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[bytes ? bytes : 1]);
}

void ReportCodecFailure(bool decodes)
{
    platform::ShowMessage(decodes ? QStringLiteral("Unable to decode data : Unknown error.")
                                  : QStringLiteral("Unable to encode data : Unknown error."),
                          platform::MsgButtons::Ok, platform::MsgIcon::Warning,
                          QStringLiteral("Base64 Encode Error"));
}

uint32_t Transcode(const TaskArgs& args, const Codec& codec)
{
    FileHandle input;
    if (!input.Open(args.inputPath, FileHandle::OpenExisting, FileHandle::Read))
        return TASK_RESULT_READ_ERROR;
    const int64_t size = input.Size();
    if (size > kMaxInputBytes)
        return TASK_RESULT_OUT_OF_MEMORY;
    std::unique_ptr<uint8_t[]> text = TryAllocate(size_t(size));
    if (!text)
        return TASK_RESULT_OUT_OF_MEMORY;
    if (!input.ReadBytes(text.get(), size))
        return TASK_RESULT_READ_ERROR;
    const auto length = size_t(input.Moved());
    input.Close();

    std::unique_ptr<uint8_t[]> converted = TryAllocate(codec.outputCapacity(length));
    if (!converted)
        return TASK_RESULT_OUT_OF_MEMORY;
    const std::optional<size_t> convertedLength = codec.convert(text.get(), length, converted.get());
    text.reset();
    if (!convertedLength) {
        ReportCodecFailure(codec.decodes);
        return TASK_RESULT_REPORTED;
    }

    FileHandle output;
    if (!output.Open(args.outputPath, FileHandle::CreateAlways, FileHandle::Write)
        || !output.WriteBytes(converted.get(), int64_t(*convertedLength)) || !output.Close())
        return TASK_RESULT_WRITE_ERROR;
    return TASK_RESULT_SUCCESS;
}

uint32_t RunCodec(const TaskArgs* args, const Codec& codec)
{
    if (!args)
        return TASK_RESULT_READ_ERROR;
    try {
        return Transcode(*args, codec);
    } catch (const std::bad_alloc&) {
        return TASK_RESULT_OUT_OF_MEMORY;
    }
}

// Encoding and base64 decoding cannot fail; only uudecoding can.
std::optional<size_t> Base64EncodeAll(const uint8_t* in, size_t length, uint8_t* out)
{
    return Base64Encode(in, length, out);
}

std::optional<size_t> Base64DecodeAll(const uint8_t* in, size_t length, uint8_t* out)
{
    return Base64Decode(in, length, out);
}

std::optional<size_t> UuEncodeAll(const uint8_t* in, size_t length, uint8_t* out)
{
    return UuEncode(in, length, out);
}

constexpr Codec kBase64Encoder{Base64EncodedSize, Base64EncodeAll, false};
constexpr Codec kBase64Decoder{Base64DecodedCapacity, Base64DecodeAll, true};
constexpr Codec kUuEncoder{UuEncodedSize, UuEncodeAll, false};
constexpr Codec kUuDecoder{UuDecodedCapacity, UuDecode, true};

} // namespace

uint32_t Base64EncodeTask(const TaskArgs* args) { return RunCodec(args, kBase64Encoder); }
uint32_t Base64DecodeTask(const TaskArgs* args) { return RunCodec(args, kBase64Decoder); }
uint32_t UuencodeTask(const TaskArgs* args) { return RunCodec(args, kUuEncoder); }
uint32_t UudecodeTask(const TaskArgs* args) { return RunCodec(args, kUuDecoder); }
