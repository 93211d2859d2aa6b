#include "MouseInput.h"

#include "CaretController.h"
#include "DragDrop.h"
#include "CaretController.h"
#include "PointerHit.h"
#include "WordBounds.h"
#include "settings/AppSettings.h"
#include "core/BinEditDoc.h"
#include "core/AlignedPos.h"
#include "core/SelectionPos.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWidget>
#include <algorithm>

CMouseInput::CMouseInput(ViewSubject subject, CCaretController& caretControl, CDragDrop& dragDrop,
                         const IViewGeometry& geometry, IViewScrolling& scrolling, ICaretDisplay& display,
                         QWidget& viewport)
    : subject_(subject), caretControl_(caretControl), dragDrop_(dragDrop), geometry_(geometry), scrolling_(scrolling),
      display_(display), viewport_(viewport)
{
    // The selection grows at the keyboard's repeat speed while the mouse is out.
    const int rate = std::max(1, QGuiApplication::styleHints()->keyboardAutoRepeatRate());
    autoScroll_.setInterval(std::max(1, 1000 / rate));
    connect(&autoScroll_, &QTimer::timeout, this, &CMouseInput::AutoScrollStep);
}

bool CMouseInput::Inside(QPoint p) const
{
    return p.x() >= 0 && p.y() >= 0 && p.x() < geometry_.ClientWidth() && p.y() < geometry_.ClientHeight();
}

bool CMouseInput::OnSelection(QPoint p) const
{
    const CSelectionPos& caret = subject_.caret;
    if (!caret.hasSelection || !subject_.document)
        return false;
    return PointOnSelection(geometry_.Geometry(), geometry_.Top().Offset(), subject_.document->Size(),
                            geometry_.HScroll(), p.x(), p.y(), caret.selStart, caret.selEnd);
}

Qt::CursorShape CMouseInput::CursorFor(QPoint p) const
{
    if (IsOverSizeBar(geometry_.Geometry(), p.x(), geometry_.HScroll()))
        return Qt::SizeHorCursor;
    if (subject_.settings.dragAndDrop && OnSelection(p))
        return Qt::ArrowCursor;
    return Qt::IBeamCursor;
}

void CMouseInput::PlaceCaret(QPoint p, bool extend)
{
    const HitResult hit = geometry_.HitTest(p.x(), p.y());
    display_.SetHexActive(hit.hex);
    display_.SetEndOfRow(hit.endOfRow);
    caretControl_.SetCaret(hit.offset, extend ? CaretMode::Extend : CaretMode::Move);
}

void CMouseInput::ExtendTo(QPoint p)
{
    // Without a selection the remembered offset is from an earlier drag.
    if (geometry_.HitTest(p.x(), p.y()).offset != caretControl_.LastExtend() || !subject_.caret.hasSelection)
        PlaceCaret(p, true);
}

bool CMouseInput::Press(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !subject_.document)
        return false;
    const QPoint p = event->position().toPoint();
    lastPoint_ = pressPoint_ = p;
    if (subject_.settings.dragAndDrop && OnSelection(p)) {
        dragPending_ = true;
        return true;
    }
    PlaceCaret(p, event->modifiers() & Qt::ShiftModifier);
    selecting_ = true;
    return true;
}

bool CMouseInput::Move(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    lastPoint_ = p;
    if (dragPending_) {
        if ((event->buttons() & Qt::LeftButton) &&
            (p - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
            dragPending_ = false;
            dragDrop_.StartDrag();
        }
        return true;
    }
    if (!selecting_) {
        viewport_.setCursor(CursorFor(p));
        return false;
    }
    if (Inside(p)) {
        autoScroll_.stop();
        ExtendTo(p);
    } else if (!autoScroll_.isActive()) {
        autoScroll_.start();
    }
    return true;
}

bool CMouseInput::Release(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    const bool wasOurs = selecting_ || dragPending_;
    if (dragPending_)
        PlaceCaret(event->position().toPoint(), false);  // a press on the selection without a drag is a click
    dragPending_ = false;
    selecting_ = false;
    autoScroll_.stop();
    return wasOurs;
}

bool CMouseInput::DoubleClick(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !subject_.document)
        return false;
    const QPoint p = event->position().toPoint();
    const HitResult hit = geometry_.HitTest(p.x(), p.y());
    display_.SetHexActive(hit.hex);
    CBufferPos at;
    at.Bind(&subject_.document->Buffer(), false, hit.offset);
    if (const std::optional<OffsetRange> word = WordAround(at)) {
        caretControl_.SetCaret(word->start, CaretMode::Move);
        caretControl_.SetCaret(word->end, CaretMode::Extend);
    } else {
        display_.SetEndOfRow(hit.endOfRow);
        caretControl_.SetCaret(hit.offset, CaretMode::Move);
    }
    dragPending_ = false;
    selecting_ = false;
    return true;
}

void CMouseInput::AutoScrollStep()
{
    if (!selecting_ || Inside(lastPoint_)) {
        autoScroll_.stop();
        return;
    }
    const int width = std::max(1, geometry_.ClientWidth());
    const int height = std::max(1, geometry_.ClientHeight());
    const int bpr = geometry_.Geometry().bytesPerRow;
    if (lastPoint_.y() < 0)
        scrolling_.SetTop(std::max<int64_t>(0, geometry_.Top().Offset() - bpr));
    else if (lastPoint_.y() >= height)
        scrolling_.SetTop(geometry_.Top().Offset() + bpr);
    const int step = std::max(1, width / 5);
    if (lastPoint_.x() < 0)
        scrolling_.SetHScroll(geometry_.HScroll() - step, true, false);
    else if (lastPoint_.x() >= width)
        scrolling_.SetHScroll(geometry_.HScroll() + step, true, false);
    // Onto the last whole row: a partly shown row would scroll the caret into
    // view once more and double the speed.
    const int wholeRows = std::max(1, geometry_.RowsInWindow()) * geometry_.Geometry().lineHeight;
    const int bottom = std::min(height, wholeRows) - 1;
    ExtendTo(QPoint(std::clamp(lastPoint_.x(), 0, width - 1), std::clamp(lastPoint_.y(), 0, bottom)));
}
