#pragma once
// The three helpers through which input edits a hex view, handed together
// to the helpers that drive all of them (the keyboard, drag and drop).
class CCaretController;
class CEditCommands;
class CViewClipboard;

struct ViewEditors {
    CCaretController& caret;
    CEditCommands& edits;
    CViewClipboard& clipboard;
};
