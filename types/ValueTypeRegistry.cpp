#include "ValueTypeRegistry.h"

#include "types/StandardValueType.h"
#include "types/StdValueType.h"

#include <QStringList>

#include <algorithm>

ValueTypeRegistry::ValueTypeRegistry()
{
    entries_.reserve(STD_VALUE_TYPE_COUNT);
    for (int index = 0; index < STD_VALUE_TYPE_COUNT; ++index)
        entries_.push_back({std::make_unique<StandardValueType>(index), false});
    UpdateBufferSizes();
}

bool ValueTypeRegistry::IsCustomIndex(int index) { return index >= STD_VALUE_TYPE_COUNT; }

int ValueTypeRegistry::Find(QStringView name, int size) const
{
    for (int index = 0; index < Count(); ++index) {
        const ValueType& type = At(index);
        if (type.Size() == size && type.Name() == name)
            return index;
    }
    return -1;
}

void ValueTypeRegistry::SetCustomTypes(std::vector<std::unique_ptr<ValueType>> types)
{
    entries_.resize(STD_VALUE_TYPE_COUNT);
    for (auto& type : types)
        entries_.push_back({std::move(type), false});
    UpdateBufferSizes();
}

void ValueTypeRegistry::UpdateBufferSizes()
{
    maxValueSize_ = kMinValueBufferSize;
    maxTextLength_ = kMinTextBufferLength;
    for (const Entry& entry : entries_) {
        maxValueSize_ = std::max(maxValueSize_, entry.type->Size());
        maxTextLength_ = std::max(maxTextLength_, entry.type->DisplayLength());
    }
}

QString ValueTypeRegistry::HiddenTypesText() const
{
    QStringList parts;
    for (const Entry& entry : entries_) {
        if (!entry.hidden)
            continue;
        parts << entry.type->Name() << QString::number(entry.type->Size());
    }
    return parts.join(kHiddenTypesSeparator);
}

void ValueTypeRegistry::ApplyHiddenTypes(const QString& text)
{
    for (Entry& entry : entries_)
        entry.hidden = false;
    if (text.isEmpty())
        return;

    const QList<QStringView> parts = QStringView(text).split(kHiddenTypesSeparator);
    // A trailing name without its size names nothing.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        bool sizeOk = false;
        const int size = parts[i + 1].toInt(&sizeOk, 10);
        if (!sizeOk)
            continue;
        // Every entry with that identity is hidden: two modules may offer the same type.
        for (Entry& entry : entries_) {
            if (entry.type->Size() == size && entry.type->Name() == parts[i])
                entry.hidden = true;
        }
    }
}

ValueTypeRegistry& ValueTypes()
{
    static ValueTypeRegistry registry;
    return registry;
}
