#include "ModifyItems.h"

#include "settings/AppSettings.h"
#include "core/BinEditDoc.h"
#include "platform/FileErrors.h"
#include "platform/MessageBox.h"
#include "platform/StatusHooks.h"
#include "tools/ItemCount.h"
#include "types/IntegerText.h"
#include "tools/ToolView.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

ModifyInputs ModifyInputs::FromSettings(const AppSettings& s)
{
    ModifyInputs inputs;
    inputs.countText = FormatInteger(uint64_t(s.modifyCount), false, s.modifyCountRadix);
    inputs.type = IsStdValueType(s.modifyType) ? s.modifyType : TYPE_BYTE;
    inputs.action = IsValueAction(s.modifyAction) ? s.modifyAction : ACTION_SET_VALUE;
    inputs.actionValue = s.actionValue;
    inputs.bigEndian = s.modifyBigEndian;
    inputs.modifyValue = s.modifyValue;
    inputs.action2 = IsValueAction(s.modifyAction2) && s.modifyAction2 != ACTION_SET_VALUE ? s.modifyAction2 : ACTION_ADD;
    inputs.actionValue2 = s.actionValue2;
    return inputs;
}

bool ModifyValueEnabled(int action) { return IsValueAction(action) && ValueActionAt(action).takesOperand; }

bool ModifySecondActionEnabled(int action, bool modifyValue) { return ModifyValueEnabled(action) && modifyValue; }

bool ModifySecondValueEnabled(int action, bool modifyValue, int action2)
{
    return ModifySecondActionEnabled(action, modifyValue) && ModifyValueEnabled(action2);
}

namespace {
// The operand of a shift or rotate is a bit count, entered as a Byte.
int OperandType(int action, int type) { return ValueActionAt(action).operandIsSelectedType ? type : TYPE_BYTE; }
} // namespace

ModifyValidation ValidateModify(const ModifyInputs& inputs)
{
    ModifyValidation v;
    v.actionValue = inputs.actionValue.trimmed();
    v.actionValue2 = inputs.actionValue2.trimmed();
    const ItemCount count = ParseItemCount(inputs.countText);
    if (!count.ok) {
        platform::ShowMessage(ItemCountMessage(ItemVerb::Modify));
        v.failed = ModifyField::Count;
        return v;
    }
    ModifyRequest& r = v.request;
    v.countRadix = count.radix;
    r.count = count.count;
    r.type = IsStdValueType(inputs.type) ? inputs.type : TYPE_BYTE;
    r.action = IsValueAction(inputs.action) ? inputs.action : ACTION_SET_VALUE;
    r.action2 = IsValueAction(inputs.action2) && inputs.action2 != ACTION_SET_VALUE ? inputs.action2 : ACTION_ADD;
    r.bigEndian = inputs.bigEndian;
    r.value = TypedValue(OperandType(r.action, r.type));
    if (ModifyValueEnabled(r.action) && !ParseValueText(r.value.type, v.actionValue, false, r.value, nullptr)) {
        v.failed = ModifyField::ActionValue;
        return v;
    }
    r.modifyValue = ModifySecondActionEnabled(r.action, inputs.modifyValue);
    r.value2 = TypedValue(OperandType(r.action2, r.type));
    if (r.modifyValue && ModifyValueEnabled(r.action2) &&
        !ParseValueText(r.value2.type, v.actionValue2, false, r.value2, nullptr)) {
        v.failed = ModifyField::ActionValue2;
        return v;
    }
    return v;
}

void ModifyValidation::Store(AppSettings& s) const
{
    s.modifyCountRadix = countRadix;
    s.modifyCount = request.count;
    s.modifyType = request.type;
    s.modifyAction = request.action;
    s.actionValue = actionValue;
    s.modifyBigEndian = request.bigEndian;
    s.modifyValue = request.modifyValue;
    s.modifyAction2 = request.action2;
    s.actionValue2 = actionValue2;
}

QString ModifyExtendQuestion()
{
    return QStringLiteral(
        "The area to be modified extends beyond the end of the file. Would you like Vantrel to increase the file "
        "size accordingly?\r\n\r\nYes: Increase the file size as needed and modify the specified number of "
        "bytes.\r\nNo: Modify existing bytes up to the end of the file.\r\nCancel: Cancel this operation.");
}

namespace {

// Applies the request to the items in bytes, in place. A trailing part
// shorter than one item stays as it is.
void ModifyBytes(std::vector<uint8_t>& bytes, const ModifyRequest& request)
{
    const int size = StdValueTypeAt(request.type).size;
    TypedValue value = request.value;
    int32_t done = 0;
    for (size_t at = 0; done < request.count && at + size_t(size) <= bytes.size(); at += size_t(size), ++done) {
        TypedValue item(request.type);
        std::memcpy(item.bytes.data(), bytes.data() + at, size_t(size));
        if (request.bigEndian)
            item.ReverseBytes();
        item.ApplyAction(request.action, value);
        if (request.bigEndian)
            item.ReverseBytes();
        std::memcpy(bytes.data() + at, item.bytes.data(), size_t(size));
        if (request.modifyValue)
            value.ApplyAction(request.action2, request.value2);
    }
}

} // namespace

bool RunModify(CBinEditDoc& doc, IToolView& view, int64_t start, const ModifyRequest& request)
{
    if (doc.IsReadOnly() || !IsStdValueType(request.type) || !IsValueAction(request.action))
        return false;
    const int64_t fileSize = doc.Size();
    start = std::clamp<int64_t>(start, 0, fileSize);
    const int64_t existing = fileSize - start;
    const int64_t wanted = ItemRunBytes(request.count, StdValueTypeAt(request.type).size);
    if (wanted < 0)
        return false;
    int64_t length = wanted;
    if (existing < wanted) {
        switch (platform::ShowMessage(ModifyExtendQuestion(), platform::MsgButtons::YesNoCancel,
                                      platform::MsgIcon::Question)) {
        case platform::MsgResult::Yes:
            break;
        case platform::MsgResult::No:
            length = existing;
            break;
        default:
            return false;
        }
    }
    if (length == 0)
        return false;

    platform::WaitCursor wait;
    const int64_t oldLength = std::min(existing, length);
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(size_t(length));
    } catch (const std::bad_alloc&) {
        platform::ShowMessage(platform::OutOfMemoryText());
        return false;
    }
    CBufferPos at;
    at.Bind(&doc.Buffer(), false, start);
    if (!doc.RecordEdit(at, UndoKind::RestoreBytes, oldLength, length))
        return false;
    if (length > existing) {
        // The missing bytes are appended as zeros, so the existing items keep their places.
        const int64_t missing = length - existing;
        at.Seek(fileSize);
        const int64_t inserted = at.Insert(missing);
        at.Fill(0, inserted);
        at.Seek(start);
        if (inserted < missing) {
            doc.UndoList().Clear();  // the entry describes more bytes than exist
            length = existing + inserted;
            bytes.resize(size_t(length));
            if (length == 0)
                return false;
        }
    }
    at.Read(bytes.data(), length);
    ModifyBytes(bytes, request);
    at.Write(bytes.data(), length);

    doc.SetModifiedFlag(true);
    // Items past the end grow the file: everything from start on is new.
    doc.UpdateAllViews(nullptr, doc.Size() == fileSize
                                    ? DocumentChange::Overwritten(start, int64_t(length))
                                    : DocumentChange::Replaced(start, fileSize - start, doc.Size() - start));
    view.Select(start + length, start);
    return true;
}
