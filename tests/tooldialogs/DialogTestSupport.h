#pragma once
// Helpers for the tool dialog tests: where the keyboard focus is and what
// text is selected there.
#include <QDialog>
#include <QLineEdit>
#include <QWidget>

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

