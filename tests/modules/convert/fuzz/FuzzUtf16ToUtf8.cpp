// libFuzzer target: the UTF-16LE encoder on arbitrary bytes, whole and in
// pieces whose size the first byte chooses; both must give the same bytes.
#include "modules/convert/Utf16ToUtf8.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<uint8_t> Encode(const uint8_t* data, size_t size, size_t piece)
{
    Utf16ToUtf8 encoder;
    std::vector<uint8_t> bytes;
    for (size_t pos = 0; pos < size; pos += piece) {
        const size_t count = std::min(piece, size - pos);
        std::vector<uint8_t> out(Utf16ToUtf8::MaxBytes(count));
        const size_t n = encoder.Convert(data + pos, count, out.data());
        if (n > out.size())
            __builtin_trap();
        bytes.insert(bytes.end(), out.begin(), out.begin() + n);
    }
    uint8_t last[Utf16ToUtf8::kMaxFinishBytes];
    bytes.insert(bytes.end(), last, last + encoder.Finish(last));
    return bytes;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t piece = 1 + data[0] % 7;
    if (Encode(data + 1, size - 1, size) != Encode(data + 1, size - 1, piece))
        __builtin_trap();
    return 0;
}
