#include "TypextHarness.h"

#include <QFile>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

TypextModule::TypextModule()
{
    void* handle = dlopen(QFile::encodeName(QStringLiteral(TYPEXT_MODULE_PATH)).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        throw std::runtime_error(std::string("cannot load Typext.vtt: ") + dlerror());
    // The module stays loaded for the whole process, as in the host, so the
    // pointers it registered stay valid.
    auto entry = reinterpret_cast<VantrelExtensionProc>(dlsym(handle, VANTREL_EXTENSION_ENTRY));
    if (!entry)
        throw std::runtime_error("Typext.vtt lacks its entry point");
    const char16_t* description = nullptr;
    entry(this, &TypextModule::Register, &description);
    if (description)
        description_ = QString::fromUtf16(description);
}

const TypextModule& TypextModule::Get()
{
    static const TypextModule module;
    return module;
}

int32_t TypextModule::Register(void* hostContext, const void* record)
{
    static_cast<TypextModule*>(hostContext)->records_.push_back(*static_cast<const TypeRecord*>(record));
    return 1;
}

const TypeRecord& TypextModule::Type(const QString& name) const
{
    for (const TypeRecord& record : records_)
        if (record.name && QString::fromUtf16(record.name) == name)
            return record;
    throw std::runtime_error("no type " + name.toStdString());
}

QString FormatValue(const TypeRecord& type, const QByteArray& bytes, bool bigEndian)
{
    EXPECT_EQ(bytes.size(), type.size) << "test data of the wrong size";
    auto data = std::make_unique<uint8_t[]>(size_t(type.size));
    std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), type.size), data.get());
    auto text = std::make_unique<char16_t[]>(size_t(type.maxText));
    std::fill_n(text.get(), type.maxText, u'#');
    type.format(data.get(), text.get(), bigEndian ? 1 : 0, 16);
    const char16_t* end = std::find(text.get(), text.get() + type.maxText, u'\0');
    EXPECT_NE(end, text.get() + type.maxText) << "text not terminated within maxText";
    return QString::fromUtf16(text.get(), end - text.get());
}

std::optional<QByteArray> ParseValue(const TypeRecord& type, const QString& text, bool bigEndian, int32_t* radix)
{
    const std::u16string source = text.toStdU16String();
    auto data = std::make_unique<uint8_t[]>(size_t(type.size));
    std::fill_n(data.get(), type.size, uint8_t(0xCC));
    if (!type.parse(source.c_str(), data.get(), bigEndian ? 1 : 0, radix))
        return std::nullopt;
    return QByteArray(reinterpret_cast<const char*>(data.get()), type.size);
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(char(value));
    return bytes;
}

QByteArray Le16(int value) { return Bytes({value & 0xFF, (value >> 8) & 0xFF}); }
