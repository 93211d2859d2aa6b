// The main window's structure commands: the "Structures" dialog, and the
// collection's files and questions that the dialog and the exit share.
#include "MainFrame.h"

#include "app/AppContext.h"
#include "app/InspectorDock.h"
#include "ext/ExtensionRegistries.h"
#include "inspect/StructureCollection.h"
#include "types/ValueTypeRegistry.h"
#include "inspectview/StructureCommands.h"
#include "inspectview/StructuresDlg.h"
#include "settings/AppSettings.h"
#include "furniture/UserInterface.h"

void CMainFrame::ConnectStructureCommands()
{
    structures_ = std::make_unique<CStructureCommands>(
        this, context_.structures, ValueTypes(), [] { TypeRegistry().Load(); }, ui_);
    connect(commands_[Cmd::ViewStructures], &QAction::triggered, this, &CMainFrame::OnStructures);
}

void CMainFrame::OnStructures()
{
    // The editor offers every data type, the modules' ones included.
    TypeRegistry().Load();
    AppSettings& s = context_.settings;
    CStructuresDlg dialog(*structures_, s.reloadStructures, this);
    ui_.RunDialog(dialog);
    s.reloadStructures = dialog.ReloadOnStartup();
    // Whatever the dialog did (edits, a load, an import), the Structure
    // View lays its rows out again.
    RebuildInspector();
}
