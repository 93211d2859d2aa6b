#pragma once
// Replace All: every match in the file (or in the selection) replaced in one
// pass, recorded afterwards as one RestoreMany undo step that keeps each
// distinct matched string once and, per replacement, only its offset and
// the index of its string.
#include "core/CoreProblem.h"
#include "tools/EscapePoller.h"

#include <QString>
#include <cstdint>

class CBinEditDoc;
class IToolView;
struct SearchState;

// Replacements between two looks at the Esc key.
constexpr int32_t REPLACE_ESC_INTERVAL = 50;

QString ReplacingStatusText();                 // "Replacing...  Press Esc to stop"
QString ReplacedStatusText(int64_t count);     // "Replaced %d occurrence(s)."

struct ReplaceAllOutcome {
    int64_t replaced = 0;
    bool stoppedByUser = false;
    // Memory ran out or an insertion came out short: what was replaced
    // stays, the history was cleared because it no longer matches the file.
    bool failed = false;
    // The file could not be read on: the run stopped there; what was
    // replaced before stays and is recorded as usual.
    CoreProblem readProblem;
    int32_t distinctValues = 0;
    // The largest the table of (offset, value index) pairs grew, in bytes.
    int64_t tableBytes = 0;
};

// Replaces search.pattern by search.replacement from the start of the range
// onward, continuing after each replacement. The range is the selection when
// inSelection is set and the view has one (its end moves with the edits),
// else the whole file. Nothing happens on a read-only document. Afterwards
// the caret stands just past the last replacement.
ReplaceAllOutcome ReplaceAll(CBinEditDoc& doc, IToolView& view, const SearchState& search, bool inSelection,
                             const EscapePoller& escapePressed);
