#pragma once
// The item count of the Modify, Insert and Delete dialogs: its text syntax,
// its range, the message when it is wrong, and the status line that shows
// what the dialog is about to do while the user types.
#include <QString>
#include <QStringView>
#include <cstdint>

enum class ItemVerb { Modify, Insert, Delete };

constexpr int32_t MIN_ITEM_COUNT = 1;
constexpr int32_t MAX_ITEM_COUNT = 65535;

struct ItemCount {
    bool ok = false;
    int32_t count = 0;
    int radix = 16;  // the radix the text was written in (valid when ok)
};

// Parsed like a Signed QWord: decimal, "0x" hexadecimal or "0" octal, with
// blanks and a sign allowed; only 1 to 65,535 is a count.
ItemCount ParseItemCount(QStringView text);

// "You must enter a valid number of items to modify in the range 1 to 65,535. (Note: ...)"
QString ItemCountMessage(ItemVerb verb);

// What the dialog's status line says and which bytes the view shows selected.
struct ItemRunPreview {
    QString text;           // "Modify 4 bytes at offset 0x10", or "(Invalid item count)"
    bool valid = false;
    int64_t selStart = 0;   // the affected bytes, clipped to the file
    int64_t selEnd = 0;
};

// itemSize is the selected type's size; hexOffsets whether the view shows
// hexadecimal offsets.
ItemRunPreview PreviewItemRun(ItemVerb verb, QStringView countText, int itemSize, int64_t start, int64_t fileSize,
                              bool hexOffsets);

// The byte count of count items of itemSize bytes, or -1 when it would not
// fit in a file.
int64_t ItemRunBytes(int32_t count, int itemSize);

// How the type lists of the three dialogs show a type: "Word (2 bytes)".
QString ItemTypeLabel(const QString& name, int size);
