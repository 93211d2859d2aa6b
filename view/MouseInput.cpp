#include "MouseInput.h"

#include "BinEditView.h"
#include "CaretController.h"
#include "PointerHit.h"
#include "WordBounds.h"
#include "settings/AppSettings.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <algorithm>

CMouseInput::CMouseInput(CBinEditView& view) : view_(view)
{
    // The selection grows at the keyboard's repeat speed while the mouse is out.
    const int rate = std::max(1, QGuiApplication::styleHints()->keyboardAutoRepeatRate());
    autoScroll_.setInterval(std::max(1, 1000 / rate));
    connect(&autoScroll_, &QTimer::timeout, this, &CMouseInput::AutoScrollStep);
}

bool CMouseInput::Inside(QPoint p) const
{
    return p.x() >= 0 && p.y() >= 0 && p.x() < view_.ClientWidth() && p.y() < view_.ClientHeight();
}

bool CMouseInput::OnSelection(QPoint p) const
{
    const CSelectionPos& caret = view_.Caret();
    if (!caret.hasSelection || !view_.Document())
        return false;
    return PointOnSelection(view_.Geometry(), view_.Top().Offset(), view_.Document()->Size(), view_.HScroll(), p.x(),
                            p.y(), caret.selStart, caret.selEnd);
}

Qt::CursorShape CMouseInput::CursorFor(QPoint p) const
{
    if (IsOverSizeBar(view_.Geometry(), p.x(), view_.HScroll()))
        return Qt::SizeHorCursor;
    if (Settings().dragAndDrop && OnSelection(p))
        return Qt::ArrowCursor;
    return Qt::IBeamCursor;
}

void CMouseInput::PlaceCaret(QPoint p, bool extend)
{
    const HitResult hit = view_.HitTest(p.x(), p.y());
    view_.SetHexActive(hit.hex);
    view_.SetEndOfRow(hit.endOfRow);
    view_.CaretControl().SetCaret(hit.offset, extend ? CaretMode::Extend : CaretMode::Move);
}

void CMouseInput::ExtendTo(QPoint p)
{
    // Without a selection the remembered offset is from an earlier drag.
    if (view_.HitTest(p.x(), p.y()).offset != view_.CaretControl().LastExtend() || !view_.Caret().hasSelection)
        PlaceCaret(p, true);
}

bool CMouseInput::Press(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !view_.Document())
        return false;
    const QPoint p = event->position().toPoint();
    lastPoint_ = pressPoint_ = p;
    if (Settings().dragAndDrop && OnSelection(p)) {
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
            view_.StartSelectionDrag();
        }
        return true;
    }
    if (!selecting_) {
        view_.viewport()->setCursor(CursorFor(p));
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
    if (event->button() != Qt::LeftButton || !view_.Document())
        return false;
    const QPoint p = event->position().toPoint();
    const HitResult hit = view_.HitTest(p.x(), p.y());
    view_.SetHexActive(hit.hex);
    CBufferPos at;
    at.Bind(&view_.Document()->Buffer(), false, hit.offset);
    if (const std::optional<OffsetRange> word = WordAround(at)) {
        view_.CaretControl().SetCaret(word->start, CaretMode::Move);
        view_.CaretControl().SetCaret(word->end, CaretMode::Extend);
    } else {
        view_.SetEndOfRow(hit.endOfRow);
        view_.CaretControl().SetCaret(hit.offset, CaretMode::Move);
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
    const int width = std::max(1, view_.ClientWidth());
    const int height = std::max(1, view_.ClientHeight());
    const int bpr = view_.BytesPerRow();
    if (lastPoint_.y() < 0)
        view_.SetTop(std::max<int64_t>(0, view_.Top().Offset() - bpr));
    else if (lastPoint_.y() >= height)
        view_.SetTop(int32_t(std::min<int64_t>(int64_t(view_.Top().Offset()) + bpr, INT32_MAX)));
    const int step = std::max(1, width / 5);
    if (lastPoint_.x() < 0)
        view_.SetHScroll(view_.HScroll() - step, true, false);
    else if (lastPoint_.x() >= width)
        view_.SetHScroll(view_.HScroll() + step, true, false);
    // Onto the last whole row: a partly shown row would scroll the caret into
    // view once more and double the speed.
    const int wholeRows = std::max(1, view_.RowsInWindow()) * view_.Geometry().lineHeight;
    const int bottom = std::min(height, wholeRows) - 1;
    ExtendTo(QPoint(std::clamp(lastPoint_.x(), 0, width - 1), std::clamp(lastPoint_.y(), 0, bottom)));
}
