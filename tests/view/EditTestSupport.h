#pragma once
// A hex view with a document, driven with real key and mouse events, with
// scripted Paste Mode answers and file-dialog paths and recorded message boxes.
#include "MessageRecorder.h"
#include "ViewTestSupport.h"
#include "view/PasteModeDlg.h"

#include <QTemporaryDir>

class EditTest : public ViewTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The document's bytes.
    QByteArray Bytes() const;
    static QByteArray Bytes(const CBinEditDoc& document);
    int32_t CaretAt() const { return view->Caret().Offset(); }
    // The selection as [start, end), or (-1, -1) without one.
    std::pair<int32_t, int32_t> Selection() const;
    int UndoCount() const { return doc->UndoList().Count(); }
    int RedoCount() const { return doc->RedoList().Count(); }

    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Press(int key, Qt::KeyboardModifiers modifiers, CBinEditView& to);
    void Type(const QString& text);
    // Presses Ctrl+Z (or Ctrl+Y) count times.
    void UndoTimes(int count);
    void RedoTimes(int count);

    // Client point of the first digit (hex) or the character of a byte.
    QPoint PointOfByte(int32_t offset, bool hex) const;
    void Click(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // The next Paste Mode dialog is ticked so and accepted (nothing: Cancel).
    void AnswerPasteMode(std::optional<PasteModeChoice> answer);
    int PasteModeAsked() const { return int(ui.titles.count(QStringLiteral("Paste Mode"))); }

    MessageRecorder messages;
    QTemporaryDir dir;
};
