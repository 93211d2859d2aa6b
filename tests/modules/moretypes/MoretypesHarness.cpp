#include "MoretypesHarness.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace {

int32_t Collect(void* context, const void* record)
{
    static_cast<LoadedTypes*>(context)->records.push_back(*static_cast<const TypeRecord*>(record));
    return 1;
}

LoadedTypes Load()
{
    // Stays loaded for the whole process, like the host keeps its modules.
    void* handle = dlopen(MORETYPES_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        throw std::runtime_error(dlerror());
    auto entry = reinterpret_cast<VantrelExtensionProc>(dlsym(handle, VANTREL_EXTENSION_ENTRY));
    if (!entry)
        throw std::runtime_error("no entry point");
    LoadedTypes types;
    const char16_t* description = nullptr;
    entry(&types, Collect, &description);
    if (description)
        types.description = QString::fromUtf16(description);
    return types;
}

} // namespace

const LoadedTypes& Moretypes()
{
    static const LoadedTypes types = Load();
    return types;
}

const TypeRecord& LoadedTypes::Type(const char* name) const
{
    for (const TypeRecord& record : records)
        if (QString::fromUtf16(record.name) == QLatin1String(name))
            return record;
    throw std::runtime_error(std::string("no type ") + name);
}

QString FormatValue(const TypeRecord& type, const QByteArray& bytes, bool bigEndian, int radix)
{
    EXPECT_EQ(bytes.size(), type.size) << "test data for " << QString::fromUtf16(type.name).toStdString();
    auto data = std::make_unique<uint8_t[]>(size_t(type.size));
    std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), type.size), data.get());
    auto text = std::make_unique<char16_t[]>(size_t(type.maxText));
    text[size_t(type.maxText) - 1] = u'\xFFFF';
    type.format(data.get(), text.get(), bigEndian ? 1 : 0, radix);
    EXPECT_EQ(std::char_traits<char16_t>::find(text.get(), size_t(type.maxText), u'\0') != nullptr, true)
        << "terminated within maxText";
    return QString::fromUtf16(text.get());
}

std::optional<QByteArray> ParseValue(const TypeRecord& type, const QString& text, bool bigEndian, int32_t* radix)
{
    auto data = std::make_unique<uint8_t[]>(size_t(type.size));
    const std::u16string copy = text.toStdU16String();
    if (!type.parse(copy.c_str(), data.get(), bigEndian ? 1 : 0, radix))
        return std::nullopt;
    return QByteArray(reinterpret_cast<const char*>(data.get()), type.size);
}
