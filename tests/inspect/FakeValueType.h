#pragma once
// A custom data type as a module would offer it, reduced to what structure
// files and the editor's rules ask of it.
#include "types/ValueType.h"

#include <memory>
#include <vector>

class FakeValueType final : public ValueType {
public:
    FakeValueType(QString name, int size, bool integer = false) : name_(std::move(name)), size_(size), integer_(integer) {}
    QString Name() const override { return name_; }
    int Size() const override { return size_; }
    int DisplayLength() const override { return 8; }
    QString Format(const uint8_t*, bool, int) const override { return QString(); }
    bool Parse(QStringView, bool, uint8_t*, int*) const override { return false; }
    bool HasIntegerValue() const override { return integer_; }
    uint32_t IntegerValue(const uint8_t* data, bool) const override { return integer_ ? data[0] : 0; }
    QString Description() const override { return QString(); }

private:
    QString name_;
    int size_;
    bool integer_;
};

// "Guid" (16 bytes) at 12 and "Count24" (3 bytes, integer) at 13.
inline std::vector<std::unique_ptr<ValueType>> TwoFakeCustomTypes()
{
    std::vector<std::unique_ptr<ValueType>> types;
    types.push_back(std::make_unique<FakeValueType>("Guid", 16));
    types.push_back(std::make_unique<FakeValueType>("Count24", 3, true));
    return types;
}
