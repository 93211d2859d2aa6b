#include "VantrelHexEdit.h"

#include "platform/Clipboard.h"
#include "platform/MessageBox.h"
#include "view/CaretMoves.h"
#include "view/RowText.h"
#include "view/TransferCount.h"
#include "view/ViewGeometry.h"

#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <new>
#include <utility>

namespace {
constexpr int kRow = CHexEditModel::kBytesPerRow;
constexpr int kMargin = 3;

QString OutOfMemoryText() { return QStringLiteral("Out of memory. Not enough memory to resize edit buffer."); }
} // namespace

VantrelHexEdit::VantrelHexEdit(QWidget* parent) : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("VantrelHexEdit"));
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setCursor(Qt::IBeamCursor);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

QSize VantrelHexEdit::sizeHint() const
{
    return QSize(TextX(Layout(), kRow) + kMargin + verticalScrollBar()->sizeHint().width() + 2 * frameWidth(),
                 RowHeight() * 4 + 2 * kMargin + 2 * frameWidth());
}

// ---------------------------------------------------------------- owner operations

template <typename Edit>
bool VantrelHexEdit::Guarded(Edit edit)
{
    try {
        return edit();
    } catch (const std::bad_alloc&) {
        model_.SetBytes({});
        platform::ShowMessage(OutOfMemoryText());
        AfterChange(true);
        return false;
    }
}

void VantrelHexEdit::SetBytes(const QByteArray& bytes)
{
    Guarded([&] {
        model_.SetBytes(bytes);
        return true;
    });
    AfterChange(true);
}

void VantrelHexEdit::SetHexActive(bool hex)
{
    model_.SetHexActive(hex);
    viewport()->update();
}

void VantrelHexEdit::SetSelection(int start, int end)
{
    model_.SetSelection(start, end);
    AfterChange(false);
}

void VantrelHexEdit::AfterChange(bool contentChanged)
{
    UpdateScrollBar();
    EnsureCaretVisible();
    viewport()->update();
    if (contentChanged)
        emit changed();
}

// ---------------------------------------------------------------- clipboard

bool VantrelHexEdit::Copy()
{
    const QByteArray selected = model_.SelectedBytes();
    if (selected.isEmpty())
        return false;
    return platform::SetClipboardTextWithLength(selected, int32_t(selected.size()));
}

bool VantrelHexEdit::Cut()
{
    if (model_.IsReadOnly() || !Copy())
        return false;
    return DeleteSelection();
}

bool VantrelHexEdit::Paste()
{
    if (model_.IsReadOnly())
        return false;
    const std::optional<QByteArray> text = platform::ClipboardText();
    if (!text)
        return false;
    const int64_t count = TransferByteCount(*text, platform::ClipboardBinaryLength());
    const bool done = Guarded([&] { return model_.Insert(text->left(count)) > 0 || count == 0; });
    AfterChange(true);
    return done;
}

bool VantrelHexEdit::DeleteSelection()
{
    const bool done = model_.DeleteSelection();
    if (done)
        AfterChange(true);
    return done;
}

QMenu* VantrelHexEdit::CreateContextMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("HexEdit"));
    const bool selection = model_.HasSelection();
    const bool writable = !model_.IsReadOnly();
    const bool clipboardText = platform::ClipboardFormats().contains(QString::fromLatin1(platform::kClipboardTextFormat));
    menu->addAction(QStringLiteral("Cu&t"), this, [this] { Cut(); })->setEnabled(selection && writable);
    menu->addAction(QStringLiteral("&Copy"), this, [this] { Copy(); })->setEnabled(selection);
    menu->addAction(QStringLiteral("&Paste"), this, [this] { Paste(); })->setEnabled(writable && clipboardText);
    menu->addAction(QStringLiteral("&Delete"), this, [this] { DeleteSelection(); })->setEnabled(selection && writable);
    return menu;
}

void VantrelHexEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = CreateContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

// ---------------------------------------------------------------- keys

