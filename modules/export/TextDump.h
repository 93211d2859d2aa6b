#pragma once
// The text dump: rows as the hex view shows them, offset, hex column and
// character column, each row ended by CR LF.
#include "DumpSettings.h"
#include "DumpTables.h"
#include "OutputBuffer.h"
#include "RowSource.h"

namespace exporter {

// Upper bound of one row's text in bytes.
size_t TextRowCapacity(const DumpSettings& settings);

// Hex column text of a row whose bytes fill positions [lead, lead + count),
// padded to its full width; returns the end.
char* WriteHexColumn(char* out, const DumpSettings& s, const DumpTables& t, const uint8_t* bytes, int lead,
                     int count);
// Character column text of the same row, padded to bytes-per-row characters.
char* WriteCharColumn(char* out, const DumpSettings& s, const DumpTables& t, const uint8_t* bytes, int lead,
                      int count);

void WriteTextDump(RowSource& rows, OutputBuffer& out, const DumpSettings& settings);

} // namespace exporter
