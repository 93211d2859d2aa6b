#include "SettingsValues.h"

#include "platform/FileNames.h"

#include <QStringList>
#include <cstdint>

namespace {
// The stored number, or nothing when it is missing, not a number, or outside
// [lowest, highest]. QVariant's own toInt truncates large numbers and still
// reports success, so the value is read at 64 bits and checked here.
std::optional<qint64> ReadNumber(const QSettings& settings, QAnyStringView key, qint64 lowest, qint64 highest)
{
    const QVariant value = settings.value(key);
    if (!value.isValid())
        return std::nullopt;
    bool ok = false;
    const qint64 number = value.typeId() == QMetaType::QString ? value.toString().trimmed().toLongLong(&ok)
                                                               : value.toLongLong(&ok);
    if (!ok || number < lowest || number > highest)
        return std::nullopt;
    return number;
}
} // namespace

int ReadInt(const QSettings& settings, QAnyStringView key, int fallback)
{
    return int(ReadNumber(settings, key, INT32_MIN, INT32_MAX).value_or(fallback));
}

uint32_t ReadWord(const QSettings& settings, QAnyStringView key, uint32_t fallback)
{
    // Colours with bit 31 set may have been written as unsigned numbers.
    const std::optional<qint64> number = ReadNumber(settings, key, INT32_MIN, UINT32_MAX);
    return number ? uint32_t(*number) : fallback;
}

bool ReadFlag(const QSettings& settings, QAnyStringView key, bool fallback)
{
    return ReadInt(settings, key, fallback ? 1 : 0) != 0;
}

QString ReadText(const QSettings& settings, QAnyStringView key, const QString& fallback)
{
    const QVariant value = settings.value(key);
    if (!value.isValid())
        return fallback;
    // A hand-edited INI text with unquoted commas reads back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

QString ReadFileName(const QSettings& settings, QAnyStringView key, const QString& fallback)
{
    const QVariant value = settings.value(key);
    if (value.typeId() == QMetaType::QByteArray)
        return platform::DecodeFileName(value.toByteArray());
    return ReadText(settings, key, fallback);
}

std::optional<QByteArray> ReadBytes(const QSettings& settings, QAnyStringView key)
{
    const QVariant value = settings.value(key);
    if (!value.isValid())
        return std::nullopt;
    return value.toByteArray();
}

void WriteInt(QSettings& settings, QAnyStringView key, int value) { settings.setValue(key, value); }

void WriteFlag(QSettings& settings, QAnyStringView key, bool value) { settings.setValue(key, value ? 1 : 0); }

void WriteText(QSettings& settings, QAnyStringView key, const QString& value) { settings.setValue(key, value); }

void WriteFileName(QSettings& settings, QAnyStringView key, const QString& name)
{
    const QByteArray bytes = platform::EncodeFileName(name);
    if (bytes == name.toUtf8())
        settings.setValue(key, name);
    else
        settings.setValue(key, bytes);
}

void WriteBytes(QSettings& settings, QAnyStringView key, const QByteArray& value) { settings.setValue(key, value); }
