#pragma once
// The frame of the streaming conversions: the output is created, then the
// input is read in fixed chunks until a read returns nothing, and each
// chunk's result is written before the next read.
#include "ext/interface/VantrelExtension.h"

#include <cstddef>
#include <cstdint>

class ChunkConverter {
public:
    virtual ~ChunkConverter() = default;
    virtual size_t ChunkBytes() const = 0;
    // The most bytes Convert may write for a chunk of `count` bytes, and
    // Finish at the end of the input.
    virtual size_t MaxOutputBytes(size_t count) const = 0;
    virtual size_t MaxFinishBytes() const { return 0; }
    virtual size_t Convert(const uint8_t* in, size_t count, uint8_t* out) = 0;
    virtual size_t Finish(uint8_t*) { return 0; }
    // A converter that finds its input cannot be converted says so here,
    // and shows its message when asked.
    virtual bool Failed() const { return false; }
    virtual void ReportFailure() const {}
};

// Returns a task result code: 0, 2 (memory), 3 (output), 4 (input), or 1
// (reported) when the converter failed; its output file is then removed.
uint32_t RunStreamingTask(const TaskArgs* args, ChunkConverter& converter);
