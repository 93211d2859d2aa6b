#include "SettingsStore.h"

#include "settings/ExternalToolsStore.h"
#include "settings/RecentFilesStore.h"
#include "settings/SettingsKeyTable.h"
#include "settings/SettingsValues.h"
#include "platform/SettingsBackend.h"

#include <algorithm>

namespace {

const QString kSettingsGroup = QStringLiteral("Settings");

constexpr int kMinBytesPerRow = 2;
constexpr int kMaxBytesPerRow = 256;
constexpr int kMaxGroupBy = 3;
constexpr int kHexAndCharColumns = 3;

// Values that would leave a view without columns or a comparison without a
// minimum length are replaced; out-of-range numbers from a hand-edited store
// are brought into the range the rest of the program assumes.
void CorrectLoadedPreferences(AppSettings& s, const AppSettings& defaults)
{
    s.columns &= kHexAndCharColumns;
    if (s.columns == 0)
        s.columns = kHexAndCharColumns;
    if (s.minMatchLen <= 0)
        s.minMatchLen = defaults.minMatchLen;
    if (s.fileFilters.isEmpty())
        s.fileFilters = defaults.fileFilters;
    s.bytesPerRow = std::clamp(s.bytesPerRow, kMinBytesPerRow, kMaxBytesPerRow);
    if (s.groupBy < 0 || s.groupBy > kMaxGroupBy)
        s.groupBy = defaults.groupBy;
    s.undoLevels = std::clamp(s.undoLevels, 0, kMaxUndoLevels);
    s.redoLevels = std::clamp(s.redoLevels, 0, s.undoLevels);
    s.extentThresholdMiB = std::clamp(s.extentThresholdMiB, 0, kMaxExtentThresholdMiB);
    s.blockCacheMiB = std::clamp(s.blockCacheMiB, kMinBlockCacheMiB, kMaxBlockCacheMiB);
}

void LoadPreferences(AppSettings& s, QSettings& store, const AppSettings& defaults)
{
    SettingsGroupScope group(store, kSettingsGroup);
    // Slots past the twelve colours are never stored and must stay zero.
    std::fill(std::begin(s.colors), std::end(s.colors), 0u);
    for (const SettingsKey& key : PreferenceKeys())
        ReadSettingsKey(store, key, defaults, s);
    CorrectLoadedPreferences(s, defaults);
}

// The keys whose values belong to the bookmark, structure and data-type
// subsystems: read here, then handed to them in the order they depend on
// each other (data types must exist before they can be hidden).
void LoadCollectionKeys(AppSettings& s, QSettings& store, const AppSettings& defaults, const SettingsHooks& hooks)
{
    SettingsGroupScope group(store, kSettingsGroup);
    s.bookmarksOffsetRadix = ReadInt(store, "BookmarksOffsetRadix", defaults.bookmarksOffsetRadix);
    s.bookmarksLengthRadix = ReadInt(store, "BookmarksLengthRadix", defaults.bookmarksLengthRadix);
    s.reloadBookmarks = ReadFlag(store, "ReloadBookmarks", defaults.reloadBookmarks);
    s.bookmarksFile = ReadFileName(store, "BookmarksFile", defaults.bookmarksFile);
    if (s.reloadBookmarks && !s.bookmarksFile.isEmpty() && hooks.reloadBookmarks)
        hooks.reloadBookmarks(s.bookmarksFile);

    s.reloadStructures = ReadFlag(store, "ReloadStructures", defaults.reloadStructures);
    s.structuresFile = ReadFileName(store, "StructuresFile", defaults.structuresFile);
    if (s.reloadStructures && !s.structuresFile.isEmpty() && hooks.reloadStructures)
        hooks.reloadStructures(s.structuresFile);

    if (hooks.loadDataTypeModules)
        hooks.loadDataTypeModules();
    s.hiddenTypes = ReadText(store, "HiddenTypes", defaults.hiddenTypes);
    if (hooks.applyHiddenTypes)
        hooks.applyHiddenTypes(s.hiddenTypes);
}

void SavePreferences(const AppSettings& s, QSettings& store)
{
    SettingsGroupScope group(store, kSettingsGroup);
    for (const SettingsKey& key : PreferenceKeys())
        WriteSettingsKey(store, key, s);
}

QString CurrentOr(const std::function<QString()>& hook, const QString& loaded) { return hook ? hook() : loaded; }

QString CurrentPathOr(const std::function<QString(const QString&)>& hook, const QString& stored)
{
    return hook ? hook(stored) : stored;
}

void SaveCollectionKeys(const AppSettings& s, QSettings& store, const SettingsHooks& hooks)
{
    SettingsGroupScope group(store, kSettingsGroup);
    WriteInt(store, "BookmarksOffsetRadix", s.bookmarksOffsetRadix);
    WriteInt(store, "BookmarksLengthRadix", s.bookmarksLengthRadix);
    WriteFlag(store, "ReloadBookmarks", s.reloadBookmarks);
    WriteFileName(store, "BookmarksFile", CurrentPathOr(hooks.bookmarksPath, s.bookmarksFile));
    WriteFlag(store, "ReloadStructures", s.reloadStructures);
    WriteFileName(store, "StructuresFile", CurrentPathOr(hooks.structuresPath, s.structuresFile));
    WriteText(store, "HiddenTypes", CurrentOr(hooks.hiddenTypesText, s.hiddenTypes));
}

bool Flush(QSettings& store)
{
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace

void LoadSettings(AppSettings& settings, QSettings& store)
{
    const AppSettings defaults;
    settings.recentFiles = LoadRecentFiles(store);
    LoadPreferences(settings, store, defaults);
    settings.tools = LoadExternalTools(store);
    LoadCollectionKeys(settings, store, defaults, InstalledSettingsHooks());
}

void LoadSettings(AppSettings& settings) { LoadSettings(settings, *platform::OpenSettings()); }

bool SaveSettings(const AppSettings& settings, QSettings& store)
{
    SavePreferences(settings, store);
    SaveExternalTools(store, settings.tools);
    SaveCollectionKeys(settings, store, InstalledSettingsHooks());
    SaveRecentFiles(store, settings.recentFiles);
    return Flush(store);
}

bool SaveSettings(const AppSettings& settings) { return SaveSettings(settings, *platform::OpenSettings()); }

void LoadMainWindowSettings(AppSettings& settings, QSettings& store)
{
    const AppSettings defaults;
    SettingsGroupScope group(store, kSettingsGroup);
    const auto windowPos = ReadBytes(store, "WindowPos");
    settings.windowPos = windowPos ? WindowRectFromBytes(*windowPos) : std::nullopt;
    for (const SettingsKey& key : MainWindowKeys())
        ReadSettingsKey(store, key, defaults, settings);
    // Only two inspector tabs exist.
    if (settings.dataViewType != 0 && settings.dataViewType != 1)
        settings.dataViewType = defaults.dataViewType;
}

void LoadMainWindowSettings(AppSettings& settings) { LoadMainWindowSettings(settings, *platform::OpenSettings()); }

bool SaveMainWindowSettings(const AppSettings& settings, QSettings& store)
{
    {
        SettingsGroupScope group(store, kSettingsGroup);
        // Without a rectangle, the stored one (if any) stays for the next run.
        if (settings.windowPos)
            WriteBytes(store, "WindowPos", WindowRectToBytes(*settings.windowPos));
        for (const SettingsKey& key : MainWindowKeys())
            WriteSettingsKey(store, key, settings);
    }
    return Flush(store);
}

bool SaveMainWindowSettings(const AppSettings& settings)
{
    return SaveMainWindowSettings(settings, *platform::OpenSettings());
}
