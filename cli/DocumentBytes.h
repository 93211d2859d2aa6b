#pragma once
// The bytes of an input file from a base offset on, read through the core's
// span reader, as the structure layout and the data types read them.
#include "core/SpanReader.h"
#include "inspect/StructureLayout.h"

class CFileBuffer;

class DocumentBytes final : public StructureBytes {
public:
    DocumentBytes(const CFileBuffer& buffer, int64_t base);
    int64_t Length() const override;
    int32_t Read(int64_t offset, uint8_t* out, int32_t count) const override;
    // Whether a read could not get the file's bytes (then the values read as "<EOF>").
    bool Failed() const { return reader_.Failed(); }
    const CoreProblem& Problem() const { return reader_.Problem(); }

private:
    const CFileBuffer& buffer_;
    int64_t base_;
    mutable CSpanReader reader_;
};
