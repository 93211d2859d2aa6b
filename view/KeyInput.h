#pragma once
// The keyboard of the hex view: the caret keys with and without Shift and
// Ctrl, Tab, Insert, Escape, Delete and Backspace, the edit commands' keys
// (so the view works where no menu catches them first), and typed text.
class CBinEditView;
class QKeyEvent;

class CKeyInput {
public:
    explicit CKeyInput(CBinEditView& view) : view_(view) {}

    // True when the key was the view's; false leaves it to the default handling.
    bool KeyPress(QKeyEvent* event);

private:
    bool CommandKey(QKeyEvent* event);
    bool MoveKey(QKeyEvent* event);
    bool TypeText(QKeyEvent* event);

    CBinEditView& view_;
};
