// The seven streaming conversions of Convert.vtx.
#include "ByteConversions.h"
#include "ConvertHandlers.h"
#include "StreamingTask.h"
#include "Utf16ToUtf8.h"
#include "Utf8ToUtf16.h"

#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "UTF-16 is written as UTF-16LE straight from memory");

namespace {

class CaseConverter final : public ChunkConverter {
public:
    explicit CaseConverter(CaseChange change) : change_(change) {}
    size_t ChunkBytes() const override { return 1024; }
    size_t MaxOutputBytes(size_t count) const override { return count; }
    size_t Convert(const uint8_t* in, size_t count, uint8_t* out) override
    {
        ChangeCase(in, count, out, change_);
        return count;
    }

private:
    CaseChange change_;
};

class RemoveCrConverter final : public ChunkConverter {
public:
    size_t ChunkBytes() const override { return 1024; }
    size_t MaxOutputBytes(size_t count) const override { return count; }
    size_t Convert(const uint8_t* in, size_t count, uint8_t* out) override
    {
        return RemoveCarriageReturns(in, count, out);
    }
};

class InsertCrConverter final : public ChunkConverter {
public:
    size_t ChunkBytes() const override { return 1024; }
    size_t MaxOutputBytes(size_t count) const override { return 2 * count; }
    size_t Convert(const uint8_t* in, size_t count, uint8_t* out) override
    {
        return InsertCarriageReturns(in, count, out);
    }
};

// UTF-8 (the 8-bit text encoding here) to UTF-16LE. The decoder carries a
// character cut by a chunk boundary into the next chunk, and the output
// buffer holds Utf8ToUtf16::MaxUnits(512) = 515 units, so no chunk's text
// is ever cut or corrupted.
class AnsiToUnicodeConverter final : public ChunkConverter {
public:
    size_t ChunkBytes() const override { return 512; }
    size_t MaxOutputBytes(size_t count) const override { return Utf8ToUtf16::MaxUnits(count) * sizeof(char16_t); }
    size_t MaxFinishBytes() const override { return Utf8ToUtf16::kMaxFinishUnits * sizeof(char16_t); }
    size_t Convert(const uint8_t* in, size_t count, uint8_t* out) override
    {
        return decoder_.Convert(in, count, reinterpret_cast<char16_t*>(out)) * sizeof(char16_t);
    }
    size_t Finish(uint8_t* out) override
    {
        return decoder_.Finish(reinterpret_cast<char16_t*>(out)) * sizeof(char16_t);
    }

private:
    Utf8ToUtf16 decoder_;
};

// UTF-16LE to UTF-8, 512 units per chunk. The encoder carries an odd byte
// and a surrogate pair cut by a chunk boundary into the next chunk, and the
// output buffer holds Utf16ToUtf8::MaxBytes(1024) = 1537 bytes, three per
// unit, so no chunk's text is ever cut or corrupted.
class UnicodeToAnsiConverter final : public ChunkConverter {
public:
    size_t ChunkBytes() const override { return 1024; }
    size_t MaxOutputBytes(size_t count) const override { return Utf16ToUtf8::MaxBytes(count); }
    size_t MaxFinishBytes() const override { return Utf16ToUtf8::kMaxFinishBytes; }
    size_t Convert(const uint8_t* in, size_t count, uint8_t* out) override
    {
        return encoder_.Convert(in, count, out);
    }
    size_t Finish(uint8_t* out) override { return encoder_.Finish(out); }

private:
    Utf16ToUtf8 encoder_;
};

template <typename Converter, typename... Args>
uint32_t RunWith(const TaskArgs* args, Args... converterArgs)
{
    Converter converter(converterArgs...);
    return RunStreamingTask(args, converter);
}

} // namespace

uint32_t UpperCaseTask(const TaskArgs* args) { return RunWith<CaseConverter>(args, CaseChange::Upper); }
uint32_t LowerCaseTask(const TaskArgs* args) { return RunWith<CaseConverter>(args, CaseChange::Lower); }
uint32_t ToggleCaseTask(const TaskArgs* args) { return RunWith<CaseConverter>(args, CaseChange::Toggle); }
uint32_t AnsiToUnicodeTask(const TaskArgs* args) { return RunWith<AnsiToUnicodeConverter>(args); }
uint32_t UnicodeToAnsiTask(const TaskArgs* args) { return RunWith<UnicodeToAnsiConverter>(args); }
uint32_t DosToUnixTask(const TaskArgs* args) { return RunWith<RemoveCrConverter>(args); }
uint32_t UnixToDosTask(const TaskArgs* args) { return RunWith<InsertCrConverter>(args); }
