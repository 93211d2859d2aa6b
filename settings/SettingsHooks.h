#pragma once
// What loading and saving the settings asks of subsystems that live above the
// settings store (bookmarks, structures, data types). The application installs
// them once; any hook left empty is skipped, and the value it would supply is
// written back as it was loaded.
#include <QString>
#include <functional>

struct SettingsHooks {
    // Load: reopen the last collection (called only when its reload option is
    // on and the path is not empty).
    std::function<void(const QString& path)> reloadBookmarks;
    std::function<void(const QString& path)> reloadStructures;
    // Load: bring in the data-type modules, then mark the types the text names hidden.
    std::function<void()> loadDataTypeModules;
    std::function<void(const QString& text)> applyHiddenTypes;
    // Save: the current values of "BookmarksFile", "StructuresFile", "HiddenTypes";
    // the path hooks are given the path the store holds.
    std::function<QString(const QString& stored)> bookmarksPath;
    std::function<QString(const QString& stored)> structuresPath;
    std::function<QString()> hiddenTypesText;
};

void InstallSettingsHooks(SettingsHooks hooks);
const SettingsHooks& InstalledSettingsHooks();
