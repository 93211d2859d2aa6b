#pragma once
// The text a checksum task writes: a framed title, the file name, offset and
// length, then one "name: value" line per result, every line ended by CR LF.
// It is written as UTF-16LE without a byte-order mark.
#include <QString>
#include <cstdint>

class ChecksumReport {
public:
    ChecksumReport(QStringView title, QStringView fileName, int64_t offset, uint64_t length);

    // Lines whose bit in mask is clear (bit 0 the first result line) are
    // left out; a mask of 0 keeps every line.
    void SetLineMask(uint32_t mask) { mask_ = mask; }
    // Whether any of count result lines from the next one on is kept.
    bool WantsAnyOf(int count) const;
    // Counts lines that were not computed, so later lines keep their bits.
    void SkipLines(int count) { lineIndex_ += count; }
    void AddLine(QStringView name, QStringView value);
    const QString& Text() const { return text_; }

private:
    void AppendLine(QStringView line);

    QString text_;
    uint32_t mask_ = 0;
    int lineIndex_ = 0;
};

// Upper-case hexadecimal, most significant digit first, zero-padded.
QString HexDigits(uint64_t value, int digits);
// Each byte as two upper-case hexadecimal digits, in the given order.
QString HexBytes(const uint8_t* bytes, size_t count);