bool VantrelHexEdit::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            // Tab belongs to the control (it switches columns); Ctrl+Tab
            // leaves it, with Shift backward.
            if (key->modifiers() & Qt::ControlModifier) {
                focusNextPrevChild(!(key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier)));
            } else {
                SetHexActive(!model_.HexActive());
            }
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

bool VantrelHexEdit::HandleNavigationKey(QKeyEvent* event)
{
    static const std::pair<int, CaretKey> kKeys[] = {
        {Qt::Key_Left, CaretKey::Left},       {Qt::Key_Right, CaretKey::Right},
        {Qt::Key_Up, CaretKey::Up},           {Qt::Key_Down, CaretKey::Down},
        {Qt::Key_PageUp, CaretKey::PageUp},   {Qt::Key_PageDown, CaretKey::PageDown},
        {Qt::Key_Home, CaretKey::Home},       {Qt::Key_End, CaretKey::End},
    };
    const auto found = std::find_if(std::begin(kKeys), std::end(kKeys),
                                    [event](const auto& entry) { return entry.first == event->key(); });
    if (found == std::end(kKeys))
        return false;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    // The hex view's key rules over a row of kRow single bytes.
    CaretContext context;
    context.caret = model_.Caret();
    context.size = model_.Length();
    context.hasSelection = model_.HasSelection();
    context.selStart = model_.SelectionStart();
    context.selEnd = model_.SelectionEnd();
    context.bytesPerRow = kRow;
    context.rowsInWindow = RowsInWindow();
    const CaretMove move = ComputeCaretMove(found->second, shift, ctrl, context);
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + move.scrollRows);
    if (move.moveCaret) {
        model_.MoveCaret(int(std::clamp<int64_t>(move.target, 0, model_.Length())), shift);
        AfterChange(false);
    }
    return true;
}

void VantrelHexEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        Copy();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        Cut();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        Paste();
        return;
    }
    if (HandleNavigationKey(event))
        return;
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
        const bool back = event->key() == Qt::Key_Backspace;
        if (Guarded([&] { return back ? model_.Backspace() : model_.Delete(); }))
            AfterChange(true);
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const char16_t ch = text.at(0).unicode();
        const bool typed = Guarded([&] { return model_.HexActive() ? model_.TypeHexDigit(ch) : model_.TypeCharacter(ch); });
        if (typed)
            AfterChange(true);
        else if (ch >= 32)
            QApplication::beep();
        if (typed || ch >= 32)
            return;
    }
    // Enter, Esc and the rest go on to the dialog.
    QAbstractScrollArea::keyPressEvent(event);
}

// ---------------------------------------------------------------- mouse

int VantrelHexEdit::OffsetAt(const QPoint& point, bool* hexColumn) const
{
    const RowLayout layout = Layout();
    const HitResult hit = HitTestPoint(layout, verticalScrollBar()->value() * kRow, model_.Length(),
                                       HiddenOffsetWidth(layout), point.x(), point.y() - kMargin);
    if (hexColumn)
        *hexColumn = hit.hex;
    return hit.offset;
}

void VantrelHexEdit::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    bool hex = true;
    const int offset = OffsetAt(event->position().toPoint(), &hex);
    if (hex != model_.HexActive())
        model_.SetHexActive(hex);
    model_.MoveCaret(offset, event->modifiers() & Qt::ShiftModifier);
    AfterChange(false);
}

void VantrelHexEdit::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    model_.MoveCaret(OffsetAt(event->position().toPoint(), nullptr), true);
    AfterChange(false);
}

// ---------------------------------------------------------------- geometry and painting

int VantrelHexEdit::RowHeight() const { return std::max(1, fontMetrics().height()); }
int VantrelHexEdit::CharWidth() const { return std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('0'))); }
int VantrelHexEdit::RowsInWindow() const
{
    return std::max(1, ::RowsInWindow(viewport()->height() - kMargin, RowHeight()));
}

