#include "ViewToolAdapter.h"

#include "view/BinEditView.h"
#include "view/CaretController.h"
#include "view/EditCommands.h"

#include <QApplication>

SelectionState CViewToolAdapter::Selection() const
{
    const CSelectionPos& caret = view_.Caret();
    SelectionState state;
    state.caret = caret.Offset();
    state.hasSelection = caret.hasSelection;
    state.selStart = caret.selStart;
    state.selEnd = caret.selEnd;
    return state;
}

int64_t CViewToolAdapter::FileSize() const { return view_.Document() ? view_.Document()->Size() : 0; }

void CViewToolAdapter::Select(int64_t anchor, int64_t caret)
{
    view_.CaretControl().SetCaret(anchor, CaretMode::Move);
    if (caret != anchor)
        view_.CaretControl().SetCaret(caret, CaretMode::Extend);
}

void CViewToolAdapter::DeleteSelection() { view_.Edits().DeleteSelection(); }

void CViewToolAdapter::RedrawAll() { RepaintAllHexViews(); }

void RepaintAllHexViews()
{
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* view = qobject_cast<CBinEditView*>(widget))
            view->RepaintAll();
}
