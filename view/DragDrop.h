#pragma once
// Dragging the selection out of a hex view and dropping data onto it. A move
// within one document is a single edit that one Undo takes back; data from
// other views and other programs is inserted at the drop point and selected;
// files dragged from a file manager are handed to the main window to open.
#include "ViewEditors.h"
#include "ViewFacets.h"

#include <QStringList>
#include <QPoint>
#include <Qt>
#include <functional>
#include <memory>

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class IUserInterface;
struct DragOrigin;
class QMimeData;
class QWidget;

class CDragDrop {
public:
    // viewport is the widget drags start from and drops land on; ui runs the drags.
    CDragDrop(ViewSubject subject, ViewEditors editors, const IViewGeometry& geometry, ICaretDisplay& display,
              IViewRequests& requests, QWidget& viewport, IUserInterface& ui)
        : subject_(subject), editors_(editors), geometry_(geometry), display_(display), requests_(requests),
          viewport_(viewport), ui_(ui)
    {
    }
    // A view closing during its own drag withdraws its caret from the drop.
    ~CDragDrop();

    // Drags the selection (copy and move, or only copy when read-only).
    void StartDrag();

    void DragEnter(QDragEnterEvent* event);
    void DragMove(QDragMoveEvent* event);
    void DragLeave();
    void Drop(QDropEvent* event);

    // Local files a drop carries; they are opened, never pasted.
    static QStringList LocalFiles(const QMimeData* data);

private:
    bool AcceptsData(const QMimeData* data) const;
    // Copy with Ctrl, else move, as far as the source offers it.
    Qt::DropAction ChosenAction(Qt::DropActions possible, Qt::KeyboardModifiers modifiers) const;
    void FollowCaret(QPoint point);
    enum class OwnDrop { NotOwn, Done, Refused };
    // origin: where the dropped data was dragged from, when from a view.
    OwnDrop DropOnOwnDocument(QPoint point, Qt::DropAction action, DragOrigin* origin);
    bool PasteDropped(const QMimeData* data);

    ViewSubject subject_;
    ViewEditors editors_;
    const IViewGeometry& geometry_;
    ICaretDisplay& display_;
    IViewRequests& requests_;
    QWidget& viewport_;
    IUserInterface& ui_;
    // The drag this view has running, while it runs.
    std::weak_ptr<DragOrigin> origin_;
};
