#pragma once
// Helpers for the tool dialog tests: where the keyboard focus is, what text
// is selected there, and a view that records what the dialogs select.
#include "tools/ToolView.h"

#include <QDialog>
#include <QLineEdit>
#include <QWidget>
#include <vector>

// Whether the dialog's focus is in w (or in a child of w, as for the line
// edit inside an integer field).
inline bool FocusIsIn(const QWidget& dialog, const QWidget* w)
{
    const QWidget* focus = dialog.focusWidget();
    return focus && (focus == w || w->isAncestorOf(focus));
}

// The selected text of the line edit that has the focus.
inline QString FocusedSelection(const QWidget& dialog)
{
    QWidget* focus = dialog.focusWidget();
    if (!focus)
        return QString();
    // An integer field takes the focus itself for the line edit inside it.
    auto* edit = qobject_cast<QLineEdit*>(focus);
    if (!edit)
        edit = focus->findChild<QLineEdit*>();
    return edit ? edit->selectedText() : QString();
}

class RecordingToolView : public IToolView {
public:
    SelectionState state;
    int32_t size = 0x100;
    std::vector<std::pair<int32_t, int32_t>> selects;

    SelectionState Selection() const override { return state; }
    int32_t FileSize() const override { return size; }
    void Select(int32_t anchor, int32_t caret) override
    {
        selects.emplace_back(anchor, caret);
        state.caret = caret;
        state.hasSelection = anchor != caret;
        state.selStart = std::min(anchor, caret);
        state.selEnd = std::max(anchor, caret);
        if (!state.hasSelection)
            state.selStart = state.selEnd = 0;
    }
    void DeleteSelection() override {}
    void RedrawAll() override {}
};
