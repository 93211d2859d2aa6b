#include "BinEditView.h"

#include "CaretController.h"
#include "DragDrop.h"
#include "EditCommands.h"
#include "KeyInput.h"
#include "MouseInput.h"
#include "RowPainter.h"
#include "ViewClipboard.h"
#include "ViewColors.h"
#include "settings/AppSettings.h"
#include "platform/FontRecord.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <new>
#include <optional>


namespace {

int64_t FloorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

CBinEditView::CBinEditView(CBinEditDoc* document, AppSettings& settings, IUserInterface& ui, QWidget* parent)
    : QAbstractScrollArea(parent), document_(document), settings_(settings)
{
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    viewport()->setMouseTracking(true);
    // Painting fills every pixel of the update area itself.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
    // Arrows, page areas and the ends of the bar move by rows themselves: on
    // a bar spread over more rows than it has positions, a position is many rows.
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, &CBinEditView::StepVertically);
    // The wheel over the bar scrolls as over the rows.
    verticalScrollBar()->installEventFilter(this);
    caretTimer_.setInterval(std::max(100, QApplication::cursorFlashTime() / 2));
    connect(&caretTimer_, &QTimer::timeout, this, &CBinEditView::BlinkCaret);
    viewport()->setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    const ViewSubject subject{document_, caret_, settings_};
    caretControl_ = std::make_unique<CCaretController>(subject, *this, *this, *this, *this);
    edits_ = std::make_unique<CEditCommands>(subject, *this, *caretControl_);
    clipboard_ = std::make_unique<CViewClipboard>(subject, *caretControl_, *edits_, *this, ui);
    const ViewEditors editors{*caretControl_, *edits_, *clipboard_};
    dragDrop_ = std::make_unique<CDragDrop>(subject, editors, *this, *this, *this, *viewport(), ui);
    mouse_ = std::make_unique<CMouseInput>(subject, *caretControl_, *dragDrop_, *this, *this, *this, *viewport());
    keys_ = std::make_unique<CKeyInput>(subject, editors, *this, *this, *this, *this);
    if (document_)
        document_->AddView(this);
}

CBinEditView::~CBinEditView()
{
    if (partner_ && partner_->partner_ == this)
        partner_->partner_ = nullptr;
    if (document_)
        document_->RemoveView(this);
}

int CBinEditView::BytesPerRow() const { return layout_.bytesPerRow; }

int CBinEditView::RowsInWindow() const { return ::RowsInWindow(clientHeight_, layout_.lineHeight); }

void CBinEditView::SetMarks(const IViewMarks* marks) { marks_ = marks; }

// ---------------------------------------------------------------- document

void CBinEditView::OnInitialUpdate()
{
    CFileBuffer* buffer = document_ ? &document_->Buffer() : nullptr;
    caret_.Bind(buffer, true, 0);
    caret_.hasSelection = false;
    caret_.selStart = caret_.selEnd = 0;
    caret_.spare = 0;
    top_.Bind(buffer, true, 0);
    endOfRow_ = false;
    caretControl_->Reset();
    hScroll_ = 0;
    clientWidth_ = viewport()->width();
    clientHeight_ = viewport()->height();
    Layout(0);
}

void CBinEditView::OnDocumentChanged(IDocView*, const DocumentChange& change)
{
    if (change.everything) {
        RepaintAll();
    } else if (!change.SizeChanged()) {
        if (change.inserted > 0)
            RepaintOffsets(int64_t(change.offset), int64_t(change.offset + change.inserted - 1));
    } else {
        // Every byte after the change moved.
        RepaintFrom(int64_t(change.offset));
    }
    if (change.SizeChanged()) {
        // A file that grew past 0xFFFFFFFF (or 9,999,999,999) needs a wider
        // offset column, and one that shrank back a narrower one.
        if (OffsetDigitsFor(document_->Size(), layout_.decimalOffsets) != layout_.offsetDigits)
            Layout(layout_.bytesPerRow);
        UpdateScrollBars();
    }
    // An edit elsewhere may have moved this view's caret with its bytes.
    UpdateCaret();
    emit statusChanged();
}

