#include "DeleteItems.h"

#include "settings/AppSettings.h"
#include "core/BinEditDoc.h"
#include "types/ValueTypeRegistry.h"
#include "platform/MessageBox.h"
#include "types/IntegerText.h"
#include "tools/ItemCount.h"
#include "tools/ToolView.h"

#include <algorithm>

DeleteInputs DeleteInputs::FromSettings(const AppSettings& s)
{
    return {FormatInteger(uint64_t(s.deleteCount), false, s.deleteCountRadix), s.deleteType};
}

DeleteValidation ValidateDelete(const DeleteInputs& inputs, const ValueTypeRegistry& types)
{
    DeleteValidation v;
    const ItemCount count = ParseItemCount(inputs.countText);
    if (!count.ok) {
        platform::ShowMessage(ItemCountMessage(ItemVerb::Delete));
        return v;
    }
    v.ok = true;
    v.countRadix = count.radix;
    v.request.count = count.count;
    v.request.type = inputs.type >= 0 && inputs.type < types.Count() ? inputs.type : 0;
    return v;
}

void DeleteValidation::Store(AppSettings& s) const
{
    s.deleteCountRadix = countRadix;
    s.deleteCount = request.count;
    s.deleteType = request.type;
}

bool RunDelete(CBinEditDoc& doc, IToolView& view, int64_t start, const DeleteRequest& request,
               const ValueTypeRegistry& types)
{
    if (doc.IsReadOnly() || request.type < 0 || request.type >= types.Count())
        return false;
    start = std::clamp<int64_t>(start, 0, doc.Size());
    const int64_t bytes = std::min<int64_t>(int64_t(request.count) * types.At(request.type).Size(), doc.Size() - start);
    if (bytes <= 0)
        return false;
    view.Select(start, start + bytes);
    view.DeleteSelection();
    return true;
}
