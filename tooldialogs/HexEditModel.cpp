#include "HexEditModel.h"

#include "types/DigitValue.h"

#include <algorithm>

void CHexEditModel::SetBytes(const QByteArray& bytes)
{
    bytes_ = bytes.left(maxLength_);
    caret_ = 0;
    lowNibble_ = false;
    ClearSelection();
}

void CHexEditModel::SetHexActive(bool hex)
{
    hexActive_ = hex;
    lowNibble_ = false;
}

uint32_t CHexEditModel::PackedSelection() const
{
    if (!HasSelection())
        return 0;
    return (uint32_t(SelectionStart()) & 0xFFFFu) | (uint32_t(SelectionEnd()) << 16);
}

void CHexEditModel::SetSelection(int start, int end)
{
    start = std::clamp(start, 0, Length());
    end = std::clamp(end, 0, Length());
    lowNibble_ = false;
    caret_ = end;
    anchor_ = start == end ? -1 : start;
}

void CHexEditModel::MoveCaret(int offset, bool extend)
{
    offset = std::clamp(offset, 0, Length());
    if (extend) {
        if (anchor_ < 0)
            anchor_ = caret_;
    } else {
        ClearSelection();
    }
    caret_ = offset;
    lowNibble_ = false;
    if (anchor_ == caret_)
        ClearSelection();
}

bool CHexEditModel::DeleteSelection()
{
    if (readOnly_ || !HasSelection())
        return false;
    const int start = SelectionStart();
    bytes_.remove(start, SelectionEnd() - start);
    caret_ = start;
    lowNibble_ = false;
    ClearSelection();
    return true;
}

bool CHexEditModel::TypeHexDigit(char16_t ch)
{
    const int digit = HexDigitValue(ch);
    if (readOnly_ || digit < 0)
        return false;
    DeleteSelection();
    if (lowNibble_ && caret_ < Length()) {
        // The second digit completes the byte and the caret moves on.
        auto& byte = reinterpret_cast<uint8_t&>(bytes_.data()[caret_]);
        byte = uint8_t((byte & 0xF0) | digit);
        ++caret_;
        lowNibble_ = false;
        return true;
    }
    if (Length() >= maxLength_)
        return false;
    bytes_.insert(caret_, char(digit << 4));
    lowNibble_ = true;
    return true;
}

bool CHexEditModel::TypeCharacter(char16_t ch)
{
    if (readOnly_ || ch < 32 || ch > 126)
        return false;
    DeleteSelection();
    if (Length() >= maxLength_)
        return false;
    bytes_.insert(caret_, char(ch));
    ++caret_;
    lowNibble_ = false;
    return true;
}

bool CHexEditModel::Backspace()
{
    if (readOnly_)
        return false;
    if (DeleteSelection())
        return true;
    if (lowNibble_) {
        // Half a byte typed: taking it back removes the byte begun.
        bytes_.remove(caret_, 1);
        lowNibble_ = false;
        return true;
    }
    if (caret_ == 0)
        return false;
    --caret_;
    bytes_.remove(caret_, 1);
    return true;
}

bool CHexEditModel::Delete()
{
    if (readOnly_)
        return false;
    if (DeleteSelection())
        return true;
    if (caret_ >= Length())
        return false;
    bytes_.remove(caret_, 1);
    lowNibble_ = false;
    return true;
}

int CHexEditModel::Insert(const QByteArray& bytes)
{
    if (readOnly_)
        return 0;
    DeleteSelection();
    const int room = std::max(0, maxLength_ - Length());
    const QByteArray fitting = bytes.left(room);
    bytes_.insert(caret_, fitting);
    caret_ += int(fitting.size());
    lowNibble_ = false;
    return int(fitting.size());
}

QByteArray CHexEditModel::SelectedBytes() const
{
    if (!HasSelection())
        return {};
    return bytes_.mid(SelectionStart(), SelectionEnd() - SelectionStart());
}
