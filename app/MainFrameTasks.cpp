// The main window's task commands: Import and Export on the File menu, Copy
// As and Paste As on the Edit menu and the view's context menu, Convert Data
// and Compute Checksum on the Tools menu.
#include "MainFrame.h"

#include "app/AppContext.h"
#include "core/BinEditDoc.h"
#include "tooldialogs/TaskCommands.h"
#include "view/BinEditView.h"

void CMainFrame::ConnectTaskCommands()
{
    tasks_ = std::make_unique<CTaskCommands>(
        this, [this] { return ActiveView(); }, [this](const QString& path) { return OpenImported(path); },
        context_.taskChoices, context_.settings, ui_);
    auto on = [this](Cmd id, void (CTaskCommands::*handler)()) {
        connect(commands_[id], &QAction::triggered, this, [this, handler] {
            (tasks_.get()->*handler)();
            UpdateStatus();
            UpdateCommands();
        });
    };
    on(Cmd::FileImport, &CTaskCommands::Import);
    on(Cmd::FileExport, &CTaskCommands::Export);
    on(Cmd::EditCopyAs, &CTaskCommands::CopyAs);
    on(Cmd::EditPasteAs, &CTaskCommands::PasteAs);
    on(Cmd::ToolsConvertData, &CTaskCommands::ConvertData);
    on(Cmd::ToolsComputeChecksum, &CTaskCommands::ComputeChecksum);
    commands_[Cmd::EditCopyAs]->setToolTip(QStringLiteral("Copy As"));
    commands_[Cmd::EditPasteAs]->setToolTip(QStringLiteral("Paste As"));
    commands_[Cmd::ToolsConvertData]->setToolTip(QStringLiteral("Convert"));
    commands_[Cmd::ToolsComputeChecksum]->setToolTip(QStringLiteral("Checksum"));
}

void CMainFrame::UpdateTaskCommands()
{
    const CBinEditView* view = ActiveView();
    commands_.SetEnabled(Cmd::FileImport, true);
    commands_.SetEnabled(Cmd::FileExport, ActiveDocument() != nullptr);
    commands_.SetEnabled(Cmd::EditCopyAs, CTaskCommands::CanCopyAs(view));
    commands_.SetEnabled(Cmd::EditPasteAs, CTaskCommands::CanPasteAs(view));
    commands_.SetEnabled(Cmd::ToolsConvertData, CTaskCommands::CanConvertData(view));
    commands_.SetEnabled(Cmd::ToolsComputeChecksum, CTaskCommands::CanComputeChecksum(view));
}

bool CMainFrame::OpenImported(const QString& path)
{
    CBinEditDoc* document = documents_.NewDocument();
    if (!document)
        return false;
    if (!document->LoadForImport(path)) {
        // The failure was reported; an empty stand-in would only mislead.
        documents_.CloseDocument(document, false);
        return false;
    }
    document->SetModifiedFlag(false);
    DocumentChanged(document);
    return true;
}
