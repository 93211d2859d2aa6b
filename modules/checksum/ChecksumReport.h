#pragma once
// The text a checksum task writes: a framed title, the file name, offset and
// length, then one "name: value" line per result, every line ended by CR LF.
// It is written as UTF-16LE without a byte-order mark.
#include <QString>
#include <cstdint>

class ChecksumReport {
public:
    ChecksumReport(QStringView title, QStringView fileName, uint32_t offset, uint32_t length);

    void AddLine(QStringView name, QStringView value);
    const QString& Text() const { return text_; }

private:
    void AppendLine(QStringView line);

    QString text_;
};

// Upper-case hexadecimal, most significant digit first, zero-padded.
QString HexDigits(uint64_t value, int digits);
// Each byte as two upper-case hexadecimal digits, in the given order.
QString HexBytes(const uint8_t* bytes, size_t count);
