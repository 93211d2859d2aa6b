#pragma once
// The hex view: one document shown as rows of offsets, hexadecimal pairs and
// characters. This header is the contract between the view and the main
// window; the view's own collaborators (row layout and geometry, row text,
// painters, caret, keys, mouse, clipboard, drag and drop) live in files of
// their own next to it. Callers reach the editing helpers (CaretControl,
// Edits, Clipboard, DragDrop, MouseInput) and call them directly; the
// helpers see the view only through the small faces of ViewFacets.h, which
// the view implements. Scrolling is done here, with its arithmetic (scroll
// ranges and limits in ViewGeometry, wheel steps in WheelRows) kept apart.
//
// The document must outlive its views: a view removes itself from the
// document's view list when it is destroyed.
#include "CellFont.h"
#include "GlyphCellCache.h"
#include "GlyphCellPool.h"
#include "RowLayout.h"
#include "ViewGeometry.h"
#include "ViewFacets.h"
#include "ViewStatus.h"
#include "WheelRows.h"
#include "core/AlignedPos.h"
#include "core/BinEditDoc.h"
#include "core/SelectionPos.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class QPainter;
class CCaretController;
class CDragDrop;
class CEditCommands;
class CKeyInput;
class CMouseInput;
class CViewClipboard;
class IUserInterface;

// What the view marks besides the selection: bookmarked bytes, the bytes
// covered by the data inspector's current value and the differences of a
// comparison the document takes part in. A view without marks (none set)
// marks nothing.
class IViewMarks {
public:
    virtual ~IViewMarks() = default;
    // Bookmarked offsets in [from, to), ascending.
    virtual std::vector<int64_t> BookmarksIn(const CBinEditDoc& doc, int64_t from, int64_t to) const = 0;
    // The range [start, end) of the inspector's value at the caret; empty when none.
    virtual std::pair<int64_t, int64_t> InspectorRange(const CBinEditDoc& doc) const = 0;
    // The document's stretches [start, end) that differ from the file it is
    // compared with and cross [from, to), ascending; none outside a comparison.
    virtual std::vector<std::pair<int64_t, int64_t>> DifferencesIn(const CBinEditDoc& doc, int64_t from,
                                                                   int64_t to) const
    {
        (void)doc, (void)from, (void)to;
        return {};
    }
};