void CBinEditView::Relayout(bool bytesPerRowFromSettings)
{
    Layout(bytesPerRowFromSettings ? 0 : layout_.bytesPerRow);
    UpdateCaret();
    emit statusChanged();
}

// ---------------------------------------------------------------- layout

LayoutOptions CBinEditView::Options() const
{
    const AppSettings& s = settings_;
    LayoutOptions o;
    o.bytesPerRow = layout_.bytesPerRow;
    o.groupBy = s.groupBy;
    o.columns = s.columns;
    o.offsetFormat = s.offsetFormat;
    o.fileSize = document_ ? document_->Size() : 0;
    o.showDash = s.showDash;
    o.showSizeBar = s.showSizeBar;
    o.charWidth = font_.CharWidth();
    o.lineHeight = font_.LineHeight();
    return o;
}

void CBinEditView::Layout(int requestedBytesPerRow)
{
    const AppSettings& s = settings_;
    font_.SetFont(platform::FontFromRecord(s.font2));
    LayoutOptions o = Options();
    if (s.sizeToFit)
        o.bytesPerRow = FitBytesPerRow(o, s.bytesPerRow, clientWidth_);
    else
        o.bytesPerRow = requestedBytesPerRow != 0 ? requestedBytesPerRow : s.bytesPerRow;
    layout_ = RowLayout::Make(o);

    const int bpr = layout_.bytesPerRow;
    if (top_.unit != bpr) {
        const int64_t realigned = RealignTop(top_.Offset(), top_.unit, bpr, document_ ? document_->Size() : 0);
        top_.unit = bpr;
        top_.Seek(realigned);
    }
    hScroll_ = std::clamp(hScroll_, 0, HScrollLimit(layout_.totalWidth, clientWidth_));
    if (!layout_.hexShown || !layout_.charShown)
        hexActive_ = layout_.hexShown;

    UpdateScrollBars();
    RepaintAll();
    emit statusChanged();
}

void CBinEditView::CopyPaneState(const CBinEditView& other)
{
    CFileBuffer* buffer = document_ ? &document_->Buffer() : nullptr;
    if (caret_.Buffer() != buffer)
        caret_.Bind(buffer, true, 0);
    if (top_.Buffer() != buffer)
        top_.Bind(buffer, true, 0);
    clientWidth_ = viewport()->width();
    clientHeight_ = viewport()->height();
    Layout(other.layout_.bytesPerRow);

    caret_.Seek(other.caret_.Offset());
    caret_.hasSelection = other.caret_.hasSelection;
    caret_.selStart = other.caret_.selStart;
    caret_.selEnd = other.caret_.selEnd;
    caret_.spare = other.caret_.spare;
    hexActive_ = other.hexActive_;
    endOfRow_ = other.endOfRow_;
    const int bpr = layout_.bytesPerRow;
    top_.Seek(other.top_.Offset() / bpr * bpr);
    hScroll_ = std::clamp(other.hScroll_, 0, HScrollLimit(layout_.totalWidth, clientWidth_));
    UpdateScrollBars();
    RepaintAll();
    emit statusChanged();
}

void CBinEditView::SetSplitPartner(CBinEditView* partner) { partner_ = partner; }

void CBinEditView::LayoutPanes(int bytesPerRow)
{
    Layout(bytesPerRow);
    if (partner_)
        partner_->Layout(bytesPerRow);
}

void CBinEditView::FitPanes()
{
    for (CBinEditView* pane : {this, partner_.data()}) {
        if (!pane)
            continue;
        pane->Layout(FitBytesPerRow(pane->Options(), pane->layout_.bytesPerRow, pane->clientWidth_));
    }
}

// ---------------------------------------------------------------- state

void CBinEditView::SetActiveView(bool active)
{
    if (active_ == active)
        return;
    active_ = active;
    RepaintSelection();
    if (document_)
        document_->NotifyStateChanged();
    emit statusChanged();
}

void CBinEditView::SetHexActive(bool hex)
{
    if (!layout_.hexShown)
        hex = false;
    else if (!layout_.charShown)
        hex = true;
    if (hexActive_ == hex)
        return;
    hexActive_ = hex;
    RepaintSelection();
    UpdateCaret();
    emit statusChanged();
}

