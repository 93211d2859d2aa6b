#pragma once
// AppSettings: every persisted preference in one record, read and changed in
// place by the whole program. Fields are named after their settings keys; the
// initialisers are the values a fresh store gives. Changes reach the store at
// exit (SaveSettings), except the main-window group, which the main window
// writes itself when it closes (SaveMainWindowSettings).
#include "settings/ExternalTool.h"
#include "settings/FontRecordEquality.h"
#include "settings/SystemColor.h"
#include "settings/WindowRect.h"
#include "platform/FontRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

constexpr int kRecentFileCount = 4;

// The ranges the store brings numbers into and the Options page accepts.
constexpr int kMaxUndoLevels = 1000;
constexpr int kMaxExtentThresholdMiB = 2048;
constexpr int kMinBlockCacheMiB = 1;
constexpr int kMaxBlockCacheMiB = 4096;

struct AppSettings {
    // The colour slots of `colors`, in the order of the Options display items.
    enum ColorIndex : int {
        OffsetTextColor,
        OddTextColor,
        EvenTextColor,
        AsciiTextColor,
        BackgroundColor,
        SelTextColor,
        SelBackgroundColor,
        SelTextInactive,
        SelBackgroundInactive,
        DataTextColor,
        DataBackgroundColor,
        SizeBarColor,
        UsedColorCount  // slots from here to 15 stay zero and are never stored
    };
    static constexpr int kColorSlots = 16;
    static constexpr int kUserColorCount = 16;

    // General and editing.
    bool readOnly = false;
    bool insertMode = false;
    bool multipleInstances = true;
    bool overstrikeOnStartup = true;
    bool replaceSelection = false;
    bool dragAndDrop = true;
    bool showAllChars = false;
    bool scrollTracking = true;
    bool warnCantUndo = true;
    int undoLevels = 100;
    int redoLevels = 100;
    // Files larger than this open at once and are read only where shown;
    // smaller ones are read wholly. Bytes of such files are kept in a
    // cache of at most blockCacheMiB shared by every document.
    int extentThresholdMiB = 64;
    int blockCacheMiB = 64;
    bool newFile = false;
    bool pasteOverwrite = false;
    bool promptForPasteMode = true;
    bool addToExplorerMenu = false;
    bool flickerFreePainting = true;
    bool printBlackWhite = false;

    // Layout and colours.
    int bytesPerRow = 16;
    int groupBy = 0;  // 0..3: groups of 1, 2, 4, 8 bytes
    bool sizeToFit = false;
    bool showDash = true;
    bool showSizeBar = false;
    int columns = 3;       // bit 0 hex column, bit 1 character column
    int offsetFormat = 1;  // 1 hexadecimal, 0 decimal
    uint32_t colors[kColorSlots] = {
        SystemColor(kSysColorWindowText),     // OffsetTextColor
        SystemColor(kSysColorWindowText),     // OddTextColor
        SystemColor(kSysColorWindowText),     // EvenTextColor
        SystemColor(kSysColorWindowText),     // AsciiTextColor
        SystemColor(kSysColorWindow),         // BackgroundColor
        SystemColor(kSysColorHighlightText),  // SelTextColor
        SystemColor(kSysColorHighlight),      // SelBackgroundColor
        SystemColor(kSysColorButtonText),     // SelTextInactive
        SystemColor(kSysColorButtonFace),     // SelBackgroundInactive
        SystemColor(kSysColorWindow),         // DataTextColor
        SystemColor(kSysColorWindowText),     // DataBackgroundColor
        0xC0C0C0,                             // SizeBarColor
    };
    uint32_t userColors[kUserColorCount] = {
        0xC0C0C0, 0xFFC0C0, 0xC0FFC0, 0xFFFFC0, 0xC0C0FF, 0xFFC0FF, 0xC0FFFF, 0xFFFFFF,
        0xF0F0F0, 0xFFF0F0, 0xF0FFF0, 0xFFFFF0, 0xF0F0FF, 0xFFF0FF, 0xF0FFFF, 0xFFFFFF,
    };
    platform::FontRecord font2 = platform::SystemFixedFontRecord();

    // Status bar and file types.
    int statusFormat = 2;  // 0 decimal, 1 hexadecimal, 2 match the offsets
    int posSelStyle = 0;   // 0 start-end, 1 start (length)
    QString fileFilters = QStringLiteral("All Files (*.*)|*.*||");

    // Tool dialogs.
    int goToRadix = 16;
    int findType = 0;
    QString findText;
    bool findUnicode = false;
    bool findTextBigEndian = false;
    QString findValue = QStringLiteral("0");
    int findValueType = 0;
    bool findValueBigEndian = false;
    QByteArray findData;
    bool findHexCol = true;
    bool matchCase = false;
    int replaceType = 0;
    QString replaceText;
    bool replaceUnicode = false;
    bool replaceTextBigEndian = false;
    QString replaceValue = QStringLiteral("0");
    int replaceValueType = 0;
    bool replaceValueBigEndian = false;
    QByteArray replaceData;
    bool replaceHexCol = true;
    int modifyCountRadix = 16;
    int modifyCount = 1;
    int modifyType = 0;
    int modifyAction = 0;
    QString actionValue = QStringLiteral("0");
    bool modifyBigEndian = false;
    bool modifyValue = false;
    int modifyAction2 = 1;
    QString actionValue2 = QStringLiteral("1");
    int insertCountRadix = 16;
    int insertCount = 1;
    int insertType = 0;
    QString insertValue = QStringLiteral("0");
    bool insertBigEndian = false;
    int deleteCountRadix = 16;
    int deleteCount = 1;
    int deleteType = 0;
    int minMatchLen = 16;
    bool sideBySide = false;
    int bookmarksOffsetRadix = 16;
    int bookmarksLengthRadix = 16;
    bool reloadBookmarks = false;
    QString bookmarksFile;
    bool reloadStructures = false;
    QString structuresFile;
    QString hiddenTypes;

    // Main window and Data Inspector (LoadMainWindowSettings / SaveMainWindowSettings).
    std::optional<WindowRect> windowPos;
    bool windowMax = false;
    int dataViewType = 0;  // 0 "Data View", 1 "Structure View"
    int dataSplitterPos = 200;
    bool dataHexadecimal = false;
    bool dataBigEndian = false;
    int structSplitterPos = 200;
    bool structExpandArrays = false;
    bool structHexadecimal = false;
    bool structBigEndian = false;
    QString structCurrent;

    // The "Recent File List" section, most recent first.
    QStringList recentFiles;

    // The "ExternalTools" section, in menu order.
    std::vector<ExternalTool> tools;

    bool operator==(const AppSettings&) const = default;
};

// Start-up step: with "Overstrike mode on startup" on, every view starts in
// overwrite mode whatever mode the last run ended in.
void ApplyOverstrikeOnStartup(AppSettings& settings);
