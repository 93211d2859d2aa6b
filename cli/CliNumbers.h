#pragma once
// The number and byte texts of the command line: offsets and lengths in
// decimal or "0x" hexadecimal, and byte patterns written as hexadecimal
// pairs ("DE AD BE EF", "deadbeef").
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// A non-negative number: decimal digits, or "0x"/"0X" and hexadecimal
// digits. Nothing for anything else, an empty text or an overflow.
std::optional<int64_t> ParseCliNumber(const QString& text);

// Pairs of hexadecimal digits, blanks allowed between pairs. Nothing for a
// digit without its partner, any other character, or no digit at all.
std::optional<QByteArray> ParseHexBytes(const QString& text);