ViewStatus CBinEditView::Status() const
{
    const AppSettings& s = settings_;
    StatusInputs in;
    if (document_) {
        in.size = document_->Size();
        in.modified = document_->IsModified();
        in.readOnly = document_->IsReadOnly();
    }
    in.caret = caret_.Offset();
    in.hasSelection = caret_.hasSelection;
    in.selStart = caret_.selStart;
    in.selEnd = caret_.selEnd;
    in.insertMode = s.insertMode;
    in.hexActive = hexActive_;
    in.statusFormat = s.statusFormat;
    in.offsetFormat = s.offsetFormat;
    in.posSelStyle = s.posSelStyle;
    return FormatViewStatus(in);
}

// ---------------------------------------------------------------- geometry

HitResult CBinEditView::HitTest(int x, int y) const
{
    return HitTestPoint(layout_, top_.Offset(), document_ ? document_->Size() : 0, hScroll_, x, y);
}

CaretPlace CBinEditView::CaretPoint() const
{
    return CaretPointFor(layout_, caret_.Offset(), top_.Offset(), endOfRow_, LowNibblePending(), hexActive_, hScroll_);
}

QRect CBinEditView::CaretRect() const
{
    const CaretPlace place = CaretPoint();
    if (place.aboveWindow)
        return QRect();
    return QRect(place.point, QSize(kCaretWidth, layout_.lineHeight));
}

bool CBinEditView::IsCaretShown() const
{
    // While data is dragged over the view the caret marks the drop point,
    // even over a selection.
    return (hasFocus() || dropCaret_) &&
           CaretVisible(CaretPoint(), clientWidth_, clientHeight_, caret_.hasSelection && !dropCaret_);
}

// ---------------------------------------------------------------- scrolling

void CBinEditView::SetTop(int64_t offset, bool moveCaret)
{
    const int bpr = layout_.bytesPerRow;
    const int rows = RowsInWindow();
    const int64_t oldTop = top_.Offset();
    const int64_t newTop = ClampTop(offset, document_ ? document_->Size() : 0, bpr, rows);
    if (newTop != oldTop) {
        const int64_t rowsMoved = (int64_t(newTop) - oldTop) / bpr;
        top_.Seek(newTop);
        if (rowsMoved > -rows && rowsMoved < rows)
            ScrollViewport(0, int(-rowsMoved * layout_.lineHeight));
        else
            RepaintAll();
    }
    UpdateScrollBars();
    if (moveCaret)
        UpdateCaret();
    if (newTop != oldTop)
        emit topChanged(newTop);
}

void CBinEditView::SetHScroll(int pixels, bool moveCaret, bool syncPanes)
{
    const int h = std::clamp(pixels, 0, HScrollLimit(layout_.totalWidth, clientWidth_));
    if (h != hScroll_) {
        const int dx = hScroll_ - h;
        hScroll_ = h;
        if (dx > -clientWidth_ && dx < clientWidth_)
            ScrollViewport(dx, 0);
        else
            RepaintAll();
    }
    UpdateScrollBars();
    if (moveCaret)
        UpdateCaret();
    if (syncPanes && partner_)
        partner_->SetHScroll(pixels, moveCaret, false);
}

void CBinEditView::EnsureCaretVisible()
{
    const int64_t size = document_ ? document_->Size() : 0;
    const int64_t top = TopForCaret(caret_.Offset(), endOfRow_, top_.Offset(), size, layout_.bytesPerRow, RowsInWindow());
    if (top != top_.Offset())
        SetTop(top, false);
    const CaretPlace place = CaretPoint();
    if (!place.aboveWindow) {
        const int h = HScrollForCaret(place.point.x(), hScroll_, clientWidth_);
        if (h != hScroll_)
            SetHScroll(h, false, true);
    }
    UpdateCaret();
}

void CBinEditView::ScrollViewport(int dx, int dy)
{
    viewport()->scroll(dx, dy);
    // The caret's pixels moved with the rest; repaint where they went.
    if (!paintedCaret_.isNull()) {
        paintedCaret_.translate(dx, dy);
        viewport()->update(paintedCaret_);
    }
}

