#pragma once
// The hex view: one document shown as rows of offsets, hexadecimal pairs and
// characters. This header is the contract between the view and the main
// window; the view's own collaborators (row geometry, row text, painter,
// scrolling) live in files of their own next to it.
//
// The document must outlive its views: a view removes itself from the
// document's view list when it is destroyed.
#include "CellFont.h"
#include "RowLayout.h"
#include "ViewGeometry.h"
#include "ViewStatus.h"
#include "doc/AlignedPos.h"
#include "doc/BinEditDoc.h"
#include "doc/SelectionPos.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <utility>
#include <vector>

class QPainter;

// What later tools mark in the view: bookmarked bytes and the bytes covered by
// the data inspector's current value. Until they exist nothing is marked.
class IViewMarks {
public:
    virtual ~IViewMarks() = default;
    // Bookmarked offsets in [from, to), ascending.
    virtual std::vector<int32_t> BookmarksIn(const CBinEditDoc& doc, int32_t from, int32_t to) const = 0;
    // The range [start, end) of the inspector's value at the caret; empty when none.
    virtual std::pair<int32_t, int32_t> InspectorRange(const CBinEditDoc& doc) const = 0;
};

class CBinEditView : public QAbstractScrollArea, public IDocView {
    Q_OBJECT
public:
    explicit CBinEditView(CBinEditDoc* document, QWidget* parent = nullptr);
    ~CBinEditView() override;

    CBinEditDoc* Document() const { return document_; }
    CSelectionPos& Caret() { return caret_; }
    const CSelectionPos& Caret() const { return caret_; }
    CAlignedPos& Top() { return top_; }
    bool HexActive() const { return hexActive_; }
    int BytesPerRow() const;

    // IDocView
    void OnDocumentUpdate(IDocView* sender, UpdateHint hint, const HintArgs& args) override;
    void OnInitialUpdate() override;

    // Lays the rows out again; 0 takes the bytes per row from the settings.
    void Layout(int requestedBytesPerRow);
    // A second pane of a split window starts where the first one stands.
    void CopyPaneState(const CBinEditView& other);
    // The other pane of a split window, which follows horizontal scrolling.
    void SetSplitPartner(CBinEditView* partner);
    // Active views draw the selection in the active colours and the marks.
    void SetActiveView(bool active);

    ViewStatus Status() const;

    static void SetMarks(const IViewMarks* marks);

    // ---- geometry for the editing input built on this view
    const RowLayout& Geometry() const { return layout_; }
    int HScroll() const { return hScroll_; }
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    int RowsInWindow() const;
    bool IsActiveView() const { return active_; }
    CBinEditView* SplitPartner() const { return partner_; }
    // The caret is shown at the end of the previous row.
    bool EndOfRow() const { return endOfRow_; }
    void SetEndOfRow(bool endOfRow) { endOfRow_ = endOfRow; }
    // The high digit of the caret's byte has been typed; the caret stands
    // between the two digits. Kept in the caret position, which edits move.
    bool LowNibblePending() const { return caret_.spare != 0; }
    // Moves the caret between the hex and character columns.
    void SetHexActive(bool hex);

    // The byte boundary under a client point.
    HitResult HitTest(int x, int y) const;
    // Where the caret is drawn, in client pixels.
    CaretPlace CaretPoint() const;
    QRect CaretRect() const;
    bool IsCaretShown() const;

    // Scrolls so that offset's row is the top row (clamped, rounded down to a
    // row start). Scrolls of less than a window move the painted pixels.
    void SetTop(int32_t offset, bool moveCaret = true);
    // Horizontal position in pixels; with syncPanes the other pane follows.
    void SetHScroll(int pixels, bool moveCaret, bool syncPanes);
    // Scrolls as little as possible to bring the caret into the window.
    void EnsureCaretVisible();
    void UpdateScrollBars();
    // Marks the caret's cells for repainting, after it moved.
    void UpdateCaret();

    void RepaintAll();
    // Repaints the window rows holding offsets from first to last.
    void RepaintOffsets(int32_t first, int32_t last);
    // Repaints from the row holding offset to the bottom of the window.
    void RepaintFrom(int32_t offset);

    // Lays out this pane and its split partner with bytesPerRow, as a size-bar
    // drag does.
    void LayoutPanes(int bytesPerRow);
    // Lays out this pane and its partner with the most bytes per row that fit.
    void FitPanes();

signals:
    // The status panes' texts may have changed.
    void statusChanged();
    // Right button over the offset column or the size bar (layoutMenu true:
    // the display toggles) or elsewhere (the Edit menu).
    void contextMenuRequested(const QPoint& globalPos, bool layoutMenu);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    CBinEditDoc* document_;
    CSelectionPos caret_;
    CAlignedPos top_;
    bool hexActive_ = true;
    bool endOfRow_ = false;

private:
    LayoutOptions Options() const;
    void ScrollViewport(int dx, int dy);
    void PaintCaret(QPainter& painter, const QRect& area);
    void RepaintSelection();
    void BlinkCaret();
    void ReportPaintFailure();

    RowLayout layout_;
    CellFont font_;
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

    static const IViewMarks* marks_;
};
