#pragma once
// A settings store in a private INI file, and ways to put raw values into it
// and read them back, for the settings store tests.
#include "settings/SettingsHooks.h"
#include "settings/SettingsStore.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class SettingsFileTest : public ::testing::Test {
protected:
    void TearDown() override { InstallSettingsHooks({}); }

    QString IniPath(const QString& name = QStringLiteral("Vantrel.ini")) const { return dir_.filePath(name); }
    std::unique_ptr<QSettings> Open(const QString& name = QStringLiteral("Vantrel.ini")) const
    {
        return std::make_unique<QSettings>(IniPath(name), QSettings::IniFormat);
    }
    // Stores one raw value under "Settings" (or a full path when it has a "/").
    void Put(const QString& key, const QVariant& value) const;
    QVariant Stored(const QString& key, const QString& name = QStringLiteral("Vantrel.ini")) const;

    AppSettings Load(const QString& name = QStringLiteral("Vantrel.ini")) const;
    void Save(const AppSettings& settings, const QString& name = QStringLiteral("Vantrel.ini")) const;

private:
    QTemporaryDir dir_;
};

QByteArray Int32Bytes(std::initializer_list<int32_t> values);

// Readable failure output for Qt values.
void PrintTo(const QString& text, std::ostream* out);
void PrintTo(const QVariant& value, std::ostream* out);
