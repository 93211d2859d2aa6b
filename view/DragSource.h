#pragma once
// Where a drag out of a hex view came from. The drag's own data carries it,
// so a drop into the same document finds the source caret without any list
// kept for the whole program: such a drop moves the block as one edit and
// marks it taken, which tells the source that nothing is left to delete.
#include <QMimeData>

#include <memory>

class CBinEditDoc;
class CSelectionPos;

struct DragOrigin {
    const CBinEditDoc* document = nullptr;
    // Null once the source view has closed during the drag.
    CSelectionPos* caret = nullptr;
    // The drop took the block itself (moved it, or found it dropped onto itself).
    bool taken = false;
};

// The data of a drag that started in a view: the bytes in the formats of
// the clipboard, and the origin shared with the view that started it.
class CViewDragData : public QMimeData {
public:
    CViewDragData(const QMimeData& formats, std::shared_ptr<DragOrigin> origin);

    DragOrigin& Origin() const { return *origin_; }
    // The origin of data dragged out of a view of this program; null for
    // anything else (another program's data, files).
    static DragOrigin* OriginOf(const QMimeData* data);

private:
    std::shared_ptr<DragOrigin> origin_;
};
