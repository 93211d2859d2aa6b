#pragma once
// Conversions that work byte by byte and need nothing from earlier chunks:
// ASCII case changes and newline styles. Bytes above 0x7F are never changed.
#include <cstddef>
#include <cstdint>

enum class CaseChange { Upper, Lower, Toggle };

// out may be in; it receives length bytes.
void ChangeCase(const uint8_t* in, size_t length, uint8_t* out, CaseChange change);

// Drops every CR (0x0D) wherever it stands; out needs length bytes.
size_t RemoveCarriageReturns(const uint8_t* in, size_t length, uint8_t* out);

// Puts a CR before every LF (0x0A), even one that already follows a CR;
// out needs 2 * length bytes.
size_t InsertCarriageReturns(const uint8_t* in, size_t length, uint8_t* out);
