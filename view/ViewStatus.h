#pragma once
// The texts of the status-bar panes the hex view feeds, and how they are
// formatted from the view's state and the status settings.
#include <QString>
#include <cstdint>

struct ViewStatus {
    QString position;  // caret offset, or the selection as start-end / start (length)
    QString size;      // file size
    QString column;    // "HEX" or "ASCII"
    QString mode;      // "READ", "INS" or "OVR"
    QString modified;  // "MOD" or empty
    // The panes' tooltips: what each one shows, in words, with the radix of
    // its numbers and the selection's length in bytes.
    QString positionTip;
    QString sizeTip;
    QString columnTip;
    QString modeTip;
    QString modifiedTip;
};

struct StatusInputs {
    int64_t size = 0;
    int64_t caret = 0;
    bool hasSelection = false;
    int64_t selStart = 0;
    int64_t selEnd = 0;  // just past the selection
    bool modified = false;
    bool readOnly = false;
    bool insertMode = false;
    bool hexActive = true;
    int statusFormat = 2;  // 0 decimal, 1 hexadecimal, 2 the radix of the offsets
    int offsetFormat = 1;  // 1 hexadecimal, 0 decimal
    int posSelStyle = 0;   // 0 start-end, 1 start (length)
};

ViewStatus FormatViewStatus(const StatusInputs& in);

// The tooltips of the panes while no document is shown: what they will show.
ViewStatus IdleStatusTips();