void CBinEditView::UpdateScrollBars()
{
    const AppSettings& s = settings_;
    const int bpr = layout_.bytesPerRow;
    const ScrollRange v = VerticalScrollRange(document_ ? document_->Size() : 0, bpr, RowsInWindow());
    // Setting a range can show or hide a bar, which resizes the viewport and
    // comes back here; the outer call keeps the guard until it is done.
    const bool wasSyncing = syncingScrollBars_;
    syncingScrollBars_ = true;
    QScrollBar* vbar = verticalScrollBar();
    vbar->setTracking(s.scrollTracking);
    vbar->setRange(0, v.maximum);
    vbar->setPageStep(v.page);
    vbar->setValue(v.PositionOfRow(top_.Offset() / bpr));
    QScrollBar* hbar = horizontalScrollBar();
    hbar->setTracking(s.scrollTracking);
    hbar->setRange(0, HScrollLimit(layout_.totalWidth, clientWidth_));
    hbar->setPageStep(std::max(1, clientWidth_));
    hbar->setSingleStep(std::max(1, clientWidth_ / 5));
    hbar->setValue(hScroll_);
    syncingScrollBars_ = wasSyncing;
}

void CBinEditView::scrollContentsBy(int, int)
{
    // The scroll bars report a new position; the view's own state follows.
    if (syncingScrollBars_)
        return;
    // Read both first: each setter puts both bars back in step with the view.
    const ScrollRange v = VerticalScrollRange(document_ ? document_->Size() : 0, layout_.bytesPerRow, RowsInWindow());
    const int64_t top = v.RowOfPosition(verticalScrollBar()->value()) * layout_.bytesPerRow;
    const int hScroll = horizontalScrollBar()->value();
    SetTop(top, true);
    SetHScroll(hScroll, true, false);
}

void CBinEditView::StepVertically(int action)
{
    std::optional<ScrollStep> step;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: step = ScrollStep::RowUp; break;
    case QAbstractSlider::SliderSingleStepAdd: step = ScrollStep::RowDown; break;
    case QAbstractSlider::SliderPageStepSub: step = ScrollStep::PageUp; break;
    case QAbstractSlider::SliderPageStepAdd: step = ScrollStep::PageDown; break;
    case QAbstractSlider::SliderToMinimum: step = ScrollStep::First; break;
    case QAbstractSlider::SliderToMaximum: step = ScrollStep::Last; break;
    default: return;  // a dragged thumb: its position maps onto the rows
    }
    const int64_t size = document_ ? document_->Size() : 0;
    SetTop(TopAfterStep(*step, top_.Offset(), size, layout_.bytesPerRow, RowsInWindow()), true);
    // The bar already stands where the new top is; the slider's own step is
    // dropped so that it does not move the rows a second time.
    verticalScrollBar()->setSliderPosition(verticalScrollBar()->value());
}

bool CBinEditView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == verticalScrollBar() && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void CBinEditView::wheelEvent(QWheelEvent* event)
{
    if (event->angleDelta().y() == 0 && event->pixelDelta().y() == 0) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int rows =
        wheelRows_.Take(event->angleDelta(), event->pixelDelta(), QApplication::wheelScrollLines(), layout_.lineHeight);
    const int64_t top = int64_t(top_.Offset()) + int64_t(rows) * layout_.bytesPerRow;
    SetTop(std::max<int64_t>(top, 0), true);
    event->accept();
}

void CBinEditView::resizeEvent(QResizeEvent*)
{
    clientWidth_ = viewport()->width();
    clientHeight_ = viewport()->height();
    if (settings_.sizeToFit) {
        const int fit = FitBytesPerRow(Options(), layout_.bytesPerRow, clientWidth_);
        if (fit != layout_.bytesPerRow)
            Layout(fit);
    }
    hScroll_ = std::clamp(hScroll_, 0, HScrollLimit(layout_.totalWidth, clientWidth_));
    const int64_t size = document_ ? document_->Size() : 0;
    const int64_t top = ClampTop(top_.Offset(), size, layout_.bytesPerRow, RowsInWindow());
    if (top != top_.Offset()) {
        top_.Seek(top);
        RepaintAll();
    }
    UpdateScrollBars();
}

