#pragma once
// A structure laid over bytes as the Structure View lays it out, every
// array expanded, handed row by row to a callback instead of kept as a
// tree, so that output starts at once and memory stays flat. Rows are named
// and valued as the Structure View names them ("data[count]", "Byte[]", an
// element "data[2]", a nested structure's name). The walk stops after a
// row budget, and like the Structure View it shows no structure nested more
// than a hundred levels deep.
#include "inspect/StructureLayout.h"

#include <QString>

#include <cstdint>
#include <functional>

struct WalkRow {
    int depth = 0;
    QString name;
    QString value;
    QString type;  // the data type's or structure's name; "Array" rows say "Array of T"
    int64_t start = 0;  // relative to the base
    int64_t end = 0;
    bool eof = false;
};

struct WalkLimits {
    int64_t maxRows = 1'000'000;
    int maxDepth = 100;
};

struct WalkOutcome {
    int64_t rows = 0;
    bool rowBudgetHit = false;
    bool depthLimitHit = false;
    bool stepBudgetHit = false;  // the layout's own step budget
};

WalkOutcome WalkStructure(StructureLayout& layout, const StructureDef& root, const WalkLimits& limits,
                          const std::function<void(const WalkRow&)>& sink);
