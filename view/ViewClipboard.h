#pragma once
// Bytes between a hex view's selection and the clipboard, dropped data and
// files: Copy, Cut, Paste, Copy to File and Paste from File, the paste-mode
// choice, and the transfers other tools reuse. The clipboard carries the
// bytes as plain text, exactly as selected, with a length block so data
// containing zero bytes survives a round trip.
#include "EditTypes.h"
#include "ViewFacets.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

class CBufferPos;
class CCaretController;
class CEditCommands;
class IPasteSource;
class IUserInterface;
class QWidget;

// Copy's refusal of a selection held whole in memory would be too large.
QString SelectionTooLargeText(int64_t length);
// Paste from File's refusal of a file too large to hold in memory.
QString PastedFileTooLargeText(int64_t size);

class CViewClipboard {
public:
    // dialogParent owns the file and Paste Mode dialogs the commands open
    // through ui.
    CViewClipboard(ViewSubject subject, CCaretController& caretControl, CEditCommands& edits, QWidget& dialogParent,
                   IUserInterface& ui)
        : subject_(subject), caretControl_(caretControl), edits_(edits), dialogParent_(dialogParent), ui_(ui)
    {
    }

    bool CanCopy() const;
    bool CanCut() const;
    bool CanPaste() const;
    bool CanCopyToFile() const { return CanCopy(); }
    bool CanPasteFromFile() const { return Writable(); }

    bool Copy();
    // The bytes are deleted only once the clipboard holds them.
    bool Cut();
    bool Paste();
    // The Edit menu's Copy to File and Paste from File, with their file dialogs.
    bool CopyToFileCommand();
    bool PasteFromFileCommand();

    // Writes the selection to path; false without a selection or on a file
    // error (reported, naming the file).
    bool WriteSelectionToFile(const QString& path);
    // The same into a private temporary file of the program (a task's
    // input): written straight through, without the safe replace a user's
    // file gets.
    bool WriteSelectionToTempFile(const QString& path);
    // Pastes a file's or a memory block's bytes at the caret by mode,
    // recording one undo entry when record is set; false when nothing changed.
    bool PasteFromFile(const QString& path, PasteMode mode, bool record);
    bool PasteBytes(const void* data, int64_t count, PasteMode mode, bool record);
    // Overwrites bytes in place from offset (clipped to the file); false when
    // nothing was written.
    bool OverwriteRange(int64_t offset, const void* data, int64_t count);
    // The selected bytes; false without a selection, when memory runs out or
    // when the selection is larger than kMaxHeldSelection.
    bool GetSelectionBytes(QByteArray& bytes) const;
    // The most bytes the clipboard, a drag or a tool's argument takes from a
    // selection, and Paste from File from a file, as they are held whole in
    // memory; Copy to File takes any size.
    static constexpr int64_t kMaxHeldSelection = 2147483647;

private:
    bool Writable() const;
    // The rules of the paste, after the Paste Mode dialog for a normal paste
    // when the settings ask for it; nothing when the user cancelled.
    std::optional<PasteRules> SettleRules(PasteMode mode);
    // Steps after the mode is settled: paste, place the caret, tell the views.
    bool Paste(IPasteSource& source, const PasteRules& rules, bool record, bool* sourceFailed);
    // Hands the selection to one of the range writers of RangeToFile.
    bool WriteSelection(const QString& path, bool (*write)(const CBufferPos& from, int64_t count, const QString& path));

    ViewSubject subject_;
    CCaretController& caretControl_;
    CEditCommands& edits_;
    QWidget& dialogParent_;
    IUserInterface& ui_;
};
