#pragma once
// Loading AppSettings from the per-user store and writing it back. Every
// function expects the QSettings object at its root group. Loading never
// fails: a missing or unreadable key gives its default. Saving reports
// whether the store accepted the write (the store's status says why not);
// the exit tells the user, and values that could not be written keep their
// old stored values.
#include "settings/AppSettings.h"
#include "settings/SettingsHooks.h"

#include <QSettings>

// Start-up: the recent files, the preferences with their load-time
// corrections and the user tools, then (through the installed hooks) the last
// bookmark and structure collections when their reload options are on, the
// data-type modules and the hidden types. The main-window group is left to
// LoadMainWindowSettings.
void LoadSettings(AppSettings& settings, QSettings& store);
void LoadSettings(AppSettings& settings);  // the user's store (platform::OpenSettings)

// Exit: the preferences, the user tools (the section is rewritten), then the
// bookmark, structure and hidden-type keys as the installed hooks report them,
// and the recent files. Returns false when the store could not be written.
bool SaveSettings(const AppSettings& settings, QSettings& store);
bool SaveSettings(const AppSettings& settings);

// The main window's placement and the Data Inspector keys: read when the
// window is created, written when it closes. A stored "WindowPos" other than
// a 16-byte non-empty rectangle leaves windowPos empty.
void LoadMainWindowSettings(AppSettings& settings, QSettings& store);
void LoadMainWindowSettings(AppSettings& settings);
bool SaveMainWindowSettings(const AppSettings& settings, QSettings& store);
bool SaveMainWindowSettings(const AppSettings& settings);
