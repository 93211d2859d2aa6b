#pragma once
// What the rest of the program asks of the structure collection: the
// save-changes question before loading another collection and at exit, and
// the settings hooks that reload the last collection at start-up and store
// its path.
#include <QString>

#include <functional>

class StructureCollection;
class ValueTypeRegistry;

// "You have made changes to the current structure collection. Would you like
// to save the current collection to disk?"
QString SaveStructureChangesQuestion();

// With a modified, non-empty collection the user chooses Yes (saveAs runs:
// the save dialog and SaveStructureFile), No or Cancel. Returns false when
// the caller must stop: Cancel, or a save that did not happen.
bool QueryStructureSaveChanges(StructureCollection& collection, const std::function<bool()>& saveAs);

// Installs reloadStructures (ensureTypesLoaded, then a load without the
// question) and structuresPath (the collection's path, or the stored one
// while it has none) into the settings hooks, keeping the other hooks.
void InstallStructureSettingsHooks(StructureCollection& collection, const ValueTypeRegistry& types,
                                   std::function<void()> ensureTypesLoaded);
