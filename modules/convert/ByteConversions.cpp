#include "ByteConversions.h"

#include <array>
#include <cstring>

namespace {

using ByteTable = std::array<uint8_t, 256>;

constexpr ByteTable MakeCaseTable(CaseChange change)
{
    ByteTable table{};
    for (int b = 0; b < 256; ++b) {
        const bool lower = b >= 'a' && b <= 'z';
        const bool upper = b >= 'A' && b <= 'Z';
        int mapped = b;
        if (lower && change != CaseChange::Lower)
            mapped = b - 'a' + 'A';
        else if (upper && change != CaseChange::Upper)
            mapped = b - 'A' + 'a';
        table[size_t(b)] = uint8_t(mapped);
    }
    return table;
}

constexpr ByteTable kUpper = MakeCaseTable(CaseChange::Upper);
constexpr ByteTable kLower = MakeCaseTable(CaseChange::Lower);
constexpr ByteTable kToggle = MakeCaseTable(CaseChange::Toggle);

constexpr uint8_t CR = 0x0D;
constexpr uint8_t LF = 0x0A;

} // namespace

void ChangeCase(const uint8_t* in, size_t length, uint8_t* out, CaseChange change)
{
    const ByteTable& table = change == CaseChange::Upper ? kUpper : change == CaseChange::Lower ? kLower : kToggle;
    for (size_t i = 0; i < length; ++i)
        out[i] = table[in[i]];
}

size_t RemoveCarriageReturns(const uint8_t* in, size_t length, uint8_t* out)
{
    // Copy the runs between CRs in blocks rather than byte by byte.
    size_t written = 0;
    const uint8_t* end = in + length;
    while (in < end) {
        const auto* cr = static_cast<const uint8_t*>(std::memchr(in, CR, size_t(end - in)));
        const uint8_t* runEnd = cr ? cr : end;
        std::memmove(out + written, in, size_t(runEnd - in));
        written += size_t(runEnd - in);
        in = cr ? cr + 1 : end;
    }
    return written;
}

size_t InsertCarriageReturns(const uint8_t* in, size_t length, uint8_t* out)
{
    size_t written = 0;
    const uint8_t* end = in + length;
    while (in < end) {
        const auto* lf = static_cast<const uint8_t*>(std::memchr(in, LF, size_t(end - in)));
        const uint8_t* runEnd = lf ? lf : end;
        std::memcpy(out + written, in, size_t(runEnd - in));
        written += size_t(runEnd - in);
        if (!lf)
            break;
        out[written++] = CR;
        out[written++] = LF;
        in = lf + 1;
    }
    return written;
}
