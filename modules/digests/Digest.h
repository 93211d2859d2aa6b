#pragma once
// One result line of a digest report: fed every block of the input in order,
// then asked once for its value as upper-case hexadecimal text.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class Digest {
public:
    explicit Digest(QString lineName) : lineName_(std::move(lineName)) {}
    virtual ~Digest() = default;
    Digest(const Digest&) = delete;
    Digest& operator=(const Digest&) = delete;

    virtual void Update(const uint8_t* data, size_t length) = 0;
    // Called once, after the last block.
    virtual QString Final() = 0;
    const QString& LineName() const { return lineName_; }

private:
    QString lineName_;
};

using DigestList = std::vector<std::unique_ptr<Digest>>;

// Each byte as two upper-case digits, in the given order.
QString HexOfBytes(const uint8_t* bytes, size_t count);
// A number of `bits` bits, most significant digit first, zero-padded.
QString HexOfNumber(uint64_t value, int bits);
