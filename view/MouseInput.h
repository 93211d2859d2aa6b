#pragma once
// The mouse in the hex view: clicking and Shift+clicking place the caret,
// dragging selects (scrolling on a timer while the mouse is outside the
// window), a press on the selection starts dragging it, a double-click
// selects a word, and the cursor shows what a press would do. The size bar
// stays with the view, which owns the layout.
#include "ViewFacets.h"

#include <QObject>
#include <QPoint>
#include <QTimer>

class CCaretController;
class CDragDrop;
class QMouseEvent;
class QWidget;

class CMouseInput : public QObject {
    Q_OBJECT
public:
    // viewport is the widget the mouse moves over, whose cursor follows it.
    CMouseInput(ViewSubject subject, CCaretController& caretControl, CDragDrop& dragDrop, const IViewGeometry& geometry,
                IViewScrolling& scrolling, ICaretDisplay& display, QWidget& viewport);

    // Each returns true when the event was the selection's or the caret's.
    bool Press(QMouseEvent* event);
    bool Move(QMouseEvent* event);
    bool Release(QMouseEvent* event);
    bool DoubleClick(QMouseEvent* event);

    bool Selecting() const { return selecting_; }
    bool AutoScrolling() const { return autoScroll_.isActive(); }
    // One step of the autoscroll timer (public so that tests and the
    // benchmark step it without waiting).
    void AutoScrollStep();
    // The cursor for a point: sizing over the size bar, the arrow over a
    // selection that can be dragged, the I-beam elsewhere.
    Qt::CursorShape CursorFor(QPoint point) const;

private:
    void PlaceCaret(QPoint point, bool extend);
    void ExtendTo(QPoint point);
    bool Inside(QPoint point) const;
    bool OnSelection(QPoint point) const;

    ViewSubject subject_;
    CCaretController& caretControl_;
    CDragDrop& dragDrop_;
    const IViewGeometry& geometry_;
    IViewScrolling& scrolling_;
    ICaretDisplay& display_;
    QWidget& viewport_;
    QTimer autoScroll_;
    QPoint lastPoint_;
    QPoint pressPoint_;
    bool selecting_ = false;
    bool dragPending_ = false;  // pressed on the selection; a move starts the drag, a release is a click
};