// ---------------------------------------------------------------- repainting

void CBinEditView::RepaintAll() { viewport()->update(); }

void CBinEditView::RepaintOffsets(int64_t first, int64_t last)
{
    if (last < first)
        return;
    const int bpr = layout_.bytesPerRow;
    const int64_t lh = layout_.lineHeight;
    const int64_t firstRow = std::max<int64_t>(0, FloorDiv(int64_t(first) - top_.Offset(), bpr));
    // Rows below the window are cut before the pixel arithmetic, which an
    // offset far below the top would overflow (firstRow is then past lastRow).
    const int64_t lastRow = std::min<int64_t>(FloorDiv(last - top_.Offset(), bpr), clientHeight_ / lh + 1);
    if (lastRow < firstRow || firstRow * lh >= clientHeight_)
        return;
    const int64_t bottom = std::min<int64_t>((lastRow + 1) * lh, clientHeight_);
    viewport()->update(QRect(0, int(firstRow * lh), clientWidth_, int(bottom - firstRow * lh)));
}

void CBinEditView::RepaintFrom(int64_t offset)
{
    RepaintOffsets(std::max<int64_t>(offset, top_.Offset()), INT64_MAX);
}

void CBinEditView::RepaintSelection()
{
    if (marks_ && document_ && !marks_->BookmarksIn(*document_, 0, INT64_MAX).empty())
        RepaintAll();
    else if (caret_.hasSelection)
        RepaintOffsets(caret_.selStart, caret_.selEnd - 1);
}

void CBinEditView::paintEvent(QPaintEvent* event)
{
    if (paintFailed_)
        return;
    QPainter painter(viewport());
    const QRect area = event->rect();
    try {
        const AppSettings& s = settings_;
        RowPaintState state;
        state.layout = &layout_;
        state.font = &font_;
        state.cells = cellCopies_ ? &CellCache() : nullptr;
        // Resolved at every paint, so system colours follow the current theme.
        state.colors = ResolveViewColors(s.colors, QGuiApplication::palette());
        state.top = top_;
        state.size = document_ ? document_->Size() : 0;
        state.hScroll = hScroll_;
        state.showAllChars = s.showAllChars;
        state.hasSelection = caret_.hasSelection;
        state.selStart = caret_.selStart;
        state.selEnd = caret_.selEnd;
        state.caretInHex = hexActive_;
        state.activeView = active_;
        const auto [firstRow, lastRow] = RowsCrossing(area, layout_.lineHeight);
        const int64_t from = int64_t(top_.Offset()) + int64_t(firstRow) * layout_.bytesPerRow;
        const int64_t to = int64_t(top_.Offset()) + int64_t(lastRow + 1) * layout_.bytesPerRow;
        // Both compared windows show the differences, active or not.
        if (marks_ && document_)
            state.differences = marks_->DifferencesIn(*document_, from, to);
        if (active_ && marks_ && document_) {
            state.bookmarks = marks_->BookmarksIn(*document_, from, to);
            std::tie(state.dataStart, state.dataEnd) = marks_->InspectorRange(*document_);
        }
        // Qt's backing store already draws off screen and copies the result,
        // which is what FlickerFreePainting asks for; there is nothing to add.
        PaintRows(painter, area, state);
        PaintCaret(painter, area);
    } catch (const std::bad_alloc&) {
        paintFailed_ = true;
        QTimer::singleShot(0, this, &CBinEditView::ReportPaintFailure);
    }
}

void CBinEditView::PaintCaret(QPainter& painter, const QRect& area)
{
    const QRect caret = CaretRect();
    const bool shown = IsCaretShown() && caretBlinkOn_;
    if (shown && caret.intersects(area)) {
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.fillRect(caret, Qt::black);
        painter.restore();
        paintedCaret_ = caret;
    } else if (paintedCaret_.intersects(area)) {
        paintedCaret_ = QRect();
    }
}

