#include "ArrayLanguage.h"

namespace arrays {

namespace {

const char kDigits[] = "0123456789ABCDEF";

void AppendHexValues(const uint8_t* bytes, int count, std::string& out)
{
    for (int i = 0; i < count; ++i) {
        out += "0x";
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 15];
        out += i + 1 < count ? ", " : ",";
    }
}

// Java's byte is signed: values from 128 up are written as negative numbers.
void AppendSignedValues(const uint8_t* bytes, int count, std::string& out)
{
    for (int i = 0; i < count; ++i) {
        out += std::to_string(int(int8_t(bytes[i])));
        out += i + 1 < count ? ", " : ",";
    }
}

std::string Bytes(int64_t length) { return std::to_string(length) + (length == 1 ? " byte" : " bytes"); }

} // namespace

std::string ArrayHeader(Language language, int64_t length)
{
    const std::string n = std::to_string(length);
    switch (language) {
    case Language::Python: return "data = (  # " + Bytes(length) + "\n    b\"\"\n";
    case Language::Rust: return "pub static DATA: [u8; " + n + "] = [\n";
    case Language::Go: return "var data = []byte{ // " + Bytes(length) + "\n";
    case Language::JavaScript: return "const data = new Uint8Array([ // " + Bytes(length) + "\n";
    case Language::Java: return "byte[] data = new byte[] { // " + Bytes(length) + "\n";
    case Language::CSharp: return "byte[] data = new byte[" + n + "] {\n";
    }
    return {};
}

void AppendArrayRow(Language language, const uint8_t* bytes, int count, std::string& out)
{
    switch (language) {
    case Language::Python:
        out += "    b\"";
        for (int i = 0; i < count; ++i) {
            out += "\\x";
            out += kDigits[bytes[i] >> 4];
            out += kDigits[bytes[i] & 15];
        }
        out += "\"\n";
        return;
    case Language::Go: out += '\t'; break;
    case Language::JavaScript: out += "  "; break;
    default: out += "    "; break;
    }
    if (language == Language::Java)
        AppendSignedValues(bytes, count, out);
    else
        AppendHexValues(bytes, count, out);
    out += '\n';
}

std::string ArrayFooter(Language language, int64_t)
{
    switch (language) {
    case Language::Python: return ")\n";
    case Language::Rust: return "];\n";
    case Language::Go: return "}\n";
    case Language::JavaScript: return "]);\n";
    case Language::Java:
    case Language::CSharp: return "};\n";
    }
    return {};
}

} // namespace arrays
