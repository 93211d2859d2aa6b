#pragma once
// The document's bytes from the caret on, as the Structure View lays a
// structure over them: read through an unregistered copy of the caret so
// that laying out never moves it. Offsets stay 64-bit all the way to the
// buffer, so a structure far into a large file reads the bytes it lies on.
#include "core/BufferPos.h"
#include "inspect/StructureLayout.h"

#include <cstdint>

class CaretStructureBytes final : public StructureBytes {
public:
    CaretStructureBytes(const CBufferPos& caret, int64_t fileSize)
        : pos_(caret), base_(caret.Offset()), fileSize_(fileSize)
    {
    }

    int64_t Length() const override { return fileSize_ - base_; }
    int32_t Read(int64_t offset, uint8_t* out, int32_t count) const override;

private:
    mutable CBufferPos pos_;
    int64_t base_;
    int64_t fileSize_;
};
