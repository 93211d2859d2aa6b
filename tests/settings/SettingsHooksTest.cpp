// The subsystems above the store reached through the hooks, and the
// process-wide record with the user's store.
#include "SettingsTestSupport.h"

#include "platform/SettingsBackend.h"

#include <QFile>

namespace {

SettingsHooks RecordingHooks(QStringList& calls)
{
    SettingsHooks hooks;
    hooks.reloadBookmarks = [&calls](const QString& path) { calls << "bookmarks " + path; };
    hooks.reloadStructures = [&calls](const QString& path) { calls << "structures " + path; };
    hooks.loadDataTypeModules = [&calls] { calls << "modules"; };
    hooks.applyHiddenTypes = [&calls](const QString& text) { calls << "hidden " + text; };
    return hooks;
}

} // namespace

TEST_F(SettingsFileTest, LoadReopensCollectionsThenLoadsModulesBeforeHidingTypes)
{
    Put("ReloadBookmarks", 1);
    Put("BookmarksFile", "/m.bmk");
    Put("ReloadStructures", 1);
    Put("StructuresFile", "/s.str");
    Put("HiddenTypes", "Byte{@::}1");
    QStringList calls;
    InstallSettingsHooks(RecordingHooks(calls));
    Load();
    EXPECT_EQ(calls, QStringList({"bookmarks /m.bmk", "structures /s.str", "modules", "hidden Byte{@::}1"}));
}

TEST_F(SettingsFileTest, CollectionsAreReopenedOnlyWithTheOptionOnAndAPath)
{
    Put("ReloadBookmarks", 0);
    Put("BookmarksFile", "/m.bmk");
    Put("ReloadStructures", 1);
    Put("StructuresFile", "");
    QStringList calls;
    InstallSettingsHooks(RecordingHooks(calls));
    Load();
    EXPECT_EQ(calls, QStringList({"modules", "hidden "}));
}

TEST_F(SettingsFileTest, SaveWritesTheCurrentPathsAndHiddenTypesFromTheHooks)
{
    SettingsHooks hooks;
    hooks.bookmarksPath = [](const QString& stored) { return stored == "/old.bmk" ? "/now.bmk" : stored; };
    hooks.structuresPath = [](const QString&) { return QString(); };
    hooks.hiddenTypesText = [] { return QStringLiteral("QWord{@::}8"); };
    InstallSettingsHooks(hooks);
    AppSettings s;
    s.bookmarksFile = "/old.bmk";
    s.structuresFile = "/old.str";
    Save(s);
    EXPECT_EQ(Stored("BookmarksFile").toString(), "/now.bmk");
    EXPECT_EQ(Stored("StructuresFile").toString(), "");
    EXPECT_EQ(Stored("HiddenTypes").toString(), "QWord{@::}8");
}

TEST_F(SettingsFileTest, WithoutHooksPathsAndHiddenTypesRoundTripUnchanged)
{
    Put("BookmarksFile", "/m.bmk");
    Put("StructuresFile", "/s.str");
    Put("HiddenTypes", "Byte{@::}1");
    Save(Load(), "again.ini");
    EXPECT_EQ(Stored("BookmarksFile", "again.ini").toString(), "/m.bmk");
    EXPECT_EQ(Stored("StructuresFile", "again.ini").toString(), "/s.str");
    EXPECT_EQ(Stored("HiddenTypes", "again.ini").toString(), "Byte{@::}1");
}

TEST(ProcessSettings, ConvenienceOverloadsUseTheUsersStore)
{
    const QString path = platform::SettingsFilePath();
    AppSettings settings;
    settings.undoLevels = 42;
    settings.windowMax = true;
    EXPECT_TRUE(SaveSettings(settings));
    EXPECT_TRUE(SaveMainWindowSettings(settings));
    EXPECT_EQ(platform::OpenSettings()->value("Settings/UndoLevels").toInt(), 42);

    AppSettings reloaded;
    LoadSettings(reloaded);
    LoadMainWindowSettings(reloaded);
    EXPECT_EQ(reloaded.undoLevels, 42);
    EXPECT_TRUE(reloaded.windowMax);
    settings = AppSettings{};
    QFile::remove(path);
}
