// libFuzzer target: the UTF-8 decoder on arbitrary bytes, whole and in
// pieces whose size the first byte chooses; both must give the same text.
#include "modules/convert/Utf8ToUtf16.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<char16_t> Decode(const uint8_t* data, size_t size, size_t piece)
{
    Utf8ToUtf16 decoder;
    std::vector<char16_t> text;
    for (size_t pos = 0; pos < size; pos += piece) {
        const size_t count = std::min(piece, size - pos);
        std::vector<char16_t> out(Utf8ToUtf16::MaxUnits(count));
        const size_t n = decoder.Convert(data + pos, count, out.data());
        if (n > out.size())
            __builtin_trap();
        text.insert(text.end(), out.begin(), out.begin() + n);
    }
    char16_t last[Utf8ToUtf16::kMaxFinishUnits];
    text.insert(text.end(), last, last + decoder.Finish(last));
    return text;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t piece = 1 + data[0] % 7;
    if (Decode(data + 1, size - 1, size) != Decode(data + 1, size - 1, piece))
        __builtin_trap();
    return 0;
}
