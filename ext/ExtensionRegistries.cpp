#include "ExtensionRegistries.h"

#include "settings/SettingsHooks.h"
#include "types/ValueTypeRegistry.h"

TaskExtensions& TaskRegistry()
{
    static TaskExtensions registry;
    return registry;
}

TaskExtensions& LoadedTaskRegistry()
{
    TaskExtensions& registry = TaskRegistry();
    registry.Load();
    return registry;
}

TypeExtensions& TypeRegistry()
{
    // The value-type registry is created first so that it outlives this one,
    // whose destructor removes the custom types from it.
    static ValueTypeRegistry& types = ValueTypes();
    static TypeExtensions registry(types);
    return registry;
}

void InstallExtensionSettingsHooks()
{
    SettingsHooks hooks = InstalledSettingsHooks();
    hooks.loadDataTypeModules = [] { TypeRegistry().Load(); };
    hooks.applyHiddenTypes = [](const QString& text) { ValueTypes().ApplyHiddenTypes(text); };
    hooks.hiddenTypesText = [] { return ValueTypes().HiddenTypesText(); };
    InstallSettingsHooks(std::move(hooks));
}

void ReleaseExtensionModules()
{
    TaskRegistry().Release();
    TypeRegistry().Release();
}
