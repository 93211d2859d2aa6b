#include "StructureStore.h"

#include "inspect/StructureCollection.h"
#include "inspect/StructureFile.h"
#include "tools/SaveChangesQuestion.h"
#include "settings/SettingsHooks.h"

QString SaveStructureChangesQuestion()
{
    return QStringLiteral("You have made changes to the current structure collection. Would you like to save the "
                          "current collection to disk?");
}

bool QueryStructureSaveChanges(StructureCollection& collection, const std::function<bool()>& saveAs)
{
    if (!collection.IsModified() || collection.IsEmpty())
        return true;
    return AskToSaveChanges(SaveStructureChangesQuestion(), saveAs);
}

void InstallStructureSettingsHooks(StructureCollection& collection, const ValueTypeRegistry& types,
                                   std::function<void()> ensureTypesLoaded)
{
    SettingsHooks hooks = InstalledSettingsHooks();
    // Custom member types are matched against the registry while reading, so
    // the modules that supply them come first.
    hooks.reloadStructures = [&collection, &types, ensureTypesLoaded = std::move(ensureTypesLoaded)](
                                 const QString& path) {
        if (ensureTypesLoaded)
            ensureTypesLoaded();
        LoadStructureFile(collection, path, types);
    };
    // Until a collection is loaded or saved this run, the stored path stays.
    hooks.structuresPath = [&collection](const QString& stored) {
        return collection.Path().isEmpty() ? stored : collection.Path();
    };
    InstallSettingsHooks(std::move(hooks));
}
