#pragma once
// Single values of the settings store in the three kinds it keeps: 32-bit
// integers (booleans as 0 or 1), texts and byte blocks. A missing or unreadable
// value gives the fallback, never an error: the store may be hand-edited or
// written by an older version.
#include <QAnyStringView>
#include <QByteArray>
#include <QSettings>
#include <QString>
#include <cstdint>
#include <optional>

// Enters a group of the store for the lifetime of the object.
class SettingsGroupScope {
public:
    SettingsGroupScope(QSettings& settings, QAnyStringView group) : settings_(settings) { settings_.beginGroup(group); }
    ~SettingsGroupScope() { settings_.endGroup(); }
    SettingsGroupScope(const SettingsGroupScope&) = delete;
    SettingsGroupScope& operator=(const SettingsGroupScope&) = delete;

private:
    QSettings& settings_;
};

// A stored number outside the signed 32-bit range counts as unreadable.
int ReadInt(const QSettings& settings, QAnyStringView key, int fallback);
// A 32-bit word (a colour), written signed or unsigned.
uint32_t ReadWord(const QSettings& settings, QAnyStringView key, uint32_t fallback);
bool ReadFlag(const QSettings& settings, QAnyStringView key, bool fallback);
QString ReadText(const QSettings& settings, QAnyStringView key, const QString& fallback);
// A file name. Names that are valid UTF-8 are plain texts; a name holding
// bytes that are not (which a text value cannot carry) is kept as a byte block
// of exactly those bytes, so it leads to the same file when read back.
QString ReadFileName(const QSettings& settings, QAnyStringView key, const QString& fallback);
// The stored bytes, or nothing when the value is missing.
std::optional<QByteArray> ReadBytes(const QSettings& settings, QAnyStringView key);

void WriteInt(QSettings& settings, QAnyStringView key, int value);
void WriteFlag(QSettings& settings, QAnyStringView key, bool value);
void WriteText(QSettings& settings, QAnyStringView key, const QString& value);
void WriteFileName(QSettings& settings, QAnyStringView key, const QString& name);
void WriteBytes(QSettings& settings, QAnyStringView key, const QByteArray& value);
