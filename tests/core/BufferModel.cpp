#include "BufferModel.h"

#include <algorithm>

void BufferModel::Insert(int32_t at, int32_t count, std::vector<ExpectedPos*> others)
{
    if (count == 0)
        return;  // a failed insertion leaves every position where it was
    bytes.insert(bytes.begin() + at, size_t(count), uint8_t(0));
    for (ExpectedPos* p : others) {
        if (p->offset >= at)
            p->offset += count;
        if (p->hasSelection) {
            if (p->selStart > at)
                p->selStart += count;
            if (p->selEnd > at)
                p->selEnd += count;
        }
        if (p->unit > 1 && p->offset >= at && p->offset % p->unit != 0)
            p->offset -= p->offset % p->unit;
    }
}

void BufferModel::Delete(int32_t at, int32_t count, std::vector<ExpectedPos*> others)
{
    if (count == 0)
        return;  // nothing deleted (or a deletion that ran out of memory): nobody moves
    bytes.erase(bytes.begin() + at, bytes.begin() + at + count);
    for (ExpectedPos* p : others) {
        if (p->offset >= at + count)
            p->offset -= count;
        else if (p->offset > at)
            p->offset = at;
        if (p->hasSelection) {
            if (p->selStart > at)
                p->selStart = std::max(p->selStart - count, at);
            if (p->selEnd > at)
                p->selEnd = std::max(p->selEnd - count, at);
            if (p->selStart == p->selEnd)
                p->hasSelection = false;
        }
        if (p->unit > 1 && p->offset >= at && p->offset % p->unit != 0) {
            const int32_t r = p->offset % p->unit;
            if (Size() - p->offset < p->unit - r)
                p->offset -= r;
            else
                p->offset += p->unit - r;
        }
    }
}

std::vector<uint8_t> BufferBytes(CFileBuffer& buffer)
{
    std::vector<uint8_t> out(size_t(buffer.Size()));
    CBufferPos reader;
    reader.Bind(&buffer, false, 0);
    reader.Read(out.data(), buffer.Size());
    return out;
}

std::string ComparePositions(const std::vector<CBufferPos*>& real, const std::vector<ExpectedPos>& expected)
{
    for (size_t i = 0; i < real.size(); ++i) {
        const ExpectedPos& e = expected[i];
        if (real[i]->Offset() != e.offset)
            return "position " + std::to_string(i) + " at " + std::to_string(real[i]->Offset()) + ", expected " +
                   std::to_string(e.offset);
        if (e.isSelection) {
            auto* s = static_cast<CSelectionPos*>(real[i]);
            if (s->hasSelection != e.hasSelection ||
                (e.hasSelection && (s->selStart != e.selStart || s->selEnd != e.selEnd)))
                return "selection of position " + std::to_string(i) + " is " + std::to_string(s->selStart) + "-" +
                       std::to_string(s->selEnd) + (s->hasSelection ? "" : " (none)") + ", expected " +
                       std::to_string(e.selStart) + "-" + std::to_string(e.selEnd) + (e.hasSelection ? "" : " (none)");
        }
    }
    return {};
}
