#include "CommandTable.h"

#include "furniture/CommandIcons.h"

#include <stdexcept>

namespace {

using K = QKeySequence;
constexpr bool kBuilt = true;
constexpr bool kLater = false;

#define ICON(kind) int(DrawnIcon::kind)

std::array<CommandSpec, kCommandCount> MakeSpecs()
{
    // clang-format off
    std::array<CommandSpec, kCommandCount> specs{{
        {Cmd::FileNew, "&New", {K(Qt::CTRL | Qt::Key_N)}, "document-new", ICON(New), "Create a new document", false, kBuilt},
        {Cmd::FileOpen, "&Open...", {K(Qt::CTRL | Qt::Key_O)}, "document-open", ICON(Open), "Open an existing document", false, kBuilt},
        {Cmd::FileClose, "&Close", {}, nullptr, ICON(None), "Close the active document", false, kBuilt},
        {Cmd::FileCloseAll, "Clos&e All", {}, nullptr, ICON(None), "Close every open document", false, kBuilt},
        {Cmd::FileSave, "&Save", {K(Qt::CTRL | Qt::Key_S)}, "document-save", ICON(Save), "Save the active document", false, kBuilt},
        {Cmd::FileSaveAs, "Save &As...", {}, "document-save-as", ICON(None), "Save the active document with a new name", false, kBuilt},
        {Cmd::FileSaveAll, "Save A&ll", {K(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}, nullptr, ICON(SaveAll), "Save every modified document", false, kBuilt},
        {Cmd::FileReload, "Reloa&d", {K(Qt::CTRL | Qt::Key_F2)}, "view-refresh", ICON(None), "Read the active document again from disk", false, kBuilt},
        {Cmd::FileImport, "&Import...", {}, nullptr, ICON(None), "Import a file from a different format", false, kBuilt},
        {Cmd::FileExport, "Expor&t...", {}, nullptr, ICON(None), "Export the current file to a different format", false, kBuilt},
        {Cmd::FilePrint, "&Print...", {K(Qt::CTRL | Qt::Key_P)}, "document-print", ICON(Print), "Print the active document", false, kBuilt},
        {Cmd::FilePrintPreview, "Print Pre&view", {}, "document-print-preview", ICON(None), "Show the pages as they will be printed", false, kBuilt},
        {Cmd::FilePrintSetup, "P&rint Setup...", {}, "document-page-setup", ICON(None), "Change the printer and its options", false, kBuilt},
        {Cmd::FileProperties, "Propert&ies", {K(Qt::ALT | Qt::Key_Return), K(Qt::ALT | Qt::Key_Enter)}, "document-properties", ICON(Properties), "Show the properties of the active document", false, kBuilt},
        {Cmd::FileExit, "E&xit", {K(Qt::CTRL | Qt::Key_Q)}, "application-exit", ICON(None), "Quit the program, asking to save changes", false, kBuilt},

        {Cmd::EditUndo, "&Undo", {K(Qt::CTRL | Qt::Key_Z), K(Qt::ALT | Qt::Key_Backspace)}, "edit-undo", ICON(Undo), "Undo the last edit", false, kBuilt},
        {Cmd::EditRedo, "&Redo", {K(Qt::CTRL | Qt::Key_Y), K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, "edit-redo", ICON(Redo), "Redo the edit undone last", false, kBuilt},
        {Cmd::EditCut, "Cu&t", {K(Qt::CTRL | Qt::Key_X), K(Qt::SHIFT | Qt::Key_Delete)}, "edit-cut", ICON(Cut), "Cut the selection to the clipboard", false, kBuilt},
        {Cmd::EditCopy, "&Copy", {K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)}, "edit-copy", ICON(Copy), "Copy the selection to the clipboard", false, kBuilt},
        {Cmd::EditPaste, "&Paste", {K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)}, "edit-paste", ICON(Paste), "Paste the clipboard at the caret", false, kBuilt},
        {Cmd::EditCopyAs, "C&opy As...", {K(Qt::CTRL | Qt::SHIFT | Qt::Key_C)}, nullptr, ICON(None), "Copy the selection using a custom format", false, kBuilt},
        {Cmd::EditPasteAs, "Paste &As...", {K(Qt::CTRL | Qt::SHIFT | Qt::Key_V)}, nullptr, ICON(None), "Insert clipboard contents using a custom format", false, kBuilt},
        {Cmd::EditCopyToFile, "Copy &To File...", {}, nullptr, ICON(None), "Write the selection to a file", false, kBuilt},
        {Cmd::EditPasteFromFile, "Paste &From File...", {}, nullptr, ICON(None), "Paste a file's bytes at the caret", false, kBuilt},
        {Cmd::EditSelectAll, "Select A&ll", {K(Qt::CTRL | Qt::Key_A)}, "edit-select-all", ICON(None), "Select the whole file", false, kBuilt},
        {Cmd::EditFind, "&Find...", {K(Qt::CTRL | Qt::Key_F)}, "edit-find", ICON(Find), "Find text, a value or bytes", false, kBuilt},
        {Cmd::EditFindNext, "Find &Next", {K(Qt::Key_F3)}, nullptr, ICON(FindNext), "Find the next match", false, kBuilt},
        {Cmd::EditFindPrevious, "Find Pre&vious", {K(Qt::SHIFT | Qt::Key_F3)}, nullptr, ICON(FindPrevious), "Find the previous match", false, kBuilt},
        {Cmd::EditReplace, "R&eplace...", {K(Qt::CTRL | Qt::Key_R)}, "edit-find-replace", ICON(None), "Find and replace", false, kBuilt},
        {Cmd::EditGoTo, "&Go To...", {K(Qt::CTRL | Qt::Key_G)}, nullptr, ICON(GoTo), "Move the caret to an offset", false, kBuilt},
        {Cmd::BookmarkToggle, "&Toggle Bookmark", {K(Qt::CTRL | Qt::SHIFT | Qt::Key_B)}, nullptr, ICON(ToggleBookmark), "Set or remove a bookmark at the caret", false, kBuilt},
        {Cmd::BookmarkList, "&Bookmarks...", {K(Qt::CTRL | Qt::Key_B)}, nullptr, ICON(Bookmarks), "Manage the bookmarks", false, kBuilt},
        {Cmd::BookmarkNext, "&Next Bookmark", {K(Qt::Key_F4)}, nullptr, ICON(NextBookmark), "Go to the next bookmark", false, kBuilt},
        {Cmd::BookmarkPrevious, "&Previous Bookmark", {K(Qt::SHIFT | Qt::Key_F4)}, nullptr, ICON(PreviousBookmark), "Go to the previous bookmark", false, kBuilt},
        {Cmd::BookmarkClearAll, "Clear All Bookmarks", {}, nullptr, ICON(ClearBookmarks), "Remove every bookmark", false, kBuilt},

        {Cmd::ViewDataInspector, "&Data Inspector", {K(Qt::CTRL | Qt::Key_F9)}, nullptr, ICON(None), "Show the Data Inspector and move the keyboard focus into it", false, kBuilt},
        {Cmd::ViewHexAndAscii, "&Hex and ASCII", {}, nullptr, ICON(HexAndAscii), "Show the hexadecimal and the character columns", true, kBuilt},
        {Cmd::ViewHexOnly, "He&x Only", {}, nullptr, ICON(HexOnly), "Show only the hexadecimal column", true, kBuilt},
        {Cmd::ViewAsciiOnly, "&ASCII Only", {}, nullptr, ICON(AsciiOnly), "Show only the character column", true, kBuilt},
        {Cmd::ViewHexOffsets, "Hexadecimal &Offsets", {}, nullptr, ICON(None), "Show row offsets in hexadecimal", true, kBuilt},
        {Cmd::ViewDecimalOffsets, "&Decimal Offsets", {}, nullptr, ICON(None), "Show row offsets in decimal", true, kBuilt},
        {Cmd::ViewShowDash, "&Show Dash", {}, nullptr, ICON(None), "Show a dash in the middle of each row", true, kBuilt},
        {Cmd::ViewShowSizeBar, "Sho&w Size Bar", {}, nullptr, ICON(None), "Show the bar that sets the bytes per row", true, kBuilt},
        {Cmd::ViewAutoFit, "Auto &Fit To Window", {}, nullptr, ICON(None), "Fit the bytes per row to the window width", true, kBuilt},
        {Cmd::ViewDataTypes, "Data &Types...", {}, nullptr, ICON(None), "Choose the data types the Data Inspector shows", false, kBuilt},
        {Cmd::ViewStructures, "&Structures...", {}, nullptr, ICON(None), "Edit the structure definitions", false, kBuilt},
        {Cmd::ToolsModify, "&Modify...", {K(Qt::CTRL | Qt::Key_M)}, nullptr, ICON(None), "Change a run of values at the caret", false, kBuilt},
        {Cmd::ToolsInsert, "&Insert...", {K(Qt::CTRL | Qt::Key_I)}, nullptr, ICON(None), "Insert a run of values at the caret", false, kBuilt},
        {Cmd::ToolsDelete, "&Delete...", {K(Qt::CTRL | Qt::Key_D)}, nullptr, ICON(None), "Delete a run of values at the caret", false, kBuilt},
        {Cmd::ToolsCompareFiles, "Compare &Files...", {K(Qt::Key_F9)}, nullptr, ICON(None), "Compare two files byte by byte", false, kBuilt},
        {Cmd::ToolsNextDifference, "Ne&xt Difference", {K(Qt::Key_F8)}, nullptr, ICON(None), "Select the next difference of the comparison in both windows", false, kBuilt},
        {Cmd::ToolsPreviousDifference, "Pre&vious Difference", {K(Qt::SHIFT | Qt::Key_F8)}, nullptr, ICON(None), "Select the previous difference of the comparison in both windows", false, kBuilt},
        {Cmd::ToolsConvertData, "&Convert Data...", {}, nullptr, ICON(None), "Perform a conversion on the current selection or entire file", false, kBuilt},
        {Cmd::ToolsComputeChecksum, "Compute Check&sum...", {}, nullptr, ICON(None), "Compute a checksum for the current selection or entire file", false, kBuilt},
        {Cmd::ToolsOptions, "&Options...", {K(Qt::Key_F12)}, "preferences-system", ICON(Options), "Change the program's options", false, kBuilt},
        {Cmd::ToolsEditUserTools, "&Edit User Tools...", {}, nullptr, ICON(None), "Modify the list of user tools", false, kBuilt},

        {Cmd::WindowNew, "&New Window", {}, "window-new", ICON(None), "Open another window on the active document", false, kBuilt},
        {Cmd::WindowSplit, "&Split", {}, nullptr, ICON(None), "Split the active window into two panes", true, kBuilt},
        {Cmd::WindowCascade, "&Cascade", {}, nullptr, ICON(Cascade), "Arrange the windows so they overlap", false, kBuilt},
        {Cmd::WindowTileHorizontally, "Tile &Horizontally", {}, nullptr, ICON(TileHorizontally), "Arrange the windows one above the other", false, kBuilt},
        {Cmd::WindowTileVertically, "Tile &Vertically", {}, nullptr, ICON(TileVertically), "Arrange the windows side by side", false, kBuilt},
        {Cmd::WindowLinkScrolling, "&Link Scrolling", {}, nullptr, ICON(None), "Scroll the two compared windows together", true, kBuilt},

        {Cmd::HelpContents, "&Contents", {K(Qt::Key_F1)}, "help-contents", ICON(None), "Open the user manual", false, kBuilt},
        {Cmd::HelpHomePage, "&Kestrane Home Page", {}, "go-home", ICON(None), "Open the maker's web page", false, kBuilt},
        {Cmd::HelpAbout, "&About Vantrel...", {}, "help-about", ICON(None), "Show the program's name and version", false, kBuilt},
    }};
    // clang-format on
    for (size_t i = 0; i < specs.size(); ++i)
        if (int(specs[i].id) != int(i))
            throw std::logic_error("command table out of order");
    return specs;
}

#undef ICON

// "Save (Ctrl+S)": the menu text without its mnemonic and dots, and the key.
QString ToolTipText(const CommandSpec& spec)
{
    QString text = QString::fromLatin1(spec.text);
    text.remove(QLatin1Char('&'));
    if (text.endsWith(QLatin1String("...")))
        text.chop(3);
    if (!spec.keys.isEmpty())
        text += QStringLiteral(" (%1)").arg(spec.keys.first().toString(QKeySequence::NativeText));
    return text;
}

} // namespace

const std::array<CommandSpec, kCommandCount>& CommandSpecs()
{
    static const std::array<CommandSpec, kCommandCount> specs = MakeSpecs();
    return specs;
}

CommandTable::CommandTable(QObject* owner)
{
    for (const CommandSpec& spec : CommandSpecs()) {
        auto* action = new QAction(QString::fromLatin1(spec.text), owner);
        action->setShortcuts(spec.keys);
        action->setStatusTip(QString::fromLatin1(spec.statusTip));
        action->setIcon(CommandIcon(spec.themeIcon, DrawnIcon(spec.drawnIcon)));
        action->setCheckable(spec.checkable);
        action->setToolTip(ToolTipText(spec));
        action->setEnabled(spec.available);
        // Shortcut keys are shown in menus; icons only on the tool bars.
        action->setIconVisibleInMenu(false);
        actions_[size_t(spec.id)] = action;
    }
}

void CommandTable::SetEnabled(Cmd id, bool enabled) const { (*this)[id]->setEnabled(enabled && IsAvailable(id)); }

void CommandTable::SetChecked(Cmd id, bool checked) const { (*this)[id]->setChecked(checked); }

QList<QAction*> CommandTable::All() const { return QList<QAction*>(actions_.begin(), actions_.end()); }
