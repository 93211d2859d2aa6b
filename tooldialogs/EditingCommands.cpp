#include "EditingCommands.h"

#include "settings/AppSettings.h"
#include "platform/EscapePoller.h"
#include "platform/TerminationSignal.h"
#include "platform/MessageBox.h"
#include "tools/BookmarkCollection.h"
#include "tools/BookmarkCommands.h"
#include "tools/BookmarkFile.h"
#include "tools/BookmarkStore.h"
#include "tools/FindCommands.h"
#include "tools/ReplaceAll.h"
#include "tools/ReplaceSession.h"
#include "tooldialogs/BookmarksDlg.h"
#include "tooldialogs/DeleteDlg.h"
#include "tooldialogs/FindDlg.h"
#include "tooldialogs/GoToDlg.h"
#include "tooldialogs/InsertDlg.h"
#include "tooldialogs/ModifyDlg.h"
#include "tooldialogs/ReplaceDlg.h"
#include "tooldialogs/ReplaceNextDlg.h"
#include "tooldialogs/ViewToolAdapter.h"
#include "view/BinEditView.h"

#include "types/ValueTypeRegistry.h"

FileRequest BookmarkFileRequest(FileChoice kind, const QString& title, const QString& startPath)
{
    FileRequest request;
    request.kind = kind;
    request.title = title;
    // The collection's own file, whose name may not be UTF-8.
    request.startPath = startPath;
    request.selectStartFile = true;
    request.nameFilters = {QStringLiteral("Bookmark Files (*.bmk)")};
    request.defaultSuffix = QStringLiteral("bmk");
    return request;
}

CEditingCommands::CEditingCommands(QWidget* dialogParent, ActiveViewFn activeView, CBookmarkCollection& bookmarks,
                                   SearchState& search, AppSettings& settings, const ValueTypeRegistry& types,
                                   IUserInterface& ui)
    : parent_(dialogParent), activeView_(std::move(activeView)), bookmarks_(bookmarks), search_(search),
      settings_(settings), types_(types), escapePoller_(platform::MakeEventEscapePoller()), ui_(ui)
{
}

CBinEditView* CEditingCommands::WritableView() const
{
    CBinEditView* view = activeView_();
    if (!view || !view->Document() || view->Document()->IsReadOnly())
        return nullptr;
    return view;
}

// ---------------------------------------------------------------- find and replace

void CEditingCommands::Find()
{
    CBinEditView* view = activeView_();
    if (!view)
        return;
    CFindDlg dialog(FindSettings::Load(settings_), types_, ui_, parent_);
    if (ui_.RunDialog(dialog) != QDialog::Accepted)
        return;
    dialog.Current().Store(settings_);
    AdoptSearch(dialog.Build(), SearchDialog::Find, search_);
    CViewToolAdapter adapter(*view);
    if (dialog.SearchUp())
        ::FindPrevious(view->Document()->Buffer(), adapter, search_);
    else
        ::FindNext(view->Document()->Buffer(), adapter, search_);
}

void CEditingCommands::FindNext() { FindAgain(false); }

void CEditingCommands::FindPrevious() { FindAgain(true); }

// Find Next and Find Previous search with the current pattern; without one
// they open the Find dialog instead.
void CEditingCommands::FindAgain(bool upward)
{
    CBinEditView* view = activeView_();
    if (!view)
        return;
    if (!search_.HasPattern()) {
        Find();
        return;
    }
    CViewToolAdapter adapter(*view);
    if (upward)
        ::FindPrevious(view->Document()->Buffer(), adapter, search_);
    else
        ::FindNext(view->Document()->Buffer(), adapter, search_);
}

void CEditingCommands::Replace()
{
    CBinEditView* view = WritableView();
    if (!view)
        return;
    CViewToolAdapter adapter(*view);
    CReplaceDlg dialog(FindSettings::Load(settings_), adapter.Selection().hasSelection, types_, ui_, parent_);
    const int result = ui_.RunDialog(dialog);
    if (result != CReplaceDlg::FindNextResult && result != CReplaceDlg::ReplaceAllResult)
        return;
    dialog.Current().Store(settings_);
    AdoptSearch(dialog.Build(), SearchDialog::Replace, search_);
    if (result == CReplaceDlg::ReplaceAllResult) {
        RunReplaceAll(dialog.InSelection());
        return;
    }
    CReplaceSession session(*view->Document(), adapter, search_);
    session.Begin();
    CReplaceNextDlg next(session, parent_);
    if (ui_.RunDialog(next) == CReplaceNextDlg::ReplaceAllResult)
        RunReplaceAll(false);
}

void CEditingCommands::RunReplaceAll(bool inSelection)
{
    CBinEditView* view = WritableView();
    if (!view)
        return;
    CViewToolAdapter adapter(*view);
    // A request to end the program stops the run as Esc does; the document
    // closes after it.
    platform::TerminationHold replacing;
    ReplaceAll(*view->Document(), adapter, search_, inSelection, escapePoller_);
}

// ---------------------------------------------------------------- modify, insert, delete

namespace {
// The tools start at the selection start (or the caret), with the selection
// collapsed there while their dialog is open.
int64_t CollapseToStart(IToolView& view, SelectionState& userSelection)
{
    userSelection = view.Selection();
    const int64_t start = userSelection.Start();
    view.Select(start, start);
    return start;
}

// Runs one of the typed-run dialogs from the caret (a selection collapses to
// its start) and, on OK, keeps its settings and applies the run as one step.
template <typename Dialog, typename Inputs, typename Apply>
void RunItemDialog(CBinEditView& view, AppSettings& settings, const ValueTypeRegistry& types, int countRadix,
                   QWidget* parent, IUserInterface& ui, Apply apply)
{
    CViewToolAdapter adapter(view);
    SelectionState user;
    const int64_t start = CollapseToStart(adapter, user);
    const bool hexOffsets = settings.offsetFormat == 1;
    Dialog dialog(Inputs::FromSettings(settings), countRadix, adapter, start, user, hexOffsets, types, parent);
    if (ui.RunDialog(dialog) != QDialog::Accepted)
        return;
    dialog.Validation().Store(settings);
    apply(*view.Document(), adapter, start, dialog.Validation().request);
}
} // namespace

