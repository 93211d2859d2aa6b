#pragma once
// The byte-entry control of the Find and Replace dialogs' data pages: a short
// byte string shown as rows of 8 bytes with a hex column and a character
// column, typed into in either column. The clipboard carries the same two
// formats as the hex view: the bytes as plain text with a zero byte after
// them, and the length block.
#include "tooldialogs/HexEditModel.h"
#include "view/RowLayout.h"

#include <QAbstractScrollArea>
#include <QByteArray>

class QMenu;

class VantrelHexEdit : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit VantrelHexEdit(QWidget* parent = nullptr);

    // ---- what the owner asks of the control
    int Length() const { return model_.Length(); }
    QByteArray Bytes(int maxCount) const { return model_.BytesUpTo(maxCount); }
    QByteArray Bytes() const { return model_.Bytes(); }
    void SetBytes(const QByteArray& bytes);
    bool HexActive() const { return model_.HexActive(); }
    void SetHexActive(bool hex);
    bool IsReadOnly() const { return model_.IsReadOnly(); }
    void SetReadOnly(bool readOnly) { model_.SetReadOnly(readOnly); }
    // Start in the low 16 bits and end in the high 16 bits; 0 without a selection.
    uint32_t Selection() const { return model_.PackedSelection(); }
    void SetSelection(int start, int end);
    void SelectAll() { SetSelection(0, model_.Length()); }
    void SetMaxLength(int maxLength) { model_.SetMaxLength(maxLength); }
    int MaxLength() const { return model_.MaxLength(); }
    int Caret() const { return model_.Caret(); }
    bool LowNibblePending() const { return model_.LowNibblePending(); }

    // ---- the clipboard and the "HexEdit" context menu
    bool Copy();
    bool Cut();
    bool Paste();
    bool DeleteSelection();
    // The context menu as it would show now; the caller owns it.
    QMenu* CreateContextMenu(QWidget* parent);

    QSize sizeHint() const override;

signals:
    void changed();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Runs an edit of the model; a buffer that cannot grow empties the control.
    template <typename Edit>
    bool Guarded(Edit edit);
    bool HandleNavigationKey(QKeyEvent* event);
    void AfterChange(bool contentChanged);
    void EnsureCaretVisible();
    void UpdateScrollBar();
    int RowHeight() const;
    int CharWidth() const;
    RowLayout Layout() const;
    static int HiddenOffsetWidth(const RowLayout& layout);
    static int HexX(const RowLayout& layout, int column);
    static int TextX(const RowLayout& layout, int column);
    int OffsetAt(const QPoint& point, bool* hexColumn) const;
    int RowsInWindow() const;

    CHexEditModel model_;
};
