#pragma once
// TypeExtensions: the registry of custom data types offered by data-type
// modules ("*.vtt"). After loading it sizes the shared scratch buffers and
// rebuilds the ValueTypeRegistry: the twelve standard types, then one
// CCustomType per accepted record in registration order.
#include "ext/CCustomType.h"
#include "ext/ExtensionManager.h"

#include <QString>

#include <vector>

class ValueTypeRegistry;

class TypeExtensions final : public ExtensionManager {
public:
    // The registry this one fills; it must outlive this object.
    explicit TypeExtensions(ValueTypeRegistry& registry, QString directory = QString());
    ~TypeExtensions() override;

    struct CustomRecord {
        TypeRecord record;
        int moduleIndex = 0;
    };
    const std::vector<CustomRecord>& Records() const { return records_; }

    int ValueBufferSize() const { return int(scratch_.value.size()); }
    // In characters, not counting the terminator the host keeps behind it.
    int TextBufferLength() const { return int(scratch_.text.size()) - 1; }

protected:
    QString FilePattern() const override { return QStringLiteral("*.vtt"); }
    bool RegisterRecord(const void* record) override;
    void AfterLoading() override;
    void ForgetRecords() override;

private:
    void SizeScratchBuffers();

    ValueTypeRegistry& registry_;
    std::vector<CustomRecord> records_;
    CustomTypeScratch scratch_;
};
