// The base64 and uuencode conversions of Convert.vtx. They stream: the input
// is read in 1 MiB pieces and each piece's text or bytes written before the
// next is read, so memory stays the same whatever the size of the input.
#include "Base64Codec.h"
#include "ConvertHandlers.h"
#include "StreamingTask.h"
#include "UuCodec.h"
#include "platform/MessageBox.h"

#include <QString>

namespace {

template <typename Codec>
class CodecConverter final : public ChunkConverter {
public:
    size_t ChunkBytes() const override { return size_t(1) << 20; }
    size_t MaxOutputBytes(size_t count) const override { return Codec::MaxOutput(count); }
    size_t MaxFinishBytes() const override { return Codec::kMaxFinish; }
    size_t Convert(const uint8_t* in, size_t count, uint8_t* out) override { return codec_.Convert(in, count, out); }
    size_t Finish(uint8_t* out) override { return codec_.Finish(out); }

    // Only uudecoding can fail: base64 decoding skips what it cannot read.
    bool Failed() const override
    {
        if constexpr (requires(const Codec& codec) { codec.Failed(); })
            return codec_.Failed();
        return false;
    }
    void ReportFailure() const override
    {
        platform::ShowMessage(QStringLiteral("Unable to decode data : Unknown error."), platform::MsgButtons::Ok,
                              platform::MsgIcon::Warning, QStringLiteral("Base64 Encode Error"));
    }

private:
    Codec codec_;
};

template <typename Codec>
uint32_t RunCodec(const TaskArgs* args)
{
    CodecConverter<Codec> converter;
    return RunStreamingTask(args, converter);
}

} // namespace

uint32_t Base64EncodeTask(const TaskArgs* args) { return RunCodec<Base64Encoder>(args); }
uint32_t Base64DecodeTask(const TaskArgs* args) { return RunCodec<Base64Decoder>(args); }
uint32_t UuencodeTask(const TaskArgs* args) { return RunCodec<UuEncoder>(args); }
uint32_t UudecodeTask(const TaskArgs* args) { return RunCodec<UuDecoder>(args); }
