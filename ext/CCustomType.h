#pragma once
// CCustomType: a data type registered by a data-type module, offered through
// the same interface as a standard type. Format, parse and integer value go
// straight to the module's functions; the calls run through the registry's
// shared scratch buffers so a module never writes into the caller's memory
// past the sizes it declared.
#include "ext/interface/VantrelExtension.h"
#include "types/ValueType.h"

#include <QString>

#include <cstdint>
#include <vector>

// The buffers all custom types share: the value buffer holds the largest
// registered size, the text buffer the largest registered text length.
struct CustomTypeScratch {
    std::vector<uint8_t> value;
    std::vector<char16_t> text;
};

class CCustomType final : public ValueType {
public:
    // record.name, format and parse must be set and record.size must be
    // positive (the registry checks this when it accepts the record).
    CCustomType(const TypeRecord& record, QString modulePath, QString moduleDescription,
                CustomTypeScratch& scratch);

    QString Name() const override { return name_; }
    int Size() const override { return record_.size; }
    int DisplayLength() const override { return record_.maxText; }
    QString Format(const uint8_t* data, bool bigEndian, int radix) const override;
    bool Parse(QStringView text, bool bigEndian, uint8_t* out, int* radixOut) const override;
    bool HasIntegerValue() const override { return record_.toInteger != nullptr; }
    uint32_t IntegerValue(const uint8_t* data, bool bigEndian) const override;
    QString Description() const override;

    const QString& ModulePath() const { return modulePath_; }

private:
    TypeRecord record_;
    QString name_;
    QString modulePath_;
    QString moduleDescription_;
    CustomTypeScratch& scratch_;
};
