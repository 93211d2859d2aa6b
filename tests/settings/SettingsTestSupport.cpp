#include "SettingsTestSupport.h"

#include <QtEndian>

namespace {
QString FullKey(const QString& key) { return key.contains(u'/') ? key : QStringLiteral("Settings/") + key; }
} // namespace

void SettingsFileTest::Put(const QString& key, const QVariant& value) const
{
    auto store = Open();
    store->setValue(FullKey(key), value);
}

QVariant SettingsFileTest::Stored(const QString& key, const QString& name) const
{
    return Open(name)->value(FullKey(key));
}

AppSettings SettingsFileTest::Load(const QString& name) const
{
    AppSettings settings;
    auto store = Open(name);
    LoadSettings(settings, *store);
    LoadMainWindowSettings(settings, *store);
    return settings;
}

void SettingsFileTest::Save(const AppSettings& settings, const QString& name) const
{
    auto store = Open(name);
    EXPECT_TRUE(SaveSettings(settings, *store));
    EXPECT_TRUE(SaveMainWindowSettings(settings, *store));
}

QByteArray Int32Bytes(std::initializer_list<int32_t> values)
{
    QByteArray bytes;
    for (int32_t value : values) {
        char word[4];
        qToLittleEndian<int32_t>(value, word);
        bytes.append(word, 4);
    }
    return bytes;
}

void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

void PrintTo(const QVariant& value, std::ostream* out)
{
    if (value.typeId() == QMetaType::QByteArray)
        *out << "bytes " << value.toByteArray().toHex(' ').toStdString();
    else
        *out << value.typeName() << ' ' << value.toString().toStdString();
}
