#pragma once
// Find Next and Find Previous: one pass from the caret toward the end (or
// the start) of the file, then a wrapped pass over the part before the
// starting point, with the status texts and the not-found message.
#include "tools/ByteSearch.h"

#include <QString>
#include <cstdint>

class CFileBuffer;
class IToolView;
struct SearchState;

QString SearchNotFoundText();         // "Search pattern not found."
QString PassedEndOfFileText();        // "Passed the end of the file."
QString PassedBeginningOfFileText();  // "Passed the beginning of the file."

// The offset of the first match at or after start, wrapping to the start of
// the file (where matches must end at or before start); -1 when there is
// none, after telling the user.
int64_t SearchDownward(CFileBuffer& buffer, const CByteSearch& search, int64_t start);
// The offset of the last match ending at or before start, wrapping to the
// end of the file (where matches must start at or after start); -1 when none.
int64_t SearchUpward(CFileBuffer& buffer, const CByteSearch& search, int64_t start);

// Find Next (and Find with Down): from the selection end, or the caret.
// A match found is selected with the caret at its end. Returns whether found.
bool FindNext(CFileBuffer& buffer, IToolView& view, const SearchState& search);
// Find Previous (and Find with Up): from the selection start, or the caret.
bool FindPrevious(CFileBuffer& buffer, IToolView& view, const SearchState& search);