class CBinEditView : public QAbstractScrollArea,
                     public IDocView,
                     public IViewGeometry,
                     public IViewScrolling,
                     public IViewUpdates,
                     public ICaretDisplay,
                     public IViewRequests {
    Q_OBJECT
public:
    // settings are the display and editing settings the view follows; they
    // outlive it. ui shows the view's dialogs (file transfers, paste mode)
    // and runs its drags.
    CBinEditView(CBinEditDoc* document, AppSettings& settings, IUserInterface& ui, QWidget* parent = nullptr);
    ~CBinEditView() override;

    CBinEditDoc* Document() const { return document_; }
    AppSettings& Settings() const { return settings_; }
    CSelectionPos& Caret() { return caret_; }
    const CSelectionPos& Caret() const { return caret_; }
    CAlignedPos& Top() { return top_; }
    int BytesPerRow() const;

    // IDocView
    void OnDocumentChanged(IDocView* sender, const DocumentChange& change) override;
    void OnInitialUpdate() override;

    // IViewGeometry
    const RowLayout& Geometry() const override { return layout_; }
    const CAlignedPos& Top() const override { return top_; }
    int HScroll() const override { return hScroll_; }
    int ClientWidth() const override { return clientWidth_; }
    int ClientHeight() const override { return clientHeight_; }
    int RowsInWindow() const override;
    HitResult HitTest(int x, int y) const override;

    // IViewScrolling
    void SetTop(int64_t offset, bool moveCaret = true) override;
    void SetHScroll(int pixels, bool moveCaret, bool syncPanes) override;
    void EnsureCaretVisible() override;

    // IViewUpdates
    void RepaintOffsets(int64_t first, int64_t last) override;
    void NotifyStatusChanged() override { emit statusChanged(); }

    // ICaretDisplay
    bool HexActive() const override { return hexActive_; }
    void SetHexActive(bool hex) override;
    bool EndOfRow() const override { return endOfRow_; }
    void SetEndOfRow(bool endOfRow) override { endOfRow_ = endOfRow; }
    bool LowNibblePending() const override { return caret_.spare != 0; }
    void SetDropCaret(bool shown) override;

    // IViewRequests
    void RequestInsertModeToggle() override { emit insertModeToggleRequested(); }
    void OpenDroppedFiles(const QStringList& paths) override { emit filesDropped(paths); }

    // Lays the rows out again; 0 takes the bytes per row from the settings.
    void Layout(int requestedBytesPerRow);
    // After the options changed: the rows laid out again (with the bytes per
    // row of the settings when asked, else this view's own), the caret and
    // the status panes following.
    void Relayout(bool bytesPerRowFromSettings);
    // A second pane of a split window starts where the first one stands.
    void CopyPaneState(const CBinEditView& other);
    // The other pane of a split window, which follows horizontal scrolling.
    void SetSplitPartner(CBinEditView* partner);
    // Active views draw the selection in the active colours and the marks.
    void SetActiveView(bool active);

    ViewStatus Status() const;

    // Where this view's marks come from; null for none. Not owned.
    void SetMarks(const IViewMarks* marks);

    // Painting copies cached character cells where they match Qt's drawing;
    // off, every glyph is drawn (tests compare the two).
    void SetCellCopies(bool on) { cellCopies_ = on; }
    // The program's shared cells, which outlive the view; without them the
    // view keeps its own.
    void ShareCells(GlyphCellPool* pool) { cellPool_ = pool; }
    GlyphCellCache& CellCache() { return cellPool_ ? cellPool_->For(font_) : cells_; }
    bool IsActiveView() const { return active_; }
    CBinEditView* SplitPartner() const { return partner_; }

    // Where the caret is drawn, in client pixels.
    CaretPlace CaretPoint() const;
    QRect CaretRect() const;
    bool IsCaretShown() const;

    void UpdateScrollBars();
    // Marks the caret's cells for repainting, after it moved.
    void UpdateCaret();

    void RepaintAll();
    // Repaints from the row holding offset to the bottom of the window.
    void RepaintFrom(int64_t offset);

    // Lays out this pane and its split partner with bytesPerRow, as a size-bar
    // drag does.
    void LayoutPanes(int bytesPerRow);
    // Lays out this pane and its partner with the most bytes per row that fit.
    void FitPanes();

    // The caret and the selection: the one way anything moves the caret or
    // selects.
    CCaretController& CaretControl() { return *caretControl_; }
    const CCaretController& CaretControl() const { return *caretControl_; }

    // Typing, deleting, undo and redo from the keyboard and the Edit menu.
    CEditCommands& Edits() { return *edits_; }
    const CEditCommands& Edits() const { return *edits_; }

    // Insert and overwrite mode are shared by every view of the application,
    // which owns the mode: the Insert key only asks it to switch
    // (insertModeToggleRequested), and after a switch the application tells
    // each of its views to show the new mode (caret shape and status).
    void ShowInsertMode();

    // Copy, Cut, Paste, the file transfers and the byte transfers other
    // tools reuse.
    CViewClipboard& Clipboard() { return *clipboard_; }
    const CViewClipboard& Clipboard() const { return *clipboard_; }

    // Dragging the selection out and dropping data or files onto the view.
    CDragDrop& DragDrop() { return *dragDrop_; }
    bool DropCaretShown() const { return dropCaret_; }
    CMouseInput& MouseInput() { return *mouse_; }

signals:
    // The status panes' texts may have changed.
    void statusChanged();
    // Right button over the offset column or the size bar (layoutMenu true:
    // the display toggles) or elsewhere (the Edit menu).
    void contextMenuRequested(const QPoint& globalPos, bool layoutMenu);
    // Files dragged from a file manager were dropped on the view: open them.
    void filesDropped(const QStringList& paths);
    // The Insert key was pressed: the application switches the shared mode.
    void insertModeToggleRequested();
    // The top row moved (scrolling, paging, a caret move that scrolled).
    void topChanged(int64_t offset);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    CBinEditDoc* document_;
    AppSettings& settings_;
    CSelectionPos caret_;
    CAlignedPos top_;
    bool hexActive_ = true;
    bool endOfRow_ = false;

private:
    LayoutOptions Options() const;
    void ScrollViewport(int dx, int dy);
    // A scroll bar action (QAbstractSlider::SliderAction) done in rows.
    void StepVertically(int action);
    void PaintCaret(QPainter& painter, const QRect& area);
    void RepaintSelection();
    void BlinkCaret();
    void ReportPaintFailure();

    RowLayout layout_;
    CellFont font_;
    GlyphCellCache cells_;
    GlyphCellPool* cellPool_ = nullptr;
    bool cellCopies_ = true;
    int hScroll_ = 0;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    bool active_ = true;
    bool sizeBarDrag_ = false;
    bool syncingScrollBars_ = false;
    bool caretBlinkOn_ = true;
    bool paintFailed_ = false;
    QRect paintedCaret_;  // where the caret was last drawn; empty when it is not on the screen
    QTimer caretTimer_;
    QPointer<CBinEditView> partner_;
    bool dropCaret_ = false;
    CWheelRows wheelRows_;

    // In the order they are made: each takes references to those before it.
    std::unique_ptr<CCaretController> caretControl_;
    std::unique_ptr<CEditCommands> edits_;
    std::unique_ptr<CViewClipboard> clipboard_;
    std::unique_ptr<CDragDrop> dragDrop_;
    std::unique_ptr<CMouseInput> mouse_;
    std::unique_ptr<CKeyInput> keys_;

    const IViewMarks* marks_ = nullptr;
};
