#pragma once
// The state of the byte-entry control without its window: the bytes, the
// caret (a byte index, with the low digit of the caret's byte pending after
// the high one was typed), the selection, the active column, the read-only
// switch and the maximum length. The widget paints it and feeds it keys.
#include <QByteArray>
#include <algorithm>
#include <cstdint>

class CHexEditModel {
public:
    static constexpr int kBytesPerRow = 8;
    static constexpr int kDefaultMaxLength = 0x7FFFFFFF;

    int Length() const { return int(bytes_.size()); }
    const QByteArray& Bytes() const { return bytes_; }
    // The first count bytes (all when count is larger).
    QByteArray BytesUpTo(int count) const { return bytes_.left(count); }
    // Replaces the content (cut to the maximum length); caret and selection go to 0.
    void SetBytes(const QByteArray& bytes);

    int Caret() const { return caret_; }
    bool LowNibblePending() const { return lowNibble_; }
    bool HexActive() const { return hexActive_; }
    void SetHexActive(bool hex);
    bool IsReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    int MaxLength() const { return maxLength_; }
    // Content beyond a smaller maximum is kept; only later inserts are cut.
    void SetMaxLength(int maxLength) { maxLength_ = maxLength < 0 ? 0 : maxLength; }

    bool HasSelection() const { return anchor_ >= 0 && anchor_ != caret_; }
    int SelectionStart() const { return HasSelection() ? std::min(anchor_, caret_) : caret_; }
    int SelectionEnd() const { return HasSelection() ? std::max(anchor_, caret_) : caret_; }
    // Start in the low 16 bits, end in the high 16 bits; 0 without a selection.
    uint32_t PackedSelection() const;
    // Selects [start, end) with the caret at end (clamped; start = end selects nothing).
    void SetSelection(int start, int end);

    // Moves the caret to offset (clamped); extend keeps or starts a selection
    // from where the caret was.
    void MoveCaret(int offset, bool extend);

    // Typing; false when nothing changed (read-only, full, not a digit or
    // a printable character).
    bool TypeHexDigit(char16_t ch);
    bool TypeCharacter(char16_t ch);
    bool Backspace();
    bool Delete();
    bool DeleteSelection();
    // Inserts at the caret, replacing a selection; cut to what the maximum
    // length leaves room for. Returns the bytes inserted.
    int Insert(const QByteArray& bytes);
    QByteArray SelectedBytes() const;

private:
    void ClearSelection() { anchor_ = -1; }

    QByteArray bytes_;
    int caret_ = 0;
    int anchor_ = -1;  // -1: no selection
    bool lowNibble_ = false;
    bool hexActive_ = true;
    bool readOnly_ = false;
    int maxLength_ = kDefaultMaxLength;
};
