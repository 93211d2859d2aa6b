#include "StructureCommands.h"

#include "inspect/StructureFile.h"
#include "inspect/StructureRules.h"
#include "inspect/StructureStore.h"
#include "inspectview/ImportStructsDlg.h"
#include "platform/MessageBox.h"
#include "tooldialogs/ToolDialogSeam.h"

#include <QDialog>

#include <optional>
#include <set>

namespace {
const QString kStructureSuffix = QStringLiteral("str");
} // namespace

QString StructureFileFilter() { return QStringLiteral("Structure Files (*.str)"); }

QString NoStructuresToImportText(const QString& path)
{
    return QStringLiteral("Unable to import from %1. This file contains no structures.").arg(path);
}

CStructureCommands::CStructureCommands(QWidget* parent, StructureCollection& collection,
                                       const ValueTypeRegistry& types, std::function<void()> ensureTypesLoaded)
    : parent_(parent), collection_(collection), types_(types), ensureTypesLoaded_(std::move(ensureTypesLoaded))
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
    const std::optional<QString> path =
        ChooseFileWithFilter(parent_, FileChoice::Save, QStringLiteral("Save Structure Collection"),
                             collection_.Path(), StructureFileFilter(), kStructureSuffix);
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
    const std::optional<QString> path =
        ChooseFileWithFilter(parent_, FileChoice::Open, QStringLiteral("Load Structure Collection"),
                             collection_.Path(), StructureFileFilter(), kStructureSuffix);
    if (!path || path->isEmpty())
        return false;
    return LoadWithPrompt(*path, true);
}

bool CStructureCommands::Import()
{
    const std::optional<QString> path =
        ChooseFileWithFilter(parent_, FileChoice::Open, QStringLiteral("Import Structures"), QString(),
                             StructureFileFilter(), kStructureSuffix);
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
    CImportStructsDlg dialog(imported, parent_);
    if (RunToolDialog(dialog) != QDialog::Accepted)
        return false;
    const ImportOutcome outcome = ImportStructures(collection_, std::move(imported), dialog.Ticked());
    if (!outcome.message.isEmpty())
        platform::ShowMessage(outcome.message, platform::MsgButtons::Ok, platform::MsgIcon::Information);
    return outcome.merged;
}
