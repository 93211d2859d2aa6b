// libFuzzer target: the uu decoder on arbitrary bytes.
#include "modules/convert/UuCodec.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> out(UuDecodedCapacity(size));
    const std::optional<size_t> length = UuDecode(data, size, out.data());
    if (length && *length > out.size())
        __builtin_trap();
    return 0;
}
