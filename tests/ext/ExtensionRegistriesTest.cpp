// The process-wide registries and the settings hooks they fill.
#include "settings/SettingsHooks.h"
#include "ext/ExtensionRegistries.h"
#include "types/ValueTypeRegistry.h"
#include "types/StdValueType.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

TEST(ExtensionRegistries, SettingsHooksLoadTypesApplyAndReportHiddenTypes)
{
    const SettingsHooks saved = InstalledSettingsHooks();
    QString reloaded;
    SettingsHooks others;
    others.reloadBookmarks = [&](const QString& path) { reloaded = path; };
    InstallSettingsHooks(others);

    InstallExtensionSettingsHooks();
    const SettingsHooks& hooks = InstalledSettingsHooks();
    ASSERT_TRUE(hooks.reloadBookmarks);
    hooks.reloadBookmarks("marks.bmk");
    EXPECT_EQ(reloaded, "marks.bmk");

    ASSERT_TRUE(hooks.loadDataTypeModules && hooks.applyHiddenTypes && hooks.hiddenTypesText);
    hooks.loadDataTypeModules();
    EXPECT_TRUE(TypeRegistry().IsLoaded());
    EXPECT_EQ(TypeRegistry().SearchDirectory(), QCoreApplication::applicationDirPath());

    hooks.applyHiddenTypes("Byte{@::}1{@::}QWord{@::}8");
    EXPECT_TRUE(ValueTypes().IsHidden(TYPE_BYTE));
    EXPECT_TRUE(ValueTypes().IsHidden(TYPE_QWORD));
    EXPECT_EQ(hooks.hiddenTypesText(), "Byte{@::}1{@::}QWord{@::}8");

    ValueTypes().ApplyHiddenTypes(QString());
    InstallSettingsHooks(saved);
}

TEST(ExtensionRegistries, TaskRegistryLoadsOnFirstNeedFromTheProgramDirectory)
{
    EXPECT_EQ(TaskRegistry().SearchDirectory(), QCoreApplication::applicationDirPath());
    TaskExtensions& tasks = LoadedTaskRegistry();
    EXPECT_EQ(&tasks, &TaskRegistry());
    EXPECT_TRUE(tasks.IsLoaded());
}
