#pragma once
// Which field of AppSettings each key of the "Settings" section fills, in the
// order the keys are read and written. Loading and saving walk the same
// tables, so a key cannot be saved under one name and loaded under another.
#include "settings/AppSettings.h"

#include <QSettings>
#include <span>
#include <variant>

struct ColorSlotField { int slot; };
struct UserColorsField {};
struct FontField {};

using SettingsField = std::variant<bool AppSettings::*, int AppSettings::*, QString AppSettings::*,
                                   QByteArray AppSettings::*, ColorSlotField, UserColorsField, FontField>;

struct SettingsKey {
    const char* name;
    SettingsField field;
};

// The preferences written at exit, in order: general, layout and colours,
// status and file types, then the tool-dialog keys up to "SideBySide" (the
// bookmark, structure and data-type keys follow the tools; see SettingsStore).
std::span<const SettingsKey> PreferenceKeys();
// The main window's own keys after "WindowPos".
std::span<const SettingsKey> MainWindowKeys();

// Both work inside the "Settings" group. A missing key takes its value from defaults.
void ReadSettingsKey(const QSettings& settings, const SettingsKey& key, const AppSettings& defaults, AppSettings& into);
void WriteSettingsKey(QSettings& settings, const SettingsKey& key, const AppSettings& from);
