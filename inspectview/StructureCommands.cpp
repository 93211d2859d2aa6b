#include "StructureCommands.h"

#include "inspect/StructureFile.h"
#include "inspect/StructureRules.h"
#include "inspect/StructureStore.h"
#include "inspectview/ImportStructsDlg.h"
#include "platform/MessageBox.h"
#include "furniture/UserInterface.h"

#include <QDialog>

#include <optional>
#include <set>

FileRequest StructureFileRequest(FileChoice kind, const QString& title, const QString& startPath)
{
    FileRequest request;
    request.kind = kind;
    request.title = title;
    request.startPath = startPath;
    request.nameFilters = {StructureFileFilter()};
    request.defaultSuffix = QStringLiteral("str");
    return request;
}

QString StructureFileFilter() { return QStringLiteral("Structure Files (*.str)"); }

QString NoStructuresToImportText(const QString& path)
{
    return QStringLiteral("Unable to import from %1. This file contains no structures.").arg(path);
}

CStructureCommands::CStructureCommands(QWidget* parent, StructureCollection& collection, const ValueTypeRegistry& types,
                                       std::function<void()> ensureTypesLoaded, IUserInterface& ui)
    : parent_(parent), collection_(collection), types_(types), ensureTypesLoaded_(std::move(ensureTypesLoaded)), ui_(ui)
{
}

void CStructureCommands::EnsureTypesLoaded() const
{
    if (ensureTypesLoaded_)
        ensureTypesLoaded_();
}

bool CStructureCommands::Save()
{
    if (collection_.IsEmpty()) {
        platform::ShowMessage(NoStructuresToSaveText());
        return true;
    }
    const FileRequest request =
        StructureFileRequest(FileChoice::Save, QStringLiteral("Save Structure Collection"), collection_.Path());
    const std::optional<QString> path = ui_.ChooseFilePath(parent_, request);
    if (!path || path->isEmpty())
        return false;
    return SaveStructureFile(collection_, *path, types_);
}

bool CStructureCommands::SaveModified()
{
    return QueryStructureSaveChanges(collection_, [this] { return Save(); });
}

bool CStructureCommands::LoadWithPrompt(const QString& path, bool askToSave)
{
    EnsureTypesLoaded();
    if (askToSave && collection_.IsModified() && !SaveModified())
        return false;
    return LoadStructureFile(collection_, path, types_);
}

bool CStructureCommands::ChooseAndLoad()
{
    if (collection_.IsModified() && !SaveModified())
        return false;
    const FileRequest request =
        StructureFileRequest(FileChoice::Open, QStringLiteral("Load Structure Collection"), collection_.Path());
    const std::optional<QString> path = ui_.ChooseFilePath(parent_, request);
    if (!path || path->isEmpty())
        return false;
    return LoadWithPrompt(*path, true);
}

bool CStructureCommands::Import()
{
    const FileRequest request = StructureFileRequest(FileChoice::Open, QStringLiteral("Import Structures"), QString());
    const std::optional<QString> path = ui_.ChooseFilePath(parent_, request);
    if (!path || path->isEmpty())
        return false;
    EnsureTypesLoaded();
    StructureCollection imported;
    if (!LoadStructureFile(imported, *path, types_))
        return false;
    if (imported.IsEmpty()) {
        platform::ShowMessage(NoStructuresToImportText(*path), platform::MsgButtons::Ok,
                              platform::MsgIcon::Information);
        return false;
    }
    CImportStructsDlg dialog(imported, ui_, parent_);
    if (ui_.RunDialog(dialog) != QDialog::Accepted)
        return false;
    const ImportOutcome outcome = ImportStructures(collection_, std::move(imported), dialog.Ticked());
    if (!outcome.message.isEmpty())
        platform::ShowMessage(outcome.message, platform::MsgButtons::Ok, platform::MsgIcon::Information);
    return outcome.merged;
}
