#include "TypeExtensions.h"

#include "types/ValueTypeRegistry.h"

#include <algorithm>
#include <memory>
#include <utility>

TypeExtensions::TypeExtensions(ValueTypeRegistry& registry, QString directory)
    : ExtensionManager(std::move(directory)), registry_(registry)
{
    SizeScratchBuffers();
}

TypeExtensions::~TypeExtensions() { ForgetRecords(); }

bool TypeExtensions::RegisterRecord(const void* record)
{
    const auto& type = *static_cast<const TypeRecord*>(record);
    if (!type.name || type.name[0] == u'\0' || !type.format || !type.parse || type.size <= 0)
        return false;
    records_.push_back({type, LoadingModuleIndex()});
    return true;
}

void TypeExtensions::SizeScratchBuffers()
{
    int valueSize = ValueTypeRegistry::kMinValueBufferSize;
    int textLength = ValueTypeRegistry::kMinTextBufferLength;
    for (const CustomRecord& custom : records_) {
        valueSize = std::max(valueSize, custom.record.size);
        textLength = std::max(textLength, custom.record.maxText);
    }
    scratch_.value.assign(size_t(valueSize), 0);
    scratch_.text.assign(size_t(textLength) + 1, u'\0');
}

void TypeExtensions::AfterLoading()
{
    SizeScratchBuffers();
    std::vector<std::unique_ptr<ValueType>> types;
    types.reserve(records_.size());
    for (const CustomRecord& custom : records_) {
        const ExtensionModule& module = Module(custom.moduleIndex);
        types.push_back(std::make_unique<CCustomType>(custom.record, module.path, module.description, scratch_));
    }
    registry_.SetCustomTypes(std::move(types));
}

void TypeExtensions::ForgetRecords()
{
    // The registry's custom types call into the modules; they go before the libraries do.
    if (!records_.empty())
        registry_.ClearCustomTypes();
    records_.clear();
}
