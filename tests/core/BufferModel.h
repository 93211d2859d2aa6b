#pragma once
// A plain byte vector with the position rules of the chunked buffer, used as
// the reference that the real buffer is compared with after every step.
#include "core/AlignedPos.h"
#include "core/FileBuffer.h"
#include "core/SelectionPos.h"

#include <cstdint>
#include <string>
#include <vector>

struct ExpectedPos {
    int32_t offset = 0;
    bool hasSelection = false;
    int32_t selStart = 0;
    int32_t selEnd = 0;
    int32_t unit = 1;  // > 1 for aligned positions
    bool isSelection = false;
};

class BufferModel {
public:
    std::vector<uint8_t> bytes;

    int32_t Size() const { return int32_t(bytes.size()); }
    void Insert(int32_t at, int32_t count, std::vector<ExpectedPos*> others);
    void Delete(int32_t at, int32_t count, std::vector<ExpectedPos*> others);
};

// Reads the whole buffer through a fresh position.
std::vector<uint8_t> BufferBytes(CFileBuffer& buffer);
// Compares offsets and selections of the real positions with the expectations.
std::string ComparePositions(const std::vector<CBufferPos*>& real, const std::vector<ExpectedPos>& expected);
