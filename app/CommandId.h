#pragma once
// Every command of the main window's menus and tool bars. Each has exactly
// one QAction (CommandTable) and its state is set in one update step.
enum class Cmd : int {
    // File
    FileNew,
    FileOpen,
    FileClose,
    FileCloseAll,
    FileSave,
    FileSaveAs,
    FileSaveAll,
    FileReload,
    FileImport,
    FileExport,
    FilePrint,
    FilePrintPreview,
    FilePrintSetup,
    FileProperties,
    FileExit,
    // Edit
    EditUndo,
    EditRedo,
    EditCut,
    EditCopy,
    EditPaste,
    EditCopyAs,
    EditPasteAs,
    EditCopyToFile,
    EditPasteFromFile,
    EditSelectAll,
    EditFind,
    EditFindNext,
    EditFindPrevious,
    EditReplace,
    EditGoTo,
    BookmarkToggle,
    BookmarkList,
    BookmarkNext,
    BookmarkPrevious,
    BookmarkClearAll,
    // View
    ViewDataInspector,
    ViewHexAndAscii,
    ViewHexOnly,
    ViewAsciiOnly,
    ViewHexOffsets,
    ViewDecimalOffsets,
    ViewShowDash,
    ViewShowSizeBar,
    ViewAutoFit,
    ViewDataTypes,
    ViewStructures,
    ToolsModify,
    ToolsInsert,
    ToolsDelete,
    ToolsConvertData,
    ToolsComputeChecksum,
    ToolsOptions,
    // Window
    WindowNew,
    WindowSplit,
    WindowCascade,
    WindowTileHorizontally,
    WindowTileVertically,
    // Help
    HelpHomePage,
    HelpAbout,

    Count
};

constexpr int kCommandCount = int(Cmd::Count);
