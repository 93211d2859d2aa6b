#include "DragSource.h"

CViewDragData::CViewDragData(const QMimeData& formats, std::shared_ptr<DragOrigin> origin)
    : origin_(std::move(origin))
{
    for (const QString& format : formats.formats())
        setData(format, formats.data(format));
}

DragOrigin* CViewDragData::OriginOf(const QMimeData* data)
{
    const auto* own = dynamic_cast<const CViewDragData*>(data);
    return own ? &own->Origin() : nullptr;
}