// The hex view's row of kRow single bytes without a dash: the control draws
// the same digits and characters at the same cells.
RowLayout VantrelHexEdit::Layout() const
{
    LayoutOptions options;
    options.bytesPerRow = kRow;
    options.groupBy = 0;
    options.columns = kHexColumn | kCharColumn;
    options.showDash = false;
    options.charWidth = CharWidth();
    options.lineHeight = RowHeight();
    return RowLayout::Make(options);
}

// The control has no offset column: its rows are the view's, scrolled left
// past that column to the margin.
int VantrelHexEdit::HiddenOffsetWidth(const RowLayout& layout) { return layout.Px(layout.hexX) - kMargin; }

int VantrelHexEdit::HexX(const RowLayout& layout, int column)
{
    return layout.Px(layout.hexX + layout.HexCellOfByte(column)) - HiddenOffsetWidth(layout);
}

int VantrelHexEdit::TextX(const RowLayout& layout, int column)
{
    return layout.Px(layout.charX + column) - HiddenOffsetWidth(layout);
}

void VantrelHexEdit::UpdateScrollBar()
{
    // One more row than full rows, so the caret after the last byte has a place.
    const int rows = model_.Length() / kRow + 1;
    verticalScrollBar()->setRange(0, std::max(0, rows - RowsInWindow()));
    verticalScrollBar()->setPageStep(RowsInWindow());
}

void VantrelHexEdit::EnsureCaretVisible()
{
    const int row = model_.Caret() / kRow;
    QScrollBar* bar = verticalScrollBar();
    if (row < bar->value())
        bar->setValue(row);
    else if (row >= bar->value() + RowsInWindow())
        bar->setValue(row - RowsInWindow() + 1);
}

void VantrelHexEdit::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBar();
}

void VantrelHexEdit::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void VantrelHexEdit::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void VantrelHexEdit::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QPalette& pal = palette();
    painter.fillRect(viewport()->rect(), pal.color(isEnabled() ? QPalette::Base : QPalette::Window));
    const RowLayout layout = Layout();
    const int h = layout.lineHeight;
    const int w = layout.charWidth;
    const int ascent = fontMetrics().ascent();
    const int firstRow = verticalScrollBar()->value();
    const QByteArray& bytes = model_.Bytes();
    const int selStart = model_.SelectionStart();
    const int selEnd = model_.SelectionEnd();
    for (int r = 0; r <= RowsInWindow(); ++r) {
        const int rowStart = (firstRow + r) * kRow;
        const int count = std::clamp(int(bytes.size()) - rowStart, 0, kRow);
        if (count == 0)
            break;
        const auto* rowBytes = reinterpret_cast<const uint8_t*>(bytes.constData()) + rowStart;
        const QString hex = HexText(layout, rowBytes, count);
        const QString chars = CharText(layout, rowBytes, count, false);
        const int y = kMargin + r * h;
        for (int c = 0; c < count; ++c) {
            const int offset = rowStart + c;
            const bool selected = offset >= selStart && offset < selEnd;
            if (selected) {
                painter.fillRect(QRect(HexX(layout, c), y, 2 * w, h), pal.color(QPalette::Highlight));
                painter.fillRect(QRect(TextX(layout, c), y, w, h), pal.color(QPalette::Highlight));
            }
            painter.setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
            painter.drawText(HexX(layout, c), y + ascent, hex.mid(layout.HexCellOfByte(c), 2));
            painter.drawText(TextX(layout, c), y + ascent, QString(chars.at(c)));
        }
    }
    if (!hasFocus())
        return;
    const CaretPlace place = CaretPointFor(layout, model_.Caret(), firstRow * kRow, false, model_.LowNibblePending(),
                                           model_.HexActive(), HiddenOffsetWidth(layout));
    if (!place.aboveWindow)
        painter.fillRect(QRect(place.point + QPoint(0, kMargin), QSize(kCaretWidth, h)), pal.color(QPalette::Text));
}