void CEditingCommands::Modify()
{
    if (CBinEditView* view = WritableView())
        RunItemDialog<CModifyDlg, ModifyInputs>(*view, settings_, types_, settings_.modifyCountRadix, parent_, ui_,
                                                [](CBinEditDoc& doc, IToolView& tool, int64_t start,
                                                   const auto& request) { RunModify(doc, tool, start, request); });
}

void CEditingCommands::Insert()
{
    if (CBinEditView* view = WritableView())
        RunItemDialog<CInsertDlg, InsertInputs>(*view, settings_, types_, settings_.insertCountRadix, parent_, ui_,
                                                [](CBinEditDoc& doc, IToolView& tool, int64_t start,
                                                   const auto& request) { RunInsert(doc, tool, start, request); });
}

void CEditingCommands::Delete()
{
    if (CBinEditView* view = WritableView())
        RunItemDialog<CDeleteDlg, DeleteInputs>(
            *view, settings_, types_, settings_.deleteCountRadix, parent_, ui_,
            [this](CBinEditDoc& doc, IToolView& tool, int64_t start, const auto& request) {
                RunDelete(doc, tool, start, request, types_);
            });
}

// ---------------------------------------------------------------- go to and bookmarks

void CEditingCommands::GoTo()
{
    CBinEditView* view = activeView_();
    if (!view)
        return;
    CViewToolAdapter adapter(*view);
    CGoToDlg dialog(adapter.Selection(), adapter.FileSize(), settings_.goToRadix, parent_);
    if (ui_.RunDialog(dialog) != QDialog::Accepted)
        return;
    settings_.goToRadix = dialog.Outcome().radix;
    adapter.Select(dialog.Outcome().anchor, dialog.Outcome().caret);
}

void CEditingCommands::ToggleBookmark()
{
    if (CBinEditView* view = activeView_()) {
        CViewToolAdapter adapter(*view);
        ::ToggleBookmark(bookmarks_, adapter);
    }
}

void CEditingCommands::NextBookmark()
{
    if (CBinEditView* view = activeView_()) {
        CViewToolAdapter adapter(*view);
        GoToNextBookmark(bookmarks_, adapter, StatusRadixIsHex(settings_));
    }
}

void CEditingCommands::PreviousBookmark()
{
    if (CBinEditView* view = activeView_()) {
        CViewToolAdapter adapter(*view);
        GoToPreviousBookmark(bookmarks_, adapter, StatusRadixIsHex(settings_));
    }
}

void CEditingCommands::ClearAllBookmarks()
{
    if (::ClearAllBookmarks(bookmarks_, nullptr))
        RepaintAllHexViews();
}

void CEditingCommands::ShowBookmarks()
{
    CBinEditView* view = activeView_();
    Bookmark proposal;
    if (view) {
        const SelectionState selection = CViewToolAdapter(*view).Selection();
        proposal.start = selection.Start();
        proposal.end = selection.hasSelection ? selection.selEnd : selection.caret;
    }
    AppSettings& s = settings_;
    BookmarkRadixes radixes{s.bookmarksOffsetRadix, s.bookmarksLengthRadix, s.reloadBookmarks};
    BookmarkDialogHooks hooks;
    hooks.load = [this] { return LoadBookmarks(); };
    hooks.save = [this] { return SaveBookmarksAs(); };
    hooks.changed = [] { RepaintAllHexViews(); };
    CBookmarksDlg dialog(bookmarks_, radixes, proposal, view != nullptr, hooks, ui_, parent_);
    const int result = ui_.RunDialog(dialog);
    s.bookmarksOffsetRadix = dialog.Radixes().offsetRadix;
    s.bookmarksLengthRadix = dialog.Radixes().lengthRadix;
    s.reloadBookmarks = dialog.Radixes().reload;
    if (result != CBookmarksDlg::GoToResult || !view)
        return;
    if (const std::optional<Bookmark> bookmark = dialog.SelectedBookmark()) {
        CViewToolAdapter adapter(*view);
        GoToBookmark(*bookmark, adapter, StatusRadixIsHex(s));
    }
}

bool CEditingCommands::SaveBookmarksAs()
{
    if (bookmarks_.IsEmpty()) {
        platform::ShowMessage(NoBookmarksToSaveText());
        return false;
    }
    const std::optional<QString> path = ui_.ChooseFilePath(
        parent_, BookmarkFileRequest(FileChoice::Save, QStringLiteral("Save Bookmark Collection"), bookmarks_.Path()));
    if (!path || path->isEmpty())
        return false;
    return SaveBookmarkFile(bookmarks_, *path);
}

bool CEditingCommands::LoadBookmarks()
{
    if (!QuerySaveBookmarks())
        return false;
    const std::optional<QString> path = ui_.ChooseFilePath(
        parent_, BookmarkFileRequest(FileChoice::Open, QStringLiteral("Load Bookmark Collection"), bookmarks_.Path()));
    if (!path || path->isEmpty())
        return false;
    const bool whole = LoadBookmarkFile(bookmarks_, *path);
    RepaintAllHexViews();
    return whole;
}

bool CEditingCommands::QuerySaveBookmarks()
{
    return QuerySaveBookmarkChanges(bookmarks_, [this] { return SaveBookmarksAs(); });
}
