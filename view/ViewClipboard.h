#pragma once
// Bytes between a hex view's selection and the clipboard, dropped data and
// files: Copy, Cut, Paste, Copy to File and Paste from File, the paste-mode
// choice, and the transfers other tools reuse. The clipboard carries the
// bytes as plain text, exactly as selected, with a length block so data
// containing zero bytes survives a round trip.
#include "EditTypes.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

class CBinEditView;
class CBufferPos;
class IPasteSource;

class CViewClipboard {
public:
    explicit CViewClipboard(CBinEditView& view) : view_(view) {}

    bool CanCopy() const;
    bool CanCut() const;
    bool CanPaste() const;
    bool CanCopyToFile() const { return CanCopy(); }
    bool CanPasteFromFile() const { return Writable(); }

    bool Copy();
    bool Cut();
    bool Paste();
    bool CopyToFile();
    bool PasteFromFileCommand();

    bool WriteSelectionToFile(const QString& path);
    bool WriteSelectionToTempFile(const QString& path);
    bool PasteFromFile(const QString& path, PasteMode mode, bool record);
    bool PasteBytes(const void* data, int32_t count, PasteMode mode, bool record);
    bool OverwriteRange(int32_t offset, const void* data, int32_t count);
    bool GetSelectionBytes(QByteArray& bytes) const;

private:
    bool Writable() const;
    // The rules of the paste, after the Paste Mode dialog for a normal paste
    // when the settings ask for it; nothing when the user cancelled.
    std::optional<PasteRules> SettleRules(PasteMode mode);
    // Steps after the mode is settled: paste, place the caret, tell the views.
    bool Paste(IPasteSource& source, const PasteRules& rules, bool record, bool* sourceFailed);
    // Hands the selection to one of the range writers of RangeToFile.
    bool WriteSelection(const QString& path, bool (*write)(const CBufferPos& from, int32_t count, const QString& path));

    CBinEditView& view_;
};
