#pragma once
// The paste itself, after the paste mode is settled: the pasted bytes take
// the place of the selection (when the mode replaces it) and, in overwrite
// mode, of as many following bytes; the length difference is made by one
// insertion or deletion and the rest is written over. Window-free: the view
// places the caret and sends the hints from the outcome.
#include <cstdint>

class CBinEditDoc;
class CSelectionPos;
class IPasteSource;

// The three ways a paste is made.
enum class PasteMode {
    Normal,               // Paste, Paste from File: the settings decide
    InsertReplaceSelect,  // results written back by a task: replace the selection, select the bytes
    InsertAndSelect,      // a drop: insert and select the bytes
};

struct PasteRules {
    bool replaceSelection = false;
    bool overwrite = false;
    bool selectPasted = false;
};

// The rules of a mode; Normal reads ReplaceSelection and PasteOverwrite.
PasteRules RulesFor(PasteMode mode, bool replaceSelectionSetting, bool pasteOverwriteSetting);

struct PasteOutcome {
    bool changed = false;      // the buffer changed
    bool sourceFailed = false; // the source could not be read completely (its missing bytes are zeros)
    int64_t at = 0;            // where the pasted bytes start
    int64_t count = 0;         // how many were pasted
};

// Pastes the source at the caret (which stands at the pasted bytes' start
// afterwards), recording one undo entry when record is set.
PasteOutcome RunPaste(CBinEditDoc& document, CSelectionPos& caret, IPasteSource& source, const PasteRules& rules,
                      bool record);
