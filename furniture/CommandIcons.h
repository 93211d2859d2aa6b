#pragma once
// Tool-bar and menu icons: the desktop's icon theme when it has the icon,
// otherwise a small icon drawn here in the palette's colours, so that every
// button shows something sensible on any desktop.
#include <QIcon>

enum class DrawnIcon {
    None,
    New,
    Open,
    Save,
    SaveAll,
    Print,
    Cut,
    Copy,
    Paste,
    Undo,
    Redo,
    Find,
    FindNext,
    FindPrevious,
    GoTo,
    Options,
    Properties,
    HexAndAscii,
    HexOnly,
    AsciiOnly,
    Cascade,
    TileHorizontally,
    TileVertically,
    ToggleBookmark,
    Bookmarks,
    NextBookmark,
    PreviousBookmark,
    ClearBookmarks,
};

// The theme's icon of that name, or the drawn one.
QIcon CommandIcon(const char* themeName, DrawnIcon fallback);
QIcon DrawnCommandIcon(DrawnIcon kind);

// The program's own icon: a rounded tile with two hex digits.
QIcon ProgramIcon();

// Without a desktop that names an icon theme, Qt looks only in "hicolor",
// which has no action icons; use an installed freedesktop theme then.
void UseInstalledIconTheme();
