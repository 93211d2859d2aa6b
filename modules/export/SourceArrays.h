#pragma once
// The bytes as source code declarations: a C array and an assembly DB list,
// sixteen values per line.
#include "OutputBuffer.h"
#include "RowSource.h"

namespace exporter {

inline constexpr int kValuesPerLine = 16;

void WriteCArray(RowSource& lines, OutputBuffer& out);
void WriteAssembly(RowSource& lines, OutputBuffer& out);

} // namespace exporter
