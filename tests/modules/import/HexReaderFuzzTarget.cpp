// libFuzzer target: the input is cut into lines like a file and fed to the
// hexadecimal line parser with a buffer of exactly the promised size.
#include "modules/import/HexLineParser.h"

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    importer::HexLineParser parser;
    const char* text = reinterpret_cast<const char*>(data);
    size_t start = 0;
    while (start <= size) {
        const void* end = std::memchr(text + start, '\n', size - start);
        const size_t length = end ? size_t(static_cast<const char*>(end) - (text + start)) : size - start;
        if (length <= importer::kMaxLineLength) {
            std::vector<char> line(text + start, text + start + length);
            std::vector<uint8_t> out(length / 2 + 1);
            size_t count = 0;
            parser.Parse(line.data(), length, out.data(), count);
        }
        start += length + 1;
    }
    return 0;
}
