// libFuzzer target: the base64 decoder on arbitrary bytes.
#include "modules/convert/Base64Codec.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> out(Base64DecodedCapacity(size));
    if (Base64Decode(data, size, out.data()) > out.size())
        __builtin_trap();
    return 0;
}
