// The main window's editing commands: the Edit menu's view commands (undo,
// clipboard, file transfer) and the editing tools, with their update step.
#include "MainFrame.h"

#include "app/AppContext.h"
#include "app/CompareWindows.h"
#include "core/BinEditDoc.h"
#include "tools/BookmarkCollection.h"
#include "tools/BookmarkStore.h"
#include "tooldialogs/EditingCommands.h"
#include "view/BinEditView.h"
#include "view/CaretController.h"
#include "view/EditCommands.h"
#include "view/ViewClipboard.h"

void CMainFrame::ConnectEditingCommands()
{
    // Each command leaves the commands' states up to date, so tool bar
    // buttons follow at once (the bookmark buttons most of all).
    auto onTool = [this](Cmd id, void (CEditingCommands::*handler)()) {
        connect(commands_[id], &QAction::triggered, this, [this, handler] {
            (editing_.get()->*handler)();
            UpdateStatus();
            UpdateCommands();
        });
    };
    onTool(Cmd::EditFind, &CEditingCommands::Find);
    onTool(Cmd::EditFindNext, &CEditingCommands::FindNext);
    onTool(Cmd::EditFindPrevious, &CEditingCommands::FindPrevious);
    onTool(Cmd::EditReplace, &CEditingCommands::Replace);
    onTool(Cmd::EditGoTo, &CEditingCommands::GoTo);
    onTool(Cmd::ToolsModify, &CEditingCommands::Modify);
    onTool(Cmd::ToolsInsert, &CEditingCommands::Insert);
    onTool(Cmd::ToolsDelete, &CEditingCommands::Delete);
    onTool(Cmd::BookmarkToggle, &CEditingCommands::ToggleBookmark);
    onTool(Cmd::BookmarkList, &CEditingCommands::ShowBookmarks);
    onTool(Cmd::BookmarkNext, &CEditingCommands::NextBookmark);
    onTool(Cmd::BookmarkPrevious, &CEditingCommands::PreviousBookmark);
    onTool(Cmd::BookmarkClearAll, &CEditingCommands::ClearAllBookmarks);

    connect(commands_[Cmd::ToolsCompareFiles], &QAction::triggered, this, [this] {
        compare_->Run();
        UpdateStatus();
        UpdateCommands();
    });
    auto onDifference = [this](Cmd id, bool (CCompareSession::*step)(const CBinEditView*)) {
        connect(commands_[id], &QAction::triggered, this, [this, step] {
            if (CCompareSession* session = compare_->Command().Session())
                (session->*step)(ActiveView());
            UpdateStatus();
            UpdateCommands();
        });
    };
    onDifference(Cmd::ToolsNextDifference, &CCompareSession::GoToNext);
    onDifference(Cmd::ToolsPreviousDifference, &CCompareSession::GoToPrevious);
    connect(commands_[Cmd::WindowLinkScrolling], &QAction::triggered, this, [this](bool on) {
        if (CCompareSession* session = compare_->Command().Session())
            session->SetLinked(on);
        UpdateCommands();
    });

    // Each view command reaches the helper of the active view that owns it.
    auto onView = [this](Cmd id, void (*command)(CBinEditView&)) {
        connect(commands_[id], &QAction::triggered, this, [this, command] {
            if (CBinEditView* view = ActiveView())
                command(*view);
            UpdateStatus();
            UpdateCommands();
        });
    };
    onView(Cmd::EditUndo, [](CBinEditView& view) { view.Edits().Undo(); });
    onView(Cmd::EditRedo, [](CBinEditView& view) { view.Edits().Redo(); });
    onView(Cmd::EditCut, [](CBinEditView& view) { view.Clipboard().Cut(); });
    onView(Cmd::EditCopy, [](CBinEditView& view) { view.Clipboard().Copy(); });
    onView(Cmd::EditPaste, [](CBinEditView& view) { view.Clipboard().Paste(); });
    onView(Cmd::EditCopyToFile, [](CBinEditView& view) { view.Clipboard().CopyToFileCommand(); });
    onView(Cmd::EditPasteFromFile, [](CBinEditView& view) { view.Clipboard().PasteFromFileCommand(); });
    connect(commands_[Cmd::EditSelectAll], &QAction::triggered, this, [this] {
        if (CBinEditView* view = ActiveView())
            view->CaretControl().SelectAll();
        UpdateCommands();
    });
}

void CMainFrame::UpdateEditingCommands()
{
    const CBinEditView* view = ActiveView();
    const CBinEditDoc* doc = view ? view->Document() : nullptr;
    const bool hasView = doc != nullptr;
    const bool writable = hasView && !doc->IsReadOnly();

    commands_.SetEnabled(Cmd::EditUndo, hasView && view->Edits().CanUndo());
    commands_.SetEnabled(Cmd::EditRedo, hasView && view->Edits().CanRedo());
    commands_.SetEnabled(Cmd::EditCut, hasView && view->Clipboard().CanCut());
    commands_.SetEnabled(Cmd::EditCopy, hasView && view->Clipboard().CanCopy());
    commands_.SetEnabled(Cmd::EditPaste, hasView && view->Clipboard().CanPaste());
    commands_.SetEnabled(Cmd::EditSelectAll, hasView && view->CaretControl().CanSelectAll());
    commands_.SetEnabled(Cmd::EditCopyToFile, hasView && view->Clipboard().CanCopyToFile());
    commands_.SetEnabled(Cmd::EditPasteFromFile, hasView && view->Clipboard().CanPasteFromFile());

    for (Cmd id : {Cmd::EditFind, Cmd::EditFindNext, Cmd::EditFindPrevious, Cmd::EditGoTo, Cmd::BookmarkToggle})
        commands_.SetEnabled(id, hasView);
    // Commands that change the bytes are refused on a read-only document.
    for (Cmd id : {Cmd::EditReplace, Cmd::ToolsModify, Cmd::ToolsInsert, Cmd::ToolsDelete})
        commands_.SetEnabled(id, writable);

    // The collection belongs to the application: it can be managed, loaded
    // and cleared without a document; stepping through it needs a view.
    const bool haveBookmarks = !context_.bookmarks.IsEmpty();
    commands_.SetEnabled(Cmd::BookmarkList, true);
    commands_.SetEnabled(Cmd::BookmarkNext, hasView && haveBookmarks);
    commands_.SetEnabled(Cmd::BookmarkPrevious, hasView && haveBookmarks);
    commands_.SetEnabled(Cmd::BookmarkClearAll, haveBookmarks);
    // Files can be browsed for, so comparing needs no open document.
    commands_.SetEnabled(Cmd::ToolsCompareFiles, true);
    const CCompareSession* session = compare_->Command().Session();
    commands_.SetEnabled(Cmd::ToolsNextDifference, session && session->HasResults());
    commands_.SetEnabled(Cmd::ToolsPreviousDifference, session && session->HasResults());
    commands_.SetEnabled(Cmd::WindowLinkScrolling, session != nullptr);
    commands_.SetChecked(Cmd::WindowLinkScrolling, session && session->Linked());
}
