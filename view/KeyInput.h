#pragma once
// The keyboard of the hex view: the caret keys with and without Shift and
// Ctrl, Tab, Insert, Escape, Delete and Backspace, the edit commands' keys
// (so the view works where no menu catches them first), and typed text.
#include "ViewEditors.h"
#include "ViewFacets.h"

class QKeyEvent;

class CKeyInput {
public:
    CKeyInput(ViewSubject subject, ViewEditors editors, const IViewGeometry& geometry, IViewScrolling& scrolling,
              ICaretDisplay& display, IViewRequests& requests)
        : subject_(subject), editors_(editors), geometry_(geometry), scrolling_(scrolling), display_(display),
          requests_(requests)
    {
    }

    // True when the key was the view's; false leaves it to the default handling.
    bool KeyPress(QKeyEvent* event);

private:
    bool CommandKey(QKeyEvent* event);
    bool MoveKey(QKeyEvent* event);
    bool TypeText(QKeyEvent* event);

    ViewSubject subject_;
    ViewEditors editors_;
    const IViewGeometry& geometry_;
    IViewScrolling& scrolling_;
    ICaretDisplay& display_;
    IViewRequests& requests_;
};
