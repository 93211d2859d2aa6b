#pragma once
// The narrow faces a hex view shows its input helpers (caret, edit
// commands, clipboard, keys, mouse, drag and drop). Each helper takes only
// the faces it uses, so it can be read, and changed, without the whole view.
class CBinEditDoc;
class CSelectionPos;

// The document a view shows (null for none) and the view's caret with its
// selection. Helpers read the caret here; they move it through the caret
// controller, which keeps the anchor and repaints.
struct ViewSubject {
    CBinEditDoc* document;
    CSelectionPos& caret;
};
