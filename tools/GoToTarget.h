#pragma once
// Go To: where the caret goes for a typed value read as an absolute offset
// or as a distance ahead of or back from the caret, optionally extending the
// selection from its anchor.
#include "tools/ToolView.h"

#include <QString>
#include <QStringView>
#include <cstdint>

enum class GoToMode { Absolute, Ahead, Back };

enum class GoToStatus {
    Ok,
    InvalidValue,   // the text is not an integer
    OutOfRange,     // the target lies outside 0 to the file size
};

QString GoToInvalidValueText();  // "The value you have entered is not valid. ..."
QString GoToOutOfRangeText();    // "Invalid file offset specified. ..."

struct GoToOutcome {
    GoToStatus status = GoToStatus::Ok;
    int64_t caret = 0;   // where the caret goes
    int64_t anchor = 0;  // the other end of the selection (caret when not extending)
    int radix = 16;      // the radix the value was written in; the old one on failure

    bool Ok() const { return status == GoToStatus::Ok; }
    QString Message() const;
};

// The file size itself is a valid target. Nothing is shown: the dialog shows
// Message() and stays open when the outcome is not Ok.
GoToOutcome ComputeGoTo(QStringView text, int currentRadix, GoToMode mode, bool extendSelection,
                        const SelectionState& selection, int64_t fileSize);
