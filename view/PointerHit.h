#pragma once
// Whether a client point lies on the painted selection: where a press starts
// dragging the selection and the cursor becomes an arrow. Unlike HitTest,
// which finds the nearest byte boundary, this asks which byte's cells are
// under the point.
#include "RowLayout.h"

#include <cstdint>
#include <optional>

// The byte whose cells (two digits, or one character) are under the point.
std::optional<int64_t> ByteUnderPoint(const RowLayout& layout, int64_t top, int64_t size, int hScroll, int x, int y);

// The point is on a selected byte, or on the blank between two selected bytes.
bool PointOnSelection(const RowLayout& layout, int64_t top, int64_t size, int hScroll, int x, int y,
                      int64_t selStart, int64_t selEnd);
