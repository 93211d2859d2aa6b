#pragma once
// Small types the hex view's editing interface shares with its callers.
#include "PasteAlgorithm.h"
#include "SelectionChange.h"

// How SetCaret treats the selection.
enum class CaretMode {
    Keep = 0,    // leave the selection as it is
    Move = 1,    // remove the selection
    Extend = 2,  // select from the anchor to the new caret
};
