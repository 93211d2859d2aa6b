#include "InsertItems.h"

#include "settings/AppSettings.h"
#include "core/BinEditDoc.h"
#include "types/ValueTypeRegistry.h"
#include "platform/FileErrors.h"
#include "platform/MessageBox.h"
#include "platform/StatusHooks.h"
#include "tools/CoreMessages.h"
#include "types/IntegerText.h"
#include "tools/ItemCount.h"
#include "tools/RegistryValue.h"
#include "tools/ToolView.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

InsertInputs InsertInputs::FromSettings(const AppSettings& s)
{
    InsertInputs inputs;
    inputs.countText = FormatInteger(uint64_t(s.insertCount), false, s.insertCountRadix);
    inputs.type = s.insertType;
    inputs.value = s.insertValue;
    inputs.bigEndian = s.insertBigEndian;
    return inputs;
}

InsertValidation ValidateInsert(const InsertInputs& inputs, const ValueTypeRegistry& types)
{
    InsertValidation v;
    v.value = inputs.value.trimmed();
    const ItemCount count = ParseItemCount(inputs.countText);
    if (!count.ok) {
        platform::ShowMessage(ItemCountMessage(ItemVerb::Insert));
        v.failed = InsertField::Count;
        return v;
    }
    v.countRadix = count.radix;
    v.request.count = count.count;
    v.request.type = inputs.type >= 0 && inputs.type < types.Count() ? inputs.type : 0;
    v.request.bigEndian = inputs.bigEndian;
    if (!ParseRegistryValue(types, v.request.type, v.value, inputs.bigEndian, v.request.value))
        v.failed = InsertField::Value;
    return v;
}

void InsertValidation::Store(AppSettings& s) const
{
    s.insertCountRadix = countRadix;
    s.insertCount = request.count;
    s.insertType = request.type;
    s.insertValue = value;
    s.insertBigEndian = request.bigEndian;
}

int64_t RunInsert(CBinEditDoc& doc, IToolView& view, int64_t start, const InsertRequest& request)
{
    const auto itemSize = int32_t(request.value.size());
    if (doc.IsReadOnly() || itemSize <= 0 || request.count <= 0)
        return 0;
    start = std::clamp<int64_t>(start, 0, doc.Size());
    const int64_t bytes = int64_t(request.count) * itemSize;
    // The buffer's own limit (the file size limit in the program), compared
    // so that it cannot overflow however high it is.
    if (bytes > doc.Buffer().SizeLimit() - doc.Size()) {
        // Refused before anything is recorded or allocated, so the history stays valid.
        platform::ShowMessage(CoreMessages::SizeLimitInsertText());
        return 0;
    }
    platform::WaitCursor wait;
    std::vector<uint8_t> block;
    try {
        block.resize(size_t(bytes));
    } catch (const std::bad_alloc&) {
        platform::ShowMessage(platform::OutOfMemoryText());
        return 0;
    }
    // The last copy is cut to what remains.
    for (size_t at = 0; at < block.size(); at += size_t(itemSize))
        std::memcpy(block.data() + at, request.value.constData(), std::min(size_t(itemSize), block.size() - at));
    CBufferPos at;
    at.Bind(&doc.Buffer(), false, start);
    const int64_t inserted = doc.InsertAt(at, block.data(), bytes);
    if (inserted > 0)
        view.Select(start + inserted, start);
    return inserted;
}
