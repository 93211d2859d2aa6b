#include "SettingsValues.h"

#include <QStringList>

int ReadInt(const QSettings& settings, QAnyStringView key, int fallback)
{
    const QVariant value = settings.value(key);
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const int asSigned = value.toInt(&ok);
    if (ok)
        return asSigned;
    // Colours with bit 31 set may have been written as unsigned numbers.
    const uint asUnsigned = value.toUInt(&ok);
    return ok ? int(asUnsigned) : fallback;
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

void WriteBytes(QSettings& settings, QAnyStringView key, const QByteArray& value) { settings.setValue(key, value); }