void CBinEditView::ReportPaintFailure()
{
    hide();
    platform::ShowMessage(QStringLiteral("Out of memory! Unable to display the current view!\r\n\r\n"
                                         "You should exit the program immediately to prevent data corruption."),
                          platform::MsgButtons::Ok, platform::MsgIcon::Error);
}

// ---------------------------------------------------------------- caret

void CBinEditView::UpdateCaret()
{
    if (!paintedCaret_.isNull())
        viewport()->update(paintedCaret_);
    caretBlinkOn_ = true;
    if (hasFocus()) {
        caretTimer_.start();
        const QRect caret = CaretRect();
        if (!caret.isNull())
            viewport()->update(caret);
    }
}

void CBinEditView::BlinkCaret()
{
    caretBlinkOn_ = !caretBlinkOn_;
    const QRect caret = caretBlinkOn_ ? CaretRect() : paintedCaret_;
    if (!caret.isNull())
        viewport()->update(caret);
}

void CBinEditView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    UpdateCaret();
}

void CBinEditView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    caretTimer_.stop();
    if (!paintedCaret_.isNull())
        viewport()->update(paintedCaret_);
}

// ---------------------------------------------------------------- mouse and menu

void CBinEditView::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && IsOverSizeBar(layout_, p.x(), hScroll_)) {
        sizeBarDrag_ = true;
        event->accept();
        return;
    }
    if (mouse_->Press(event)) {
        event->accept();
        return;
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void CBinEditView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (sizeBarDrag_) {
        const int k = SizeBarCandidate(Options(), p.x() + hScroll_);
        if (k != layout_.bytesPerRow) {
            settings_.sizeToFit = false;
            LayoutPanes(k);
        }
        event->accept();
        return;
    }
    if (mouse_->Move(event)) {
        event->accept();
        return;
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void CBinEditView::mouseReleaseEvent(QMouseEvent* event)
{
    if (sizeBarDrag_ && event->button() == Qt::LeftButton) {
        sizeBarDrag_ = false;
        event->accept();
        return;
    }
    if (mouse_->Release(event)) {
        event->accept();
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void CBinEditView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && IsOverSizeBar(layout_, p.x(), hScroll_)) {
        // Fit once, without switching SizeToFit on.
        FitPanes();
        event->accept();
        return;
    }
    if (mouse_->DoubleClick(event)) {
        event->accept();
        return;
    }
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void CBinEditView::contextMenuEvent(QContextMenuEvent* event)
{
    // The context-menu key opens the menu near the window's top-left corner.
    const bool fromKeyboard = event->reason() == QContextMenuEvent::Keyboard;
    const QPoint at = fromKeyboard ? QPoint(5, 5) : event->pos();
    const QPoint global = fromKeyboard ? viewport()->mapToGlobal(at) : event->globalPos();
    const bool overOffsets = at.x() + hScroll_ < layout_.Px(layout_.offsetEnd + 1);
    emit contextMenuRequested(global, overOffsets || IsOverSizeBar(layout_, at.x(), hScroll_));
    event->accept();
}

// ---------------------------------------------------------------- keyboard

void CBinEditView::keyPressEvent(QKeyEvent* event)
{
    if (keys_->KeyPress(event)) {
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

bool CBinEditView::focusNextPrevChild(bool)
{
    // Tab switches between the hex and character columns instead.
    return false;
}

// ---------------------------------------------------------------- drag and drop

void CBinEditView::SetDropCaret(bool shown)
{
    if (dropCaret_ == shown)
        return;
    dropCaret_ = shown;
    UpdateCaret();
}

void CBinEditView::dragEnterEvent(QDragEnterEvent* event) { dragDrop_->DragEnter(event); }

void CBinEditView::dragMoveEvent(QDragMoveEvent* event) { dragDrop_->DragMove(event); }

void CBinEditView::dragLeaveEvent(QDragLeaveEvent*) { dragDrop_->DragLeave(); }

void CBinEditView::dropEvent(QDropEvent* event) { dragDrop_->Drop(event); }

// ---------------------------------------------------------------- insert mode

void CBinEditView::ShowInsertMode()
{
    UpdateCaret();
    emit statusChanged();
}
