#pragma once
// The user's side of keeping the structure collection in files: the save
// dialog, the save-changes question before the collection is replaced or
// the program ends, loading with that question, choosing a collection to
// load, and importing structures from another collection. The file format
// and the question's logic live in inspect/; this adds the file choosers
// and the import dialog.
#include "furniture/UserInterface.h"

#include <QString>

#include <functional>

class QWidget;
class StructureCollection;
class ValueTypeRegistry;

class CStructureCommands {
public:
    // ensureTypesLoaded brings in the data-type modules, so custom member
    // types in a file find their registry entries.
    CStructureCommands(QWidget* parent, StructureCollection& collection, const ValueTypeRegistry& types,
                       std::function<void()> ensureTypesLoaded, IUserInterface& ui);

    StructureCollection& Collection() const { return collection_; }
    const ValueTypeRegistry& Types() const { return types_; }
    // What shows the commands' dialogs, and those of the dialogs they open.
    IUserInterface& UserInterface() const { return ui_; }

    // Asks for a file ("Save Structure Collection") and writes the
    // collection. False when the user cancelled or the file could not be
    // written; an empty collection is reported and counts as saved.
    bool Save();
    // The save-changes question for a modified collection; false when the
    // caller must stop.
    bool SaveModified();
    // Loads path, first asking to save a modified collection when
    // askToSave is set. True when the collection now holds the file.
    bool LoadWithPrompt(const QString& path, bool askToSave);
    // "Load Structures...": the question, the "Load Structure Collection"
    // chooser, the question again if still modified, then the load.
    bool ChooseAndLoad();
    // "Import...": the "Import Structures" chooser, the file read into a
    // temporary collection, the choice of structures, the merge and its
    // report. True when anything was merged.
    bool Import();

private:
    void EnsureTypesLoaded() const;

    QWidget* parent_;
    StructureCollection& collection_;
    const ValueTypeRegistry& types_;
    std::function<void()> ensureTypesLoaded_;
    IUserInterface& ui_;
};

// The filter of every structure file chooser.
QString StructureFileFilter();
// The Load, Save and Import dialogs of structure collections.
FileRequest StructureFileRequest(FileChoice kind, const QString& title, const QString& startPath);
// "Unable to import from %s. This file contains no structures."
QString NoStructuresToImportText(const QString& path);
